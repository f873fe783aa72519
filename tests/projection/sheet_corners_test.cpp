// Sheet corners against PROJ's command-line cs2cs (the EPSG systems from the PROJ database, not
// the projection's own definition), against sheets whose west edge is a central meridian, and
// the zones that do not hold a sheet.

#ifdef MAPSHEET_HAVE_PROJ

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/sheet_number_parse.h"
#include "projection/sheet_corners.h"

namespace mapsheet::projection {
namespace {

constexpr double kMillimetre = 1e-3;

engine::Sheet sheetOf(const char* number) {
    const engine::ParsedSheet parsed = engine::parseSheetNumber(number);
    if (!parsed.sheet) {
        throw std::runtime_error(std::string("test sheet does not parse: ") + number);
    }
    return *parsed.sheet;
}

// cs2cs from CGCS2000 geographic (EPSG:4490, latitude first) to an EPSG plane system.
PlanePoint cs2cs(double latitude, double longitude, int epsg) {
    char command[160];
    std::snprintf(command, sizeof command, "echo '%.12f %.12f' | cs2cs -f %%.6f EPSG:4490 EPSG:%d",
                  latitude, longitude, epsg);
    FILE* pipe = popen(command, "r");
    PlanePoint point;
    const int read = std::fscanf(pipe, "%lf %lf", &point.x, &point.y);
    pclose(pipe);
    if (read != 2) {
        throw std::runtime_error(std::string("cs2cs gave no coordinates for ") + command);
    }
    return point;
}

struct CornerCase {
    const char* name;
    const char* number;
    CornerZone choice;
    int epsg;  // the same central meridian in the PROJ database
    int zone;
    double centralMeridian;
};

const CornerCase kCornerCases[] = {
    {"MillionSheetInItsSixDegreeZone", "J50", {}, 4509, 20, 117},
    {"FiftyThousandStartingOnTheMeridian", "J50E001013", {}, 4509, 20, 117},
    {"FiveHundredThousandSouthOfTheRow", "J50B002002", {}, 4509, 20, 117},
    {"TenThousandInItsThreeDegreeZone", "J50G001049", {}, 4548, 39, 117},
    {"TenThousandNearestTheWesternMeridian", "J50G096001", {}, 4547, 38, 114},
    {"OneThousandThreeDegree", "J50J00010001", {}, 4547, 38, 114},
    {"NamedZoneTwentyOne", "K51E001001", {CornerZone::Kind::Zone, 21, 0}, 4510, 21, 123},
    {"NamedCentralMeridianOfNoZone",
     "J50E001024",
     {CornerZone::Kind::CentralMeridian, 0, 120},
     4549,
     0,
     120},
};

class SheetCornersTest : public ::testing::TestWithParam<CornerCase> {};

TEST_P(SheetCornersTest, AgreesWithCs2cs) {
    const CornerCase& row = GetParam();
    const engine::Sheet sheet = sheetOf(row.number);
    const std::optional<SheetCorners> corners = sheetCorners(sheet, row.choice);
    ASSERT_TRUE(corners) << cornerZoneError(sheet, row.choice);
    EXPECT_EQ(corners->zone, row.zone);
    EXPECT_EQ(corners->centralMeridian, row.centralMeridian);
    const engine::DegreeBounds bounds = engine::degreeBounds(sheet);
    const struct {
        const char* corner;
        PlanePoint ours;
        double latitude, longitude;
    } pairs[] = {{"sw", corners->sw, bounds.south, bounds.west},
                 {"se", corners->se, bounds.south, bounds.east},
                 {"ne", corners->ne, bounds.north, bounds.east},
                 {"nw", corners->nw, bounds.north, bounds.west}};
    for (const auto& pair : pairs) {
        const PlanePoint truth = cs2cs(pair.latitude, pair.longitude, row.epsg);
        EXPECT_NEAR(pair.ours.x, truth.x, kMillimetre) << pair.corner;
        EXPECT_NEAR(pair.ours.y, truth.y, kMillimetre) << pair.corner;
    }
}

INSTANTIATE_TEST_SUITE_P(Sheets, SheetCornersTest, ::testing::ValuesIn(kCornerCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A west edge on the central meridian has y exactly at the false easting, in both hemispheres
// of latitude and both zone widths.
TEST(SheetCornersOnMeridian, WestEdgeIsExactlyTheFalseEasting) {
    for (const char* number : {"J50E001013", "J50G001049", "SJ50E001013", "N50F001025"}) {
        const std::optional<SheetCorners> corners = sheetCorners(sheetOf(number), {});
        ASSERT_TRUE(corners) << number;
        EXPECT_EQ(corners->sw.y, 500000.0) << number;
        EXPECT_EQ(corners->nw.y, 500000.0) << number;
        EXPECT_GT(corners->se.y, 500000.0) << number;
    }
}

struct RefusedCase {
    const char* name;
    const char* number;
    CornerZone choice;
    const char* fragment;
};

const RefusedCase kRefusedCases[] = {
    {"ZoneBeyondSixty", "J50", {CornerZone::Kind::Zone, 61, 0}, "zone 61 is outside"},
    {"ThreeDegreeZoneBeyond120", "J50G001001", {CornerZone::Kind::Zone, 121, 0}, "1..120"},
    {"ZoneTooFarWest", "J50E001013", {CornerZone::Kind::Zone, 19, 0}, "beyond the 3 degrees"},
    {"MeridianBeyond180", "J50", {CornerZone::Kind::CentralMeridian, 0, 200}, "200"},
    {"ThreeDegreeZoneOfTheNeighbour", "J50G001049", {CornerZone::Kind::Zone, 40, 0}, "120E"},
};

class RefusedZoneTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedZoneTest, SaysWhy) {
    const RefusedCase& row = GetParam();
    const engine::Sheet sheet = sheetOf(row.number);
    EXPECT_NE(cornerZoneError(sheet, row.choice).find(row.fragment), std::string::npos)
        << cornerZoneError(sheet, row.choice);
    EXPECT_FALSE(sheetCorners(sheet, row.choice));
}

INSTANTIATE_TEST_SUITE_P(Zones, RefusedZoneTest, ::testing::ValuesIn(kRefusedCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mapsheet::projection

#endif
