// The routes that skip texts and the decimal type, checked against the routes they stand for:
// plain decimal degrees against Decimal::parse(text).toDouble(), the remainder of doubles
// against the remainder of their texts, and the nearest double of a decimal against
// Decimal::toDouble.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "library/ModuleQmb.h"
#include "library/decimal.h"
#include "library/double_digits.h"
#include "library/number_text.h"
#include "text/coordinate_text.h"

namespace mapsheet {
namespace {

// A plain decimal text: an optional "-", up to `maxDigits` digits with the point anywhere
// (also first or last), leading zeros and blanks now and then.
std::string randomPlainDecimal(std::mt19937_64& random, int maxDigits) {
    const int digits = 1 + static_cast<int>(random() % static_cast<unsigned>(maxDigits));
    const int point = static_cast<int>(random() % static_cast<unsigned>(digits + 2)) - 1;
    std::string text = random() % 3 == 0 ? "-" : "";
    const int leadingZeros = random() % 4 == 0 ? static_cast<int>(random() % 6) : 0;
    for (int i = 0; i < digits; ++i) {
        if (i == point) {
            text += '.';
        }
        text += static_cast<char>('0' + (i < leadingZeros ? 0 : random() % 10));
    }
    if (point == digits) {
        text += '.';
    }
    if (random() % 8 == 0) {
        text = " \t" + text + "  ";
    }
    return text;
}

std::uint64_t bitsOf(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

TEST(PlainDecimalDegrees, AgreeWithTheDecimalTypeBitForBit) {
    std::mt19937_64 random(2024);
    const int maxDigits[] = {9, 17, 19, 21, 29};
    for (int i = 0; i < 200000; ++i) {
        const std::string text = randomPlainDecimal(random, maxDigits[i % std::size(maxDigits)]);
        SCOPED_TRACE(text);
        double exact = 0;
        try {
            exact = Decimal::parse(text).toDouble();
        } catch (const DecimalError&) {
            continue;  // beyond the decimal type, which then gives no truth to compare with
        }
        const text::CoordinateReading reading = text::readCoordinate(text);
        ASSERT_EQ(reading.fault, text::CoordinateFault::None);
        ASSERT_EQ(bitsOf(reading.degrees), bitsOf(exact));
    }
}

TEST(PlainDecimalDegrees, AgreeAtTheEdgesOfTheShortRoute) {
    const char* texts[] = {
        "9007199254740991",
        "9007199254740992",
        "9007199254740993",
        "900719925474099.3",
        "0.9007199254740993",
        "1234567890123456789",
        "12345678901234567890",
        "0.1234567890123456789",
        ".00000000000000000001",
        "-0",
        "-0.000",
        "0.",
        "-.5",
        "179.99999999999999999",
        "39.8333333333333333333333333",
        "0.0000000000000000000000000001",
    };
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        const text::CoordinateReading reading = text::readCoordinate(text);
        ASSERT_EQ(reading.fault, text::CoordinateFault::None);
        EXPECT_EQ(bitsOf(reading.degrees), bitsOf(Decimal::parse(text).toDouble()));
    }
}

TEST(NearestDouble, AgreesWithDecimalToDouble) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 100000; ++i) {
        __extension__ const unsigned __int128 coefficient =
            i % 2 == 0 ? random() % (std::uint64_t{1} << 54) : random() % 100000000;
        const int scale = static_cast<int>(random() % 29);
        const Decimal value = Decimal::fromParts(random() % 2 == 0, coefficient, scale);
        ASSERT_EQ(bitsOf(nearestDouble(value)), bitsOf(value.toDouble()))
            << value.toString() << " at scale " << scale;
    }
}

// The remainder of two doubles must match the remainder of their texts, result and log alike,
// also where the exact steps outgrow the integers they are first tried in: products of
// 15-digit factors beyond 2^96, differences across wide gaps of scale.
TEST(RemainderOfDoubles, MatchesTheRemainderOfTheirTextsForFifteenDigitOperands) {
    using namespace ModuleQmb;
    const bool savedMode = 精确模式;
    精确模式 = false;
    std::mt19937_64 random(99);
    const auto fifteenDigitValue = [&random](int power) {
        const auto coefficient = static_cast<double>(100000000000000 + random() % 900000000000000);
        return coefficient * std::pow(10.0, power - 14) * (random() % 2 == 0 ? 1 : -1);
    };
    for (int i = 0; i < 40000; ++i) {
        const double a = fifteenDigitValue(static_cast<int>(random() % 30) - 15);
        const double b = i % 3 == 0 ? fifteenDigitValue(static_cast<int>(random() % 30) - 15)
                                    : static_cast<double>(1 + random() % 4000) / 1000;
        清除运算信息();
        const Number fast = 求两数余(a, b);
        const 运算日志 fastLog = 日志();
        清除运算信息();
        const Number composed = 求两数余(doubleText(a), doubleText(b));
        const std::string operands = doubleText(a) + " by " + doubleText(b);
        ASSERT_EQ(fast.text(), composed.text()) << operands;
        ASSERT_EQ(fast.isDecimal(), composed.isDecimal()) << operands;
        if (fast.isDecimal()) {
            ASSERT_EQ(fast.toDecimal().scale(), composed.toDecimal().scale()) << operands;
        }
        ASSERT_EQ(fastLog.精确运算次数, 日志().精确运算次数) << operands;
        ASSERT_EQ(fastLog.近似运算次数, 日志().近似运算次数) << operands;
        ASSERT_EQ(fastLog.运算信息, 日志().运算信息) << operands;
    }
    清除运算信息();
    精确模式 = savedMode;
}

}  // namespace
}  // namespace mapsheet
