// Half-units in decimal degrees rounded to 12 places, and the stand-ins for points beyond the
// series, against exact integer arithmetic and written examples.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "engine/sheet.h"
#include "engine/sheet_engine.h"

namespace mapsheet::engine {
namespace {

constexpr std::int64_t kHalfUnitsPerDegree = 2 * kUnitsPerDegree;

// Whether q / 10^12 is the nearest multiple of 10^-12 to h / 57600: 2 |q * 57600 - h * 10^12|
// below 10^12, with both sides divided by their common factor 6400 to stay in 64 bits.
bool nearestTwelfthPlace(std::int64_t halfUnits, std::int64_t picodegrees) {
    constexpr std::int64_t kReducedDenominator = 57600 / 6400;
    constexpr std::int64_t kReducedPicodegrees = 1'000'000'000'000 / 6400;
    const std::int64_t difference =
        picodegrees * kReducedDenominator - halfUnits * kReducedPicodegrees;
    return 2 * std::llabs(difference) < kReducedPicodegrees;
}

// Every half-unit of the world and beyond it by a 1:1,000,000 sheet, both signs.
TEST(DegreeRounding, EveryHalfUnitRoundsToTheNearestTwelfthPlace) {
    const std::int64_t limit = 204 * kHalfUnitsPerDegree;
    std::int64_t wrong = 0;
    for (std::int64_t h = -limit; h <= limit; ++h) {
        wrong += nearestTwelfthPlace(h, picodegreesOfHalfUnits(h)) ? 0 : 1;
    }
    EXPECT_EQ(wrong, 0);
}

TEST(DegreeRounding, WrittenExamplesAndTheirDoubles) {
    const struct {
        const char* name;
        std::int64_t halfUnits;
        const char* degrees;  // the 12-place value as a person writes it
    } rows[] = {
        {"39 deg 58 min 45 s, a sheet edge", 2 * (39 * 3600 + 58 * 60 + 45) * 8, "39.979166666667"},
        {"117 deg 1 min 52.5 s", 2 * (117 * 3600 + 60 + 52) * 8 + 8, "117.03125"},
        {"one half-unit", 1, "0.000017361111"},
        {"minus one half-unit", -1, "-0.000017361111"},
        {"a 1:500 sheet height below the equator", -100, "-0.001736111111"},
        {"180 W", -180 * kHalfUnitsPerDegree, "-180"},
        {"zero", 0, "0"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(degreesOfHalfUnits(row.halfUnits), std::strtod(row.degrees, nullptr)) << row.name;
    }
}

TEST(SeriesStandIns, CoordinatesOffTheSeriesTakeTheStandIns) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* name;
        double latitude;
        double longitude;
        double clampedLatitude;
        double clampedLongitude;
    } rows[] = {
        {"on the series", 39.5, 117.5, 39.5, 117.5},
        {"-180 is on the series", 10, -180, 10, -180},
        {"within the line tolerance west of -180", 10, -180 - 5e-11, 10, -180 - 5e-11},
        {"west of -180", 10, -180.001, 10, -179.59599},
        {"180", 10, 180, 10, 179.59599},
        {"within the line tolerance of 180", 10, 180 - 5e-11, 10, 179.59599},
        {"88 is off", 88, 0, 87.59599, 0},
        {"within the line tolerance of 88", 88 - 5e-11, 0, 87.59599, 0},
        {"-88 is off", -88, 0, -87.59599, 0},
        {"just inside -88", -87.999, 0, -87.999, 0},
        {"the poles", -90, 200, -87.59599, 179.59599},
        {"infinities", -INFINITY, INFINITY, -87.59599, 179.59599},
        {"NaN takes the positive stand-ins", nan, nan, 87.59599, 179.59599},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(clampedLatitude(row.latitude), row.clampedLatitude) << row.name;
        EXPECT_EQ(clampedLongitude(row.longitude), row.clampedLongitude) << row.name;
    }
}

}  // namespace
}  // namespace mapsheet::engine
