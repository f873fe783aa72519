// mapsheet_sheet on numbers whose sheets are worked out by hand from the numbering rules, and
// against `mapsheet-cli sheet` on numbers of every scale.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/postgres/cli_run.h"
#include "tests/postgres/server_connection.h"
#include "tests/postgres/test_points.h"
#include "tests/postgres/test_scales.h"

namespace mapsheet::postgres_test {
namespace {

struct SheetCase {
    const char* name;
    const char* typed;
    const char* scale;
    const char* newNumber;
    const char* oldNumber;  // nullptr where the scale has none
    double south, west, north, east;
};

// J50: 36..40 N, 114..120 E. SH50: 28..32 S. K50: 40..44 N.
const SheetCase kSheetCases[] = {
    {"MillionSheet", "K50", "1:1000000", "K50", "K-50", 40, 114, 44, 120},
    {"NorthWestQuarter", "J50B001001", "1:500000", "J50B001001", "J-50-A", 38, 114, 40, 117},
    // 1:100,000 sheet 5 (39 40'..40 N, 116..116.5 E), its north-east 1:50,000 B, that one's
    // north-west 1:25,000 1.
    {"OldTwentyFiveThousand", "J-50-5-B-1", "1:25000", "J50F001019", "J-50-5-B-1", 39.916666666667,
     116.25, 40, 116.375},
    {"NewTwentyFiveThousand", "J50F001019", "1:25000", "J50F001019", "J-50-5-B-1", 39.916666666667,
     116.25, 40, 116.375},
    // South of the equator codes still count from the sheet's northern edge.
    {"Southern", "SH50F031029", "1:25000", "SH50F031029", "SH-50-92-C-1", -30.583333333333, 117.5,
     -30.5, 117.625},
    {"FullWidthAndLowerCase", "ｊ５０ｆ００１０１９", "1:25000", "J50F001019", "J-50-5-B-1",
     39.916666666667, 116.25, 40, 116.375},
    {"TypedDashesAndBlanks", " j—50–5－b－1 ", "1:25000", "J50F001019", "J-50-5-B-1",
     39.916666666667, 116.25, 40, 116.375},
    // 1:100,000 sheet 104 is row 9, column 8 of K50; (1) its north-west 1:10,000, a that one's
    // north-west quarter.
    {"HistoricalFiveThousand", "K-50-104-(1)-a", "1:5000", "K50H129113", "K-50-104-(1)-a", 41.3125,
     117.5, 41.333333333333, 117.53125},
    // Row 3 of the 6 x 6 division lies 80' below 40 N; column 4 starts 3 degrees east of 114.
    {"TwoHundredThousandCode", "J50R003004", "1:200000", "J50R003004", "J-50-(16)", 38, 117,
     38.666666666667, 118},
    {"FiveHundredFourDigitCodes", "K50K00010001", "1:500", "K50K00010001", nullptr, 43.998263888889,
     114, 44, 114.002604166667},
};

class SheetExamples : public ::testing::TestWithParam<SheetCase> {};

TEST_P(SheetExamples, GiveTheWorkedSheet) {
    const SheetCase& expected = GetParam();
    Connection connection;
    const std::vector<Row> rows =
        connection.query("SELECT * FROM mapsheet_sheet($1)", {std::string(expected.typed)});
    ASSERT_EQ(rows.size(), 1u);
    const Row& sheet = rows[0];
    EXPECT_EQ(sheet[0], Value{expected.scale});
    EXPECT_EQ(sheet[1], Value{expected.newNumber});
    EXPECT_EQ(sheet[2], expected.oldNumber ? Value{expected.oldNumber} : Value{});
    EXPECT_DOUBLE_EQ(std::stod(*sheet[3]), expected.south);
    EXPECT_DOUBLE_EQ(std::stod(*sheet[4]), expected.west);
    EXPECT_DOUBLE_EQ(std::stod(*sheet[5]), expected.north);
    EXPECT_DOUBLE_EQ(std::stod(*sheet[6]), expected.east);
}

INSTANTIATE_TEST_SUITE_P(Worked, SheetExamples, ::testing::ValuesIn(kSheetCases),
                         [](const auto& info) { return std::string(info.param.name); });

std::string exactDouble(const std::string& text) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.17g", std::stod(text));
    return buffer;
}

// Numbers the CLI cannot read either; SQL must reject them with the same reason.
const char* const kMalformedNumbers[] = {
    "K50X",           "J61",      "K50E025001", "K-50-[17]",
    "K-50-104-A-1-1", "J50F0010", "W50",        "K-50-104-(1)-e"};

class SheetsOfEveryScale : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(SheetsOfEveryScale, MatchTheCli) {
    const ScaleCase& scale = GetParam();
    Connection connection;
    std::vector<std::string> latitudes;
    std::vector<std::string> longitudes;
    for (const PointText& point : samplePoints(scale.index, 1000, 31 + scale.index)) {
        latitudes.push_back(point.latitude);
        longitudes.push_back(point.longitude);
    }
    // Both numberings of each sheet, so that the CLI and SQL read each form.
    std::vector<std::string> numbers;
    for (const Row& row : connection.query(
             "SELECT unnest(ARRAY[mapsheet_number(lat, lon, $3), mapsheet_old_number(lat, lon, "
             "$3)]) "
             "FROM unnest($1::float8[], $2::float8[]) AS p(lat, lon)",
             {arrayLiteral(latitudes), arrayLiteral(longitudes), std::string(scale.spelling)})) {
        if (row[0]) {
            numbers.push_back(*row[0]);
        }
    }
    numbers.insert(numbers.end(), std::begin(kMalformedNumbers), std::end(kMalformedNumbers));

