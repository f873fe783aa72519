// The id and hierarchy functions: ids agree with the written-number functions on sample points
// at every scale (both scale spellings, round trip through the number), and the hierarchy
// answers facts counted by hand from the sheet grid: children per scale pair, parents, rings,
// covers per mode, compact lists, areas adding up, corners on a central meridian.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/postgres/cli_run.h"
#include "tests/postgres/server_connection.h"
#include "tests/postgres/test_points.h"
#include "tests/postgres/test_scales.h"

namespace mapsheet::postgres_test {
namespace {

constexpr std::size_t kPointsPerScale = 2000;

class PointIds : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(PointIds, AgreeWithTheNumbers) {
    const ScaleCase& scale = GetParam();
    std::vector<std::string> latitudes;
    std::vector<std::string> longitudes;
    for (const PointText& point : samplePoints(scale.index, kPointsPerScale, 77 + scale.index)) {
        latitudes.push_back(point.latitude);
        longitudes.push_back(point.longitude);
    }
    const std::string denominator = std::string(scale.ratio).substr(2);
    Connection connection;
    const std::vector<Row> rows = connection.query(
        "SELECT count(*) FILTER (WHERE mapsheet_id(lat, lon, $3) IS DISTINCT FROM "
        "                               mapsheet_id(lat, lon, $4::integer)), "
        "       count(*) FILTER (WHERE mapsheet_number(mapsheet_id(lat, lon, $4::integer)) "
        "                              IS DISTINCT FROM mapsheet_number(lat, lon, $3)), "
        "       count(*) FILTER (WHERE mapsheet_id(mapsheet_number(lat, lon, $3)) "
        "                              IS DISTINCT FROM mapsheet_id(lat, lon, $3)), "
        "       count(mapsheet_id(lat, lon, $3)) "
        "FROM unnest($1::float8[], $2::float8[]) AS p(lat, lon)",
        {arrayLiteral(latitudes), arrayLiteral(longitudes), scale.spelling, denominator});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], Value{"0"}) << "text and integer scales differ";
    EXPECT_EQ(rows[0][1], Value{"0"}) << "the number of the id differs";
    EXPECT_EQ(rows[0][2], Value{"0"}) << "the id of the number differs";
    EXPECT_NE(rows[0][3], Value{"0"}) << "no point had a sheet";
}

INSTANTIATE_TEST_SUITE_P(Scales, PointIds, ::testing::ValuesIn(kScaleCases),
                         [](const auto& info) { return scaleCaseName(info.param); });

struct FactCase {
    const char* name;
    const char* sql;  // one value
    const char* expected;
};

const FactCase kFactCases[] = {
    // A 1:1,000,000 sheet holds 24 x 24 sheets of 1:50,000; a 1:500,000 sheet 24 x 24 of 1:25,000.
    {"MillionHolds576FiftyThousands", "SELECT count(*) FROM mapsheet_children('J50', 50000)",
     "576"},
    {"ChildrenNameTheirParent",
     "SELECT count(*) FROM mapsheet_children('J50B001001', '1:25000') AS c "
     "WHERE mapsheet_parent(c, 500000) <> 'J50B001001'",
     "0"},
    {"ChildrenFromTheNorthWest",
     "SELECT string_agg(c, ',') FROM mapsheet_children('J50E003005', 25000) AS c",
     "J50F005009,J50F005010,J50F006009,J50F006010"},
    // 1:200,000 (6 x 6) in 1:250,000 (4 x 4): the first 250,000 sheet meets 2 x 2 of them.
    {"TwoHundredThousandsMeetingAQuarterMillion",
     "SELECT string_agg(c, ',') FROM mapsheet_children('J50C001001', 200000) AS c",
     "J50R001001,J50R001002,J50R002001,J50R002002"},
    {"ParentThroughIds",
     "SELECT mapsheet_number(mapsheet_parent(mapsheet_id('J50E003005'), 100000))", "J50D002003"},
    {"ParentOfAnOldNumber", "SELECT mapsheet_parent('J-50-5-A', '1:1000000')", "J50"},
    {"ParentIdAsBigint",
     "SELECT mapsheet_parent(mapsheet_id('J50E003005'), 1000000) = mapsheet_id('J50')", "t"},
    {"OneRingIsNineSheets", "SELECT count(*) FROM mapsheet_neighbours('J50E005005', 1)", "9"},
    {"TwoRingsFromTheNorthWest",
     "SELECT (array_agg(number))[1] || ' ' || (array_agg(number))[13] || ' ' || count(*) "
     "FROM mapsheet_neighbours('J50E005005', 2)",
     "J50E003003 J50E005005 25"},
    {"RingAcross180",
     "SELECT string_agg(number || ':' || ring, ',') FROM mapsheet_neighbours('J60', 1)",
     "K59:1,K60:1,K01:1,J59:1,J60:0,J01:1,I59:1,I60:1,I01:1"},
    {"RingsCountOutwards",
     "SELECT string_agg(ring || '=' || n, ',') FROM (SELECT ring, count(*) AS n "
     "FROM mapsheet_neighbours('J-50-5-A', 3) GROUP BY ring ORDER BY ring) AS r",
     "0=1,1=8,2=16,3=24"},
    {"NeighbourIdsAreSheetIds",
     "SELECT count(*) FROM mapsheet_neighbours(mapsheet_id('J50E005005'), 3) AS id "
     "WHERE mapsheet_id(mapsheet_number(id)) = id",
     "49"},
    {"CompactOfChildrenIsTheParent",
     "SELECT string_agg(c, ',') FROM mapsheet_compact(ARRAY(SELECT mapsheet_children("
     "'J50E001001', 10000))) AS c",
     "J50E001001"},
    {"CompactClimbsTwoScales",
     "SELECT string_agg(c, ',') FROM mapsheet_compact(ARRAY(SELECT mapsheet_children("
     "'J50D001001', 10000))) AS c",
     "J50D001001"},
    // 15 of the 16 1:10,000 sheets of a 1:50,000 sheet: three whole 1:25,000 sheets and three
    // 1:10,000 sheets of the fourth.
    {"CompactKeepsAnIncompleteSet",
     "SELECT count(*) FROM mapsheet_compact(ARRAY(SELECT mapsheet_children('J50E001001', "
     "10000) OFFSET 1)) AS c",
     "6"},
    {"CompactDropsContainedSheets",
     "SELECT string_agg(c, ',') FROM mapsheet_compact(ARRAY['J50E001001', 'J50', 'J-50']) c",
     "J50"},
    // The box cuts through the edge rows and columns of 1:50,000 sheets (10' x 15'): it meets
    // 6 x 4 of them, holds 4 x 2 whole, and the edge sheets' centres lie outside it.
    {"CoverMeets", "SELECT count(*) FROM mapsheet_cover(39.1, 116.15, 39.9, 116.85, 50000)", "24"},
    {"CoverCentre",
     "SELECT count(*) FROM mapsheet_cover(39.1, 116.15, 39.9, 116.85, '1:50000', 'centre')", "8"},
    {"CoverWithin",
     "SELECT count(*) FROM mapsheet_cover(39.1, 116.15, 39.9, 116.85, 50000, 'within')", "8"},
    {"AreaAddsUp",
     "SELECT abs(mapsheet_area('J50') - sum(mapsheet_area(c))) < 1e-3 "
     "FROM mapsheet_children('J50', 250000) AS c",
     "t"},
    {"AreaOfIdAndNumber", "SELECT mapsheet_area(mapsheet_id('J50')) = mapsheet_area('J50')", "t"},
    {"CornersOnTheCentralMeridian",
     "SELECT c.zone || ' ' || c.central_meridian || ' ' || c.sw_y || ' ' || c.nw_y "
     "FROM mapsheet_corners('J50E001013') AS c",
     "20 117 500000 500000"},
    {"CornersInANamedZone",
     "SELECT c.central_meridian FROM mapsheet_corners('K51E001001', 21) AS c", "123"},
    {"CornersOfTenThousandInThreeDegrees",
     "SELECT c.zone || ' ' || c.sw_y FROM mapsheet_corners('J50G001049') AS c", "39 500000"},
};

