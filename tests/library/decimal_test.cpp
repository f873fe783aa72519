// Rules of the decimal type, one named row per rule a user relies on when typing 28-digit values.

#include "library/decimal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace mapsheet {
namespace {

constexpr const char* kMax = "79228162514264337593543950335";  // 2^96 - 1

Decimal d(const char* text) {
    return Decimal::parse(text);
}

struct ParseRow {
    const char* name;
    const char* text;
    const char* expected;  // toString() of the result
    int scale;
};

TEST(DecimalParse, KeepsOrRoundsDigits) {
    const std::vector<ParseRow> rows = {
        {"integer", "42", "42", 0},
        {"blanks and plus sign", "  +12.25\t", "12.25", 2},
        {"negative", "-0.05", "-0.05", 2},
        {"leading point", ".5", "0.5", 1},
        {"trailing point", "1.", "1", 0},
        {"trailing zeros dropped", "1.50", "1.5", 1},
        {"leading zeros dropped", "007.0100", "7.01", 2},
        {"exponent", "1E3", "1000", 0},
        {"negative exponent", "1.5e-2", "0.015", 3},
        {"explicit positive exponent", "2.5E+2", "250", 0},
        {"negative zero is zero", "-0.000", "0", 0},
        {"zero with huge exponent", "0e999999999999999999", "0", 0},
        {"maximum", kMax, kMax, 0},
        {"negative maximum", "-79228162514264337593543950335", "-79228162514264337593543950335", 0},
        {"fraction of maximum below half rounds down", "79228162514264337593543950335.49", kMax, 0},
        {"29 digits that fit stay whole", "7.9228162514264337593543950335",
         "7.9228162514264337593543950335", 28},
        {"29 digits beyond 2^96 lose one", "7.92281625142643375935439503355",
         "7.922816251426433759354395034", 27},
        {"29th decimal rounds up", "0.12345678901234567890123456789",
         "0.1234567890123456789012345679", 28},
        {"29th decimal half rounds to even (down)", "0.12345678901234567890123456785",
         "0.1234567890123456789012345678", 28},
        {"29th decimal half rounds to even (up)", "0.12345678901234567890123456775",
         "0.1234567890123456789012345678", 28},
        {"half followed by a digit rounds up", "0.123456789012345678901234567850001",
         "0.1234567890123456789012345679", 28},
        {"28 decimals kept", "0.1234567890123456789012345678", "0.1234567890123456789012345678",
         28},
        {"29-digit integer with a half rounds to even", "12345678901234567890123456789.5",
         "12345678901234567890123456790", 0},
        {"smallest", "0.0000000000000000000000000001", "0.0000000000000000000000000001", 28},
        {"exactly half of the smallest is zero (even)", "0.00000000000000000000000000005", "0", 0},
        {"just over half of the smallest", "0.000000000000000000000000000051",
         "0.0000000000000000000000000001", 28},
        {"one and a half of the smallest rounds to even", "1.5E-28",
         "0.0000000000000000000000000002", 28},
        {"tiny value vanishes", "1E-40", "0", 0},
        {"rounding carries into the integer part", "0.99999999999999999999999999999", "1", 0},
        {"many digits at a large integer part", "123456789012345678901234.56789012345",
         "123456789012345678901234.56789", 5},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Decimal value = Decimal::parse(row.text);
        EXPECT_EQ(value.toString(), row.expected);
        EXPECT_EQ(value.scale(), row.scale);
    }
}

enum class Failure { kOverflow, kConversion, kDivideByZero };

void expectFailure(Failure kind, const std::string& quoted, auto&& action) {
    try {
        action();
        ADD_FAILURE() << "no exception";
    } catch (const DecimalOverflow& error) {
        EXPECT_EQ(kind, Failure::kOverflow) << error.what();
        EXPECT_NE(std::string(error.what()).find(quoted), std::string::npos) << error.what();
    } catch (const DecimalConversionError& error) {
        EXPECT_EQ(kind, Failure::kConversion) << error.what();
        EXPECT_NE(std::string(error.what()).find(quoted), std::string::npos) << error.what();
    } catch (const DecimalDivideByZero& error) {
        EXPECT_EQ(kind, Failure::kDivideByZero) << error.what();
        EXPECT_NE(std::string(error.what()).find(quoted), std::string::npos) << error.what();
    }
}

TEST(DecimalParse, RejectsWithTheValueQuoted) {
    struct Row {
        const char* name;
        const char* text;
        Failure kind;
    };
    const std::vector<Row> rows = {
        {"empty", "", Failure::kConversion},
        {"blanks only", "   ", Failure::kConversion},
        {"letters", "abc", Failure::kConversion},
        {"two points", "1.2.3", Failure::kConversion},
        {"sign only", "-", Failure::kConversion},
        {"point only", ".", Failure::kConversion},
        {"exponent without digits", "1e", Failure::kConversion},
        {"exponent sign without digits", "1e+", Failure::kConversion},
        {"trailing letters", "12abc", Failure::kConversion},
        {"inner blank", "1 2", Failure::kConversion},
        {"two signs", "+-1", Failure::kConversion},
        {"one above the maximum", "79228162514264337593543950336", Failure::kOverflow},
        {"half above the maximum rounds beyond it", "79228162514264337593543950335.5",
         Failure::kOverflow},
        {"30 integer digits", "100000000000000000000000000000", Failure::kOverflow},
        {"large exponent", "1E29", Failure::kOverflow},
        {"negative beyond the range", "-8E28", Failure::kOverflow},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        expectFailure(row.kind, "\"" + std::string(row.text) + "\"",
                      [&] { Decimal::parse(row.text); });
    }
}

TEST(DecimalFromDouble, GoesThroughFifteenDigits) {
    struct Row {
        const char* name;
        double value;
        const char* expected;
    };
    const std::vector<Row> rows = {
        {"2^56 keeps 15 digits", 72057594037927936.0, "72057594037927900"},
        {"0.1 is not its binary expansion", 0.1, "0.1"},
        {"a third", 1.0 / 3.0, "0.333333333333333"},
        {"negative", -2.675, "-2.675"},
        {"zero", 0.0, "0"},
        {"negative zero", -0.0, "0"},
        {"tiny becomes zero", 1e-30, "0"},
        {"large", 1.5e20, "150000000000000000000"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Decimal::fromDouble(row.value).toString(), row.expected);
    }
    expectFailure(Failure::kConversion, "nan",
                  [] { Decimal::fromDouble(std::numeric_limits<double>::quiet_NaN()); });
    expectFailure(Failure::kConversion, "inf",
                  [] { Decimal::fromDouble(std::numeric_limits<double>::infinity()); });
    expectFailure(Failure::kOverflow, "\"1e+29\"", [] { Decimal::fromDouble(1e29); });
}

struct ArithmeticRow {
    const char* name;
    const char* a;
    char operation;
    const char* b;
    const char* expected;  // toString(), or "overflow" / "divide by zero"
};

Decimal apply(const Decimal& a, char operation, const Decimal& b) {
    switch (operation) {
        case '+':
            return a + b;
        case '-':
            return a - b;
        case '*':
            return a * b;
        default:
            return a / b;
    }
}

TEST(DecimalArithmetic, ExactOrNearest) {
    const std::vector<ArithmeticRow> rows = {
        {"sum of different scales", "1.25", '+', "0.001", "1.251"},
        {"sum sheds trailing zeros", "0.75", '+', "0.25", "1"},
        {"difference changes sign", "1.5", '-', "2.75", "-1.25"},
        {"difference of equal values is unsigned zero", "-3.5", '-', "-3.5", "0"},
        {"sum at the maximum", kMax, '+', "0", kMax},
        {"sum beyond the maximum", kMax, '+', "1", "overflow"},
        {"difference beyond the negative maximum", "-79228162514264337593543950335", '-', "1",
         "overflow"},
        {"sum rounded to fit", kMax, '+', "0.4", kMax},
        {"sum lowering the scale rounds a half to even (down)", "7.0000000000000000000000000005",
         '+', "1", "8"},
        {"sum lowering the scale rounds a half to even (up)", "7.0000000000000000000000000015", '+',
         "1", "8.000000000000000000000000002"},
        {"sum beyond 96 bits is exact once its zeros go", "9.9999999999999999999999999999", '+',
         "0.0000000000000000000000000001", "10"},
        {"large plus tiny rounds the tiny away", "1000000000000000000000000000", '+',
         "0.0000000000000000000000000001", "1000000000000000000000000000"},
        {"product exact", "1.1", '*', "1.1", "1.21"},
        {"product sheds trailing zeros", "2.5", '*', "0.4", "1"},
        {"product of 28 decimals rounded", "0.1234567890123456789012345678", '*',
         "0.1234567890123456789012345678", "0.0152415787532388367504953515"},
        {"product rounded to fit 96 bits", "7.9228162514264337593543950335", '*',
         "7.9228162514264337593543950335", "62.77101735386680763835789423"},
        {"product tie rounds to even", "0.0000000000000000000000000005", '*', "0.1", "0"},
        {"product tie rounds to even (up)", "0.0000000000000000000000000015", '*', "0.1",
         "0.0000000000000000000000000002"},
        {"product below the smallest", "0.0000000000000000000000000001", '*', "0.1", "0"},
        {"product beyond the maximum", "8000000000000000", '*', "10000000000000", "overflow"},
        {"product at the maximum", kMax, '*', "1", kMax},
        {"product of the maximum and a half", kMax, '*', "0.5", "39614081257132168796771975168"},
        {"quotient of a quarter", "1", '/', "4", "0.25"},
        {"quotient without the trailing zero", "1.0", '/', "2", "0.5"},
        {"quotient of a third", "1", '/', "3", "0.3333333333333333333333333333"},
        {"quotient of two thirds rounds up", "2", '/', "3", "0.6666666666666666666666666667"},
        {"quotient keeps 29 digits", "10", '/', "3", "3.3333333333333333333333333333"},
        {"quotient with a large integer part", "100000000000000000000000", '/', "3",
         "33333333333333333333333.333333"},
        {"quotient exact at a negative scale difference", "10", '/', "0.001", "10000"},
        {"quotient of the maximum by a half overflows", kMax, '/', "0.5", "overflow"},
        {"quotient of the maximum by two rounds half to even", kMax, '/', "2",
         "39614081257132168796771975168"},
        {"quotient below the smallest", "0.0000000000000000000000000001", '/', "3", "0"},
        {"quotient tie at 28 decimals to even (down)", "0.0000000000000000000000000001", '/', "2",
         "0"},
        {"quotient tie at 28 decimals to even (up)", "0.0000000000000000000000000003", '/', "2",
         "0.0000000000000000000000000002"},
        {"quotient tie in the remainder to even", "7.9228162514264337593543950335", '/', "2",
         "3.9614081257132168796771975168"},
        {"quotient negative", "-7", '/', "8", "-0.875"},
        {"quotient by zero", "1", '/', "0", "divide by zero"},
        {"quotient of zero by zero", "0", '/', "0.00", "divide by zero"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Decimal a = d(row.a);
        const Decimal b = d(row.b);
        const std::string expected = row.expected;
        const std::string quoted = std::string(row.a) + " " + row.operation + " " + row.b;
        if (expected == "overflow") {
            expectFailure(Failure::kOverflow, quoted, [&] { apply(a, row.operation, b); });
        } else if (expected == "divide by zero") {
            expectFailure(Failure::kDivideByZero, std::string(row.a) + " / 0",
                          [&] { apply(a, row.operation, b); });
        } else {
            EXPECT_EQ(apply(a, row.operation, b).toString(), expected);
        }
    }
}

TEST(DecimalText, PlainWithoutTrailingZeros) {
    struct Row {
        const char* name;
        bool negative;
        std::uint64_t coefficient;
        int scale;
        const char* expected;
    };
    const std::vector<Row> rows = {
        {"trailing zeros of stored parts", false, 1500, 3, "1.5"},
        {"zero before the point", false, 5, 1, "0.5"},
        {"zeros after the point", true, 5, 2, "-0.05"},
        {"negative zero", true, 0, 4, "0"},
        {"integer", false, 120, 0, "120"},
        {"integer with stored zeros", true, 1000, 3, "-1"},
        {"all 28 decimals", false, 1, 28, "0.0000000000000000000000000001"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Decimal::fromParts(row.negative, row.coefficient, row.scale).toString(),
                  row.expected);
    }
    EXPECT_EQ(d(kMax).toString(), kMax);
    EXPECT_EQ(d("-7.9228162514264337593543950335").toString(), "-7.9228162514264337593543950335");
    expectFailure(Failure::kOverflow, "E-29", [] { Decimal::fromParts(false, 1, 29); });
    expectFailure(Failure::kOverflow, "79228162514264337593543950336",
                  [] { Decimal::fromParts(false, d(kMax).coefficient() + 1, 0); });
}

TEST(DecimalText, FormatsWithDigitPatterns) {
    struct Row {
        const char* name;
        const char* value;
        const char* pattern;
        const char* expected;
    };
    const std::vector<Row> rows = {
        {"0 rounds a half away from zero", "2.5", "0", "3"},
        {"0 rounds a negative half away from zero", "-2.5", "0", "-3"},
        {"0 rounds below a half down", "2.49", "0", "2"},
        {"0 keeps a wide integer", "12345", "0", "12345"},
        {"00 pads", "7", "00", "07"},
        {"00 rounds 8.5 up", "8.5", "00", "09"},
        {"00 rounds into a third digit", "99.5", "00", "100"},
        {"0000 pads hundredths of seconds", "4500", "0000", "4500"},
        {"0000 pads a small value", "45", "0000", "0045"},
        {"00.00 pads both sides", "5.5", "00.00", "05.50"},
        {"00.00 rounds the last decimal half away", "59.995", "00.00", "60.00"},
        {"00.00 negative", "-3.125", "00.00", "-03.13"},
        {"0.00 drops the sign of a rounded zero", "-0.001", "0.00", "0.00"},
        {"0 drops the sign of a rounded zero", "-0.4", "0", "0"},
        {"0.0 of zero", "0", "0.0", "0.0"},
        {"0. with six zeros", "39.5845", "0.000000", "39.584500"},
        {"0. with decimals of a tiny value", "0.0000000000000000000000000001",
         "0.0000000000000000000000000000", "0.0000000000000000000000000001"},
        {"0. with 28 zeros at the maximum", kMax, "0.0000000000000000000000000000",
         "79228162514264337593543950335.0000000000000000000000000000"},
        {"00. with 24 zeros at the maximum", kMax, "00.000000000000000000000000",
         "79228162514264337593543950335.000000000000000000000000"},
        {"00. with 24 zeros at 28 decimals", "7.9228162514264337593543950335",
         "00.000000000000000000000000", "07.922816251426433759354395"},
        {"00. with 24 zeros rounding up", "0.1234567890123456789012345678",
         "00.000000000000000000000000", "00.123456789012345678901235"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(d(row.value).format(row.pattern), row.expected);
    }
    expectFailure(Failure::kConversion, "\"#.##\"", [] { d("1").format("#.##"); });
}

TEST(DecimalConversion, IntegersHalvesToEven) {
    struct Row {
        const char* name;
        const char* value;
        std::int32_t expected;
    };
    const std::vector<Row> rows = {
        {"2.5 to even below", "2.5", 2},
        {"3.5 to even above", "3.5", 4},
        {"-2.5 to even", "-2.5", -2},
        {"-3.5 to even", "-3.5", -4},
        {"just over a half", "2.5000000000000000000000000001", 3},
        {"below a half", "-2.4999", -2},
        {"largest", "2147483647.4", 2147483647},
        {"smallest", "-2147483648.5", -2147483648},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(d(row.value).toInt32(), row.expected);
    }
    expectFailure(Failure::kOverflow, "2147483647.5", [] { d("2147483647.5").toInt32(); });
    expectFailure(Failure::kOverflow, "-2147483649", [] { d("-2147483649").toInt32(); });
    expectFailure(Failure::kOverflow, kMax, [] { d(kMax).toInt32(); });
}

TEST(DecimalConversion, FloorTruncateAbsNegate) {
    struct Row {
        const char* name;
        const char* value;
        const char* floor;
        const char* truncated;
    };
    const std::vector<Row> rows = {
        {"positive fraction", "2.7", "2", "2"},
        {"negative fraction", "-2.7", "-3", "-2"},
        {"negative small fraction", "-0.5", "-1", "0"},
        {"negative integer", "-4", "-4", "-4"},
        {"tiny negative", "-0.0000000000000000000000000001", "-1", "0"},
        {"maximum", kMax, kMax, kMax},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(d(row.value).floor().toString(), row.floor);
        EXPECT_EQ(d(row.value).truncate().toString(), row.truncated);
    }
    EXPECT_EQ(d("-1.25").abs().toString(), "1.25");
    EXPECT_EQ((-d("1.25")).toString(), "-1.25");
    EXPECT_EQ((-d("0")).toString(), "0");
    EXPECT_FALSE((-d("0")).isNegative());
    EXPECT_EQ(Decimal(std::numeric_limits<std::int64_t>::min()).toString(), "-9223372036854775808");
}

TEST(DecimalConversion, NearestDouble) {
    // The compiler reads the literals independently, correctly rounded.
    struct Row {
        const char* text;
        double expected;
    };
    const std::vector<Row> rows = {
        {"0.1", 0.1},
        {"-2.5", -2.5},
        {"0.3333333333333333333333333333", 0.3333333333333333333333333333},
        {"79228162514264337593543950335", 79228162514264337593543950335.0},
        {"0.0000000000000000000000000001", 1e-28},
        {"9007199254740993", 9007199254740993.0},  // a tie between two doubles
        {"0", 0.0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(d(row.text).toDouble(), row.expected);
    }
}

TEST(DecimalComparison, NumericOrder) {
    struct Row {
        const char* name;
        const char* a;
        const char* b;
        std::strong_ordering expected;
    };
    const std::vector<Row> rows = {
        {"equal at different scales", "1.5", "1.50", std::strong_ordering::equal},
        {"negative zero equals zero", "-0", "0.000", std::strong_ordering::equal},
        {"scale does not decide", "0.9", "0.10", std::strong_ordering::greater},
        {"negatives reversed", "-0.9", "-0.10", std::strong_ordering::less},
        {"sign decides", "-5", "0.0000000000000000000000000001", std::strong_ordering::less},
        {"maximum against its 28-decimal neighbour", kMax, "7.9228162514264337593543950335",
         std::strong_ordering::greater},
        {"smallest steps", "0.0000000000000000000000000002", "0.0000000000000000000000000001",
         std::strong_ordering::greater},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(d(row.a) <=> d(row.b), row.expected);
        EXPECT_EQ(d(row.b) <=> d(row.a), 0 <=> row.expected);
    }
}

}  // namespace
}  // namespace mapsheet
