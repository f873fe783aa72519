// 求两数余: the remainder a - b * trunc(a / b), composed of 求两数商, 取数值的整数部分,
// 求两数积 and 求两数差.
//
// The sheet engine takes two remainders per point (latitude by 4, longitude + 180 by the zone
// width) and batch numbering runs a million points a second, so double operands with 精确模式
// off take a path that follows the same steps on the numbers' digits instead of their texts.
// It gives the same result and the same log entries as the composition.

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "library/ModuleQmb.h"
#include "library/ModuleQmb_detail.h"
#include "library/ModuleQmb_remainder_digits.h"
#include "library/decimal_digits.h"
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
    const double raw = number.isDecimal() ? nearestDouble(number.toDecimal()) : number.toDouble();
    if (!std::isfinite(raw)) {
        return std::nullopt;
    }
    const DoubleDigits digits = fifteenDigits(raw);
    if (!digits.isPlain()) {
        return std::nullopt;
    }
    return ReadDouble{digits.toDouble(), digits};
}

// The magnitude of the integer part of a plain 15-digit value, toward zero. A plain value lies
// below 10^15, so it fits 64 bits.
std::uint64_t integerMagnitude(const DoubleDigits& digits) {
    const auto power =
        static_cast<std::uint64_t>(decimal_detail::kPowerOfTen[static_cast<std::size_t>(
            digits.exponent < 0 ? -digits.exponent : digits.exponent)]);
    return digits.exponent < 0 ? digits.coefficient / power : digits.coefficient * power;
}

Decimal decimalOfInteger(double integer) {
    const auto magnitude = static_cast<std::uint64_t>(std::fabs(integer));
    return Decimal::fromParts(std::signbit(integer), magnitude, 0);
}

// The composition for two numbers that 数转数 reads without "E" and a divisor that is not 0,
// with 精确模式 off. All magnitudes stay between 1e-30 and 1e45 here, so no double operation
// can overflow, underflow or divide by zero; the Decimal operations cannot fail either, and
// would they, the double result stands in as in the composition. False, and the result left
// alone, for any other operands.
bool remainderOfPlainNumbers(const Operand& a, const Operand& b, Number& result) {
    if (精确模式 || a.isText() || b.isText()) {
        return false;
    }
    const auto left = readWithoutExponent(a.number());
    const auto right = readWithoutExponent(b.number());
    if (!left || !right || right->value == 0) {
        return false;
    }
    const double dividend = left->value;
    const double divisor = right->value;

    // A = 数转数(a), B = 数转数(b); Q = 求两数商(A, B) converts both again.
    for (int conversion = 0; conversion < 4; ++conversion) {
        记录近似运算();
    }
    // The double quotient decides whether Q is a decimal; 数转数(Q) then reads the 15 digits
    // of the nearest double of that decimal.
    const double ratio = dividend / divisor;
    DoubleDigits shown;
    if (hasPlainText(ratio)) {
        shown = detail::digitsOfDecimalQuotient(left->digits, right->digits);
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
        const auto magnitude = static_cast<double>(integerMagnitude(shown));
        integerPart = shown.negative ? -magnitude : magnitude;
    } else {
        const double value = shown.toDouble();
        integerHasExponent = value > 10000 || value < -10000;
        integerPart = integerHasExponent ? value : (value > 0 ? 0.0 : -0.0);
    }

    // P = 求两数积(I, B): 数转数(I), then 数转数(B) unless I holds "E". The exact product is
    // taken in integers when it fits them, in the decimal type otherwise.
    记录近似运算();
    std::optional<detail::ScaledDecimal> scaledProduct;
    std::optional<Decimal> decimalProduct;
    const double product = integerPart * divisor;
    if (!integerHasExponent) {
        记录近似运算();
        if (hasPlainText(product)) {
            scaledProduct = detail::exactProduct(std::signbit(integerPart),
                                                 static_cast<std::uint64_t>(std::fabs(integerPart)),
                                                 detail::ScaledDecimal::of(right->digits));
            if (!scaledProduct) {
                try {
                    decimalProduct =
                        decimalOfInteger(integerPart) * decimalOfPlainDigits(right->digits);
                } catch (const DecimalError&) {
                }
            }
        }
    }
    const bool productIsExact = scaledProduct || decimalProduct;
    productIsExact ? 记录精确运算() : 记录近似运算();

    // 求两数差(A, P): 数转数(A), 数转数(P).
    记录近似运算();
    double subtrahend = 0;
    if (scaledProduct) {
        subtrahend = scaledProduct->toDouble();
    } else {
        subtrahend =
            decimalProduct ? nearestDouble(*decimalProduct) : fifteenDigits(product).toDouble();
    }
    记录近似运算();
    const double difference = dividend - subtrahend;
    if (hasPlainText(subtrahend) && hasPlainText(difference)) {
        if (scaledProduct) {
            if (const auto exact = detail::exactDifference(detail::ScaledDecimal::of(left->digits),
                                                           *scaledProduct)) {
                记录精确运算();
                result = exact->toDecimal();
                return true;
            }
        }
        try {
            Decimal subtracted;
            if (scaledProduct) {
                subtracted = scaledProduct->toDecimal();
            } else {
                subtracted = decimalProduct ? *decimalProduct
                                            : decimalOfPlainDigits(fifteenDigits(subtrahend));
            }
            const Decimal exact = decimalOfPlainDigits(left->digits) - subtracted;
            记录精确运算();
            result = exact;
            return true;
        } catch (const DecimalError&) {
        }
    }
    记录近似运算();
    result = difference;
    return true;
}

}  // namespace

Number 求两数余(const Operand& a, const Operand& b) {
    Number remainder;
    if (remainderOfPlainNumbers(a, b, remainder)) {
        return remainder;
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
