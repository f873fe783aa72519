#pragma once

// Exact decimal numbers of up to 28-29 significant digits.
//
// A Decimal is a sign, an unsigned 96-bit integer coefficient c (0 .. 2^96 - 1 =
// 79228162514264337593543950335) and a scale s (0 .. 28); its value is (-1)^sign * c / 10^s.
// This is the number type behind every exact path of the library: typed 28-digit values keep
// all their digits through sums, products and quotients instead of passing through binary
// floating point.
//
// Rounding contract:
//  - Conversions from text keep the largest scale (up to 28) whose coefficient fits 96 bits and
//    round the digits beyond it half to even; values up to half of 1E-28 become zero.
//  - Sum, difference and product are exact when the exact result fits; otherwise the scale is
//    lowered as little as needed, rounding half to even. When not even scale 0 fits, they throw
//    DecimalOverflow.
//  - The quotient carries as many digits as fit with scale at most 28, rounded half to even,
//    with trailing zeros removed.
//  - "The largest scale whose coefficient fits" is judged after rounding: a value that rounds up
//    to 2^96 at one scale is rounded afresh one scale lower.
//  - parse(), fromDouble(), the four operations, floor() and truncate() return normalised
//    values: no trailing zeros in the coefficient (1.50 is read as 1.5, 1.0 / 2 is 0.5), so
//    scale() is the count of significant decimals, and zero is positive with scale 0.
//    fromParts(), abs() and negation keep the coefficient and scale they are given.
// No operation uses floating point or decimal strings internally, except toDouble(), and none
// of +, -, *, /, <=> allocates.

#include <compare>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// unsigned __int128 is a GCC/Clang extension that -Wpedantic reports at every use.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpedantic"

namespace mapsheet {

// Every failure of the decimal type; the message quotes the offending value.
class DecimalError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A value beyond +-79228162514264337593543950335, or beyond the target of a conversion.
class DecimalOverflow : public DecimalError {
  public:
    using DecimalError::DecimalError;
};

// A text that is no number, or a double that is not finite.
class DecimalConversionError : public DecimalError {
  public:
    using DecimalError::DecimalError;
};

class DecimalDivideByZero : public DecimalError {
  public:
    using DecimalError::DecimalError;
};

class Decimal {
  public:
    static constexpr int kMaxScale = 28;

    constexpr Decimal() = default;
    // Any 64-bit integer is exact.
    Decimal(std::int64_t value);  // NOLINT(google-explicit-constructor): integers are decimals.
    Decimal(int value) : Decimal(static_cast<std::int64_t>(value)) {}

    // Blanks (ASCII white space) around the text, an optional sign, digits with an optional
    // point (".5" and "1." are accepted) and an optional exponent ("1E3", "1.5e-2"). Throws
    // DecimalConversionError for a text that is no number (nothing else may follow) and
    // DecimalOverflow when the integer part does not fit, also when it only reaches 2^96 by
    // rounding (79228162514264337593543950335.5).
    static Decimal parse(std::string_view text);

    // Through the double's 15-significant-digit text, then as parse(): 2^56 gives
    // 72057594037927900. Throws DecimalConversionError for NaN and infinities and
    // DecimalOverflow beyond the range.
    static Decimal fromDouble(double value);

    // Builds sign * coefficient / 10^scale from its parts; coefficient must fit 96 bits and
    // scale lie in 0..28, else DecimalOverflow. Trailing zeros are kept as given.
    static Decimal fromParts(bool negative, unsigned __int128 coefficient, int scale);

    // Plain notation, never an exponent, no trailing zeros after the point, "0" before the
    // point ("0.5", "-0.05"), no sign on zero.
    std::string toString() const;

    // Writes with a digit pattern such as "0", "00", "0000", "00.00" or "0." followed by zeros:
    // at least as many integer digits as the pattern has zeros before its point, exactly as many
    // decimals as it has zeros after it, the last rounded half away from zero ("00" writes 8.5
    // as "09"). A negative value that rounds to zero is written without its sign. Exact for
    // every value and any number of decimals. A pattern of anything but zeros and one point
    // throws DecimalConversionError; a pattern without decimals writes no point.
    std::string format(std::string_view pattern) const;

    // The nearest double.
    double toDouble() const;
    // The nearest 32-bit integer, halves to even; DecimalOverflow when out of range.
    std::int32_t toInt32() const;

    Decimal floor() const;     // the mathematical floor; exact, never overflows
    Decimal truncate() const;  // toward zero; exact
    Decimal abs() const;
    Decimal operator-() const;

    bool isZero() const { return coefficient_ == 0; }
    bool isNegative() const { return negative_ && coefficient_ != 0; }
    int scale() const { return scale_; }
    unsigned __int128 coefficient() const { return coefficient_; }

    friend Decimal operator+(const Decimal& a, const Decimal& b);
    friend Decimal operator-(const Decimal& a, const Decimal& b);
    friend Decimal operator*(const Decimal& a, const Decimal& b);
    // Throws DecimalDivideByZero when b is zero.
    friend Decimal operator/(const Decimal& a, const Decimal& b);

    Decimal& operator+=(const Decimal& b) { return *this = *this + b; }
    Decimal& operator-=(const Decimal& b) { return *this = *this - b; }
    Decimal& operator*=(const Decimal& b) { return *this = *this * b; }
    Decimal& operator/=(const Decimal& b) { return *this = *this / b; }

    // Numeric comparison: 1.5 == 1.50, and -0 == 0.
    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);
    friend bool operator==(const Decimal& a, const Decimal& b) { return (a <=> b) == 0; }

  private:
    // Unchecked: the caller guarantees coefficient < 2^96 and scale 0..28. Strips trailing zeros,
    // and a zero comes out positive with scale 0.
    static Decimal normalised(bool negative, unsigned __int128 coefficient, int scale);
    // a + b, or a - b when `subtract` is set.
    static Decimal sum(const Decimal& a, const Decimal& b, bool subtract);

    unsigned __int128 coefficient_ = 0;  // below 2^96
    std::uint8_t scale_ = 0;
    bool negative_ = false;
};

}  // namespace mapsheet

#pragma GCC diagnostic pop
