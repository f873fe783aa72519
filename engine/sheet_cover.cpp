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

InputError boxError(const LatLonBox& box) {
    const auto error = [](InputErrorCode code, double piece, std::string context = {}) {
        InputError error = inputError(code, number(piece));
        error.context = std::move(context);
        return error;
    };
    const double edges[] = {box.south, box.west, box.north, box.east};
    for (const double edge : edges) {
        if (!std::isfinite(edge)) {
            return error(InputErrorCode::BoxEdgeNotANumber, edge);
        }
    }
    for (const double latitude : {box.south, box.north}) {
        if (latitude < -90 || latitude > 90) {
            InputError outside = error(InputErrorCode::BoxLatitudeOutOfRange, latitude);
            outside.first = -90;
            outside.last = 90;
            return outside;
        }
    }
    for (const double longitude : {box.west, box.east}) {
        if (longitude < -180 || longitude > 180) {
            InputError outside = error(InputErrorCode::BoxLongitudeOutOfRange, longitude);
            outside.first = -180;
            outside.last = 180;
            return outside;
        }
    }
    if (box.south > box.north) {
        return error(InputErrorCode::BoxSouthAboveNorth, box.south, number(box.north));
    }
    if (box.west > box.east) {
        return error(InputErrorCode::BoxWestEastOfEast, box.west, number(box.east));
    }
    return {};
}

std::optional<CoverMode> coverModeFromName(std::string_view name) noexcept {
    for (const CoverMode mode : {CoverMode::Meets, CoverMode::Centre, CoverMode::Within}) {
        if (name == coverModeName(mode)) {
            return mode;
        }
    }
    return std::nullopt;
}

std::string_view coverModeName(CoverMode mode) noexcept {
    switch (mode) {
        case CoverMode::Centre:
            return "centre";
        case CoverMode::Within:
            return "within";
        case CoverMode::Meets:
            break;
    }
    return "meets";
}

namespace {

struct IndexRange {
    std::int64_t first;
    std::int64_t last;
};

// The cells k (spanning k * cell .. (k + 1) * cell) that the closed interval low..high takes
// in the mode: interior meets it, centre in it, or the whole cell in it.
IndexRange cellsOf(double low, double high, std::int64_t cell, CoverMode mode) {
    const auto size = static_cast<double>(cell);
    switch (mode) {
        case CoverMode::Centre:
            return {static_cast<std::int64_t>(std::ceil((2 * low - size) / (2 * size))),
                    static_cast<std::int64_t>(std::floor((2 * high - size) / (2 * size)))};
        case CoverMode::Within:
            return {ceilDiv(low, cell), floorDiv(high, cell) - 1};
        case CoverMode::Meets:
            break;
    }
    return {floorDiv(low, cell), ceilDiv(high, cell) - 1};
}

}  // namespace

CoverRanges::CoverRanges(const LatLonBox& box, int scale, CoverMode mode) noexcept
    : scale_(scale), mode_(mode) {
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
    const IndexRange rows = cellsOf(south, north, heightUnits_, mode);
    firstRow_ = rows.last;
    lastRow_ = rows.first;
    empty_ = firstRow_ < lastRow_;
}

CoverRanges::Columns CoverRanges::columnsOf(std::int64_t row) const noexcept {
    const std::int64_t nearEdge = row >= 0 ? row * heightUnits_ : -(row + 1) * heightUnits_;
    const int baseRow = static_cast<int>(nearEdge / kBaseHeightUnits) + 1;
    const std::int64_t width =
        zoneWidthOfRow(baseRow) * std::int64_t{kUnitsPerDegree} / kScaleCatalogue[scale_].divisions;
    const std::int64_t columnCount = 2 * kHalfWorldUnits / width;
    const IndexRange columns = cellsOf(west_, east_, width, mode_);
    return {width, std::max<std::int64_t>(columns.first, 0),
            std::min<std::int64_t>(columns.last, columnCount - 1)};
}

Sheet CoverRanges::sheetAt(std::int64_t row, std::int64_t column) const noexcept {
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

SheetCover::SheetCover(const LatLonBox& box, int scale, CoverMode mode) noexcept
    : ranges_(box, scale, mode), row_(ranges_.firstRow() + 1) {}  // next() steps into the first row

std::optional<Sheet> SheetCover::next() noexcept {
    if (ranges_.empty()) {
        return std::nullopt;
    }
    while (column_ > lastColumn_) {
        if (row_ <= ranges_.lastRow()) {
            return std::nullopt;
        }
        --row_;
        const CoverRanges::Columns columns = ranges_.columnsOf(row_);
        column_ = columns.first;
        lastColumn_ = columns.last;
    }
    return ranges_.sheetAt(row_, column_++);
}

std::uint64_t SheetCover::count() const noexcept {
    if (ranges_.empty()) {
        return 0;
    }
    std::uint64_t total = 0;
    for (std::int64_t row = ranges_.firstRow(); row >= ranges_.lastRow(); --row) {
        const CoverRanges::Columns columns = ranges_.columnsOf(row);
        if (columns.last >= columns.first) {
            total += static_cast<std::uint64_t>(columns.last - columns.first + 1);
        }
    }
    return total;
}

}  // namespace mapsheet::engine