TEST(HierarchyFacts, HoldOnTheServer) {
    Connection connection;
    for (const FactCase& fact : kFactCases) {
        SCOPED_TRACE(fact.name);
        EXPECT_EQ(connection.value(fact.sql), Value{fact.expected});
    }
}

// mapsheet_corners and `mapsheet-cli sheet --corners` give the same millimetres.
TEST(Corners, MatchTheCli) {
    const std::vector<std::string> numbers{"J50", "J50E001013", "J50G001049", "SJ50F010020",
                                           "K51J00010001"};
    std::string input;
    for (const std::string& number : numbers) {
        input += number + "\n";
    }
    const CliRun cli = runCli({"sheet", "--corners"}, input);
    ASSERT_EQ(cli.status, 0) << cli.output;
    const std::vector<std::vector<std::string>> records = commaFields(cli.output);
    ASSERT_EQ(records.size(), numbers.size() + 1);
    Connection connection;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        SCOPED_TRACE(numbers[i]);
        const std::vector<Row> rows = connection.query(
            "SELECT c.zone::text, c.central_meridian::text, to_char(c.sw_x, 'FM9999999990.000'), "
            "to_char(c.sw_y, 'FM9999999990.000'), to_char(c.se_x, 'FM9999999990.000'), "
            "to_char(c.se_y, 'FM9999999990.000'), to_char(c.ne_x, 'FM9999999990.000'), "
            "to_char(c.ne_y, 'FM9999999990.000'), to_char(c.nw_x, 'FM9999999990.000'), "
            "to_char(c.nw_y, 'FM9999999990.000') FROM mapsheet_corners($1) AS c",
            {numbers[i]});
        ASSERT_EQ(rows.size(), 1u);
        const std::vector<std::string>& record = records[i + 1];
        ASSERT_EQ(record.size(), 21u);
        for (std::size_t field = 0; field < 10; ++field) {
            EXPECT_EQ(rows[0][field].value_or(""), record[11 + field]) << "field " << field;
        }
    }
}

// mapsheet_neighbours and `mapsheet-cli neighbours` give the same sheets with the same rings in
// the same order: inside a zone, across 180 degrees and where the zones widen north of 60.
TEST(Neighbours, MatchTheCli) {
    const struct {
        const char* number;
        int rings;
    } cases[] = {{"J50E005005", 2}, {"J60", 1}, {"N50", 2}, {"SJ50F010020", 1}};
    Connection connection;
    for (const auto& sheet : cases) {
        SCOPED_TRACE(sheet.number);
        const CliRun cli =
            runCli({"neighbours", "--rings", std::to_string(sheet.rings), sheet.number});
        ASSERT_EQ(cli.status, 0) << cli.output;
        std::string expected;
        const std::vector<std::vector<std::string>> records = commaFields(cli.output);
        for (std::size_t i = 1; i < records.size(); ++i) {
            expected += (i > 1 ? "," : "") + records[i][2] + ":" + records[i][1];
        }
        EXPECT_EQ(connection.value("SELECT string_agg(number || ':' || ring, ',') "
                                   "FROM mapsheet_neighbours($1, $2)",
                                   {sheet.number, std::to_string(sheet.rings)}),
                  Value{expected});
    }
}

}  // namespace
}  // namespace mapsheet::postgres_test
