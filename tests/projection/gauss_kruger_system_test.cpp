// The CGCS2000 Gauss-Kruger systems: the code arithmetic against the PROJ database for every
// code, the refusals of other CRSs, the nearest 3-degree zone and the names of the systems.

#ifdef MAPSHEET_HAVE_PROJ

#include <gtest/gtest.h>

#include <string>

#include "projection/epsg_system.h"
#include "projection/gauss_kruger_system.h"

namespace mapsheet::projection {
namespace {

// Every code of the range passes the database check, which compares the central meridian and
// false easting that the arithmetic derives with the database's own parameters.
TEST(EpsgSystem, EveryGaussKrugerCodeAgreesWithThePROJDatabase) {
    for (int code = kFirstGaussKrugerEpsg; code <= kLastGaussKrugerEpsg; ++code) {
        const CheckedSystem checked = gaussKrugerSystemOfCrs("EPSG:" + std::to_string(code));
        ASSERT_TRUE(checked.system) << code << ": " << checked.error;
        EXPECT_EQ(checked.system->epsg, code);
        EXPECT_EQ(checked.system, epsgGaussKrugerSystem(code));
    }
}

struct SystemCase {
    const char* crs;
    double centralMeridian;
    int zoneWidth;
    int zonePrefix;
};

// The ends of the four ranges, and one of the middle, spelt the three ways.
const SystemCase kSystemCases[] = {
    {"EPSG:4491", 75, 6, 13},  {"EPSG:4501", 135, 6, 23}, {"EPSG:4502", 75, 6, 0},
    {"EPSG:4512", 135, 6, 0},  {"EPSG:4513", 75, 3, 25},  {"epsg:4527", 117, 3, 39},
    {"EPSG:4533", 135, 3, 45}, {"4534", 75, 3, 0},        {"EPSG:4548", 117, 3, 0},
    {"EPSG:4554", 135, 3, 0},  {"EPSG:4497", 111, 6, 19},
};

class EpsgSystemTest : public testing::TestWithParam<SystemCase> {};

TEST_P(EpsgSystemTest, DerivesMeridianWidthAndPrefix) {
    const SystemCase& c = GetParam();
    const CheckedSystem checked = gaussKrugerSystemOfCrs(c.crs);
    ASSERT_TRUE(checked.system) << checked.error;
    EXPECT_EQ(checked.system->centralMeridian, c.centralMeridian);
    EXPECT_EQ(checked.system->zoneWidth, c.zoneWidth);
    EXPECT_EQ(checked.system->zonePrefix, c.zonePrefix);
    EXPECT_EQ(falseEasting(*checked.system), 500000.0 + 1e6 * c.zonePrefix);
}

INSTANTIATE_TEST_SUITE_P(Codes, EpsgSystemTest, testing::ValuesIn(kSystemCases));

struct RefusalCase {
    const char* name;
    const char* crs;
    const char* error;
};

const RefusalCase kRefusalCases[] = {
    {"geographic_CGCS2000", "EPSG:4490",
     "EPSG:4490 (China Geodetic Coordinate System 2000) is not a projected CRS and so is not a "
     "CGCS2000 Gauss-Kruger system; those are EPSG:4491-4554"},
    {"UTM_on_WGS84", "EPSG:32650",
     "EPSG:32650 (WGS 84 / UTM zone 50N) is not based on CGCS2000 (EPSG:4490) and so is not a "
     "CGCS2000 Gauss-Kruger system; those are EPSG:4491-4554"},
    {"Gauss_Kruger_on_Xian_1980", "EPSG:2384",
     "EPSG:2384 (Xian 1980 / 3-degree Gauss-Kruger CM 117E) is not based on CGCS2000 "
     "(EPSG:4490) and so is not a CGCS2000 Gauss-Kruger system; those are EPSG:4491-4554"},
    {"unknown_code", "EPSG:99999",
     "EPSG:99999 is not a coordinate reference system in the PROJ database"},
    {"not_a_code", "CGCS2000", "'CGCS2000' is not an EPSG code; write it as EPSG:4527 or 4527"},
    {"other_authority", "ESRI:4527",
     "'ESRI:4527' is not an EPSG code; write it as EPSG:4527 or 4527"},
    {"empty", "", "'' is not an EPSG code; write it as EPSG:4527 or 4527"},
};

class EpsgRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(EpsgRefusalTest, SaysWhyNot) {
    const CheckedSystem checked = gaussKrugerSystemOfCrs(GetParam().crs);
    EXPECT_FALSE(checked.system);
    EXPECT_EQ(checked.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(Crs, EpsgRefusalTest, testing::ValuesIn(kRefusalCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct NearestCase {
    const char* name;
    double longitude;
    double centralMeridian;
    const char* systemName;
};

// Zone boundaries lie halfway between central meridians and belong to the eastern zone.
const NearestCase kNearestCases[] = {
    {"on_a_meridian", 117.0, 117, "EPSG:4548"},
    {"just_west_of_a_boundary", 118.4999999, 117, "EPSG:4548"},
    {"on_a_boundary", 118.5, 120, "EPSG:4549"},
    {"west_end_of_the_codes", 73.6, 75, "EPSG:4534"},
    {"east_end_of_the_codes", 136.4, 135, "EPSG:4554"},
    {"beyond_the_codes", 12.2, 12, "CGCS2000 3-degree Gauss-Kruger CM 12E"},
    {"west_of_Greenwich", -75.8, -75, "CGCS2000 3-degree Gauss-Kruger CM 75W"},
    {"antimeridian", 179.9, 180, "CGCS2000 3-degree Gauss-Kruger CM 180E"},
};

class NearestZoneTest : public testing::TestWithParam<NearestCase> {};

TEST_P(NearestZoneTest, TakesTheNearestCentralMeridian) {
    const GaussKrugerSystem system = nearestThreeDegreeSystem(GetParam().longitude);
    EXPECT_EQ(system.centralMeridian, GetParam().centralMeridian);
    EXPECT_EQ(system.zoneWidth, 3);
    EXPECT_EQ(system.zonePrefix, 0);
    EXPECT_EQ(systemName(system), GetParam().systemName);
}

INSTANTIATE_TEST_SUITE_P(Longitudes, NearestZoneTest, testing::ValuesIn(kNearestCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CentralMeridianSystem, TakesTheCodeOfTheSameMeridianOnlyOnAZoneMeridian) {
    EXPECT_EQ(centralMeridianSystem(117, 3).epsg, 4548);
    EXPECT_EQ(centralMeridianSystem(117, 6).epsg, 4509);
    EXPECT_EQ(centralMeridianSystem(120, 6).epsg, 0);  // 6-degree meridians are 3 + 6n
    EXPECT_EQ(centralMeridianSystem(116.5, 3).epsg, 0);
    EXPECT_EQ(systemName(centralMeridianSystem(116.5, 3)),
              "CGCS2000 3-degree Gauss-Kruger CM 116.5E");
    EXPECT_EQ(systemName(centralMeridianSystem(120, 6)), "CGCS2000 Gauss-Kruger CM 120E");
}

TEST(CentralMeridianSystem, RefusesMeridiansOffTheGlobeAndOtherWidths) {
    EXPECT_EQ(centralMeridianError(117, 3), "");
    EXPECT_EQ(centralMeridianError(-180, 6), "");
    EXPECT_EQ(centralMeridianError(181, 3), "central meridian 181 is outside -180..180 degrees");
    EXPECT_EQ(centralMeridianError(117, 4), "zone width 4 is neither 3 nor 6 degrees");
}

}  // namespace
}  // namespace mapsheet::projection

#endif  // MAPSHEET_HAVE_PROJ
