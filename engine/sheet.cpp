// The sheet of a point, its bounds and its relatives, all on the unit lattice of 1/8 arc-second.

#include "engine/sheet.h"

#include <algorithm>
#include <cmath>

#include "engine/line_rule.h"

namespace mapsheet::engine {

namespace {

constexpr std::int64_t kBaseHeightUnits = 4 * kUnitsPerDegree;
constexpr std::int64_t kSeriesLatitudeUnits = kBaseRowCount * kBaseHeightUnits;  // 88 degrees
constexpr std::int64_t kHalfWorldUnits = 180 * kUnitsPerDegree;
constexpr std::int64_t kWorldUnits = 2 * kHalfWorldUnits;
constexpr double kToleranceUnits = kLineToleranceDegrees * kUnitsPerDegree;

bool isScale(int scale) {
    return scale >= 0 && scale < kScaleCount;
}

std::int64_t divisionsOf(int scale) {
    return kScaleCatalogue[scale].divisions;
}

std::int64_t zoneUnitsOfRow(int row) {
    return zoneWidthOfRow(row) * std::int64_t{kUnitsPerDegree};
}

}  // namespace

double placedUnits(double degrees) noexcept {
    const double units = degrees * kUnitsPerDegree;
    if (!(std::fabs(units) < 1e15)) {
        return units;
    }
    // The nearest whole number by adding and taking away 1.5 x 2^52: exact below 2^51 in the
    // default rounding, as nearbyint, but without a call into the maths library, which the
    // numbering of every point would pay twice.
    constexpr double kRoundingShift = 0x1.8p52;
    const double nearest = (units + kRoundingShift) - kRoundingShift;
    return std::fabs(units - nearest) <= kToleranceUnits ? nearest : units;
}

bool isValid(const Sheet& sheet) noexcept {
    if (!isScale(sheet.scale) || sheet.row < 1 || sheet.row > kBaseRowCount || sheet.zone < 1 ||
        sheet.zone > zoneCountOfRow(sheet.row)) {
        return false;
    }
    const std::int64_t divisions = divisionsOf(sheet.scale);
    return sheet.rowCode >= 1 && sheet.rowCode <= divisions && sheet.columnCode >= 1 &&
           sheet.columnCode <= divisions;
}

std::optional<Sheet> sheetOf(double latitude, double longitude, int scale) noexcept {
    Sheet sheet;
    if (!findSheet(latitude, longitude, scale, sheet)) {
        return std::nullopt;
    }
    return sheet;
}

bool findSheet(double latitude, double longitude, int scale, Sheet& sheet) noexcept {
    if (!isScale(scale)) {
        return false;
    }
    const double north = placedUnits(latitude);
    const double east = placedUnits(longitude) + static_cast<double>(kHalfWorldUnits);
    const double limit = static_cast<double>(kSeriesLatitudeUnits);
    if (!(north > -limit && north < limit) || !(east >= 0 && east < kWorldUnits)) {
        return false;
    }
    sheet.scale = static_cast<std::int8_t>(scale);
    sheet.southern = north < 0;
    // Distance from the equator: a placed line lies exactly on a whole unit, so every floor
    // below gives the row or column farther from the equator, or east of the line.
    const double fromEquator = std::fabs(north);
    const auto rowIndex = static_cast<std::int64_t>(fromEquator / kBaseHeightUnits);
    sheet.row = static_cast<std::int8_t>(rowIndex + 1);
    const std::int64_t zoneUnits = zoneUnitsOfRow(sheet.row);
    const auto zoneIndex = static_cast<std::int64_t>(east / zoneUnits);
    sheet.zone = static_cast<std::int8_t>(zoneIndex + 1);

    const std::int64_t divisions = divisionsOf(scale);
    const double height = static_cast<double>(kBaseHeightUnits / divisions);
    const double width = static_cast<double>(zoneUnits / divisions);
    const double intoRow = fromEquator - static_cast<double>(rowIndex * kBaseHeightUnits);
    const double intoZone = east - static_cast<double>(zoneIndex * zoneUnits);
    const std::int64_t away = std::min(static_cast<std::int64_t>(intoRow / height), divisions - 1);
    const std::int64_t column =
        std::min(static_cast<std::int64_t>(intoZone / width), divisions - 1);
    sheet.rowCode = static_cast<std::int16_t>(sheet.southern ? away + 1 : divisions - away);
    sheet.columnCode = static_cast<std::int16_t>(column + 1);
    return true;
}

UnitBounds unitBounds(const Sheet& sheet) noexcept {
    const std::int64_t divisions = divisionsOf(sheet.scale);
    const std::int64_t height = kBaseHeightUnits / divisions;
    const std::int64_t zoneUnits = zoneUnitsOfRow(sheet.row);
    const std::int64_t width = zoneUnits / divisions;
    const std::int64_t baseNorth =
        sheet.southern ? -(sheet.row - 1) * kBaseHeightUnits : sheet.row * kBaseHeightUnits;
    const std::int64_t baseWest = (sheet.zone - 1) * zoneUnits - kHalfWorldUnits;
    UnitBounds bounds;
    bounds.north = static_cast<std::int32_t>(baseNorth - (sheet.rowCode - 1) * height);
    bounds.south = static_cast<std::int32_t>(bounds.north - height);
    bounds.west = static_cast<std::int32_t>(baseWest + (sheet.columnCode - 1) * width);
    bounds.east = static_cast<std::int32_t>(bounds.west + width);
    return bounds;
}

namespace {

double degreesOf(std::int32_t units) {
    return degreesOfHalfUnits(2 * std::int64_t{units});
}

}  // namespace

double degreesOfHalfUnits(std::int64_t halfUnits) noexcept {
    // Below 2^53, so the quotient of two exact doubles is the nearest double of the decimal.
    constexpr double kPicodegreesPerDegree = 1e12;
    return static_cast<double>(picodegreesOfHalfUnits(halfUnits)) / kPicodegreesPerDegree;
}

DegreeBounds degreeBounds(const Sheet& sheet) noexcept {
    const UnitBounds units = unitBounds(sheet);
    return {degreesOf(units.south), degreesOf(units.west), degreesOf(units.north),
            degreesOf(units.east)};
}

int divisionRatio(int coarseScale, int finerScale) noexcept {
    if (!isScale(coarseScale) || !isScale(finerScale)) {
        return 0;
    }
    const std::int64_t coarse = divisionsOf(coarseScale);
    const std::int64_t fine = divisionsOf(finerScale);
    return fine % coarse == 0 ? static_cast<int>(fine / coarse) : 0;
}

std::optional<Sheet> containing(const Sheet& sheet, int coarserScale) noexcept {
    const int ratio = divisionRatio(coarserScale, sheet.scale);
    if (ratio == 0) {
        return std::nullopt;
    }
    Sheet parent = sheet;
    parent.scale = static_cast<std::int8_t>(coarserScale);
    parent.rowCode = static_cast<std::int16_t>((sheet.rowCode - 1) / ratio + 1);
    parent.columnCode = static_cast<std::int16_t>((sheet.columnCode - 1) / ratio + 1);
    return parent;
}

Sheet childAt(const Sheet& sheet, int finerScale, int rowFromNorth, int columnFromWest) noexcept {
    const int ratio = divisionRatio(sheet.scale, finerScale);
    Sheet child = sheet;
    child.scale = static_cast<std::int8_t>(finerScale);
    child.rowCode = static_cast<std::int16_t>((sheet.rowCode - 1) * ratio + rowFromNorth + 1);
    child.columnCode =
        static_cast<std::int16_t>((sheet.columnCode - 1) * ratio + columnFromWest + 1);
    return child;
}

std::optional<Sheet> neighbour(const Sheet& sheet, Direction direction) noexcept {
    static constexpr int kNorthward[] = {1, 1, 0, -1, -1, -1, 0, 1};
    static constexpr int kEastward[] = {0, 1, 1, 1, 0, -1, -1, -1};
    const auto index = static_cast<int>(direction);
    const UnitBounds bounds = unitBounds(sheet);
    const std::int64_t height = bounds.north - bounds.south;
    const std::int64_t width = bounds.east - bounds.west;
    // Twice the centre keeps the half units of odd widths whole.
    const std::int64_t twiceLatitude = bounds.north + bounds.south + 2 * kNorthward[index] * height;
    const std::int64_t twiceLongitude = bounds.east + bounds.west + 2 * kEastward[index] * width;
    return sheetOf(static_cast<double>(twiceLatitude) / (2.0 * kUnitsPerDegree),
                   static_cast<double>(twiceLongitude) / (2.0 * kUnitsPerDegree), sheet.scale);
}

}  // namespace mapsheet::engine
