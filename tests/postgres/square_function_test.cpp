// mapsheet_square against `mapsheet-cli square` on the same points, in fixed Gauss-Kruger
// systems and in the nearest 3-degree zone.

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "tests/postgres/cli_run.h"
#include "tests/postgres/server_connection.h"

namespace mapsheet::postgres_test {
namespace {

struct SquareCase {
    const char* name;
    const char* scale;
    int srid;                // 0: the nearest 3-degree zone
    double centralMeridian;  // points are spread either side of it
    double halfWidth;        // degrees: 0.6 beyond the 2 or 3 the zone serves
};

// 4548: 3-degree CM 117E; 4527: 3-degree zone 39 (117E) with the zone number; 4498: 6-degree
// zone 20 (117E) with the zone number; 4508: 6-degree CM 111E.
const SquareCase kSquareCases[] = {
    {"ThreeDegreeCm117At500", "1:500", 4548, 117, 2.6},
    {"ThreeDegreeZone39At1000", "1000", 4527, 117, 2.6},
    {"SixDegreeZone20At2000", "I", 4498, 117, 3.6},
    {"SixDegreeCm111At5000", "1:5000", 4508, 111, 3.6},
    {"NearestZoneAt500", "1:500", 0, 104, 5},
    {"NearestZoneAt5000", "H", 0, 126, 5},
};

std::vector<std::string> spread(double from, double to, std::size_t count, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> value(from, to);
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < count; ++i) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.7f", value(random));
        texts.push_back(buffer);
    }
    return texts;
}

class SquareSheets : public ::testing::TestWithParam<SquareCase> {};

TEST_P(SquareSheets, MatchTheCli) {
    const SquareCase& square = GetParam();
    constexpr std::size_t kPoints = 1500;
    const std::vector<std::string> latitudes = spread(18, 53.5, kPoints, square.srid + 1);
    const std::vector<std::string> longitudes =
        spread(square.centralMeridian - square.halfWidth, square.centralMeridian + square.halfWidth,
               kPoints, square.srid + 2);
    Connection connection;
    const std::vector<Row> sql = connection.query(
        "SELECT mapsheet_square(lat, lon, $3, $4) "
        "FROM unnest($1::float8[], $2::float8[]) WITH ORDINALITY AS p(lat, lon, i) ORDER BY i",
        {arrayLiteral(latitudes), arrayLiteral(longitudes), std::string(square.scale),
         std::to_string(square.srid)});

    std::vector<std::string> arguments{"square", "--scale", square.scale};
    if (square.srid != 0) {
        arguments.insert(arguments.end(), {"--crs", "EPSG:" + std::to_string(square.srid)});
    }
    std::string input;
    for (std::size_t i = 0; i < kPoints; ++i) {
        input += latitudes[i] + "," + longitudes[i] + "\n";
    }
    const std::vector<std::vector<std::string>> cli = commaFields(runCli(arguments, input).output);
    ASSERT_EQ(cli.size(), kPoints + 1);

    int mismatches = 0;
    std::size_t beyondWidth = 0;
    for (std::size_t i = 0; i < kPoints && mismatches < 5; ++i) {
        ASSERT_GE(cli[i + 1].size(), 6u);
        // The CLI leaves the sheet empty (and says why) for a point beyond the zone's width.
        const std::string& expected = cli[i + 1][5];
        beyondWidth += expected.empty();
        if (sql[i][0].value_or("") != expected) {
            ++mismatches;
            ADD_FAILURE() << latitudes[i] << "," << longitudes[i] << ": SQL "
                          << sql[i][0].value_or("NULL") << ", CLI " << expected;
        }
    }
    // Points both sides of the usable width were tried, in fixed systems.
    if (square.srid != 0) {
        EXPECT_GT(beyondWidth, 0u);
    }
    EXPECT_LT(beyondWidth, kPoints / 2);
}

INSTANTIATE_TEST_SUITE_P(Systems, SquareSheets, ::testing::ValuesIn(kSquareCases),
                         [](const auto& info) { return std::string(info.param.name); });

// One call site that meets another system on every row gives each row its own system's sheet.
TEST(SquareSheetsOfMixedSystems, MatchEachSystemAlone) {
    Connection connection;
    const Value differences = connection.value(
        "WITH points AS ("
        "  SELECT i, 30 + 10 * random() AS lat, 115.5 + 3 * random() AS lon, "
        "         CASE WHEN i % 3 = 0 THEN 4548 WHEN i % 3 = 1 THEN 0 ELSE 4527 END AS srid "
        "  FROM (SELECT setseed(0.75)) AS seed, generate_series(1, 3000) AS i) "
        "SELECT count(*) FILTER (WHERE mapsheet_square(lat, lon, CASE WHEN i % 2 = 0 THEN 'K' "
        "                                                       ELSE 'H' END, srid) "
        "       IS DISTINCT FROM CASE WHEN i % 2 = 0 THEN "
        "         CASE srid WHEN 4548 THEN mapsheet_square(lat, lon, 'K', 4548) "
        "                   WHEN 0 THEN mapsheet_square(lat, lon, 'K', 0) "
        "                   ELSE mapsheet_square(lat, lon, 'K', 4527) END "
        "       ELSE "
        "         CASE srid WHEN 4548 THEN mapsheet_square(lat, lon, 'H', 4548) "
        "                   WHEN 0 THEN mapsheet_square(lat, lon, 'H', 0) "
        "                   ELSE mapsheet_square(lat, lon, 'H', 4527) END END) "
        "FROM points");
    EXPECT_EQ(differences, Value{"0"});
}

}  // namespace
}  // namespace mapsheet::postgres_test