    std::string input;
    for (const std::string& number : numbers) {
        input += number + "\n";
    }
    const std::vector<std::vector<std::string>> cli =
        commaFields(runCli({"sheet", "--format", "csv"}, input).output);
    ASSERT_EQ(cli.size(), numbers.size() + 1);

    // The numbers the CLI read go to SQL in one statement; each one it rejected goes alone.
    std::vector<std::string> accepted;
    std::vector<std::size_t> acceptedRecord;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        ASSERT_GE(cli[i + 1].size(), 11u) << numbers[i];
        // The error (field 8, quoted when it holds a comma) comes before id and area_m2.
        const std::vector<std::string> untilError(cli[i + 1].begin(), cli[i + 1].end() - 2);
        const std::string error = trailingField(untilError, 8);
        if (error.empty()) {
            accepted.push_back(numbers[i]);
            acceptedRecord.push_back(i + 1);
            continue;
        }
        const ServerError rejected = connection.error("SELECT mapsheet_sheet($1)", {numbers[i]});
        EXPECT_EQ(rejected.sqlState, "22023") << numbers[i];
        EXPECT_EQ(rejected.message, "invalid sheet number: " + error) << numbers[i];
    }
    const std::vector<Row> sheets = connection.query(
        "SELECT s.* FROM unnest($1::text[]) WITH ORDINALITY AS n(number, i), "
        "mapsheet_sheet(n.number) AS s ORDER BY n.i",
        {arrayLiteral(accepted)});
    ASSERT_EQ(sheets.size(), accepted.size());
    int mismatches = 0;
    for (std::size_t k = 0; k < accepted.size() && mismatches < 5; ++k) {
        const std::vector<std::string>& expected = cli[acceptedRecord[k]];
        std::string got;
        std::string want;
        for (std::size_t field = 0; field < 7; ++field) {
            // Edges are compared as the doubles both texts stand for.
            const auto text = [field](const std::string& value) {
                return field < 3 ? value : exactDouble(value);
            };
            got += text(sheets[k][field].value_or("")) + " ";
            want += text(expected[field + 1]) + " ";
        }
        if (got != want) {
            ++mismatches;
            ADD_FAILURE() << accepted[k] << ": SQL " << got << "\n CLI " << want;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryScale, SheetsOfEveryScale, ::testing::ValuesIn(kScaleCases),
                         [](const auto& info) { return scaleCaseName(info.param); });

}  // namespace
}  // namespace mapsheet::postgres_test
