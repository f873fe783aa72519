#pragma once

// The exact steps of 求两数余 for plain 15-digit operands, worked on their digits in integers.
//
// The remainder's decimal steps (the quotient read back to 15 digits, the product of its
// integer part and the divisor, the difference) are exact whenever the decimal type can hold
// their results, and then integers give the very same values without the decimal type's
// general rounding. Each step here says when it can answer; where it cannot, the caller takes
// the decimal type. The steps are inline: they run twice for every point numbered, and
// returning their small records through memory would cost more than computing them.

#include <array>
#include <charconv>
#include <cstdint>
#include <optional>

#include "library/decimal.h"
#include "library/decimal_digits.h"
#include "library/double_digits.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpedantic"

namespace mapsheet::ModuleQmb::detail {

// A decimal value sign * coefficient / 10^scale, coefficient below 2^96 and scale 0..28, as
// the decimal type holds it but with trailing zeros allowed.
struct ScaledDecimal {
    bool negative = false;
    unsigned __int128 coefficient = 0;
    int scale = 0;

    // The decimal of a plain text (digits.isPlain()).
    static ScaledDecimal of(const DoubleDigits& digits);
    // The decimal type's value, normalised as its operations leave their results.
    Decimal toDecimal() const;
    // The nearest double, as Decimal::toDouble gives it.
    double toDouble() const;
};

using u128 = unsigned __int128;

using decimal_detail::kCoefficientLimit;
using decimal_detail::kPowerOfTen;
inline constexpr std::uint64_t kExactDoubleLimit = std::uint64_t{1} << 53;

// numerator / divisor and its remainder, in 64 bits when the numerator allows: a 128-bit
// division is a library call several times slower.
struct Division {
    std::uint64_t quotient;
    std::uint64_t remainder;
};

inline Division divide(u128 numerator, std::uint64_t divisor) {
    if (numerator >> 64 == 0) {
        const auto narrow = static_cast<std::uint64_t>(numerator);
        return {narrow / divisor, narrow % divisor};
    }
    const auto quotient = static_cast<std::uint64_t>(numerator / divisor);
    return {quotient, static_cast<std::uint64_t>(numerator - u128{quotient} * divisor)};
}

// Coefficients below these, raised by 10^k, stay below 2^126, so that a sum of two of them
// still fits 128 bits.
inline constexpr std::array<u128, 29> kRaiseLimits = [] {
    std::array<u128, 29> limits{};
    for (std::size_t k = 0; k < limits.size(); ++k) {
        limits[k] = (u128{1} << 126) / kPowerOfTen[k];
    }
    return limits;
}();

// The coefficient of the value at a scale at or above its own (at most 28); nullopt when it
// would not stay below the raise limit.
inline std::optional<u128> raisedToScale(const ScaledDecimal& value, int scale) {
    const auto digits = static_cast<std::size_t>(scale - value.scale);
    if (value.coefficient >= kRaiseLimits[digits]) {
        return std::nullopt;
    }
    return value.coefficient * kPowerOfTen[digits];
}

// The 15 digits of the nearest double of the decimal quotient a / b, for plain a and b != 0.
//
// The decimal quotient carries 28 digits, its nearest double y lies within half a unit in the
// last place of it, and y's 15 digits are those of the exact quotient x unless x lies within
// that distance of a 15-digit rounding midpoint. x is computed exactly here, to 17 or 18
// digits and a remainder, in integers; only near a midpoint is the decimal quotient needed.
// There an exact midpoint (dividing by 4 makes many) is its own decimal quotient, read to the
// nearest double straight from its digits.
inline DoubleDigits digitsOfDecimalQuotient(const DoubleDigits& a, const DoubleDigits& b) {
    DoubleDigits digits;
    if (a.coefficient == 0) {
        return digits;
    }
    digits.negative = a.negative != b.negative;
    // a.coefficient * 10^shift / b.coefficient lies between 10^16 and 10^18.
    const int shift = 17 - a.digitCount() + b.digitCount();
    const u128 numerator = u128{a.coefficient} * kPowerOfTen[static_cast<std::size_t>(shift)];
    const auto [quotient, remainder] = divide(numerator, b.coefficient);
    const int exponent = a.exponent - b.exponent - shift;  // of the quotient's last digit

    const bool eighteenDigits = quotient >= 100000000000000000ULL;
    const int dropped = eighteenDigits ? 3 : 2;
    const std::uint64_t unit = eighteenDigits ? 1000 : 100;
    const std::uint64_t kept = eighteenDigits ? quotient / 1000 : quotient / 100;
    // The dropped digits and the remainder against half a 15-digit unit, in units of
    // 1 / b.coefficient of the quotient's last digit.
    const u128 below = u128{quotient - kept * unit} * b.coefficient + remainder;
    const u128 half = u128{unit / 2} * b.coefficient;
    const u128 distance = below > half ? below - half : half - below;
    // Half a unit in the last place of x is at most x / 2^53, and the decimal's rounding adds
    // far less than one unit of the quotient's last digit.
    const u128 window = u128{(quotient >> 53) + 2} * b.coefficient;
    if (distance > window) {
        digits.coefficient = kept + (below > half ? 1 : 0);
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

inline ScaledDecimal ScaledDecimal::of(const DoubleDigits& digits) {
    if (digits.exponent >= 0) {
        return {digits.negative,
                u128{digits.coefficient} * kPowerOfTen[static_cast<std::size_t>(digits.exponent)],
                0};
    }
    return {digits.negative, digits.coefficient, -digits.exponent};
}

inline Decimal ScaledDecimal::toDecimal() const {
    if (coefficient == 0) {
        return Decimal();
    }
    u128 stripped = coefficient;
    int strippedScale = scale;
    if (stripped >> 64 == 0) {
        auto narrow = static_cast<std::uint64_t>(stripped);
        while (strippedScale > 0 && narrow % 10 == 0) {
            narrow /= 10;
            --strippedScale;
        }
        stripped = narrow;
    } else {
        while (strippedScale > 0 && stripped % 10 == 0) {
            stripped /= 10;
            --strippedScale;
        }
    }
    return Decimal::fromParts(negative, stripped, strippedScale);
}

inline double ScaledDecimal::toDouble() const {
    if (coefficient >= kExactDoubleLimit || scale >= static_cast<int>(kExactDoublePowers.size())) {
        return Decimal::fromParts(negative, coefficient, scale).toDouble();
    }
    // Both factors are exact doubles, so the one rounding of the quotient is the nearest double.
    // A whole number (a product of whole numbers mostly is) needs no division at all.
    const auto whole = static_cast<double>(static_cast<std::uint64_t>(coefficient));
    const double magnitude =
        scale == 0 ? whole : whole / kExactDoublePowers[static_cast<std::size_t>(scale)];
    return negative && coefficient != 0 ? -magnitude : magnitude;
}

// integer * b for a whole number and a b whose coefficient fits 64 bits, when the exact product
// fits the decimal type (Decimal's product then is exact too); nullopt otherwise.
inline std::optional<ScaledDecimal> exactProduct(bool negative, std::uint64_t integer,
                                                 const ScaledDecimal& b) {
    // Two factors below 2^64 cannot wrap 128 bits.
    if (b.coefficient >> 64 != 0) {
        return std::nullopt;
    }
    const u128 product = u128{integer} * b.coefficient;
    if (product >= kCoefficientLimit) {
        return std::nullopt;
    }
    return ScaledDecimal{negative != b.negative, product, b.scale};
}

// a - b, when the exact difference fits the decimal type (Decimal's difference then is exact
// too, and normalised gives the same value); nullopt otherwise.
inline std::optional<ScaledDecimal> exactDifference(const ScaledDecimal& a,
                                                    const ScaledDecimal& b) {
    const int scale = a.scale > b.scale ? a.scale : b.scale;
    const auto raisedA = raisedToScale(a, scale);
    const auto raisedB = raisedToScale(b, scale);
    if (!raisedA || !raisedB) {
        return std::nullopt;
    }
    ScaledDecimal difference{a.negative, 0, scale};
    if (a.negative != b.negative) {
        difference.coefficient = *raisedA + *raisedB;
    } else if (*raisedA >= *raisedB) {
        difference.coefficient = *raisedA - *raisedB;
    } else {
        difference.coefficient = *raisedB - *raisedA;
        difference.negative = !a.negative;
    }
    if (difference.coefficient >= kCoefficientLimit) {
        return std::nullopt;
    }
    if (difference.coefficient == 0) {
        difference.negative = false;
    }
    return difference;
}

}  // namespace mapsheet::ModuleQmb::detail

#pragma GCC diagnostic pop
