#include "library/ModuleQmb.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <utility>

#include "library/double_digits.h"
#include "library/number_text.h"

namespace mapsheet::ModuleQmb {
namespace {

// Every test starts with 精确模式 off and an empty log, and leaves them so.
class ModuleQmbTest : public ::testing::Test {
  protected:
    void SetUp() override {
        savedMode_ = 精确模式;
        精确模式 = false;
        清除运算信息();
    }
    void TearDown() override {
        精确模式 = savedMode_;
        清除运算信息();
    }

  private:
    bool savedMode_ = false;
};

Decimal dec(const char* text) {
    return Decimal::parse(text);
}

std::string overflowMessage(const char* operation, const std::string& operands) {
    return std::string("  进行[") + operation + "]运算时， " + operands +
           " 数值超出计算范围！返回数值用 [1] 表示。";
}

TEST_F(ModuleQmbTest, SignificantDigitCount) {
    struct Row {
        const char* name;
        Operand value;
        int count;
    };
    const Row rows[] = {
        {"leading zeros do not count", "0.00120", 3},
        {"scan stops at the exponent", "-1.5E+20", 2},
        {"empty text", "", 0},
        {"blanks and inner zeros", "  1 200 ", 4},
        {"comma stops the scan", "1,5", 1},
        {"double written with exponent", 1.0 / 12, 15},
        {"decimal", dec("0.1234567890123456789012345678"), 28},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(判断数的有效字符长度(row.value), row.count);
    }
    EXPECT_EQ(日志().信息条数, 0);
}

TEST_F(ModuleQmbTest, NumberConversionWithExactModeOff) {
    const Number empty = 数转数("  ");
    EXPECT_TRUE(empty.isDecimal());
    EXPECT_EQ(empty.text(), "0");
    EXPECT_EQ(日志().近似运算次数, 0);

    const Number tenth = 数转数(0.1);
    EXPECT_FALSE(tenth.isDecimal());
    EXPECT_EQ(tenth.toDouble(), 0.1);
    EXPECT_EQ(日志().有效数字位数, 15);
    EXPECT_EQ(日志().近似运算次数, 1);

    // A double stands for its 15-digit text, a decimal for its nearest double.
    EXPECT_EQ(数转数(39.833333333333336).toDouble(), 39.8333333333333);
    EXPECT_EQ(数转数(dec("0.1")).toDouble(), 0.1);
    EXPECT_EQ(数转数(" 12abc").toDouble(), 12);
    EXPECT_EQ(数转数("abc").toDouble(), 0);
}

TEST_F(ModuleQmbTest, NumberConversionWithExactModeOn) {
    精确模式 = true;
    struct Row {
        const char* name;
        Operand value;
        bool decimal;
        const char* text;
    };
    const Row rows[] = {
        {"typed decimal keeps its digits", "0.1234567890123456789", true, "0.1234567890123456789"},
        {"double through its 15 digits", 0.1, true, "0.1"},
        {"zero", "0", true, "0"},
        {"exponent within range", "1.5e-20", true, "0.000000000000000000015"},
        {"below 1e-28 stays double", "1e-30", false, "1E-30"},
        {"digits cut at the 28th decimal stay double", "1.23456e-27", false, "1.23456E-27"},
        {"beyond the decimal range stays double", "79228162514264337593543950335", false,
         "7.92281625142643E+28"},
        {"just inside the decimal range", "79228162514264100000000000000", true,
         "79228162514264100000000000000"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        清除运算信息();
        const Number number = 数转数(row.value);
        EXPECT_EQ(number.isDecimal(), row.decimal);
        EXPECT_EQ(number.text(), row.text);
        EXPECT_EQ(日志().近似运算次数, row.decimal ? 0 : 1);
        EXPECT_EQ(日志().有效数字位数, row.decimal ? 29 : 15);
        EXPECT_EQ(日志().信息条数, 0);
    }
}

TEST_F(ModuleQmbTest, NumberConversionFailures) {
    struct Row {
        const char* name;
        bool exactMode;
        const char* text;
    };
    const Row rows[] = {
        {"overflowing double", false, " 1e999 "},
        {"overflowing double in exact mode", true, "1e999"},
        {"no decimal in exact mode", true, "12abc"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        清除运算信息();
        精确模式 = row.exactMode;
        const Number number = 数转数(row.text);
        EXPECT_EQ(number.text(), "1");
        const std::string typed = std::string(trimBlanks(row.text));
        EXPECT_EQ(日志().运算信息,
                  "  进行[数转数]运算时， " + typed + " 数值超出计算范围！返回数值用[1]表示。\r\n");
    }
}

TEST_F(ModuleQmbTest, ArithmeticIsExactWhenTheDoubleResultShowsNoExponent) {
    struct Row {
        const char* name;
        Number (*operation)(const Operand&, const Operand&);
        Operand a;
        Operand b;
        bool decimal;
        const char* text;
    };
    const Row rows[] = {
        {"difference of tenths", 求两数差, 0.3, 0.1, true, "0.2"},
        {"difference of 15-digit texts", 求两数差, 39.833333333333336, 36, true, "3.8333333333333"},
        {"product", 求两数积, 1.1, 1.1, true, "1.21"},
        {"quotient of thirds", 求两数商, 1, 3, true, "0.3333333333333333333333333333"},
        {"quotient of texts", 求两数商, "10", "4", true, "2.5"},
        {"quotient whose double needs an exponent", 求两数商, 1, 12, false, "8.33333333333333E-02"},
        {"large product", 求两数积, 1e10, 1e10, false, "1E+20"},
        {"operand with exponent", 求两数差, 1e20, 1, false, "1E+20"},
        {"text that is no decimal", 求两数差, "12abc", "2", false, "10"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        清除运算信息();
        const Number result = row.operation(row.a, row.b);
        EXPECT_EQ(result.isDecimal(), row.decimal);
        EXPECT_EQ(result.text(), row.text);
        EXPECT_EQ(日志().精确运算次数, row.decimal ? 1 : 0);
        EXPECT_EQ(日志().信息条数, 0);
    }
}

TEST_F(ModuleQmbTest, DecimalUnderflowFallsBackToDouble) {
    精确模式 = true;
    const Number product = 求两数积("1e-20", "1e-20");
    EXPECT_FALSE(product.isDecimal());
    EXPECT_EQ(product.text(), "1E-40");
    EXPECT_EQ(日志().精确运算次数, 0);
    EXPECT_EQ(日志().有效数字位数, 15);
}

TEST_F(ModuleQmbTest, ArithmeticFailuresQuoteTheOperands) {
    struct Row {
        const char* name;
        Number (*operation)(const Operand&, const Operand&);
        Operand a;
        Operand b;
        std::string message;
    };
    const Row rows[] = {
        {"division by zero", 求两数商, 1, 0, overflowMessage("求两数商", "1/0")},
        {"trimmed texts", 求两数商, "  5 ", " 0", overflowMessage("求两数商", "5/0")},
        {"product overflow", 求两数积, "1e200", "1e200",
         overflowMessage("求两数积", "1e200*1e200")},
        {"difference overflow", 求两数差, 1e308, -1e308,
         overflowMessage("求两数差", "1E+308--1E+308")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        清除运算信息();
        const Number result = row.operation(row.a, row.b);
        EXPECT_EQ(result.text(), "1");
        EXPECT_EQ(日志().信息条数, 1);
        EXPECT_EQ(日志().最近信息, row.message);
    }
}

struct RemainderRow {
    const char* name;
    Operand a;
    Operand b;
    const char* text;
};

TEST_F(ModuleQmbTest, RemainderHasTheSignOfTheDividend) {
    const RemainderRow rows[] = {
        {"positive", 43.5, 4, "3.5"},
        {"negative", -43.5, 4, "-3.5"},
        {"whole multiple", 180, 6, "0"},
        {"integers", -7, 4, "-3"},
        {"latitude on a sheet edge", 40.0, 4, "0"},
        {"latitude of 39 degrees 50 minutes", 39.833333333333336, 4, "3.8333333333333"},
        {"longitude", 117.5 + 180, 6, "3.5"},
        {"texts", "41.0123456789", "4", "1.0123456789"},
        {"quotient written with exponent", 1, 12, "1"},
        {"negative quotient written with exponent", -1, 12, "-1"},
        {"zero dividend", 0.0, 4, "0"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        清除运算信息();
        const Number remainder = 求两数余(row.a, row.b);
        EXPECT_EQ(remainder.text(), row.text);
        EXPECT_EQ(日志().信息条数, 0);
    }
    EXPECT_TRUE(求两数余(40.0, 4).isDecimal());
    EXPECT_EQ(求两数余(40.0, 4).toDecimal(), Decimal(0));
}

TEST_F(ModuleQmbTest, RemainderByZeroFailsAfterTheQuotient) {
    const Number remainder = 求两数余(7, 0);
    EXPECT_EQ(remainder.text(), "1");
    EXPECT_EQ(日志().信息条数, 2);
    EXPECT_EQ(日志().首条信息, overflowMessage("求两数商", "7/0"));
    EXPECT_EQ(日志().最近信息, overflowMessage("求两数余", "7余0"));
}

// Independent truth: for latitudes of at most ten decimals, by 4, the quotient never rounds to
// the next integer, so the remainder is the exact decimal a - 4 * trunc(a / 4). Only a remainder
// below 0.1 may come out as a double: the double difference that decides the path carries the
// binary error of the latitude, and its 15-digit text then needs an exponent (40.05 - 40 is
// 4.99999999999972E-02).
TEST_F(ModuleQmbTest, RemainderOfLatitudesIsTheExactDecimalRemainder) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        const auto micro = static_cast<std::int64_t>(random() % 1760000000000ULL) - 880000000000LL;
        const double latitude = static_cast<double>(micro) / 1e10;
        const Decimal typed = Decimal::parse(doubleText(latitude));
        const Decimal expected = typed - Decimal(4) * (typed / Decimal(4)).truncate();
        const Number remainder = 求两数余(latitude, 4.0);
        if (remainder.isDecimal()) {
            ASSERT_EQ(remainder.toDecimal(), expected) << doubleText(latitude);
        } else {
            ASSERT_LT(expected.abs(), Decimal::parse("0.1")) << doubleText(latitude);
            ASSERT_NEAR(remainder.toDouble(), expected.toDouble(), 1e-14) << doubleText(latitude);
        }
    }
}

// The path for doubles must match the composition, which texts take, result and log alike.
void expectSameAsComposition(double a, double b) {
    清除运算信息();
    const Number fast = 求两数余(a, b);
    const 运算日志 fastLog = 日志();
    清除运算信息();
    const Number composed = 求两数余(doubleText(a), doubleText(b));
    const 运算日志& composedLog = 日志();
    const std::string operands = doubleText(a) + " by " + doubleText(b);
    ASSERT_EQ(fast.text(), composed.text()) << operands;
    ASSERT_EQ(fast.isDecimal(), composed.isDecimal()) << operands;
    ASSERT_EQ(fastLog.精确运算次数, composedLog.精确运算次数) << operands;
    ASSERT_EQ(fastLog.近似运算次数, composedLog.近似运算次数) << operands;
    ASSERT_EQ(fastLog.运算信息, composedLog.运算信息) << operands;
}

TEST_F(ModuleQmbTest, RemainderOfDoublesMatchesTheRemainderOfTheirTexts) {
    const std::pair<double, double> chosen[] = {
        {0.0, 4},
        {-0.0, 4},
        {4, 4},
        {-4, 4},
        {1e-15, 3},
        {0.05, 4},
        {999999999999999, 7},
        {1e15, 4},
        {7, 1e20},
        {1e-300, 1e-300},
        {40.05, 4},
        {-1, 12},
        {5e-324, 1},
        {3, 0.0},
        {2.5, -0.5},
    };
    for (const auto& [a, b] : chosen) {
        expectSameAsComposition(a, b);
    }
    // Decimal operands are read as their nearest doubles, as their texts are.
    const std::pair<const char*, const char*> decimals[] = {
        {"41.0123456789012345678", "4"},
        {"-39.83333333333333333333333333", "4"},
        {"297.5", "6"},
        {"0.0000000000000000001", "3"},
    };
    for (const auto& [a, b] : decimals) {
        SCOPED_TRACE(a);
        清除运算信息();
        const Number fast = 求两数余(dec(a), dec(b));
        const 运算日志 fastLog = 日志();
        清除运算信息();
        const Number composed = 求两数余(a, b);
        EXPECT_EQ(fast.text(), composed.text());
        EXPECT_EQ(fastLog.精确运算次数, 日志().精确运算次数);
        EXPECT_EQ(fastLog.近似运算次数, 日志().近似运算次数);
    }
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double divisors[] = {4, 6, 12, 24, 3, 7, 0.1, 1.0 / 3, 2.5, 1e-7, 123456789.123};
    for (int i = 0; i < 60000; ++i) {
        double a = 0;
        double b = 0;
        switch (i % 4) {
            case 0:  // positions and zone widths
                a = unit(random) * 360 - 180;
                b = divisors[random() % 4];
                break;
            case 1:  // 15-digit values by 4: a quarter of them divide to exact 15-digit midpoints
                a = static_cast<double>(100000000000000 + random() % 900000000000000) / 1e13;
                b = 4;
                break;
            case 2:
                a = (unit(random) - 0.5) * std::pow(10.0, static_cast<int>(random() % 30) - 12);
                b = divisors[random() % std::size(divisors)] * (random() % 2 == 0 ? 1 : -1);
                break;
            default:
                a = (unit(random) - 0.5) * std::pow(10.0, static_cast<int>(random() % 20) - 5);
                b = (unit(random) - 0.5) * std::pow(10.0, static_cast<int>(random() % 20) - 10);
                break;
        }
        expectSameAsComposition(a, b);
    }
}

TEST_F(ModuleQmbTest, IntegerPart) {
    struct Row {
        const char* name;
        Operand value;
        const char* text;
    };
    const Row rows[] = {
        {"negative below one", -0.5, "-0"},
        {"positive", 12.9, "12"},
        {"negative", -12.9, "-12"},
        {"large double keeps its exponent", "1e20", "1E+20"},
        {"tiny positive", 1e-20, "0"},
        {"tiny negative", -1e-20, "-0"},
        {"no number", "abc", "0"},
        {"empty", "", "0"},
        {"decimal", dec("123456789012345678901234.5"), "1.23456789012346E+23"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(取数值的整数部分(row.value), row.text);
    }
    精确模式 = true;
    EXPECT_EQ(取数值的整数部分(dec("123456789012345678901234.5")), "123456789012345678901234");
    EXPECT_EQ(取数值的整数部分("-0.5"), "-0");
}

TEST_F(ModuleQmbTest, PositionOfE) {
    struct Row {
        const char* name;
        Operand value;
        int position;
    };
    const Row rows[] = {
        {"upper case", "1.5E+20", 4}, {"lower case", " 1.5e3", 4},         {"absent", "15", 0},
        {"double text", 1e20, 2},     {"characters, not bytes", "°1E", 3},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(E位置(row.value), row.position);
    }
}

TEST_F(ModuleQmbTest, RoundingFollowsTheMode) {
    struct Row {
        const char* name;
        bool exactMode;
        Operand value;
        int decimals;
        bool decimal;
        const char* text;
    };
    const Row rows[] = {
        {"exact half away from zero", true, 2.5, 0, true, "3"},
        {"double half to even", false, 2.5, 0, false, "2"},
        {"exact reads typed digits beyond 28 decimals half to even", true,
         "0.12345678901234567890123456785", 28, true, "0.1234567890123456789012345678"},
        {"exact rounds 28 digits half away from zero", true, "0.1234567890123456789012345675", 27,
         true, "0.123456789012345678901234568"},
        {"double at most 15 decimals", false, "0.1234567890123456789", 28, false,
         "0.123456789012346"},
        {"exact negative", true, "-2.345", 2, true, "-2.35"},
        {"double of a 15-digit text", false, 2.675, 2, false, "2.68"},
        {"exact with exponent goes double", true, "1e-30", 2, false, "0"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        清除运算信息();
        精确模式 = row.exactMode;
        const Number rounded = 四舍五入(row.value, row.decimals);
        EXPECT_EQ(rounded.isDecimal(), row.decimal);
        EXPECT_EQ(rounded.text(), row.text);
        EXPECT_EQ(日志().有效数字位数, row.decimal ? 29 : 15);
    }
}

// The fast conversion of doubles to the decimal type must agree with Decimal::fromDouble, and
// the nearest double of a decimal with the double read from its text.
TEST_F(ModuleQmbTest, ConversionsAgreeWithTheDecimalType) {
    std::mt19937_64 random(3);
    for (int i = 0; i < 20000; ++i) {
        const double value = (static_cast<double>(random() >> 11) / 9007199254740992.0 - 0.5) *
                             std::pow(10.0, static_cast<int>(random() % 36) - 18);
        const Decimal decimal = decimalOfDouble(value);
        ASSERT_EQ(decimal, Decimal::fromDouble(value)) << doubleText(value);
        ASSERT_EQ(decimal.toString(), Decimal::fromDouble(value).toString());
        ASSERT_EQ(decimal.toDouble(), readLeadingDouble(decimal.toString())) << decimal.toString();
    }
    EXPECT_EQ(Number(72057594037927936.0).toDecimal().toString(), "72057594037927900");
    EXPECT_FALSE(Number(dec("1E+20")).hasExponent());
    EXPECT_TRUE(Number(1e20).hasExponent());
}

}  // namespace
}  // namespace mapsheet::ModuleQmb
