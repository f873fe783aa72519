// 求两数余: the remainder a - b * trunc(a / b), composed of 求两数商, 取数值的整数部分,
// 求两数积 and 求两数差.
//
// The sheet engine takes two remainders per point (latitude by 4, longitude + 180 by the zone
// width) and batch numbering runs a million points a second, so double operands with 精确模式
// off take a path that follows the same steps on the numbers' digits instead of their texts.
// It gives the same result and the same log entries as the composition.

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "library/ModuleQmb.h"
#include "library/ModuleQmb_detail.h"
#include "library/double_digits.h"

namespace mapsheet::ModuleQmb {

namespace {

// What 数转数 makes of a number with 精确模式 off: the double read from its text, with the
// digits of that text.
struct ReadDouble {
    double value = 0;
    DoubleDigits digits;
};

std::optional<ReadDouble> readWithoutExponent(const Number& number) {
    const double raw = number.toDouble();
    if (!std::isfinite(raw)) {
        return std::nullopt;
    }
    const DoubleDigits digits = fifteenDigits(raw);
    if (!digits.isPlain()) {
        return std::nullopt;
    }
    return ReadDouble{digits.toDouble(), digits};
}

__extension__ typedef unsigned __int128 u128;

constexpr std::array<u128, 32> kPowersOfTen = [] {
    std::array<u128, 32> powers{};
    u128 power = 1;
    for (auto& entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}();

// The 15 digits of the nearest double of the decimal quotient a / b, for plain a and b != 0.
//
// The decimal quotient carries 28 digits, its nearest double y lies within half a unit in the
// last place of it, and y's 15 digits are those of the exact quotient x unless x lies within
// that distance of a 15-digit rounding midpoint. x is computed exactly here, to 17 or 18
// digits and a remainder, in integers; only near a midpoint is the decimal quotient needed.
// There an exact midpoint (dividing by 4 makes many) is its own decimal quotient, read to the
// nearest double straight from its digits.
DoubleDigits digitsOfDecimalQuotient(const DoubleDigits& a, const DoubleDigits& b) {
    DoubleDigits digits;
    if (a.coefficient == 0) {
        return digits;
    }
    digits.negative = a.negative != b.negative;
    // a.coefficient * 10^shift / b.coefficient lies between 10^16 and 10^18.
    const int shift = 17 - a.digitCount() + b.digitCount();
    const u128 numerator = u128{a.coefficient} * kPowersOfTen[static_cast<std::size_t>(shift)];
    const auto quotient = static_cast<std::uint64_t>(numerator / b.coefficient);
    const auto remainder = static_cast<std::uint64_t>(numerator - u128{quotient} * b.coefficient);
    const int exponent = a.exponent - b.exponent - shift;  // of the quotient's last digit

    const int dropped = quotient >= 100000000000000000ULL ? 3 : 2;
    const std::uint64_t unit = dropped == 3 ? 1000 : 100;
    // The dropped digits and the remainder against half a 15-digit unit, in units of
    // 1 / b.coefficient of the quotient's last digit.
    const u128 below = u128{quotient % unit} * b.coefficient + remainder;
    const u128 half = u128{unit / 2} * b.coefficient;
    const u128 distance = below > half ? below - half : half - below;
    // Half a unit in the last place of x is at most x / 2^53, and the decimal's rounding adds
    // far less than one unit of the quotient's last digit.
    const u128 window = u128{(quotient >> 53) + 2} * b.coefficient;
    if (distance > window) {
        digits.coefficient = quotient / unit + (below > half ? 1 : 0);
        digits.exponent = exponent + dropped;
    } else {
        double nearest = 0;
        if (distance == 0 && exponent >= -Decimal::kMaxScale) {
            char buffer[48];
            char* end = std::to_chars(buffer, buffer + 24, quotient).ptr;
            *end++ = 'e';
            end = std::to_chars(end, buffer + sizeof buffer, exponent).ptr;
            nearest = readDecimalText(buffer, end);
        } else {
            nearest = (decimalOfPlainDigits(a).abs() / decimalOfPlainDigits(b).abs()).toDouble();
        }
        const DoubleDigits rounded = fifteenDigits(nearest);
        digits.coefficient = rounded.coefficient;
        digits.exponent = rounded.exponent;
    }
    if (digits.coefficient == 1000000000000000ULL) {
        digits.coefficient = 100000000000000ULL;
        ++digits.exponent;
    }
    while (digits.coefficient % 10 == 0) {
        digits.coefficient /= 10;
        ++digits.exponent;
    }
    return digits;
}

// The integer part of a plain 15-digit value toward zero, keeping the sign so that -0.5 gives
// -0, as the text "-0" reads.
double truncated(const DoubleDigits& digits) {
    // A plain value lies below 10^15, so the integer part fits 64 bits.
    const auto power = static_cast<std::uint64_t>(kPowersOfTen[static_cast<std::size_t>(
        digits.exponent < 0 ? -digits.exponent : digits.exponent)]);
    const std::uint64_t magnitude =
        digits.exponent < 0 ? digits.coefficient / power : digits.coefficient * power;
    const auto value = static_cast<double>(magnitude);
    return digits.negative ? -value : value;
}

// Decimal::toDouble, without its text when the coefficient and the power of ten are both exact
// doubles and a single correctly rounded division gives the nearest double.
double nearestDouble(const Decimal& value) {
    constexpr std::array<double, 23> kExactPowers = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                     1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                     1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (value.coefficient() >= (std::uint64_t{1} << 53) || value.scale() > 22) {
        return value.toDouble();
    }
    const double magnitude = static_cast<double>(static_cast<std::uint64_t>(value.coefficient())) /
                             kExactPowers[static_cast<std::size_t>(value.scale())];
    return value.isNegative() ? -magnitude : magnitude;
}

Decimal decimalOfInteger(double integer) {
    const auto magnitude = static_cast<std::uint64_t>(std::fabs(integer));
    return Decimal::fromParts(std::signbit(integer), magnitude, 0);
}

// The composition for two numbers that 数转数 reads without "E" and a divisor that is not 0,
// with 精确模式 off. All magnitudes stay between 1e-30 and 1e45 here, so no double operation
// can overflow, underflow or divide by zero; the Decimal operations cannot fail either, and
// would they, the double result stands in as in the composition.
std::optional<Number> remainderOfPlainNumbers(const Operand& a, const Operand& b) {
    if (精确模式 || a.isText() || b.isText()) {
        return std::nullopt;
    }
    const auto left = readWithoutExponent(a.number());
    const auto right = readWithoutExponent(b.number());
    if (!left || !right || right->value == 0) {
        return std::nullopt;
    }
    const double dividend = left->value;
    const double divisor = right->value;
    const Decimal exactDividend = decimalOfPlainDigits(left->digits);
    const Decimal exactDivisor = decimalOfPlainDigits(right->digits);

    // A = 数转数(a), B = 数转数(b); Q = 求两数商(A, B) converts both again.
    for (int conversion = 0; conversion < 4; ++conversion) {
        记录近似运算();
    }
    // The double quotient decides whether Q is a decimal; 数转数(Q) then reads the 15 digits
    // of the nearest double of that decimal.
    const double ratio = dividend / divisor;
    DoubleDigits shown;
    if (hasPlainText(ratio)) {
        shown = digitsOfDecimalQuotient(left->digits, right->digits);
        记录精确运算();
    } else {
        shown = fifteenDigits(ratio);
        记录近似运算();
    }

    // I = 取数值的整数部分(Q), through 数转数(Q).
    记录近似运算();
    double integerPart = 0;
    bool integerHasExponent = false;
    if (shown.isPlain()) {
        integerPart = truncated(shown);
    } else {
        const double value = shown.toDouble();
        integerHasExponent = value > 10000 || value < -10000;
        integerPart = integerHasExponent ? value : (value > 0 ? 0.0 : -0.0);
    }

    // P = 求两数积(I, B): 数转数(I), then 数转数(B) unless I holds "E".
    记录近似运算();
    std::optional<Decimal> exactProduct;
    double product = integerPart * divisor;
    if (!integerHasExponent) {
        记录近似运算();
        if (hasPlainText(product)) {
            try {
                exactProduct = decimalOfInteger(integerPart) * exactDivisor;
            } catch (const DecimalError&) {
            }
        }
    }
    exactProduct ? 记录精确运算() : 记录近似运算();

    // 求两数差(A, P): 数转数(A), 数转数(P).
    记录近似运算();
    const double subtrahend =
        exactProduct ? nearestDouble(*exactProduct) : fifteenDigits(product).toDouble();
    记录近似运算();
    const double difference = dividend - subtrahend;
    if (hasPlainText(subtrahend) && hasPlainText(difference)) {
        try {
            const Decimal exact =
                exactDividend -
                (exactProduct ? *exactProduct : decimalOfPlainDigits(fifteenDigits(subtrahend)));
            记录精确运算();
            return Number(exact);
        } catch (const DecimalError&) {
        }
    }
    记录近似运算();
    return Number(difference);
}

}  // namespace

Number 求两数余(const Operand& a, const Operand& b) {
    if (auto remainder = remainderOfPlainNumbers(a, b)) {
        return *remainder;
    }
    const Number dividend = 数转数(a);
    const Number divisor = 数转数(b);
    bool quotientFailed = false;
    const Number quotient = detail::quotient(dividend, divisor, quotientFailed);
    if (quotientFailed) {
        记录运算信息("  进行[求两数余]运算时， " + a.trimmedText() + "余" + b.trimmedText() +
                     " 数值超出计算范围！返回数值用 [1] 表示。");
        return Number(1);
    }
    const Number product = 求两数积(取数值的整数部分(quotient), divisor);
    return 求两数差(dividend, product);
}

}  // namespace mapsheet::ModuleQmb
