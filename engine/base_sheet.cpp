// The window's engine over the sheet core: the scale selection, the 1:1,000,000 base-sheet
// record, the entry SheetNumber and the records the window reads after it.

#include <algorithm>
#include <cmath>

#include "engine/sheet_engine.h"
#include "library/ModuleQmb.h"

namespace mapsheet::engine {

namespace {

// The stand-ins for points beyond the series, as the window has always used them.
constexpr double kLatitudeStandIn = 87.59599;
constexpr double kLongitudeStandIn = 179.59599;
constexpr double kSeriesLatitudeUnits = 88.0 * kUnitsPerDegree;
constexpr double kHalfWorldUnits = 180.0 * kUnitsPerDegree;

bool onSeriesLatitude(double latitude) {
    const double units = placedUnits(latitude);
    return units > -kSeriesLatitudeUnits && units < kSeriesLatitudeUnits;
}

std::string text(const InlineText& written) {
    return std::string(written.view());
}

double degreesOfUnits(std::int32_t units) {
    return static_cast<double>(units) / kUnitsPerDegree;
}

}  // namespace

double latitudeStandIn(double latitude) {
    return latitude < 0 ? -kLatitudeStandIn : kLatitudeStandIn;
}

double longitudeStandIn(double longitude) {
    return longitude < 0 ? -kLongitudeStandIn : kLongitudeStandIn;
}

double clampedLatitude(double latitude) {
    return onSeriesLatitude(latitude) ? latitude : latitudeStandIn(latitude);
}

double clampedLongitude(double longitude) {
    const double units = placedUnits(longitude);
    return units >= -kHalfWorldUnits && units < kHalfWorldUnits ? longitude
                                                                : longitudeStandIn(longitude);
}

void SheetEngine::SelectScale(int scaleIndex) {
    scale_ = scaleRecord(scaleIndex);
}

std::int32_t SheetEngine::ZoneWidthForLatitude(double latitude) {
    const double fromEquator = std::fabs(placedUnits(latitude));
    const double row = std::floor(fromEquator / (4.0 * kUnitsPerDegree)) + 1;
    // Beyond the last row (the pole, or no number at all) the zones are as wide as in it.
    return zoneWidthOfRow(static_cast<int>(std::min(double{kBaseRowCount}, row)));
}

void SheetEngine::ComputeBaseSheet(double latitude, double longitude) {
    baseOnSeries_ = sheetOf(latitude, longitude, 0).has_value();
    const Sheet sheet = *sheetOf(clampedLatitude(latitude), clampedLongitude(longitude), 0);
    base_.zoneWidth = zoneWidthOfRow(sheet.row);
    const UnitBounds bounds = unitBounds(sheet);
    base_.baseNorth = bounds.north / kUnitsPerDegree;
    base_.baseSouth = bounds.south / kUnitsPerDegree;
    base_.baseWest = bounds.west / kUnitsPerDegree;
    base_.baseEast = bounds.east / kUnitsPerDegree;
    const InlineText number = newNumber(sheet);
    const std::string_view written = number.view();
    const std::size_t letters = written.size() - 2;
    base_.rowLetterText.assign(written.substr(0, letters));
    base_.zoneText.assign(written.substr(letters));
    baseSheet_ = sheet;
}

std::string SheetEngine::BaseSheetNumber(double latitude, double longitude, bool compact) {
    ComputeBaseSheet(latitude, longitude);
    return base_.rowLetterText + (compact ? "" : "-") + base_.zoneText;
}

std::optional<Sheet> SheetEngine::sheetInBase(double latitude, double longitude, int scale) const {
    const std::optional<Sheet> sheet = sheetOf(latitude, longitude, scale);
    if (!sheet || !baseOnSeries_ || sheet->southern != baseSheet_.southern ||
        sheet->row != baseSheet_.row || sheet->zone != baseSheet_.zone) {
        return std::nullopt;
    }
    return sheet;
}

std::string SheetEngine::SheetNumber(double latitude, double longitude, bool newNumbering) {
    if (!sheetOf(latitude, longitude, 0)) {
        return {};
    }
    ComputeBaseSheet(latitude, longitude);
    if (newNumbering) {
        return NewSheetNumber(latitude, longitude);
    }
    if (!kScaleCatalogue[scale_.scaleIndex].hasOldNumber) {
        return {};
    }
    const std::optional<Sheet> sheet = sheetInBase(latitude, longitude, scale_.scaleIndex);
    return sheet ? text(oldNumber(*sheet)) : std::string();
}

std::string SheetEngine::NewSheetNumber(double latitude, double longitude) {
    const std::optional<Sheet> sheet = sheetInBase(latitude, longitude, scale_.scaleIndex);
    if (!sheet) {
        return {};
    }
    if (scale_.scaleIndex != 0) {
        // The published rule takes both codes from decimal remainders, and the window's
        // diagnostics log has always counted them.
        ModuleQmb::求两数余(std::fabs(latitude), 4.0);
        ModuleQmb::求两数余(longitude + 180.0, static_cast<double>(base_.zoneWidth));
    }
    rowCode_ = sheet->rowCode;
    columnCode_ = sheet->columnCode;
    return text(newNumber(*sheet));
}

SheetBounds SheetEngine::boundsOfSheetAt(double latitude, double longitude, int scale) {
    const Sheet sheet = *sheetOf(clampedLatitude(latitude), clampedLongitude(longitude), scale);
    const UnitBounds units = unitBounds(sheet);
    return {degreesOfUnits(units.north), degreesOfUnits(units.south), degreesOfUnits(units.west),
            degreesOfUnits(units.east)};
}

void SheetEngine::OldSheet100kBounds(double latitude, double longitude) {
    oldSheet100k_ = boundsOfSheetAt(latitude, longitude, kOld100kGrid);
}

void SheetEngine::OldSheet50kBounds(double latitude, double longitude) {
    oldSheet50k_ = boundsOfSheetAt(latitude, longitude, kOld50kGrid);
}

std::string SheetEngine::oldNumberAt(double latitude, double longitude, int scale) {
    const std::optional<Sheet> sheet = sheetInBase(latitude, longitude, scale);
    if (!sheet) {
        return {};
    }
    if (scale >= kOld50kGrid) {
        OldSheet100kBounds(latitude, longitude);
    }
    if (scale == kOld25kGrid) {
        OldSheet50kBounds(latitude, longitude);
    }
    return text(oldNumber(*sheet));
}

}  // namespace mapsheet::engine
