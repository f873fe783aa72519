// cover --within FILE in every mode and compact: a polygon that is a box gives exactly what
// --bbox gives; a triangle and a polygon with a hole against a brute-force search over the
// candidate sheets with exact integer point-in-polygon; compact covers of polygons expand back
// to the plain cover and hold no sheet whose coarser sheet is wholly in it.

// Polygons are read through GDAL; a build without it skips this suite.
#ifdef MAPSHEET_HAVE_GDAL

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "engine/compact_cover.h"
#include "engine/scale_names.h"
#include "engine/sheet_hierarchy.h"
#include "engine/sheet_number_parse.h"
#include "tests/cli/command_run.h"
#include "tests/cli/cover_grid.h"

namespace mapsheet::cli {
namespace {

using testing::enumerateSheets;
using testing::UnitBox;

struct UnitPoint {
    std::int64_t x;  // longitude in units
    std::int64_t y;  // latitude in units
};
using UnitRing = std::vector<UnitPoint>;

constexpr std::int64_t kDegree = engine::kUnitsPerDegree;

test_support::CommandRun runCover(const Arguments& arguments) {
    return test_support::runWithoutInput(runCoverCommand, arguments);
}

// A GeoJSON file of one polygon (exterior ring, then holes) in degrees, removed at the end.
class PolygonFile {
  public:
    explicit PolygonFile(const std::vector<UnitRing>& rings)
        : path_(std::filesystem::temp_directory_path() /
                ("mapsheet-cover-modes-" + std::to_string(::getpid()) + ".geojson")) {
        std::ostringstream json;
        json.precision(17);
        json << R"({"type": "Polygon", "coordinates": [)";
        for (std::size_t r = 0; r < rings.size(); ++r) {
            json << (r ? ", [" : "[");
            for (std::size_t v = 0; v <= rings[r].size(); ++v) {
                const UnitPoint& p = rings[r][v % rings[r].size()];
                json << (v ? ", [" : "[") << double(p.x) / kDegree << ", " << double(p.y) / kDegree
                     << "]";
            }
            json << "]";
        }
        json << "]}";
        std::ofstream(path_) << json.str();
    }
    ~PolygonFile() { std::filesystem::remove(path_); }
    std::string path() const { return path_.string(); }

  private:
    std::filesystem::path path_;
};

// The written numbers of a cover's CSV, in order.
std::vector<std::string> numbers(const std::string& csv) {
    std::vector<std::string> result;
    const std::vector<std::string> rows = test_support::lines(csv);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        result.push_back(rows[i].substr(0, rows[i].find(',')));
    }
    return result;
}

// Twice the signed area of a b c, exact in 64 bits for coordinates of the series.
std::int64_t cross(UnitPoint a, UnitPoint b, UnitPoint c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// In the closed convex ring (either orientation).
bool inConvex(const UnitRing& ring, UnitPoint p) {
    bool left = true;
    bool right = true;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const std::int64_t side = cross(ring[i], ring[(i + 1) % ring.size()], p);
        left = left && side >= 0;
        right = right && side <= 0;
    }
    return left || right;
}

// A convex exterior with at most one axis-parallel box hole: the truth of each mode.
struct ConvexWithBoxHole {
    UnitRing outer;
    std::optional<UnitBox> hole;

