// mapsheet_cover: worked covers, its order, and a walk that stops when the caller stops.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "engine/scale_catalogue.h"
#include "engine/sheet.h"
#include "tests/postgres/cli_run.h"
#include "tests/postgres/server_connection.h"
#include "tests/postgres/test_scales.h"

namespace mapsheet::postgres_test {
namespace {

struct CoverCase {
    const char* name;
    const char* box;  // south, west, north, east as SQL arguments
    const char* scale;
    std::vector<std::string> numbers;
};

const CoverCase kCoverCases[] = {
    // A box that is exactly one sheet: its neighbours only touch it.
    {"ExactlyOneSheet", "40, 114, 44, 120", "1:1000000", {"K50"}},
    // The 1:100,000 sheet J-50-5 (39 40'..40 N, 116..116.5 E) holds 2 x 2 sheets of 1:50,000,
    // given from the north, each row from the west.
    {"ChildrenFromTheNorthWest",
     "39.666666666667, 116, 40, 116.5",
     "1:5万",
     {"J50E001009", "J50E001010", "J50E002009", "J50E002010"}},
    {"PointInsideASheet", "39.979, 116.3, 39.979, 116.3", "1:25000", {"J50F001019"}},
    {"PointOnACornerMeetsNoInterior", "40, 116.25, 40, 116.25", "1:25000", {}},
    {"AcrossTheEquator", "-0.1, 116.9, 0.1, 117.1", "A", {"A50", "SA50"}},
    {"BeyondTheSeries", "88.5, 10, 89.5, 11", "A", {}},
};

class Covers : public ::testing::TestWithParam<CoverCase> {};

TEST_P(Covers, GiveTheWorkedSheetsInOrder) {
    const CoverCase& cover = GetParam();
    Connection connection;
    const std::vector<Row> rows =
        connection.query(std::string("SELECT n FROM mapsheet_cover(") + cover.box +
                             ", $1) WITH ORDINALITY AS c(n, i) ORDER BY i",
                         {std::string(cover.scale)});
    std::vector<std::string> numbers;
    for (const Row& row : rows) {
        numbers.push_back(row[0].value_or("NULL"));
    }
    EXPECT_EQ(numbers, cover.numbers);
}

INSTANTIATE_TEST_SUITE_P(Worked, Covers, ::testing::ValuesIn(kCoverCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Boxes of a few sheets across: half of them at random, half with their edges on the sheet
// lines of the scale, where only the sheets inside count.
std::vector<std::vector<std::string>> sampleBoxes(int scale, int count, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> latitude(-87.0, 87.0);
    std::uniform_real_distribution<double> longitude(-179.0, 179.0);
    std::uniform_real_distribution<double> sheets(0.0, 2.5);
    const engine::ScaleRow& row = engine::kScaleCatalogue[scale];
    const auto text = [](double value, int decimals) {
        char buffer[48];
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
        return std::string(buffer);
    };
    std::vector<std::vector<std::string>> boxes;
    while (static_cast<int>(boxes.size()) < count) {
        const double lat = latitude(random);
        const double lon = longitude(random);
        const double height = sheets(random) * row.heightDegrees;
        const double width = sheets(random) * row.widthDegrees;
        const std::optional<engine::Sheet> sheet = engine::sheetOf(lat, lon, scale);
        if (boxes.size() % 2 == 0 || !sheet) {
            boxes.push_back({text(lat, 6), text(lon, 6), text(std::min(lat + height, 89.0), 6),
                             text(std::min(lon + width, 180.0), 6)});
            continue;
        }
        const engine::UnitBounds edges = engine::unitBounds(*sheet);
        const double perDegree = engine::kUnitsPerDegree;
        boxes.push_back({text(edges.south / perDegree, 12), text(edges.west / perDegree, 12),
                         text(edges.north / perDegree, 12), text(edges.east / perDegree, 12)});
    }
    return boxes;
}

class CoversOfEveryScale : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(CoversOfEveryScale, MatchTheCli) {
    const ScaleCase& scale = GetParam();
    Connection connection;
    for (const std::vector<std::string>& box : sampleBoxes(scale.index, 6, 77 + scale.index)) {
        const std::string bbox = box[0] + "," + box[1] + "," + box[2] + "," + box[3];
        SCOPED_TRACE(bbox);
        const CliRun cli = runCli({"cover", "--scale", scale.spelling, "--bbox", bbox});
        ASSERT_EQ(cli.status, 0);
        std::vector<std::string> expected;
        for (const std::vector<std::string>& record : commaFields(cli.output)) {
            expected.push_back(record[0]);
        }
        expected.erase(expected.begin());  // the header
        std::vector<std::string> numbers;
        for (const Row& row : connection.query(
                 "SELECT n FROM mapsheet_cover($1, $2, $3, $4, $5) WITH ORDINALITY AS c(n, i) "
                 "ORDER BY i",
                 {box[0], box[1], box[2], box[3], std::string(scale.spelling)})) {
            numbers.push_back(*row[0]);
        }
        EXPECT_EQ(numbers, expected);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryScale, CoversOfEveryScale, ::testing::ValuesIn(kScaleCases),
                         [](const auto& info) { return scaleCaseName(info.param); });

// Every sheet of a box holds, at its centre, a point whose number is that sheet's; and the
// count is the product of the rows and columns the box spans.
TEST(Cover, SheetsAreThoseOfTheirCentres) {
    Connection connection;
    const Value wrong = connection.value(
        "SELECT count(*) FILTER (WHERE mapsheet_number((s.south + s.north) / 2, "
        "                                              (s.west + s.east) / 2, '1:10000') <> n) "
        "       || '/' || count(*) "
        "FROM mapsheet_cover(29.95, 103.9, 31.05, 105.1, '1:10000') AS n, mapsheet_sheet(n) AS s");
    // 1:10,000 sheets are 2'30" x 3'45": the rows holding 29.95 and 31.05 span 29 55'..31 05',
    // 28 rows; the columns holding 103.9 and 105.1 span 103 52'30"..105 07'30", 20 columns.
    EXPECT_EQ(wrong, Value{"0/560"});
}

// The cover of the whole series at 1:500 has some 10^11 sheets; returned one per call, a
// LIMIT ends the walk after the first rows.
TEST(Cover, StopsWhenTheCallerStops) {
    Connection connection;
    const std::vector<Row> rows =
        connection.query("SELECT mapsheet_cover(-88, -180, 88, 180, '1:500') LIMIT 3");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][0], connection.value("SELECT mapsheet_number(87.9999, -179.9999, '1:500')"));
}

// A cover called in FROM is gathered whole before the first row; a statement timeout cancels
// it, and the session goes on.
TEST(Cover, EndlessCoverCanBeCancelled) {
    Connection connection;
    connection.query("SET statement_timeout = '300ms'");
    const ServerError error =
        connection.error("SELECT count(*) FROM mapsheet_cover(-88, -180, 88, 180, '1:500')");
    EXPECT_EQ(error.sqlState, "57014") << error.message;
    connection.query("RESET statement_timeout");
    EXPECT_TRUE(connection.answers());
}

}  // namespace
}  // namespace mapsheet::postgres_test
