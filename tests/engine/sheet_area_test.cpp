// Sheet areas against GeographicLib: its authalic latitude and the ellipsoid's area (a second,
// independent closed form), and its geodesic polygon area of the frame densified along the
// parallels.

#include <gtest/gtest.h>

#include <GeographicLib/Ellipsoid.hpp>
#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/PolygonArea.hpp>

#include <cmath>
#include <numbers>

#include "engine/sheet_area.h"
#include "engine/sheet_number_parse.h"

namespace mapsheet::engine {
namespace {

constexpr double kA = 6378137.0;
constexpr double kF = 1 / 298.257222101;

const char* const kNumbers[] = {
    "J50",          "K50E003005", "SH50D001012", "A01B002001",  "SA60K23042304",
    "P17F046009",   "T15B002002", "V08",         "SV01G001001", "O45R001006",
    "K50J11521152", "J50I001576", "S30C001004",  "A50H192001",
};

Sheet parsed(const char* number) {
    const ParsedSheet result = parseSheetNumber(number);
    EXPECT_TRUE(result.sheet) << number << ": " << result.error;
    return result.sheet.value_or(Sheet{.scale = -1});
}

double degrees(std::int32_t units) {
    return static_cast<double>(units) / kUnitsPerDegree;
}

TEST(SheetArea, AgreesWithGeographicLibsAuthalicLatitude) {
    const GeographicLib::Ellipsoid ellipsoid(kA, kF);
    // The whole ellipsoid's area over 4 pi: the square of the authalic radius.
    const double authalicRadiusSquared = ellipsoid.Area() / (4 * std::numbers::pi);
    for (const char* number : kNumbers) {
        const UnitBounds b = unitBounds(parsed(number));
        const double band =
            std::sin(ellipsoid.AuthalicLatitude(degrees(b.north)) * std::numbers::pi / 180) -
            std::sin(ellipsoid.AuthalicLatitude(degrees(b.south)) * std::numbers::pi / 180);
        const double expected =
            authalicRadiusSquared * band * degrees(b.east - b.west) * std::numbers::pi / 180;
        EXPECT_NEAR(sheetArea(parsed(number)), expected, expected * 1e-9) << number;
    }
}

TEST(SheetArea, AgreesWithTheGeodesicAreaOfTheDensifiedFrame) {
    const GeographicLib::Geodesic geodesic(kA, kF);
    for (const char* number : {"J50", "K50E003005", "SH50D001012", "T15B002002", "SV01G001001"}) {
        const UnitBounds b = unitBounds(parsed(number));
        GeographicLib::PolygonArea polygon(geodesic);
        constexpr int kSteps = 2000;
        const double west = degrees(b.west);
        const double east = degrees(b.east);
        for (int step = 0; step <= kSteps; ++step) {  // the south edge eastwards
            polygon.AddPoint(degrees(b.south), west + (east - west) * step / kSteps);
        }
        for (int step = 0; step <= kSteps; ++step) {  // the north edge westwards
            polygon.AddPoint(degrees(b.north), east - (east - west) * step / kSteps);
        }
        double perimeter = 0;
        double area = 0;
        polygon.Compute(false, true, perimeter, area);
        EXPECT_NEAR(sheetArea(parsed(number)), std::fabs(area), std::fabs(area) * 1e-7) << number;
    }
}

}  // namespace
}  // namespace mapsheet::engine
