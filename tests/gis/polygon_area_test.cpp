// The lattice test of a sheet's interior against polygons, checked against GEOS (through OGR):
// with every coordinate a whole number of units, GEOS's predicates decide exactly too.

// Checked with GDAL's own readers; a build without GDAL skips this suite.
#ifdef MAPSHEET_HAVE_GDAL

#include <gtest/gtest.h>
#include <ogr_geometry.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/sheet.h"
#include "gis/polygon_area.h"

namespace mapsheet::gis {
namespace {

constexpr double kUnit = 1.0 / engine::kUnitsPerDegree;

// A ring given in whole units (x east, y north).
using UnitRing = std::vector<std::pair<int, int>>;

engine::GeographicPolygon degrees(const std::vector<UnitRing>& rings) {
    engine::GeographicPolygon polygon;
    for (const UnitRing& ring : rings) {
        engine::GeographicRing points;
        for (const auto& [x, y] : ring) {
            points.push_back({.latitude = y * kUnit, .longitude = x * kUnit});
        }
        polygon.push_back(points);
    }
    return polygon;
}

std::unique_ptr<OGRPolygon> geosPolygon(const std::vector<UnitRing>& rings) {
    auto polygon = std::make_unique<OGRPolygon>();
    for (const UnitRing& ring : rings) {
        OGRLinearRing linear;
        for (const auto& [x, y] : ring) {
            linear.addPoint(x, y);
        }
        linear.closeRings();
        polygon->addRing(&linear);
    }
    return polygon;
}

// Interiors meet: they intersect and do not merely touch.
bool geosInteriorsMeet(const OGRGeometry& area, const engine::UnitBounds& r) {
    OGRLinearRing ring;
    ring.addPoint(r.west, r.south);
    ring.addPoint(r.east, r.south);
    ring.addPoint(r.east, r.north);
    ring.addPoint(r.west, r.north);
    ring.closeRings();
    OGRPolygon rectangle;
    rectangle.addRing(&ring);
    return area.Intersects(&rectangle) && !area.Touches(&rectangle);
}

// A 10 x 10 grid of 8-unit cells from (1000, 2000) to (1080, 2080).
std::vector<engine::UnitBounds> grid() {
    std::vector<engine::UnitBounds> cells;
    for (int row = 0; row < 10; ++row) {
        for (int column = 0; column < 10; ++column) {
            cells.push_back({2000 + 8 * row, 1000 + 8 * column, 2008 + 8 * row, 1008 + 8 * column});
        }
    }
    return cells;
}

struct Case {
    const char* name;
    std::vector<std::vector<UnitRing>> polygons;
    int expectedCells;  // of the grid, counted by hand; -1 where GEOS alone decides
};

class PolygonAreaAgainstGeos : public ::testing::TestWithParam<Case> {};

TEST_P(PolygonAreaAgainstGeos, EveryGridCellAgrees) {
    const Case& c = GetParam();
    PolygonArea area;
    OGRMultiPolygon truth;
    for (const auto& rings : c.polygons) {
        std::string error;
        ASSERT_TRUE(area.add(degrees(rings), error)) << error;
        truth.addGeometryDirectly(geosPolygon(rings).release());
    }
    int meeting = 0;
    for (const engine::UnitBounds& cell : grid()) {
        const bool expected = std::any_of(
            truth.begin(), truth.end(),
            [&](const OGRPolygon* polygon) { return geosInteriorsMeet(*polygon, cell); });
        EXPECT_EQ(area.interiorMeets(cell), expected)
            << "cell west " << cell.west << " south " << cell.south;
        meeting += expected ? 1 : 0;
    }
    if (c.expectedCells >= 0) {
        EXPECT_EQ(meeting, c.expectedCells);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, PolygonAreaAgainstGeos,
    ::testing::Values(
        // Edges along cell lines: the cells beyond them only touch.
        Case{"SquareOnCellLines", {{{{1016, 2016}, {1040, 2016}, {1040, 2040}, {1016, 2040}}}}, 9},
        // A diagonal through cell corners: the cells it only touches at a corner are out.
        Case{"TriangleThroughCorners", {{{{1000, 2000}, {1080, 2000}, {1000, 2080}}}}, 55},
        // A polygon wholly inside one cell still meets it.
        Case{"TinyInsideOneCell", {{{{1001, 2001}, {1002, 2001}, {1002, 2002}}}}, 1},
        // A vertex on a cell corner, the rest outside the grid.
        Case{"TouchingTheGridCorner", {{{{990, 1990}, {1000, 2000}, {990, 2000}}}}, 0},
        // A hole on cell lines removes the cells inside it; cells around it stay.
        Case{"SquareWithHole",
             {{{{1000, 2000}, {1080, 2000}, {1080, 2080}, {1000, 2080}},
               {{1024, 2024}, {1056, 2024}, {1056, 2056}, {1024, 2056}}}},
             84},
        // Two squares sharing an edge: each counts where it meets, the shared line adds none.
        Case{"TwoSquaresSharingAnEdge",
             {{{{1000, 2000}, {1012, 2000}, {1012, 2012}, {1000, 2012}}},
              {{{1012, 2000}, {1024, 2000}, {1024, 2012}, {1012, 2012}}}},
             6},
        // Clockwise ring, sloped edges off the lattice of the cells.
        Case{"ClockwiseQuadrilateral",
             {{{{1003, 2005}, {1010, 2077}, {1077, 2070}, {1070, 2002}}}},
             -1},
        // A sliver one unit wide along a cell line meets the cells on one side only.
        Case{
            "SliverBesideALine", {{{{1000, 2040}, {1080, 2040}, {1080, 2041}, {1000, 2041}}}}, 10}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(PolygonArea, RandomPolygonsAgreeWithGeos) {
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> x(990, 1090);
    std::uniform_int_distribution<int> y(1990, 2090);
    for (int trial = 0; trial < 200; ++trial) {
        // A star-shaped ring around a centre (so it is simple), vertices at random radii.
        const int cx = x(random);
        const int cy = y(random);
        UnitRing ring;
        for (int k = 0; k < 7; ++k) {
            const double angle = 2 * 3.14159265358979 * k / 7;
            const int radius = 3 + static_cast<int>(random() % 30);
            ring.push_back({cx + static_cast<int>(radius * std::cos(angle)),
                            cy + static_cast<int>(radius * std::sin(angle))});
        }
        PolygonArea area;
        std::string error;
        ASSERT_TRUE(area.add(degrees({ring}), error));
        const auto truth = geosPolygon({ring});
        if (!truth->IsValid()) {
            continue;
        }
        for (const engine::UnitBounds& cell : grid()) {
            ASSERT_EQ(area.interiorMeets(cell), geosInteriorsMeet(*truth, cell))
                << "trial " << trial << " cell " << cell.west << "," << cell.south;
        }
    }
}

TEST(PolygonArea, BoundsHoldEveryVertexWithinTheWorld) {
    PolygonArea area;
    std::string error;
    ASSERT_TRUE(area.add({{{-90, -180}, {-90, 180}, {90, 180}, {90, -180}}}, error));
    const engine::LatLonBox box = area.bounds();
    EXPECT_EQ(box.south, -90);
    EXPECT_EQ(box.west, -180);
    EXPECT_EQ(box.north, 90);
    EXPECT_EQ(box.east, 180);
}

TEST(PolygonArea, RingsWithoutAreaAddNothing) {
    PolygonArea area;
    std::string error;
    ASSERT_TRUE(area.add({{{1, 1}, {2, 2}, {1, 1}}}, error));
    EXPECT_EQ(area.polygonCount(), 0u);
}

}  // namespace
}  // namespace mapsheet::gis

#endif  // MAPSHEET_HAVE_GDAL
