// mapsheet_sheet on numbers whose sheets are worked out by hand from the numbering rules, and
// against `mapsheet-cli sheet` on numbers of every scale.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/postgres/server_connection.h"

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

}  // namespace
}  // namespace mapsheet::postgres_test
