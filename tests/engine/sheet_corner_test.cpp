// Every sheet corner, typed as the nearest double, lands in the sheet north-east of it (south-east
// in the southern hemisphere), and points a little inside the four sheets around it land in
// those sheets; at every scale, in both hemispheres, below 60, between 60 and 76 and above 76
// degrees, east and west of Greenwich. The expected sheets come from exact integer arithmetic.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "engine/sheet_engine.h"
#include "exact_sheet.h"

namespace mapsheet::engine {
namespace {

using testing::exactSheet;
using testing::ExactSheet;

constexpr double kInside = 1e-7;  // degrees, well inside the smallest sheet (6.25")

// Base sheets by a point inside them: the rows at 40, 56 (its north edge is the 60-degree
// line), 64, 72 (north edge 76), 80, 84 (the outer edge 88) and 0 degrees from the equator, in
// both hemispheres; and the zones east and west of Greenwich and at both ends of the series.
constexpr double kRowLatitudes[] = {42, 58, 66, 74, 82, 86, 2, -42, -58, -66, -74, -82, -86, -2};
constexpr double kZoneLongitudes[] = {117.5, -100.5, 2.0, -2.0, 179.5, -179.5};

// Lines 0..divisions of a base sheet: all of them for the coarse scales, else the edges, the
// middle and a seeded sample.
std::vector<int> sampledLines(int divisions, std::mt19937& random) {
    std::set<int> lines;
    if (divisions <= 12) {
        for (int i = 0; i <= divisions; ++i) {
            lines.insert(i);
        }
    } else {
        for (const int i : {0, 1, 2, divisions / 2, divisions - 2, divisions - 1, divisions}) {
            lines.insert(i);
        }
        std::uniform_int_distribution<int> any(0, divisions);
        while (lines.size() < 13) {
            lines.insert(any(random));
        }
    }
    return {lines.begin(), lines.end()};
}

struct Probe {
    const char* where;
    int latSide;
    int lonSide;
};

constexpr Probe kProbes[] = {
    {"corner", 0, 0},
    {"north-east of the corner", 1, 1},
    {"north-west of the corner", 1, -1},
    {"south-east of the corner", -1, 1},
    {"south-west of the corner", -1, -1},
};

void sweepCorners(int scaleIndex) {
    const int divisions = kScaleCatalogue[scaleIndex].divisions;
    const long long D = divisions;
    std::mt19937 random(20260 + scaleIndex);
    SheetEngine engine;
    engine.SelectScale(scaleIndex);
    int failures = 0;
    for (const double rowLatitude : kRowLatitudes) {
        const long long baseRow = static_cast<long long>(std::abs(rowLatitude) / 4);
        const int sign = rowLatitude < 0 ? -1 : 1;
        const int zoneWidth = SheetEngine::ZoneWidthForLatitude(rowLatitude);
        for (const double zoneLongitude : kZoneLongitudes) {
            const long long zone = static_cast<long long>((zoneLongitude + 180) / zoneWidth);
            for (const int i : sampledLines(divisions, random)) {
                const long long P = sign * (4 * D * baseRow + 4LL * i);
                for (const int j : sampledLines(divisions, random)) {
                    const long long Q =
                        zoneWidth * D * zone + zoneWidth * static_cast<long long>(j);
                    const double cornerLatitude = static_cast<double>(P) / D;
                    const double cornerLongitude = static_cast<double>(Q - 180 * D) / D;
                    for (const Probe& probe : kProbes) {
                        const double latitude = cornerLatitude + probe.latSide * kInside;
                        const double longitude = cornerLongitude + probe.lonSide * kInside;
                        const ExactSheet sheet =
                            exactSheet(divisions, P, probe.latSide, Q, probe.lonSide);
                        const bool hasSheet = testing::hasSheet(sheet);
                        const std::string expectedNew =
                            hasSheet ? testing::newNumber(scaleIndex, sheet) : "";
                        const std::string expectedOld =
                            hasSheet ? testing::oldNumber(scaleIndex, sheet) : "";
                        const std::string gotNew = engine.SheetNumber(latitude, longitude, true);
                        const std::string gotOld = engine.SheetNumber(latitude, longitude, false);
                        if ((gotNew != expectedNew || gotOld != expectedOld) && ++failures <= 10) {
                            ADD_FAILURE()
                                << probe.where << " at latitude " << P << "/" << D << ", longitude "
                                << Q - 180 * D << "/" << D << ": new " << gotNew << " expected "
                                << expectedNew << ", old " << gotOld << " expected " << expectedOld;
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(failures, 0);
}

class SheetCorners : public ::testing::TestWithParam<int> {};

TEST_P(SheetCorners, EachCornerBelongsToItsNorthEastSheetSouthEastInTheSouth) {
    sweepCorners(GetParam());
}

std::string scaleName(const ::testing::TestParamInfo<int>& info) {
    return "Scale" + std::to_string(info.param) + std::string(scaleLetter(info.param));
}

INSTANTIATE_TEST_SUITE_P(EveryScale, SheetCorners, ::testing::Range(0, kScaleCount), scaleName);

}  // namespace
}  // namespace mapsheet::engine
