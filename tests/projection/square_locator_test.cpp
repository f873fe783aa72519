// Square sheets of geographic and plane points: the chosen or nearest zone, the usable width of
// 3- and 6-degree zones, the zone number in front of y, and round trips through sheet centres
// and corners.

#ifdef MAPSHEET_HAVE_PROJ

#include <gtest/gtest.h>

#include <string>

#include "engine/square_sheet.h"
#include "projection/square_locator.h"

namespace mapsheet::projection {
namespace {

constexpr int k5000 = 8;
constexpr int k500 = 11;

GaussKrugerSystem epsg(int code) {
    return *epsgGaussKrugerSystem(code);
}

struct WidthCase {
    const char* name;
    int epsg;
    double longitude;
    const char* error;  // empty when the point is served
};

const WidthCase kWidthCases[] = {
    {"six_degree_edge", 4509, 120.0, ""},
    {"six_degree_beyond", 4509, 120.25,
     "longitude 120.25 lies 3.25 degrees east of the central meridian 117E of EPSG:4509, beyond "
     "the 3 degrees a 6-degree zone serves"},
    {"three_degree_overlap", 4548, 118.9, ""},
    {"three_degree_overlap_edge_west", 4548, 115.0, ""},
    {"three_degree_beyond", 4548, 114.5,
     "longitude 114.5 lies 2.5 degrees west of the central meridian 117E of EPSG:4548, beyond "
     "the 2 degrees a 3-degree zone serves (1.5 and a 0.5 overlap)"},
};

class UsableWidthTest : public testing::TestWithParam<WidthCase> {};

TEST_P(UsableWidthTest, RefusesPointsBeyondTheZone) {
    SquareLocator locator(k500, epsg(GetParam().epsg));
    const LocatedPoint located = locator.locateGeographic({39.5, GetParam().longitude});
    EXPECT_EQ(located.error, GetParam().error);
    EXPECT_EQ(located.sheet.has_value(), located.error.empty());
}

INSTANTIATE_TEST_SUITE_P(Zones, UsableWidthTest, testing::ValuesIn(kWidthCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Without a chosen system each point goes to its nearest 3-degree zone, so two points either
// side of the boundary at 118.5E land in neighbouring zones, each near its own zone's edge.
TEST(SquareLocator, NeighbouringZonesMeetAtTheBoundary) {
    SquareLocator locator(k500, std::nullopt);
    const LocatedPoint west = locator.locateGeographic({39.5, 118.4999999});
    const LocatedPoint east = locator.locateGeographic({39.5, 118.5});
    ASSERT_TRUE(west.sheet && east.sheet) << west.error << east.error;
    EXPECT_EQ(systemName(*west.system), "EPSG:4548");
    EXPECT_EQ(systemName(*east.system), "EPSG:4549");
    EXPECT_GT(west.plane.y, 600000);  // about 129 km east of 117E
    EXPECT_LT(east.plane.y, 400000);  // as far west of 120E
    EXPECT_NEAR(west.plane.y - 500000, 500000 - east.plane.y, 0.1);
}

TEST(SquareLocator, ChosenZoneWithItsNumberInFrontOfY) {
    SquareLocator locator(k500, epsg(4527));
    const LocatedPoint located = locator.locateGeographic({39.5, 117.2});
    ASSERT_TRUE(located.sheet) << located.error;
    EXPECT_EQ(engine::squareNumber(*located.sheet), "4374.00-39517.00");
}

struct PlaneRefusalCase {
    const char* name;
    int epsg;
    double y;
    const char* error;
};

const PlaneRefusalCase kPlaneRefusals[] = {
    {"missing_zone_number", 4527, 517202.69,
     "y 517202.69 does not start with the zone number 39 that EPSG:4527 writes in front of y"},
    {"other_zone_number", 4527, 40517202.69,
     "y 40517202.69 does not start with the zone number 39 that EPSG:4527 writes in front of y"},
    {"beyond_the_width", 4548, 700000,
     "longitude 119.3243269 lies 2.3243269 degrees east of the central meridian 117E of EPSG:4548, "
     "beyond the 2 degrees a 3-degree zone serves (1.5 and a 0.5 overlap)"},
};

class PlaneRefusalTest : public testing::TestWithParam<PlaneRefusalCase> {};

TEST_P(PlaneRefusalTest, SaysWhatIsWrongWithY) {
    SquareLocator locator(k500, epsg(GetParam().epsg));
    const LocatedPoint located = locator.locatePlane({4374033.21, GetParam().y});
    EXPECT_FALSE(located.sheet);
    EXPECT_EQ(located.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(Plane, PlaneRefusalTest, testing::ValuesIn(kPlaneRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SquareLocator, PlanePointsNeedAChosenSystem) {
    SquareLocator locator(k500, std::nullopt);
    EXPECT_EQ(locator.locatePlane({4374033.21, 517202.69}).error,
              "plane coordinates need a chosen system (--crs or --central-meridian)");
}

// The geographic position of a sheet's centre gives the sheet back, and so does each corner
// (which goes to the sheet north and east of it): corner coordinates survive the inverse and
// forward projection within the grid's micrometre tolerance.
TEST(SquareLocator, CentresAndCornersComeBackToTheirSheets) {
    for (const int code : {4527, 4548, 4509}) {
        for (const int scale : {k5000, k500}) {
            SquareLocator locator(scale, epsg(code));
            GaussKrugerProjector& projector = *locator.fixedProjector();
            const double prefix = 1e6 * projector.system().zonePrefix;
            const int size = engine::squareSizeMetres(scale);
            for (std::int64_t step = 0; step < 25; ++step) {
                const engine::SquareSheet sheet{
                    static_cast<std::int8_t>(scale), 2'500'000 + step * 96 * size,
                    static_cast<std::int64_t>(prefix) + 390'000 + step * 4 * size};
                const double half = size / 2.0;
                for (const auto& [dx, dy] : {std::pair{half, half}, std::pair{0.0, 0.0}}) {
                    const auto geographic =
                        projector.inverse({static_cast<double>(sheet.south) + dx,
                                           static_cast<double>(sheet.west) + dy});
                    ASSERT_TRUE(geographic);
                    const LocatedPoint located = locator.locateGeographic(*geographic);
                    ASSERT_TRUE(located.sheet) << located.error;
                    EXPECT_EQ(*located.sheet, sheet) << code << " " << engine::squareNumber(sheet)
                                                     << " " << engine::squareNumber(*located.sheet);
                }
            }
        }
    }
}

}  // namespace
}  // namespace mapsheet::projection

#endif  // MAPSHEET_HAVE_PROJ
