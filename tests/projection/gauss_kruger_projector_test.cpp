// The Gauss-Kruger projector against PROJ's own transformation between the EPSG CRSs, against
// the length of the meridian, and forward against inverse.

#ifdef MAPSHEET_HAVE_PROJ

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "projection/gauss_kruger_projector.h"
#include "projection/proj_handles.h"

namespace mapsheet::projection {
namespace {

constexpr double kMillimetre = 1e-3;

// The transformation PROJ builds from its database between CGCS2000 geographic coordinates
// (EPSG:4490, latitude first) and the projected CRS (northing first).
class DatabaseTransformation {
  public:
    explicit DatabaseTransformation(int code) : context_(makeQuietContext()) {
        transformation_.reset(proj_create_crs_to_crs(
            context_.get(), "EPSG:4490", ("EPSG:" + std::to_string(code)).c_str(), nullptr));
    }
    bool valid() const { return transformation_ != nullptr; }
    PlanePoint forward(engine::GeographicPoint point) {
        const PJ_COORD result = proj_trans(transformation_.get(), PJ_FWD,
                                           proj_coord(point.latitude, point.longitude, 0, 0));
        return {result.v[0], result.v[1]};
    }

  private:
    ContextHandle context_;
    ObjectHandle transformation_;
};

struct ZoneCase {
    int epsg;
    double centralMeridian;
    double halfWidth;
};

// Both widths, with and without the zone number, at the ends of the range and in its middle.
const ZoneCase kZoneCases[] = {
    {4491, 75, 3},  {4497, 111, 3}, {4512, 135, 3}, {4513, 75, 2},
    {4527, 117, 2}, {4548, 117, 2}, {4554, 135, 2},
};

class ProjectorZoneTest : public testing::TestWithParam<ZoneCase> {};

// A lattice of points over the zone's usable width and the latitudes of China (and the equator).
TEST_P(ProjectorZoneTest, AgreesWithTheDatabaseAndInvertsToAMillimetre) {
    const ZoneCase& c = GetParam();
    const auto system = epsgGaussKrugerSystem(c.epsg);
    ASSERT_TRUE(system);
    GaussKrugerProjector projector(*system);
    DatabaseTransformation database(c.epsg);
    ASSERT_TRUE(database.valid());
    for (double latitude = 0; latitude <= 54; latitude += 4.5) {
        for (double offset = -c.halfWidth; offset <= c.halfWidth; offset += c.halfWidth / 4) {
            const engine::GeographicPoint point{latitude, c.centralMeridian + offset};
            const auto plane = projector.forward(point);
            ASSERT_TRUE(plane);
            const PlanePoint expected = database.forward(point);
            EXPECT_NEAR(plane->x, expected.x, kMillimetre) << latitude << " " << point.longitude;
            EXPECT_NEAR(plane->y, expected.y, kMillimetre) << latitude << " " << point.longitude;
            const auto back = projector.inverse(*plane);
            ASSERT_TRUE(back);
            // 1e-8 degree is 1.1 mm of latitude, less of longitude away from the equator.
            EXPECT_NEAR(back->latitude, latitude, 1e-8);
            EXPECT_NEAR(back->longitude, point.longitude, 1e-8);
            const auto again = projector.forward(*back);
            ASSERT_TRUE(again);
            EXPECT_NEAR(again->x, plane->x, kMillimetre);
            EXPECT_NEAR(again->y, plane->y, kMillimetre);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Epsg, ProjectorZoneTest, testing::ValuesIn(kZoneCases),
                         [](const auto& info) { return std::to_string(info.param.epsg); });

// On the central meridian x is the length of the meridian from the equator: 10 001 965.729 m to
// the pole on the GRS80 ellipsoid that CGCS2000 shares, and y is the false easting exactly.
TEST(Projector, CentralMeridianIsTheMeridianArc) {
    GaussKrugerProjector projector(centralMeridianSystem(117, 3));
    const auto equator = projector.forward({0, 117});
    ASSERT_TRUE(equator);
    EXPECT_NEAR(equator->x, 0, kMillimetre);
    EXPECT_NEAR(equator->y, 500000, kMillimetre);
    const auto pole = projector.forward({90, 117});
    ASSERT_TRUE(pole);
    EXPECT_NEAR(pole->x, 10001965.729, kMillimetre);
}

// The zone number moves y by whole thousands of kilometres and changes nothing else.
TEST(Projector, ZoneNumberOnlyShiftsY) {
    GaussKrugerProjector withZone(*epsgGaussKrugerSystem(4527));
    GaussKrugerProjector withoutZone(*epsgGaussKrugerSystem(4548));
    const engine::GeographicPoint point{39.5, 117.2};
    const auto a = withZone.forward(point);
    const auto b = withoutZone.forward(point);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->x, b->x);
    EXPECT_NEAR(a->y - b->y, 39e6, 1e-6);
}

TEST(Projector, RefusesLatitudesBeyondThePoles) {
    GaussKrugerProjector projector(centralMeridianSystem(117, 3));
    EXPECT_FALSE(projector.forward({91, 117}));
    EXPECT_FALSE(projector.forward({std::nan(""), 117}));
    EXPECT_FALSE(projector.inverse({std::nan(""), 500000}));
}

}  // namespace
}  // namespace mapsheet::projection

#endif  // MAPSHEET_HAVE_PROJ
