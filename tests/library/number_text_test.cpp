#include "library/number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "library/double_digits.h"

namespace mapsheet {
namespace {

struct TextRow {
    const char* name;
    double value;
    const char* text;
};

TEST(DoubleText, WritesFifteenDigitsPlainOrWithExponent) {
    const TextRow rows[] = {
        {"fifteen nines", 999999999999999.0, "999999999999999"},
        {"ten to the fifteenth", 1e15, "1E+15"},
        {"exponent with digits", 1.2e15, "1.2E+15"},
        {"nine decimals stay plain", 0.000056789, "0.000056789"},
        {"sixteen decimals need exponent", 5.6789e-12, "5.6789E-12"},
        {"one twelfth", 1.0 / 12, "8.33333333333333E-02"},
        {"fifteen decimals stay plain", 1e-15, "0.000000000000001"},
        {"sixteen decimals", 1e-16, "1E-16"},
        {"zero", 0.0, "0"},
        {"negative zero", -0.0, "0"},
        {"negative", -2.5, "-2.5"},
        {"one tenth", 0.1, "0.1"},
        {"seventeen digits round to fifteen", 39.833333333333336, "39.8333333333333"},
        {"rounding carries into a new digit", 9.9999999999999995, "10"},
        {"rounding carries to the exponent form", 999999999999999.9, "1E+15"},
        {"integer with trailing zeros", 1200.0, "1200"},
        {"two to the fifty-sixth", 72057594037927936.0, "7.20575940379279E+16"},
        {"three-digit exponent", 1.5e300, "1.5E+300"},
        {"largest double", std::numeric_limits<double>::max(), "1.79769313486232E+308"},
        {"smallest subnormal", std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
        {"negative tiny", -5.6789e-12, "-5.6789E-12"},
        {"infinity", std::numeric_limits<double>::infinity(), "inf"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(doubleText(row.value), row.text);
        EXPECT_EQ(doubleTextHasExponent(row.value),
                  std::string(row.text).find('E') != std::string::npos);
    }
}

// Independent truth: std::to_chars with precision 14 gives the 15 digits exactly rounded.
TEST(DoubleText, DigitsAgreeWithToCharsOnRandomDoubles) {
    std::mt19937_64 random(20240601);
    for (int i = 0; i < 200000; ++i) {
        double value = 0;
        if (i % 2 == 0) {
            const std::uint64_t bits = random();
            std::memcpy(&value, &bits, sizeof value);
            if (!std::isfinite(value)) {
                continue;
            }
        } else {
            value = std::ldexp(static_cast<double>(random() >> 11),
                               static_cast<int>(random() % 110) - 100);
        }
        char buffer[40];
        const auto end =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14)
                .ptr;
        double expected = 0;
        std::from_chars(buffer, end, expected);
        const DoubleDigits digits = fifteenDigits(value);
        ASSERT_EQ(doubleText(expected), doubleText(value)) << buffer;
        // The text reads back to the value the 15 digits name, and names the same digits again.
        const double back = readLeadingDouble(doubleText(value));
        if (std::isfinite(expected)) {
            ASSERT_EQ(back, expected) << buffer;
            ASSERT_EQ(digits.toDouble(), expected) << buffer;
            ASSERT_EQ(doubleText(back), doubleText(value)) << buffer;
        }
        ASSERT_EQ(hasPlainText(value), digits.isPlain()) << buffer;
    }
}

struct ReadRow {
    const char* name;
    const char* text;
    double value;
};

TEST(ReadLeadingDouble, TakesTheLongestLeadingNumberAndIgnoresBlanks) {
    const double infinity = std::numeric_limits<double>::infinity();
    const ReadRow rows[] = {
        {"trailing letters", "12abc", 12},
        {"blanks inside", " 1 2", 12},
        {"no number", "abc", 0},
        {"empty", "", 0},
        {"leading point", "-.5", -0.5},
        {"plus sign", "+7", 7},
        {"blank after sign", "- 3", -3},
        {"exponent then letters", "1e3x", 1000},
        {"upper-case exponent with sign", "2.5E-2", 0.025},
        {"blanks in the exponent", "1 e 3", 1000},
        {"exponent without digits", "1e", 1},
        {"exponent sign without digits", "1e+x", 1},
        {"second point ends it", "1.2.3", 1.2},
        {"trailing point", "7.", 7},
        {"lone point", ".", 0},
        {"double sign", "--5", 0},
        {"comma ends it", "1,5", 1},
        {"tab and newline are blanks", "\t4\n2", 42},
        {"overflow", "1e999", infinity},
        {"negative overflow", "-1e400", -infinity},
        {"underflow", "1e-999", 0},
        {"huge exponent digits", "1e99999999999999999999", infinity},
        {"overflow with a fraction", "123.4e307", infinity},
        {"underflow below the point", "0.00012e-400", 0},
        {"underflow with integer digits", "12e-330", 0},
        {"smallest subnormal", "4.94065645841247E-324", std::numeric_limits<double>::denorm_min()},
        {"many leading zeros below the point", "0.0000000000000000000001e10", 1e-12},
        {"correct rounding", "0.1", 0.1},
        {"seventeen digits", "39.833333333333336", 39.833333333333336},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(readLeadingDouble(row.text), row.value);
    }
    EXPECT_TRUE(std::signbit(readLeadingDouble("-0")));
}

struct RoundRow {
    const char* name;
    double value;
    int decimals;
    double rounded;
};

TEST(RoundDoubleHalfEven, RoundsTheDigitsOfTheText) {
    const RoundRow rows[] = {
        {"half to even down", 2.5, 0, 2},
        {"half to even up", 3.5, 0, 4},
        {"negative half", -2.5, 0, -2},
        {"one eighth", 0.125, 2, 0.12},
        {"binary value below the digits", 2.675, 2, 2.68},
        {"more than half", 2.6751, 2, 2.68},
        {"already short", 1.5, 3, 1.5},
        {"half of the first digit", 0.5, 0, 0},
        {"below half of the first digit", 0.004, 2, 0},
        {"carry through nines", 9.995, 2, 10},
        {"twelve decimals", 0.333333333333333, 12, 0.333333333333},
        {"decimals clamped to fifteen", 0.1, 40, 0.1},
        {"negative decimals clamped to zero", 7.5, -3, 8},
        {"large value", 1.5e20, 0, 1.5e20},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(roundDoubleHalfEven(row.value, row.decimals), row.rounded);
    }
    EXPECT_FALSE(std::signbit(roundDoubleHalfEven(-0.4, 0)));
}

struct FormatRow {
    const char* name;
    double value;
    const char* pattern;
    const char* text;
};

TEST(FormatDouble, PadsAndRoundsHalvesAwayFromZero) {
    const FormatRow rows[] = {
        {"binary value below the digits", 2.675, "0.00", "2.68"},
        {"half away from zero", 8.5, "00", "09"},
        {"negative half", -8.5, "00", "-09"},
        {"four digits", 12, "0000", "0012"},
        {"pads decimals", 3.1, "00.00", "03.10"},
        {"wider than the pattern", 12345.678, "00", "12346"},
        {"negative rounds to zero without sign", -0.004, "0.00", "0.00"},
        {"many decimals", 0.1, "0.0000000000000000000000000", "0.1000000000000000000000000"},
        {"large value", 1.2e20, "0", "120000000000000000000"},
        {"tiny value", 5.6789e-12, "0.00000000000", "0.00000000001"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(formatDouble(row.value, row.pattern), row.text);
    }
}

}  // namespace
}  // namespace mapsheet
