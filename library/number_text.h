#pragma once

// Text of doubles, read and written the way a person reads the digits, independent of the
// locale (no strtod, no printf).
//
// A double's text has at most 15 significant digits with trailing zeros removed. It is plain
// when the decimal exponent is below 15 and at most 15 digits follow the point, otherwise
// d.dddE+XX / d.dddE-XX with at least two exponent digits: 999999999999999, 1E+15, 1.2E+15,
// 0.000056789, 5.6789E-12, 1/12 -> 8.33333333333333E-02.

#include <string>
#include <string_view>

namespace mapsheet {

std::string doubleText(double value);

// Whether doubleText(value) contains "E", without building the text.
bool doubleTextHasExponent(double value);

// The double read from a text: the longest leading numeric part, blanks ignored
// ("12abc" -> 12, " 1 2" -> 12, "abc" -> 0).
double readLeadingDouble(std::string_view text);

// The value rounded to n decimals (0..15), halves to even, on the digits of its 15-digit
// text: 2.5 -> 2, 0.125 -> 0.12.
double roundDoubleHalfEven(double value, int decimals);

// Formats with a digit pattern as Decimal::format does (halves away from zero), on the digits
// of the 15-digit text: 2.675 with "0.00" -> "2.68".
std::string formatDouble(double value, std::string_view pattern);

}  // namespace mapsheet
