// The cover of a box: grid rows of the scale's sheet height from the north, and in each row the
// columns of that row's zone width from the west.

#include "engine/sheet_cover.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace mapsheet::engine {

namespace {

constexpr std::int64_t kBaseHeightUnits = 4 * kUnitsPerDegree;
constexpr std::int64_t kSeriesLatitudeUnits = kBaseRowCount * kBaseHeightUnits;
constexpr std::int64_t kHalfWorldUnits = 180 * kUnitsPerDegree;

std::string number(double value) {
    std::ostringstream text;
    text.precision(15);
    text << value;
    return text.str();
}

// floor and ceil of a placed value divided by a whole cell: whole units divide exactly.
std::int64_t floorDiv(double units, std::int64_t cell) {
    return static_cast<std::int64_t>(std::floor(units / static_cast<double>(cell)));
}
std::int64_t ceilDiv(double units, std::int64_t cell) {
    return static_cast<std::int64_t>(std::ceil(units / static_cast<double>(cell)));
}

}  // namespace

std::string boxError(const LatLonBox& box) {
    const double edges[] = {box.south, box.west, box.north, box.east};
    for (const double edge : edges) {
        if (!std::isfinite(edge)) {
            return "the box edges must be numbers, not " + number(edge);
        }
    }
    for (const double latitude : {box.south, box.north}) {
        if (latitude < -90 || latitude > 90) {
            return "latitude " + number(latitude) + " is outside -90..90";
        }
    }
    for (const double longitude : {box.west, box.east}) {
        if (longitude < -180 || longitude > 180) {
            return "longitude " + number(longitude) + " is outside -180..180";
        }
    }
    if (box.south > box.north) {
        return "south " + number(box.south) + " is above north " + number(box.north);
    }
    if (box.west > box.east) {
        return "west " + number(box.west) + " is east of east " + number(box.east);
    }
    return {};
}

SheetCover::SheetCover(const LatLonBox& box, int scale) noexcept : scale_(scale) {
    const auto series = static_cast<double>(kSeriesLatitudeUnits);
    const auto halfWorld = static_cast<double>(kHalfWorldUnits);
    const double south = std::max(placedUnits(box.south), -series);
    const double north = std::min(placedUnits(box.north), series);
    const double west = std::max(placedUnits(box.west), -halfWorld) + halfWorld;
    const double east = std::min(placedUnits(box.east), halfWorld) + halfWorld;
    if (!(south <= north && west <= east) || scale < 0 || scale >= kScaleCount) {
        return;
    }
    west_ = west;
    east_ = east;
    heightUnits_ = kBaseHeightUnits / kScaleCatalogue[scale].divisions;
    // Rows whose open interior meets [south, north]: j * h < north and (j + 1) * h > south.
    firstRow_ = ceilDiv(north, heightUnits_) - 1;
    lastRow_ = floorDiv(south, heightUnits_);
    empty_ = firstRow_ < lastRow_;
    row_ = firstRow_ + 1;  // next() steps into the first row
    column_ = 0;
    lastColumn_ = -1;
}

SheetCover::Columns SheetCover::columnsOf(std::int64_t row) const noexcept {
    const std::int64_t nearEdge = row >= 0 ? row * heightUnits_ : -(row + 1) * heightUnits_;
    const int baseRow = static_cast<int>(nearEdge / kBaseHeightUnits) + 1;
    const std::int64_t width =
        zoneWidthOfRow(baseRow) * std::int64_t{kUnitsPerDegree} / kScaleCatalogue[scale_].divisions;
    const std::int64_t columnCount = 2 * kHalfWorldUnits / width;
    Columns columns;
    columns.width = width;
    columns.first = std::max<std::int64_t>(floorDiv(west_, width), 0);
    columns.last = std::min<std::int64_t>(ceilDiv(east_, width) - 1, columnCount - 1);
    return columns;
}

Sheet SheetCover::sheetAt(std::int64_t row, std::int64_t column) const noexcept {
    const std::int64_t divisions = kScaleCatalogue[scale_].divisions;
    const bool southern = row < 0;
    const std::int64_t nearEdge = southern ? -(row + 1) * heightUnits_ : row * heightUnits_;
    const std::int64_t baseRow = nearEdge / kBaseHeightUnits;
    const std::int64_t away = (nearEdge - baseRow * kBaseHeightUnits) / heightUnits_;
    Sheet sheet;
    sheet.scale = static_cast<std::int8_t>(scale_);
    sheet.southern = southern;
    sheet.row = static_cast<std::int8_t>(baseRow + 1);
    sheet.zone = static_cast<std::int8_t>(column / divisions + 1);
    sheet.rowCode = static_cast<std::int16_t>(southern ? away + 1 : divisions - away);
    sheet.columnCode = static_cast<std::int16_t>(column % divisions + 1);
    return sheet;
}

std::optional<Sheet> SheetCover::next() noexcept {
    while (!empty_) {
        if (column_ <= lastColumn_) {
            return sheetAt(row_, column_++);
        }
        if (--row_ < lastRow_) {
            empty_ = true;
            break;
        }
        const Columns columns = columnsOf(row_);
        column_ = columns.first;
        lastColumn_ = columns.last;
    }
    return std::nullopt;
}

std::uint64_t SheetCover::count() const noexcept {
    if (firstRow_ < lastRow_ || heightUnits_ == 0) {
        return 0;
    }
    std::uint64_t total = 0;
    for (std::int64_t row = firstRow_; row >= lastRow_; --row) {
        const Columns columns = columnsOf(row);
        if (columns.last >= columns.first) {
            total += static_cast<std::uint64_t>(columns.last - columns.first + 1);
        }
    }
    return total;
}

}  // namespace mapsheet::engine
