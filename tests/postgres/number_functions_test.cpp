// mapsheet_number and mapsheet_old_number against `mapsheet-cli number` on the same points, and
// their numbers read back by mapsheet_sheet.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/postgres/cli_run.h"
#include "tests/postgres/server_connection.h"
#include "tests/postgres/test_points.h"
#include "tests/postgres/test_scales.h"

namespace mapsheet::postgres_test {
namespace {

constexpr std::size_t kPointsPerScale = 3000;

// Both numbers of every point, in the points' order.
std::vector<Row> sqlNumbers(Connection& connection, const std::vector<PointText>& points,
                            const std::string& scale) {
    std::vector<std::string> latitudes;
    std::vector<std::string> longitudes;
    for (const PointText& point : points) {
        latitudes.push_back(point.latitude);
        longitudes.push_back(point.longitude);
    }
    return connection.query(
        "SELECT mapsheet_number(lat, lon, $3), mapsheet_old_number(lat, lon, $3) "
        "FROM unnest($1::float8[], $2::float8[]) WITH ORDINALITY AS p(lat, lon, i) ORDER BY i",
        {arrayLiteral(latitudes), arrayLiteral(longitudes), scale});
}

class PointNumbers : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(PointNumbers, MatchTheCli) {
    const ScaleCase& scale = GetParam();
    const std::vector<PointText> points =
        samplePoints(scale.index, kPointsPerScale, 1201 + scale.index);
    Connection connection;
    const std::vector<Row> sql = sqlNumbers(connection, points, scale.spelling);

    std::string input;
    for (const PointText& point : points) {
        input += point.latitude + "," + point.longitude + "\n";
    }
    const CliRun cli = runCli({"number", "--scale", scale.spelling}, input);
    const std::vector<std::vector<std::string>> records = commaFields(cli.output);
    ASSERT_EQ(records.size(), points.size() + 1) << "CLI exit status " << cli.status;

    int mismatches = 0;
    for (std::size_t i = 0; i < points.size() && mismatches < 5; ++i) {
        const std::vector<std::string>& record = records[i + 1];
        ASSERT_GE(record.size(), 4u);
        // The CLI leaves both numbers empty for a point without a sheet, the old one alone
        // empty where the scale has no pre-1992 number; SQL gives NULL for each.
        const std::string sqlNew = sql[i][0].value_or("");
        const std::string sqlOld = sql[i][1].value_or("");
        if (sqlNew != record[2] || sqlOld != record[3]) {
            ++mismatches;
            ADD_FAILURE() << points[i].latitude << "," << points[i].longitude << ": SQL " << sqlNew
                          << " " << sqlOld << ", CLI " << record[2] << " " << record[3];
        }
    }
}

TEST_P(PointNumbers, ReadBackAsTheSheetThatHoldsThePoint) {
    const ScaleCase& scale = GetParam();
    const std::vector<PointText> points =
        samplePoints(scale.index, kPointsPerScale, 7 + scale.index);
    Connection connection;
    const std::vector<Row> numbers = sqlNumbers(connection, points, scale.spelling);
    std::vector<std::string> written;
    std::vector<std::size_t> pointOf;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (numbers[i][0]) {
            written.push_back(*numbers[i][0]);
            pointOf.push_back(i);
        }
    }
    ASSERT_GT(written.size(), points.size() / 2);
    const std::vector<Row> sheets = connection.query(
        "SELECT s.scale, s.new, s.old, s.south, s.west, s.north, s.east, "
        "       (mapsheet_sheet(s.old)).new "
        "FROM unnest($1::text[]) WITH ORDINALITY AS n(number, i), mapsheet_sheet(n.number) AS s "
        "ORDER BY n.i",
        {arrayLiteral(written)});
    ASSERT_EQ(sheets.size(), written.size());

    int mismatches = 0;
    for (std::size_t k = 0; k < written.size() && mismatches < 5; ++k) {
        const Row& sheet = sheets[k];
        const PointText& point = points[pointOf[k]];
        const double latitude = std::stod(point.latitude);
        const double longitude = std::stod(point.longitude);
        // Edges are rounded to 12 decimals; the line rule snaps within 1e-10.
        constexpr double kSlack = 2e-10;
        const bool holds = std::stod(*sheet[3]) - kSlack <= latitude &&
                           latitude <= std::stod(*sheet[5]) + kSlack &&
                           std::stod(*sheet[4]) - kSlack <= longitude &&
                           longitude <= std::stod(*sheet[6]) + kSlack;
        const bool same = sheet[0] == Value{scale.ratio} && sheet[1] == Value{written[k]} &&
                          sheet[2] == numbers[pointOf[k]][1] &&
                          (!sheet[2] || sheet[7] == Value{written[k]});
        if (!holds || !same) {
            ++mismatches;
            ADD_FAILURE() << point.latitude << "," << point.longitude << " -> " << written[k]
                          << " reads back as " << sheet[0].value_or("NULL") << " "
                          << sheet[1].value_or("NULL") << " " << sheet[2].value_or("NULL") << " ["
                          << *sheet[3] << ", " << *sheet[4] << ", " << *sheet[5] << ", "
                          << *sheet[6] << "], old reads back as " << sheet[7].value_or("NULL");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryScale, PointNumbers, ::testing::ValuesIn(kScaleCases),
                         [](const auto& info) { return scaleCaseName(info.param); });

}  // namespace
}  // namespace mapsheet::postgres_test