    bool holdsCentre(const engine::UnitBounds& s) const {
        const UnitPoint c{(std::int64_t{s.west} + s.east) / 2,
                          (std::int64_t{s.south} + s.north) / 2};
        const bool inHole =
            hole && hole->west < c.x && c.x < hole->east && hole->south < c.y && c.y < hole->north;
        return inConvex(outer, c) && !inHole;
    }
    bool holdsSheet(const engine::UnitBounds& s) const {
        const bool corners =
            inConvex(outer, {s.west, s.south}) && inConvex(outer, {s.east, s.south}) &&
            inConvex(outer, {s.east, s.north}) && inConvex(outer, {s.west, s.north});
        const bool meetsHole = hole && s.west < hole->east && s.east > hole->west &&
                               s.south < hole->north && s.north > hole->south;
        return corners && !meetsHole;
    }
    std::vector<UnitRing> rings() const {
        std::vector<UnitRing> result{outer};
        if (hole) {
            result.push_back({{hole->west, hole->south},
                              {hole->east, hole->south},
                              {hole->east, hole->north},
                              {hole->west, hole->north}});
        }
        return result;
    }
    UnitBox bounds() const {
        UnitBox box{INT64_MAX, INT64_MAX, INT64_MIN, INT64_MIN};
        for (const UnitPoint& p : outer) {
            box = {std::min(box.south, p.y), std::min(box.west, p.x), std::max(box.north, p.y),
                   std::max(box.east, p.x)};
        }
        return box;
    }
};

std::int64_t units(double degrees) {
    return std::llround(degrees * kDegree);
}

struct BruteCase {
    const char* name;
    const char* scale;
    const char* mode;
    ConvexWithBoxHole area;
};

class PolygonModes : public ::testing::TestWithParam<BruteCase> {};

TEST_P(PolygonModes, MatchBruteForceOverTheCandidates) {
    const BruteCase& c = GetParam();
    const int scale = *engine::parseScale(c.scale);
    std::vector<std::string> expected;
    for (const engine::UnitBounds& sheet : enumerateSheets(c.area.bounds(), scale)) {
        const bool taken =
            std::string(c.mode) == "centre" ? c.area.holdsCentre(sheet) : c.area.holdsSheet(sheet);
        if (taken) {
            const double middleLat = (sheet.south + sheet.north) / 2.0 / kDegree;
            const double middleLon = (sheet.west + sheet.east) / 2.0 / kDegree;
            expected.emplace_back(
                engine::newNumber(*engine::sheetOf(middleLat, middleLon, scale)).view());
        }
    }
    ASSERT_GT(expected.size(), 3u);
    const PolygonFile file(c.area.rings());
    const auto run = runCover({"--scale", c.scale, "--within", file.path(), "--mode", c.mode});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(numbers(run.out), expected);
}

const ConvexWithBoxHole kTriangle{
    {{units(116.013), units(39.502)}, {units(116.71), units(39.61)}, {units(116.2), units(40.133)}},
    std::nullopt};
// A slanted quadrilateral south of the equator, its hole's edges on 1:50,000 sheet lines.
const ConvexWithBoxHole kHoled{{{units(117.02), units(-30.61)},
                                {units(118.4), units(-30.4)},
                                {units(118.3), units(-29.2)},
                                {units(116.9), units(-29.41)}},
                               UnitBox{units(-30.25), units(117.25), units(-29.75), units(117.75)}};

INSTANTIATE_TEST_SUITE_P(
    Cover, PolygonModes,
    ::testing::Values(BruteCase{"TriangleCentre", "1:25000", "centre", kTriangle},
                      BruteCase{"TriangleWithin", "1:25000", "within", kTriangle},
                      BruteCase{"HoledCentre", "1:50000", "centre", kHoled},
                      BruteCase{"HoledWithin", "1:50000", "within", kHoled}),
    [](const auto& info) { return std::string(info.param.name); });

// A box written as a polygon covers exactly as --bbox does, byte for byte.
struct BoxCase {
    const char* name;
    const char* scale;
    double south, west, north, east;
    const char* mode;
    bool compact;
};

class PolygonAsBox : public ::testing::TestWithParam<BoxCase> {};

TEST_P(PolygonAsBox, GivesTheSameRowsAsTheBox) {
    const BoxCase& c = GetParam();
    const PolygonFile file({{{units(c.west), units(c.south)},
                             {units(c.east), units(c.south)},
                             {units(c.east), units(c.north)},
                             {units(c.west), units(c.north)}}});
    std::ostringstream box;
    box.precision(17);
    box << double(units(c.south)) / kDegree << ',' << double(units(c.west)) / kDegree << ','
        << double(units(c.north)) / kDegree << ',' << double(units(c.east)) / kDegree;
    Arguments byBox{"--scale", c.scale, "--bbox", box.str(), "--mode", c.mode};
    Arguments byPolygon{"--scale", c.scale, "--within", file.path(), "--mode", c.mode};
    if (c.compact) {
        byBox.emplace_back("--compact");
        byPolygon.emplace_back("--compact");
    }
    const auto expected = runCover(byBox);
    const auto actual = runCover(byPolygon);
    ASSERT_EQ(expected.status, 0) << expected.err;
    ASSERT_EQ(actual.status, 0) << actual.err;
    EXPECT_GT(numbers(expected.out).size(), 1u);
    EXPECT_EQ(actual.out, expected.out);
}

INSTANTIATE_TEST_SUITE_P(
    Cover, PolygonAsBox,
    ::testing::Values(
        BoxCase{"Meets", "1:10000", 39.5137, 116.0213, 39.9871, 116.4459, "meets", false},
        BoxCase{"Centre", "1:10000", 39.5137, 116.0213, 39.9871, 116.4459, "centre", false},
        BoxCase{"Within", "1:10000", 39.5137, 116.0213, 39.9871, 116.4459, "within", false},
        BoxCase{"EdgesOnSheetLines", "1:50000", 39.5, 116, 40.5, 117.5, "within", false},
        // Every edge runs through a row or column of 1:50,000 sheet centres, which count.
        BoxCase{"CentresOnTheEdges", "1:50000", 39 + 35 / 60.0, 116.125, 39 + 55 / 60.0, 116.875,
                "centre", false},
        BoxCase{"CompactMeets", "1:5000", 39.51, 115.82, 40.27, 116.43, "meets", true},
        BoxCase{"CompactCentre", "1:10000", -1.37, -75.3, 0.76, -73.1, "centre", true},
        BoxCase{"CompactWithin", "1:10000", 39.51, 115.82, 40.77, 116.93, "within", true},
        BoxCase{"CompactOffTheChain", "1:200000", 38.3, 114.2, 41.9, 118.7, "meets", true}),
    [](const auto& info) { return std::string(info.param.name); });

// The compact cover of the triangle in each mode expands to the plain cover, and no sheet of it
// could give way to its coarser sheet.
TEST(PolygonCompact, ExpandsToThePlainCoverAndIsCoarsest) {
    const PolygonFile file(kTriangle.rings());
    const int scale = *engine::parseScale("1:5000");
    for (const char* mode : {"meets", "centre", "within"}) {
        const auto plain = runCover({"--scale", "1:5000", "--within", file.path(), "--mode", mode});
        const auto compact =
            runCover({"--scale", "1:5000", "--within", file.path(), "--mode", mode, "--compact"});
        ASSERT_EQ(plain.status, 0) << plain.err;
        ASSERT_EQ(compact.status, 0) << compact.err;
        const std::vector<std::string> plainList = numbers(plain.out);
        const std::set<std::string> plainSet(plainList.begin(), plainList.end());
        std::multiset<std::string> expanded;
        const std::vector<std::string> compactList = numbers(compact.out);
        for (const std::string& number : compactList) {
            const engine::Sheet sheet = *engine::parseSheetNumber(number).sheet;
            engine::SheetCover fine = engine::childrenOf(sheet, scale);
            while (const auto child = fine.next()) {
                expanded.emplace(engine::newNumber(*child).view());
            }
            const int coarser = engine::compactParentScale(sheet.scale);
            if (coarser < 0) {
                continue;
            }
            engine::SheetCover siblings =
                engine::childrenOf(*engine::parentOf(sheet, coarser), scale);
            bool whole = true;
            while (const auto child = siblings.next()) {
                whole = whole && plainSet.count(std::string(engine::newNumber(*child).view())) > 0;
            }
            EXPECT_FALSE(whole) << mode << ": " << number << " could give way to its coarser sheet";
        }
        EXPECT_LT(compactList.size(), plainList.size()) << mode;
        EXPECT_EQ(expanded, std::multiset<std::string>(plainList.begin(), plainList.end())) << mode;
    }
}

}  // namespace
}  // namespace mapsheet::cli

#endif  // MAPSHEET_HAVE_GDAL
