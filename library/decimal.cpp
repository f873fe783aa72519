// Construction, comparison and the integer and double conversions of Decimal.

#include "library/decimal.h"

#include <charconv>
#include <cmath>
#include <string>

#include "library/decimal_digits.h"
#include "library/double_digits.h"
#include "library/double_text.h"

namespace mapsheet {

using decimal_detail::kCoefficientLimit;
using decimal_detail::kPowerOfTen;
using decimal_detail::u128;

Decimal::Decimal(std::int64_t value)
    : coefficient_(value < 0 ? u128(0) - u128(value) : u128(value)), negative_(value < 0) {}

Decimal Decimal::normalised(bool negative, u128 coefficient, int scale) {
    decimal_detail::stripTrailingZeros(coefficient, scale);
    Decimal result;
    result.coefficient_ = coefficient;
    result.scale_ = static_cast<std::uint8_t>(scale);
    result.negative_ = negative && coefficient != 0;
    return result;
}

Decimal Decimal::fromParts(bool negative, u128 coefficient, int scale) {
    if (coefficient >= kCoefficientLimit || scale < 0 || scale > kMaxScale) {
        char digits[decimal_detail::kMaxDigitsOf128];
        const int length = decimal_detail::writeDigits(coefficient, digits);
        throw DecimalOverflow("decimal overflow: \"" + std::string(negative ? "-" : "") +
                              std::string(digits, length) + "E-" + std::to_string(scale) + "\"");
    }
    Decimal result;
    result.coefficient_ = coefficient;
    result.scale_ = static_cast<std::uint8_t>(scale);
    result.negative_ = negative;
    return result;
}

Decimal Decimal::fromDouble(double value) {
    // Messages quote the double as the shortest text that reads back as it.
    const auto shortest = [value] { return shortestText(value); };
    if (!std::isfinite(value)) {
        throw DecimalConversionError("not a decimal number: \"" + shortest() + "\"");
    }
    // Scientific with 14 digits after the point: the 15 significant digits a double reliably
    // carries, so 0.1 reads as 0.1 and 2^56 as 72057594037927900.
    char text[40];
    const char* const end = writeScientific14(value, text, sizeof text);
    try {
        return parse(std::string_view(text, end - text));
    } catch (const DecimalOverflow&) {
        throw DecimalOverflow("decimal overflow: \"" + shortest() + "\"");
    }
}

double Decimal::toDouble() const {
    // The digits with their exponent, read back correctly rounded, give the nearest double; a
    // sum of powers of ten in floating point would not.
    char text[decimal_detail::kMaxDigitsOf128 + 8];
    char* cursor = text;
    if (isNegative()) {
        *cursor++ = '-';
    }
    cursor += decimal_detail::writeDigits(coefficient_, cursor);
    *cursor++ = 'e';
    *cursor++ = '-';
    cursor = std::to_chars(cursor, text + sizeof text, static_cast<int>(scale_)).ptr;
    return readDecimalText(text, cursor);
}

std::int32_t Decimal::toInt32() const {
    const u128 unit = kPowerOfTen[scale_];
    u128 whole = coefficient_ / unit;
    const u128 fraction = coefficient_ - whole * unit;
    const u128 half = unit / 2;  // zero at scale 0, where there is no fraction
    if (scale_ > 0 && (fraction > half || (fraction == half && (whole & 1) != 0))) {
        ++whole;
    }
    const u128 limit = isNegative() ? u128(1) << 31 : (u128(1) << 31) - 1;
    if (whole > limit) {
        throw DecimalOverflow("\"" + toString() + "\" does not fit a 32-bit integer");
    }
    const auto magnitude = static_cast<std::int64_t>(whole);
    return static_cast<std::int32_t>(isNegative() ? -magnitude : magnitude);
}

Decimal Decimal::truncate() const {
    return normalised(negative_, coefficient_ / kPowerOfTen[scale_], 0);
}

Decimal Decimal::floor() const {
    const u128 unit = kPowerOfTen[scale_];
    u128 whole = coefficient_ / unit;
    // Below zero a dropped fraction moves the magnitude up; at scale 1 or more the whole part
    // is below 2^96 / 10, so this cannot overflow.
    if (isNegative() && whole * unit != coefficient_) {
        ++whole;
    }
    return normalised(negative_, whole, 0);
}

Decimal Decimal::abs() const {
    Decimal result = *this;
    result.negative_ = false;
    return result;
}

Decimal Decimal::operator-() const {
    Decimal result = *this;
    result.negative_ = !negative_ && coefficient_ != 0;
    return result;
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
    const bool aNegative = a.isNegative();
    if (aNegative != b.isNegative()) {
        return aNegative ? std::strong_ordering::less : std::strong_ordering::greater;
    }
    // Align the smaller scale to the larger; a product beyond 128 bits exceeds any coefficient.
    u128 x = a.coefficient();
    u128 y = b.coefficient();
    std::strong_ordering magnitude = std::strong_ordering::equal;
    if (a.scale() < b.scale()) {
        magnitude = __builtin_mul_overflow(x, kPowerOfTen[b.scale() - a.scale()], &x)
                        ? std::strong_ordering::greater
                        : x <=> y;
    } else if (b.scale() < a.scale()) {
        magnitude = __builtin_mul_overflow(y, kPowerOfTen[a.scale() - b.scale()], &y)
                        ? std::strong_ordering::less
                        : x <=> y;
    } else {
        magnitude = x <=> y;
    }
    return aNegative ? 0 <=> magnitude : magnitude;
}

}  // namespace mapsheet
