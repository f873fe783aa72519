#pragma once

// Text of doubles, read and written the way a person reads the digits, independent of the
// locale (no strtod, no printf).
//
// A double's text has at most 15 significant digits with trailing zeros removed. It is plain
// when the decimal exponent is below 15 and at most 15 digits follow the point, otherwise
// d.dddE+XX / d.dddE-XX with at least two exponent digits: 999999999999999, 1E+15, 1.2E+15,
// 0.000056789, 5.6789E-12, 1/12 -> 8.33333333333333E-02. Zero, also negative zero, is "0".
// Infinities and NaN, which no operation of the library returns, are written "inf", "-inf"
// and "nan".

#include <string>
#include <string_view>

namespace mapsheet {

std::string doubleText(double value);

// Whether doubleText(value) contains "E", without building the text.
bool doubleTextHasExponent(double value);

// The text without the leading and trailing characters that are among `blanks`: the one
// trimming rule, whatever set of blanks a reader allows around its text.
std::string_view trimmedOf(std::string_view text, std::string_view blanks);

// The text without leading and trailing blanks (space, tab, CR, LF).
std::string_view trimBlanks(std::string_view text);

// The text without leading and trailing spaces and tabs: the blanks a typed field may carry.
std::string_view trimSpacesAndTabs(std::string_view text);

// The double read from a text: the longest leading numeric part, blanks (space, tab, CR, LF)
// ignored everywhere ("12abc" -> 12, " 1 2" -> 12, "-.5" -> -0.5, "abc" -> 0). The numeric
// part is an optional sign, digits with an optional point and at least one digit, then an
// optional exponent: "E" or "e", an optional sign and at least one digit ("1e3x" -> 1000). An
// exponent letter without digits ends the number before it ("1e" -> 1, "1e+x" -> 1). The value
// is correctly rounded; beyond the double range it is +-infinity, below it zero.
double readLeadingDouble(std::string_view text);

// The value rounded to n decimals (n clamped to 0..15), halves to even, on the digits of its
// 15-digit text: 2.5 -> 2, 0.125 -> 0.12, 2.675 -> 2.68 at two decimals. A result of zero is
// +0. Infinities and NaN are returned as they are.
double roundDoubleHalfEven(double value, int decimals);

// Formats with a digit pattern as Decimal::format does, on the digits of the 15-digit text:
// at least as many integer digits as the pattern has "0" before its ".", exactly as many
// decimals as it has "0" after it, the last rounded half away from zero; a value that rounds to
// zero has no sign. 2.675 with "0.00" -> "2.68", 8.5 with "00" -> "09". Infinities and NaN give
// doubleText(value).
std::string formatDouble(double value, std::string_view pattern);

}  // namespace mapsheet
