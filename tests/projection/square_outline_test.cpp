// Outlines between the plane and latitude/longitude, and the square sheets meeting a
// graticule sheet: drawn outlines stay within a centimetre of the true sides, sheets that only
// touch along the central meridian or the equator do not meet, and the sheets found agree with
// a dense sampling of points.

#ifdef MAPSHEET_HAVE_PROJ

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

#include "engine/sheet_number_parse.h"
#include "projection/graticule_squares.h"
#include "projection/square_outline.h"

namespace mapsheet::projection {
namespace {

constexpr int k5000 = 8;
constexpr int k500 = 11;
constexpr int k10000 = 7;

GaussKrugerSystem epsg(int code) {
    return *epsgGaussKrugerSystem(code);
}

// Sheets near the central meridian and at the edge of the usable width, where the sides bend
// most in longitude and latitude.
TEST(GeographicOutline, DrawnSidesStayWithinACentimetre) {
    GaussKrugerProjector projector(epsg(4548));
    for (const auto& [south, west] : {std::pair<std::int64_t, std::int64_t>{4374000, 500000},
                                      {5900000, 660000},
                                      {2500000, 330000}}) {
        const engine::SquareSheet sheet{k5000, south, west};
        const auto ring = geographicOutline(sheet, projector);
        ASSERT_TRUE(ring);
        ASSERT_GE(ring->size(), 5u);
        EXPECT_EQ(ring->front().latitude, ring->back().latitude);
        const engine::SquareBounds bounds = engine::squareBounds(sheet);
        for (std::size_t i = 0; i + 1 < ring->size(); ++i) {
            for (double t = 0; t <= 1; t += 0.0625) {
                const engine::GeographicPoint drawn{
                    (*ring)[i].latitude + ((*ring)[i + 1].latitude - (*ring)[i].latitude) * t,
                    (*ring)[i].longitude + ((*ring)[i + 1].longitude - (*ring)[i].longitude) * t};
                const auto plane = projector.forward(drawn);
                ASSERT_TRUE(plane);
                // Distance to the nearest side of the square.
                const double off = std::min(
                    {std::fabs(plane->x - bounds.south), std::fabs(plane->x - bounds.north),
                     std::fabs(plane->y - bounds.west), std::fabs(plane->y - bounds.east)});
                EXPECT_LE(off, kOutlineToleranceMetres) << i << " " << t;
            }
        }
    }
}

TEST(OverlapArea, OfTheSquareItselfAndOfAShiftedCopy) {
    const engine::SquareBounds bounds{3810000, 501000, 3810250, 501250};
    const std::vector<PlanePoint> same = {
        {3810000, 501000}, {3810000, 501250}, {3810250, 501250}, {3810250, 501000}};
    EXPECT_NEAR(overlapArea(bounds, same), 62500, 1e-6);
    std::vector<PlanePoint> shifted = same;
    for (PlanePoint& point : shifted) {
        point.x += 100;
        point.y += 200;
    }
    EXPECT_NEAR(overlapArea(bounds, shifted), 150 * 50, 1e-6);
    for (PlanePoint& point : shifted) {
        point.y += 50;  // now only touching the east side
    }
    EXPECT_NEAR(overlapArea(bounds, shifted), 0, 1e-9);
}

struct GraticuleCase {
    const char* name;
    const char* sheet;
    int code;
};

// A 1:10,000 sheet whose west edge is the central meridian 117E (a square line, y = 500 km),
// one away from it, and one on the equator (a square line, x = 0).
const GraticuleCase kGraticuleCases[] = {
    {"west_edge_on_the_central_meridian", "J50G001049", 4548},
    {"inside_the_zone", "J50G040070", 4548},
    {"on_the_equator", "A50G096049", 4548},
    {"zone_with_number", "J50G001049", 4527},
};

class SquaresOfGraticuleTest : public testing::TestWithParam<GraticuleCase> {};

// Every square holding a sampled point of the graticule sheet is found; a square found without
// a sampled point meets the sheet only in a sliver narrower than the sampling step (about 13 m
// here); none lies west of the central meridian when the sheet starts on it.
TEST_P(SquaresOfGraticuleTest, AgreeWithSampledPoints) {
    const engine::ParsedSheet parsed = engine::parseSheetNumber(GetParam().sheet);
    ASSERT_TRUE(parsed.sheet) << parsed.error;
    const engine::DegreeBounds bounds = engine::degreeBounds(*parsed.sheet);
    GaussKrugerProjector projector(epsg(GetParam().code));
    auto cover =
        squaresOfBox({bounds.south, bounds.west, bounds.north, bounds.east}, k500, projector);
    ASSERT_TRUE(cover);
    std::set<std::pair<std::int64_t, std::int64_t>> found;
    while (const auto square = cover->next()) {
        found.insert({square->south, square->west});
    }
    std::set<std::pair<std::int64_t, std::int64_t>> sampled;
    constexpr int kSteps = 400;
    for (int i = 0; i < kSteps; ++i) {
        for (int j = 0; j < kSteps; ++j) {
            const double latitude =
                bounds.south + (bounds.north - bounds.south) * (i + 0.5) / kSteps;
            const double longitude = bounds.west + (bounds.east - bounds.west) * (j + 0.5) / kSteps;
            const auto plane = projector.forward({latitude, longitude});
            ASSERT_TRUE(plane);
            const auto square = engine::squareSheetOf(plane->x, plane->y, k500);
            sampled.insert({square->south, square->west});
        }
    }
    const auto ring = planeOutline(bounds, projector);
    ASSERT_TRUE(ring);
    for (const auto& [south, west] : sampled) {
        EXPECT_TRUE(found.contains({south, west})) << south << " " << west;
    }
    for (const auto& [south, west] : found) {
        if (!sampled.contains({south, west})) {
            const double area = overlapArea({south, west, south + 250, west + 250}, *ring);
            EXPECT_GT(area, kMinimumOverlapSquareMetres);
            EXPECT_LT(area, 250.0 * 2 * 13) << south << " " << west;
        }
    }
    const double centralMeridianY = falseEasting(projector.system());
    if (bounds.west == projector.system().centralMeridian) {
        for (const auto& [south, west] : found) {
            EXPECT_GE(west, centralMeridianY);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sheets, SquaresOfGraticuleTest, testing::ValuesIn(kGraticuleCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The graticule sheets a square meets are those its sampled points fall in; a square whose
// west side is the central meridian does not meet the sheets west of it.
TEST(GraticuleSheetsOfSquare, AgreeWithSampledPoints) {
    GaussKrugerProjector projector(epsg(4548));
    for (const auto& [south, west] :
         {std::pair<std::int64_t, std::int64_t>{4374000, 500000}, {4376000, 518000}}) {
        const engine::SquareSheet square{k5000, south, west};
        const GraticuleSheets found = graticuleSheetsOfSquare(square, k10000, projector);
        ASSERT_EQ(found.error, "");
        std::set<std::string> listed;
        for (const engine::Sheet& sheet : found.sheets) {
            listed.insert(std::string(engine::newNumber(sheet).view()));
        }
        std::set<std::string> sampled;
        constexpr int kSteps = 200;
        for (int i = 0; i < kSteps; ++i) {
            for (int j = 0; j < kSteps; ++j) {
                const auto geographic = projector.inverse(
                    {south + 2000.0 * (i + 0.5) / kSteps, west + 2000.0 * (j + 0.5) / kSteps});
                ASSERT_TRUE(geographic);
                const auto sheet =
                    engine::sheetOf(geographic->latitude, geographic->longitude, k10000);
                sampled.insert(std::string(engine::newNumber(*sheet).view()));
            }
        }
        EXPECT_EQ(listed, sampled);
    }
}

}  // namespace
}  // namespace mapsheet::projection

#endif  // MAPSHEET_HAVE_PROJ
