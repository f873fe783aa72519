// mapsheet-cli square driven in-process: rows of points in the nearest or a chosen zone, plane
// points, sheet corners that come back to their sheets, the graticule sheets of a square sheet
// against the graticule number of its points, usage errors and row errors.

#ifdef MAPSHEET_HAVE_PROJ

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "tests/cli/command_run.h"

namespace mapsheet::cli {
namespace {

using test_support::CommandRun;
using test_support::lines;

CommandRun runSquare(const Arguments& arguments, const std::string& input = "") {
    return test_support::runWithInput(runSquareCommand, arguments, input);
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> result(1);
    for (const char c : line) {
        if (c == ',') {
            result.emplace_back();
        } else {
            result.back().push_back(c);
        }
    }
    return result;
}

constexpr const char* kPointHeader = "latitude,longitude,crs,x,y,sheet,error";

struct PointCase {
    const char* name;
    Arguments arguments;
    const char* row;
};

// x and y agree with `cs2cs EPSG:4490 EPSG:4548` (4374033.21 517202.69) and EPSG:4527.
const PointCase kPointCases[] = {
    {"nearest_zone_1_500",
     {"--scale", "1:500", "39.5", "117.2"},
     "39.5,117.2,EPSG:4548,4374033.211,517202.691,4374.00-517.00,"},
    {"nearest_zone_1_5000",
     {"--scale", "5000", "39.5", "117.2"},
     "39.5,117.2,EPSG:4548,4374033.211,517202.691,4374-516,"},
    {"nearest_zone_1_1000",
     {"--scale", "J", "39.5", "117.2"},
     "39.5,117.2,EPSG:4548,4374033.211,517202.691,4374.0-517.0,"},
    {"zone_number_in_front_of_y",
     {"--scale", "1:500", "--crs", "EPSG:4527", "39.5", "117.2"},
     "39.5,117.2,EPSG:4527,4374033.211,39517202.691,4374.00-39517.00,"},
    {"central_meridian_as_marked_text",
     {"--scale", "1:2000", "--central-meridian", "117°00′00″", "39°30′", "117°12′"},
     "39°30′,117°12′,EPSG:4548,4374033.211,517202.691,4374.0-517.0,"},
    {"six_degree_central_meridian_without_code",
     {"--scale", "1:2000", "--central-meridian", "120", "--zone-width", "6", "39.5", "117.2"},
     "39.5,117.2,CGCS2000 Gauss-Kruger CM 120E,4377759.222,259143.934,4377.0-259.0,"},
    {"southern_point_in_a_zone_far_from_China",
     {"--scale", "1:500", "-33.9", "18.4"},
     "-33.9,18.4,CGCS2000 3-degree Gauss-Kruger CM 18E,-3752641.324,536997.276,"
     "-3752.75-536.75,"},
    {"beyond_the_usable_width",
     {"--scale", "1:500", "--crs", "EPSG:4509", "39.5", "120.5"},
     "39.5,120.5,EPSG:4509,,,,\"longitude 120.5 lies 3.5 degrees east of the central meridian "
     "117E of EPSG:4509, beyond the 3 degrees a 6-degree zone serves\""},
};

class SquarePointTest : public testing::TestWithParam<PointCase> {};

TEST_P(SquarePointTest, WritesOneRow) {
    const CommandRun run = runSquare(GetParam().arguments);
    EXPECT_EQ(run.out, std::string(kPointHeader) + "\n" + GetParam().row + "\n");
    const bool failed = std::string(GetParam().row).back() != ',';
    EXPECT_EQ(run.status, failed ? kExitRowErrors : kExitSuccess) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Points, SquarePointTest, testing::ValuesIn(kPointCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SquareCommand, LinesOfStandardInputEachGiveARow) {
    const CommandRun run =
        runSquare({"--scale", "1:500"}, "39.5,117.2\n\n39.5 118.5\nnorth,117\n39.5\t117.2 1\n");
    const std::vector<std::string> rows = lines(run.out);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(fields(rows[1])[2], "EPSG:4548");
    EXPECT_EQ(fields(rows[2])[2], "EPSG:4549");  // 118.5E is the boundary: the east zone
    EXPECT_EQ(rows[3].substr(0, 24), "north,117,,,,,\"line 4: l");
    EXPECT_EQ(rows[4],
              "39.5\t117.2 1,,,,,,\"line 5: expected latitude and longitude separated by a "
              "comma, a tab or blanks\"");
    EXPECT_EQ(run.status, kExitRowErrors);
}

// A point's plane coordinates read back with --xy give the same sheet, and the point again to
// within the millimetre the coordinates were written to (1e-8 degree).
TEST(SquareCommand, PlanePointsRoundTrip) {
    const CommandRun forward = runSquare({"--scale", "1:500", "--crs", "4527", "39.5", "117.2"});
    const std::vector<std::string> row = fields(lines(forward.out)[1]);
    const CommandRun back =
        runSquare({"--scale", "1:500", "--crs", "4527", "--xy"}, row[3] + "," + row[4] + "\n");
    EXPECT_EQ(back.status, kExitSuccess) << back.out;
    const std::vector<std::string> backRow = fields(lines(back.out)[1]);
    ASSERT_EQ(backRow.size(), 7u);
    EXPECT_NEAR(std::stod(backRow[0]), 39.5, 1e-8);
    EXPECT_NEAR(std::stod(backRow[1]), 117.2, 1e-8);
    EXPECT_EQ(std::vector<std::string>(backRow.begin() + 2, backRow.end()),
              std::vector<std::string>(row.begin() + 2, row.end()));
}

TEST(SquareCommand, PlanePointWithoutTheZoneNumber) {
    const CommandRun run =
        runSquare({"--scale", "1:500", "--crs", "EPSG:4527", "--xy", "4374033.21", "517202.69"});
    EXPECT_EQ(lines(run.out)[1],
              ",,EPSG:4527,4374033.21,517202.69,,y 517202.69 does not start with the zone number "
              "39 that EPSG:4527 writes in front of y");
    EXPECT_EQ(run.status, kExitRowErrors);
}

// Each corner of a sheet, read back as a point, projects to within a millimetre of the corner
// (the corners are written to 1e-9 degree, a tenth of a millimetre).
TEST(SquareCommand, CornersOfASheetComeBackAsPoints) {
    const CommandRun corners =
        runSquare({"--scale", "1:500", "--crs", "EPSG:4527", "--sheet", "4374.00-39517.00"});
    ASSERT_EQ(corners.status, kExitSuccess) << corners.out << corners.err;
    const std::vector<std::string> row = fields(lines(corners.out)[1]);
    ASSERT_EQ(row.size(), 15u);
    EXPECT_EQ(std::vector<std::string>(row.begin(), row.begin() + 6),
              (std::vector<std::string>{"4374.00-39517.00", "EPSG:4527", "4374000", "39517000",
                                        "4374250", "39517250"}));
    const double expected[4][2] = {
        {4374000, 39517000}, {4374000, 39517250}, {4374250, 39517250}, {4374250, 39517000}};
    for (int corner = 0; corner < 4; ++corner) {
        const CommandRun point = runSquare(
            {"--scale", "1:500", "--crs", "EPSG:4527", row[6 + 2 * corner], row[7 + 2 * corner]});
        const std::vector<std::string> pointRow = fields(lines(point.out)[1]);
        EXPECT_NEAR(std::stod(pointRow[3]), expected[corner][0], 1e-3) << corner;
        EXPECT_NEAR(std::stod(pointRow[4]), expected[corner][1], 1e-3) << corner;
    }
}

// A point's 1:10,000 graticule sheet is among those its 1:5000 square sheet meets.
TEST(SquareCommand, GraticuleSheetsOfASquareHoldItsPoints) {
    const CommandRun point = runSquare({"--scale", "1:5000", "39.5", "117.2"});
    const std::string square = fields(lines(point.out)[1])[5];
    const CommandRun graticule = runSquare(
        {"--scale", "1:5000", "--crs", "EPSG:4548", "--sheet", "--graticule", "1:10000", square});
    ASSERT_EQ(graticule.status, kExitSuccess) << graticule.out;
    EXPECT_EQ(lines(graticule.out)[0], "sheet,crs,graticule_scale,graticule,error");
    const std::vector<std::string> row = fields(lines(graticule.out)[1]);
    EXPECT_EQ(row[0], square);
    EXPECT_EQ(row[2], "1:10000");
    // 39.5N 117.2E: row 13 from 40N (2'30" rows), column 52 from 114E (3'45" columns).
    EXPECT_NE(row[3].find("J50G013052"), std::string::npos) << row[3];
}

TEST(SquareCommand, SheetRowsSayWhatIsWrong) {
    const CommandRun run = runSquare({"--scale", "1:5000", "--crs", "EPSG:4548", "--sheet"},
                                     "4374-516\n4375-516\n4374-900\n");
    const std::vector<std::string> rows = lines(run.out);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(fields(rows[1]).back(), "");
    EXPECT_EQ(rows[2],
              "4375-516,,,,,,,,,,,,,,line 2: '4375-516': x 4375 km is not a 1:5000 sheet "
              "line (they lie every 2 km)");
    EXPECT_NE(rows[3].find("line 3: the sheet's centre: longitude 121.6554361"), std::string::npos)
        << rows[3];
    EXPECT_EQ(run.status, kExitRowErrors);
}

// The rows, and the line numbers of errors, do not depend on the threads or on where the input
// is cut into blocks.
TEST(SquareCommand, JobsDoNotChangeTheRows) {
    std::string input;
    for (int i = 0; i < 6000; ++i) {  // several blocks of input
        input += i == 4000
                     ? std::string("no point here\n")
                     : std::to_string(20 + i * 0.01) + "," + std::to_string(100 + i * 0.013) + "\n";
    }
    const CommandRun one = runSquare({"--scale", "1:500", "--jobs", "1"}, input);
    const CommandRun four = runSquare({"--scale", "1:500", "--jobs=4"}, input);
    EXPECT_EQ(one.status, kExitRowErrors);
    EXPECT_EQ(one.out, four.out);
    const std::vector<std::string> rows = lines(one.out);
    ASSERT_EQ(rows.size(), 6001u);
    EXPECT_EQ(rows[4001].substr(0, 37), "no point here,,,,,,\"line 4001: expect");
}

struct UsageCase {
    const char* name;
    Arguments arguments;
    const char* error;
};

const UsageCase kUsageCases[] = {
    {"no_scale",
     {"39.5", "117.2"},
     "mapsheet-cli square: --scale SCALE is required: 1:5000, 1:2000, 1:1000 or 1:500\n"},
    {"graticule_scale",
     {"--scale", "1:10000", "39.5", "117.2"},
     "mapsheet-cli square: scale 1:10000 has no square sheets; use 1:5000, 1:2000, 1:1000 or "
     "1:500\n"},
    {"unknown_code",
     {"--scale", "500", "--crs", "EPSG:4999999"},
     "mapsheet-cli square: --crs: EPSG:4999999 is not a coordinate reference system in the PROJ "
     "database\n"},
    {"not_gauss_kruger",
     {"--scale", "500", "--crs", "EPSG:4326"},
     "mapsheet-cli square: --crs: EPSG:4326 (WGS 84) is not a projected CRS and so is not a "
     "CGCS2000 Gauss-Kruger system; those are EPSG:4491-4554\n"},
    {"two_systems",
     {"--scale", "500", "--crs", "EPSG:4548", "--central-meridian", "117"},
     "mapsheet-cli square: --crs names the whole system; leave out --central-meridian and "
     "--zone-width\n"},
    {"width_without_meridian",
     {"--scale", "500", "--zone-width", "6"},
     "mapsheet-cli square: --zone-width needs --central-meridian\n"},
    {"odd_width",
     {"--scale", "500", "--central-meridian", "117", "--zone-width", "4"},
     "mapsheet-cli square: zone width 4 is neither 3 nor 6 degrees\n"},
    {"plane_without_system",
     {"--scale", "500", "--xy", "4374033", "517202"},
     "mapsheet-cli square: --xy needs --crs or --central-meridian: plane coordinates and square "
     "numbers mean nothing outside one system\n"},
    {"sheet_without_system",
     {"--scale", "500", "--sheet", "4374.00-517.00"},
     "mapsheet-cli square: --sheet needs --crs or --central-meridian: plane coordinates and "
     "square numbers mean nothing outside one system\n"},
    {"graticule_without_sheet",
     {"--scale", "500", "--graticule", "1:10000", "39.5", "117.2"},
     "mapsheet-cli square: --graticule lists the graticule sheets of square sheets; it needs "
     "--sheet\n"},
    {"no_jobs",
     {"--scale", "500", "--jobs", "0"},
     "mapsheet-cli square: --jobs '0' is not a positive whole number\n"},
    {"three_values",
     {"--scale", "500", "39.5", "117.2", "3"},
     "mapsheet-cli square: expected LAT LON (two values), got 3; run 'mapsheet-cli square "
     "--help'\n"},
};

class SquareUsageTest : public testing::TestWithParam<UsageCase> {};

TEST_P(SquareUsageTest, RefusesWithAMessage) {
    const CommandRun run = runSquare(GetParam().arguments);
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(Usage, SquareUsageTest, testing::ValuesIn(kUsageCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mapsheet::cli

#endif  // MAPSHEET_HAVE_PROJ
