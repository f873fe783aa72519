#include "library/double_digits.h"

#include "library/decimal_digits.h"
#include "library/double_text.h"

#include <fast_float/fast_float.h>

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <system_error>


namespace mapsheet {

namespace {

__extension__ typedef unsigned __int128 u128;

constexpr std::uint64_t kTenPow14 = 100000000000000ULL;
constexpr std::uint64_t kTenPow15 = 1000000000000000ULL;

using decimal_detail::kPowerOfTen;

template <std::uint64_t power, int zeros>
void stripZeros(DoubleDigits& digits) {
    if (digits.coefficient % power == 0) {
        digits.coefficient /= power;
        digits.exponent += zeros;
    }
}

// The coefficient is below 10^15, so at most 8 + 4 + 2 + 1 zeros come off. Constant divisors
// keep this to multiplications.
void stripTrailingZeros(DoubleDigits& digits) {
    stripZeros<100000000, 8>(digits);
    stripZeros<10000, 4>(digits);
    stripZeros<100, 2>(digits);
    stripZeros<10, 1>(digits);
}

// Magnitudes from 2^-23 to below 2^49 (about 1.2e-7 to 5.6e14, every latitude, longitude and
// remainder the engine meets) are rounded exactly in 128-bit integers: |value| * 10^k is
// m * 10^k / 2^shift with m the 53-bit significand, and k at most 21 keeps m * 10^k below
// 2^123.
bool roundInIntegers(double magnitude, DoubleDigits& digits) {
    // The builtin behind std::bit_cast, which emscripten's libc++ does not have.
    const auto bits = __builtin_bit_cast(std::uint64_t, magnitude);
    const int biasedExponent = static_cast<int>(bits >> 52);
    const int binaryExponent = biasedExponent - 1023;
    if (biasedExponent == 0 || binaryExponent < -23 || binaryExponent > 48) {
        return false;
    }
    const std::uint64_t significand =
        (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int shift = 52 - binaryExponent;
    // floor(binaryExponent * log10(2)), exact over this range. The value lies in
    // [2^binaryExponent, 2^(binaryExponent + 1)), so its first digit is at 10^leading or
    // 10^(leading + 1).
    int leading = (binaryExponent * 78913) >> 18;
    const u128 scaled = u128{significand} * kPowerOfTen[static_cast<std::size_t>(14 - leading)];
    const auto truncated = static_cast<std::uint64_t>(scaled >> shift);
    const u128 remainder = scaled - (u128{truncated} << shift);
    const u128 half = u128{1} << (shift - 1);
    std::uint64_t rounded = 0;
    if (truncated >= kTenPow15) {
        // One digit more than 15: round at the tens, the remainder is below them.
        ++leading;
        rounded = truncated / 10;
        const u128 below = (u128{truncated % 10} << shift) + remainder;
        const u128 halfTen = u128{5} << shift;
        if (below > halfTen || (below == halfTen && (rounded & 1) != 0)) {
            ++rounded;
        }
    } else {
        rounded = truncated;
        if (remainder > half || (remainder == half && (rounded & 1) != 0)) {
            ++rounded;
        }
    }
    if (rounded == kTenPow15) {
        rounded = kTenPow14;
        ++leading;
    }
    digits.coefficient = rounded;
    digits.exponent = leading - 14;
    return true;
}

// Every other magnitude: writeScientific14 writes d.dddddddddddddde+XX, exactly rounded.
void roundThroughText(double magnitude, DoubleDigits& digits) {
    char buffer[32];
    const char* const writtenEnd = writeScientific14(magnitude, buffer, sizeof buffer);
    std::uint64_t coefficient = 0;
    const char* cursor = buffer;
    for (; *cursor != 'e'; ++cursor) {
        if (*cursor != '.') {
            coefficient = coefficient * 10 + static_cast<std::uint64_t>(*cursor - '0');
        }
    }
    int power = 0;
    ++cursor;
    const bool negativePower = *cursor == '-';
    std::from_chars(cursor + 1, writtenEnd, power);
    digits.coefficient = coefficient;
    digits.exponent = (negativePower ? -power : power) - 14;
}

}  // namespace

int DoubleDigits::digitCount() const {
    // floor(log10(2^bits)) is the count or one less.
    const int guess = (std::bit_width(coefficient) * 1233) >> 12;
    return guess + (coefficient >= kPowerOfTen[static_cast<std::size_t>(guess)] ? 1 : 0);
}

bool DoubleDigits::isPlain() const {
    // With a negative exponent the value lies below 10^15 already, as the coefficient does.
    if (exponent < 0) {
        return exponent >= -15;
    }
    return exponent < 15 && coefficient < kPowerOfTen[static_cast<std::size_t>(15 - exponent)];
}

double DoubleDigits::toDouble() const {
    if (coefficient == 0) {
        return 0.0;
    }
    double magnitude;
    if (exponent >= -22 && exponent <= 22) {
        // Both factors are exact, so the one rounding of the product or quotient is correct.
        const auto exact = static_cast<double>(coefficient);
        magnitude = exponent >= 0 ? exact * kExactDoublePowers[exponent]
                                  : exact / kExactDoublePowers[-exponent];
    } else {
        char buffer[40];
        char* end = std::to_chars(buffer, buffer + 20, coefficient).ptr;
        *end++ = 'e';
        end = std::to_chars(end, buffer + sizeof buffer, exponent).ptr;
        magnitude = readDecimalText(buffer, end);
    }
    return negative ? -magnitude : magnitude;
}

DoubleDigits fifteenDigits(double value) {
    DoubleDigits digits;
    if (value == 0) {
        return digits;
    }
    digits.negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    // A whole number below 10^15 is its own 15 digits (divisors and zone widths are).
    if (magnitude < 1e15) {
        const auto whole = static_cast<std::uint64_t>(magnitude);
        if (static_cast<double>(whole) == magnitude) {
            digits.coefficient = whole;
            stripTrailingZeros(digits);
            return digits;
        }
    }
    if (!roundInIntegers(magnitude, digits)) {
        roundThroughText(magnitude, digits);
    }
    stripTrailingZeros(digits);
    return digits;
}

bool hasPlainText(double value) {
    // The double 0.1 lies above one tenth, so from it on the first digit is at 10^-1 or
    // higher and at most 15 digits follow the point; below 999999999999999 no rounding
    // reaches 10^15.
    const double magnitude = std::fabs(value);
    if (magnitude >= 0.1 && magnitude < 999999999999999.0) {
        return true;
    }
    return fifteenDigits(value).isPlain();
}

Decimal decimalOfDouble(double value) {
    if (!std::isfinite(value)) {
        return Decimal::fromDouble(value);
    }
    const DoubleDigits digits = fifteenDigits(value);
    return digits.isPlain() ? decimalOfPlainDigits(digits) : Decimal::fromDouble(value);
}

Decimal decimalOfPlainDigits(const DoubleDigits& digits) {
    if (digits.exponent >= 0) {
        // Below 10^15 as an integer: the coefficient times 10^exponent.
        return Decimal::fromParts(
            digits.negative,
            digits.coefficient * kPowerOfTen[static_cast<std::size_t>(digits.exponent)], 0);
    }
    return Decimal::fromParts(digits.negative, digits.coefficient, -digits.exponent);
}

double nearestDouble(const Decimal& value) {
    if (value.coefficient() >= (std::uint64_t{1} << 53) || value.scale() > 22) {
        return value.toDouble();
    }
    const auto whole = static_cast<double>(static_cast<std::uint64_t>(value.coefficient()));
    const double magnitude =
        value.scale() == 0 ? whole
                           : whole / kExactDoublePowers[static_cast<std::size_t>(value.scale())];
    return value.isNegative() ? -magnitude : magnitude;
}

double readDecimalText(const char* first, const char* last) {
    // fast_float rounds correctly on every platform (emscripten's libc++ has no from_chars for
    // double) and itself gives +-infinity beyond the double range and +-0 below it.
    double value = 0;
    fast_float::from_chars(first, last, value, fast_float::chars_format::general);
    return value;
}

}  // namespace mapsheet
