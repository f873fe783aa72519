// The pre-1992 numbers: cells of the 1:1,000,000 sheet (1:500,000 to 1:100,000), of the
// 1:100,000 sheet (1:50,000, 1:10,000) and of the 1:50,000 sheet (1:25,000).

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/old_grid.h"
#include "engine/sheet_engine.h"
#include "engine/sheet_geometry.h"
#include "engine/sheet_text.h"

namespace mapsheet::engine {

namespace {

// Row lines above the south edge of the divided sheet, the published decimal multiples of the
// cell height.
constexpr std::array<double, 1> kRowLines500k{2};
constexpr std::array<double, 3> kRowLines250k{1, 2, 3};
constexpr std::array<double, 5> kRowLines200k{
    0.666666666666667, 1.333333333333334, 2.000000000000001, 2.666666666666668, 3.333333333333335};
constexpr std::array<double, 11> kRowLines100k{
    0.333333333333333, 0.666666666666666, 0.999999999999999, 1.333333333333332,
    1.666666666666665, 1.999999999999998, 2.333333333333331, 2.666666666666664,
    2.999999999999997, 3.333333333333330, 3.666666666666663};
constexpr std::array<double, 1> kRowLines50k{0.166666666666667};
constexpr std::array<double, 1> kRowLines25k{0.083333333333333};
constexpr std::array<double, 7> kRowLines10k{
    0.041666666666667, 0.083333333333334, 0.125000000000001, 0.166666666666668,
    0.208333333333335, 0.250000000000002, 0.291666666666669};

// Heights of the pre-1992 1:100,000 and 1:50,000 bands and base widths of their columns.
constexpr double kBand100k = 0.333333333333333;
constexpr double kBand50k = 0.166666666666667;
constexpr double kWidth100k = 0.5;
constexpr double kWidth50k = 0.25;
constexpr double kWidth25k = 0.125;
constexpr double kWidth10k = 0.0625;

constexpr std::array<const char*, 4> kQuarterLetters{"A", "B", "C", "D"};
constexpr std::array<const char*, 4> kQuarterDigits{"1", "2", "3", "4"};

constexpr old_grid::Grid kGrid500k{kRowLines500k, 3.0};
constexpr old_grid::Grid kGrid250k{kRowLines250k, 1.5};
constexpr old_grid::Grid kGrid200k{kRowLines200k, 1.0};
constexpr old_grid::Grid kGrid100k{kRowLines100k, kWidth100k};
constexpr old_grid::Grid kGrid50k{kRowLines50k, kWidth50k};
constexpr old_grid::Grid kGrid25k{kRowLines25k, kWidth25k};
constexpr old_grid::Grid kGrid10k{kRowLines10k, kWidth10k};

// Whether the point lies on the series, where the pre-1992 1:100,000 and 1:50,000 sheets
// computed for it are its own sheets; elsewhere the point was clamped and they are not.
bool onSeries(double latitude, double longitude) {
    return geometry::hasSheetRow(latitude) && geometry::hasSheetColumn(longitude);
}

}  // namespace

SheetBounds SheetEngine::oldSheetBounds(double latitude, double longitude, double bandHeight,
                                        double baseWidth) {
    latitude = geometry::clampLatitude(latitude);
    longitude = geometry::clampLongitude(longitude);
    const double width = baseWidth * geometry::widthFactor(ZoneWidthForLatitude(latitude));

    const double band = floorOnGrid(std::fabs(latitude), bandHeight) + 1;
    const double farEdge = std::min(band * bandHeight, 90.0);
    const double nearEdge = std::min((band - 1) * bandHeight, 90.0);
    const bool southern = isSouthern(latitude);

    const double column = floorOnGrid(longitude + 180.0, width) + 1;
    SheetBounds bounds;
    bounds.north = southern ? -nearEdge : farEdge;
    bounds.south = southern ? -farEdge : nearEdge;
    bounds.west = std::max((column - 1) * width - 180.0, -180.0);
    bounds.east = std::min(column * width - 180.0, 180.0);
    return bounds;
}

void SheetEngine::OldSheet100kBounds(double latitude, double longitude) {
    oldSheet100k_ = oldSheetBounds(latitude, longitude, kBand100k, kWidth100k);
}

void SheetEngine::OldSheet50kBounds(double latitude, double longitude) {
    oldSheet50k_ = oldSheetBounds(latitude, longitude, kBand50k, kWidth50k);
}

SheetBounds SheetEngine::baseSheetBounds() const {
    return {static_cast<double>(base_.baseNorth), static_cast<double>(base_.baseSouth),
            static_cast<double>(base_.baseWest), static_cast<double>(base_.baseEast)};
}

int SheetEngine::oldCell100k(double latitude, double longitude) {
    const SheetBounds base = baseSheetBounds();
    const old_grid::Cell cell = old_grid::cellOf(kGrid100k, base, latitude, longitude);
    OldSheet100kBounds(latitude, longitude);
    old_grid::keepToCell(oldSheet100k_, old_grid::cellBounds(kGrid100k, base, cell, latitude));
    return old_grid::cellNumber(kGrid100k, cell);
}

std::string SheetEngine::oldPrefix() const {
    return (SheetText{} << base_.rowLetterText << "-" << base_.zoneText).str();
}

std::string SheetEngine::OldSheet500k(double latitude, double longitude) {
    if (!baseSheetHolds(latitude, longitude)) {
        return {};
    }
    const auto cell = old_grid::cellOf(kGrid500k, baseSheetBounds(), latitude, longitude);
    return (SheetText{} << oldPrefix() << "-"
                        << kQuarterLetters[old_grid::cellNumber(kGrid500k, cell) - 1])
        .str();
}

std::string SheetEngine::OldSheet250k(double latitude, double longitude) {
    if (!baseSheetHolds(latitude, longitude)) {
        return {};
    }
    const auto cell = old_grid::cellOf(kGrid250k, baseSheetBounds(), latitude, longitude);
    SheetText text;
    text << oldPrefix() << "-[";
    return (text.number(old_grid::cellNumber(kGrid250k, cell)) << "]").str();
}

std::string SheetEngine::OldSheet200k(double latitude, double longitude) {
    if (!baseSheetHolds(latitude, longitude)) {
        return {};
    }
    const auto cell = old_grid::cellOf(kGrid200k, baseSheetBounds(), latitude, longitude);
    SheetText text;
    text << oldPrefix() << "-(";
    return (text.number(old_grid::cellNumber(kGrid200k, cell)) << ")").str();
}

std::string SheetEngine::OldSheet100k(double latitude, double longitude) {
    if (!baseSheetHolds(latitude, longitude)) {
        return {};
    }
    const auto cell = old_grid::cellOf(kGrid100k, baseSheetBounds(), latitude, longitude);
    SheetText text;
    text << oldPrefix() << "-";
    return text.number(old_grid::cellNumber(kGrid100k, cell)).str();
}

std::string SheetEngine::OldSheet50k(double latitude, double longitude) {
    if (!onSeries(latitude, longitude) || !baseSheetHolds(latitude, longitude)) {
        return {};
    }
    const int sheet100k = oldCell100k(latitude, longitude);
    const auto quarter = old_grid::cellOf(kGrid50k, oldSheet100k_, latitude, longitude);
    SheetText text;
    text << oldPrefix() << "-";
    text.number(sheet100k) << "-" << kQuarterLetters[old_grid::cellNumber(kGrid50k, quarter) - 1];
    return text.str();
}

std::string SheetEngine::OldSheet25k(double latitude, double longitude) {
    if (!onSeries(latitude, longitude) || !baseSheetHolds(latitude, longitude)) {
        return {};
    }
    const int sheet100k = oldCell100k(latitude, longitude);
    const auto quarter50k = old_grid::cellOf(kGrid50k, oldSheet100k_, latitude, longitude);
    OldSheet50kBounds(latitude, longitude);
    old_grid::keepToCell(oldSheet50k_,
                         old_grid::cellBounds(kGrid50k, oldSheet100k_, quarter50k, latitude));
    const auto quarter25k = old_grid::cellOf(kGrid25k, oldSheet50k_, latitude, longitude);
    SheetText text;
    text << oldPrefix() << "-";
    text.number(sheet100k) << "-" << kQuarterLetters[old_grid::cellNumber(kGrid50k, quarter50k) - 1]
                           << "-" << kQuarterDigits[old_grid::cellNumber(kGrid25k, quarter25k) - 1];
    return text.str();
}

std::string SheetEngine::OldSheet10k(double latitude, double longitude) {
    if (!onSeries(latitude, longitude) || !baseSheetHolds(latitude, longitude)) {
        return {};
    }
    const int sheet100k = oldCell100k(latitude, longitude);
    const auto cell = old_grid::cellOf(kGrid10k, oldSheet100k_, latitude, longitude);
    SheetText text;
    text << oldPrefix() << "-";
    text.number(sheet100k) << "-(";
    return (text.number(old_grid::cellNumber(kGrid10k, cell)) << ")").str();
}

}  // namespace mapsheet::engine
