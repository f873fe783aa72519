#pragma once

// The digits a double shows when written with 15 significant digits.
//
// The library reads doubles the way a person reads their printed digits: a double stands for
// the decimal of its 15-significant-digit text, not for its exact binary value. DoubleDigits
// holds that decimal as a coefficient and a power of ten, so that the text, the "E" test, the
// conversion to the decimal type and the double read back from the text can all be decided
// without building the text. The 15 digits are the exact binary value rounded half to even,
// as std::to_chars with precision 14 writes them.

#include <array>
#include <cstdint>

#include "library/decimal.h"

namespace mapsheet {

// Powers of ten that doubles hold exactly.
inline constexpr std::array<double, 23> kExactDoublePowers = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

struct DoubleDigits {
    bool negative = false;          // never set for zero
    std::uint64_t coefficient = 0;  // below 10^15, without trailing zeros; 0 for zero
    int exponent = 0;               // the value is +-coefficient * 10^exponent

    // Significant digits of the coefficient, 0 for zero.
    int digitCount() const;
    // Power of ten of the first significant digit (d.ddd * 10^leadingExponent); 0 for zero.
    int leadingExponent() const { return coefficient == 0 ? 0 : exponent + digitCount() - 1; }
    // Digits after the point in plain notation.
    int decimals() const { return exponent < 0 ? -exponent : 0; }
    // Whether the text is plain: the leading exponent is below 15 and at most 15 digits follow
    // the point. Otherwise it is written d.dddE+XX / d.dddE-XX.
    bool isPlain() const;
    // The double read from the text: the nearest double to the decimal, +-infinity when the
    // decimal lies beyond the largest double (1.79769313486232E+308 does).
    double toDouble() const;
};

// The 15-digit decimal of a finite double. Negative zero gives zero.
DoubleDigits fifteenDigits(double value);

// fifteenDigits(value).isPlain() for a finite double, decided from the magnitude alone between
// 0.1 and 999999999999999, where every 15-digit text is plain.
bool hasPlainText(double value);

// Decimal::fromDouble(value), built straight from the digits when the text is plain.
Decimal decimalOfDouble(double value);
// The decimal of a plain text (digits.isPlain()); never throws, as such a text has at most 15
// digits and 15 decimals.
Decimal decimalOfPlainDigits(const DoubleDigits& digits);

// Decimal::toDouble, the nearest double, without its text when the coefficient and the power
// of ten are both exact doubles (coefficient below 2^53, scale at most 22): then one correctly
// rounded division gives the nearest double. That covers every coordinate, remainder and sheet
// line the engine meets.
double nearestDouble(const Decimal& value);

// Reads [-]digits[.digits][e[-]digits] (as from_chars does) correctly rounded; values
// beyond the double range give +-infinity, values below the smallest subnormal give zero.
double readDecimalText(const char* first, const char* last);

}  // namespace mapsheet
