// Reading and writing Decimals as text. Locale-independent: only ASCII digits, '.', signs and
// 'e'/'E' are understood, and digits are converted with integer arithmetic.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "library/decimal.h"
#include "library/decimal_digits.h"
#include "library/number_text.h"

namespace mapsheet {
namespace {

using decimal_detail::kCoefficientLimit;
using decimal_detail::kLimitOneScaleDown;
using decimal_detail::kMaxDigitsOf128;
using decimal_detail::kPowerOfTen;
using decimal_detail::Tail;
using decimal_detail::u128;
using decimal_detail::writeDigits;

// ASCII white space: the blanks parse() allows around the text.
constexpr std::string_view kWhiteSpace = " \t\n\r\f\v";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// The digits of a mantissa on both sides of its point, indexed as one sequence.
struct MantissaDigits {
    std::string_view integerPart;
    std::string_view fractionPart;

    std::int64_t size() const {
        return static_cast<std::int64_t>(integerPart.size() + fractionPart.size());
    }
    unsigned at(std::int64_t index) const {
        const auto integerLength = static_cast<std::int64_t>(integerPart.size());
        const char c =
            index < integerLength ? integerPart[index] : fractionPart[index - integerLength];
        return static_cast<unsigned>(c - '0');
    }
};

// Exponents beyond this make any mantissa overflow or vanish; capping keeps the arithmetic on
// positions within 64 bits however long the text is.
constexpr std::int64_t kExponentCap = 1'000'000'000'000;

}  // namespace

Decimal Decimal::parse(std::string_view text) {
    const std::string_view body = trimmedOf(text, kWhiteSpace);
    std::size_t at = 0;
    bool negative = false;
    if (at < body.size() && (body[at] == '+' || body[at] == '-')) {
        negative = body[at] == '-';
        ++at;
    }
    const auto digitRun = [&] {
        const std::size_t begin = at;
        while (at < body.size() && isDigit(body[at])) {
            ++at;
        }
        return body.substr(begin, at - begin);
    };
    MantissaDigits mantissa;
    mantissa.integerPart = digitRun();
    if (at < body.size() && body[at] == '.') {
        ++at;
        mantissa.fractionPart = digitRun();
    }
    if (mantissa.size() == 0) {
        throw DecimalConversionError("not a decimal number: " + quoted(text));
    }
    std::int64_t exponent = 0;
    if (at < body.size() && (body[at] == 'e' || body[at] == 'E')) {
        ++at;
        bool exponentNegative = false;
        if (at < body.size() && (body[at] == '+' || body[at] == '-')) {
            exponentNegative = body[at] == '-';
            ++at;
        }
        const std::string_view exponentDigits = digitRun();
        if (exponentDigits.empty()) {
            throw DecimalConversionError("not a decimal number: " + quoted(text));
        }
        for (const char c : exponentDigits) {
            exponent = std::min(exponent * 10 + (c - '0'), kExponentCap);
        }
        if (exponentNegative) {
            exponent = -exponent;
        }
    }
    if (at != body.size()) {
        throw DecimalConversionError("not a decimal number: " + quoted(text));
    }

    // The significant digits D = mantissa[first..last]; the value is D / 10^scale.
    std::int64_t first = 0;
    while (first < mantissa.size() && mantissa.at(first) == 0) {
        ++first;
    }
    if (first == mantissa.size()) {
        return Decimal();
    }
    std::int64_t last = mantissa.size() - 1;
    while (mantissa.at(last) == 0) {
        --last;
    }
    const std::int64_t digitCount = last - first + 1;
    const std::int64_t exactScale =
        last + 1 - static_cast<std::int64_t>(mantissa.integerPart.size()) - exponent;
    const auto overflow = [&] { return DecimalOverflow("decimal overflow: " + quoted(text)); };
    if (digitCount - exactScale > 29) {
        throw overflow();  // at least 30 integer digits
    }
    const auto leadingDigits = [&](std::int64_t count) {
        u128 value = 0;
        for (std::int64_t i = 0; i < count; ++i) {
            value = value * 10 + mantissa.at(first + i);
        }
        return value;
    };
    if (exactScale <= 0) {
        const u128 value = leadingDigits(digitCount) * kPowerOfTen[-exactScale];
        if (value >= kCoefficientLimit) {
            throw overflow();
        }
        return normalised(negative, value, 0);
    }
    // Keep the digits down to scale 28, at most 29 of them, and fewer when 29 do not fit.
    int scale = static_cast<int>(std::min<std::int64_t>(exactScale, kMaxScale));
    std::int64_t kept = digitCount - (exactScale - scale);
    if (kept > 29) {
        scale -= static_cast<int>(kept - 29);
        kept = 29;
    }
    u128 coefficient = kept > 0 ? leadingDigits(kept) : 0;
    if (coefficient >= kCoefficientLimit) {
        --kept;
        --scale;
        coefficient = leadingDigits(kept);
    }
    // What was cut off: its first digit against 5, and whether any nonzero digit follows (the
    // last significant digit is nonzero, so any digit after the first dropped one means so).
    Tail tail = Tail::kZero;
    if (kept < 0) {
        tail = Tail::kBelowHalf;
    } else if (kept < digitCount) {
        const unsigned dropped = mantissa.at(first + kept);
        const bool more = kept + 1 < digitCount;
        tail = dropped < 5   ? Tail::kBelowHalf
               : dropped > 5 ? Tail::kAboveHalf
               : more        ? Tail::kAboveHalf
                             : Tail::kHalf;
    }
    if (decimal_detail::roundsUp(tail, coefficient)) {
        ++coefficient;
        if (coefficient == kCoefficientLimit) {
            coefficient = kLimitOneScaleDown;
            --scale;
        }
    }
    if (scale < 0) {
        throw overflow();
    }
    return normalised(negative, coefficient, scale);
}

std::string Decimal::toString() const {
    if (coefficient_ == 0) {
        return "0";
    }
    char digits[kMaxDigitsOf128];
    int length = writeDigits(coefficient_, digits);
    int scale = scale_;
    while (scale > 0 && digits[length - 1] == '0') {
        --length;
        --scale;
    }
    std::string result;
    result.reserve(length + 4);
    if (negative_) {
        result += '-';
    }
    if (scale == 0) {
        result.append(digits, length);
    } else if (length > scale) {
        result.append(digits, length - scale);
        result += '.';
        result.append(digits + length - scale, scale);
    } else {
        result += "0.";
        result.append(scale - length, '0');
        result.append(digits, length);
    }
    return result;
}

std::string Decimal::format(std::string_view pattern) const {
    const std::size_t point = pattern.find('.');
    const std::string_view integerZeros = pattern.substr(0, point);
    const std::string_view decimalZeros =
        point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);
    const auto allZeros = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c == '0'; });
    };
    if (pattern.empty() || !allZeros(integerZeros) || !allZeros(decimalZeros)) {
        throw DecimalConversionError("not a digit pattern: " + quoted(pattern));
    }
    const auto decimals = static_cast<int>(decimalZeros.size());

    // The magnitude rounded to `decimals` places, half away from zero. Fewer decimals than the
    // scale need a division; more are zeros written after the digits, so no width limits them.
    u128 magnitude = coefficient_;
    int magnitudeScale = scale_;
    if (decimals < magnitudeScale) {
        const u128 unit = kPowerOfTen[magnitudeScale - decimals];
        const u128 whole = magnitude / unit;
        const u128 dropped = magnitude - whole * unit;
        magnitude = whole + (dropped >= unit - dropped ? 1 : 0);
        magnitudeScale = decimals;
    }
    char digitBuffer[kMaxDigitsOf128];
    const int length = writeDigits(magnitude, digitBuffer);
    const std::string_view digits(digitBuffer, length);
    const int padding = decimals - magnitudeScale;  // zeros after the digits

    std::string result;
    if (negative_ && magnitude != 0) {
        result += '-';
    }
    const int integerLength = std::max(0, length - magnitudeScale);
    if (integerLength < static_cast<int>(integerZeros.size())) {
        result.append(integerZeros.size() - integerLength, '0');
    }
    result.append(digits.substr(0, integerLength));
    if (decimals > 0) {
        result += '.';
        if (length < magnitudeScale) {
            result.append(magnitudeScale - length, '0');
        }
        result.append(digits.substr(integerLength));
        result.append(padding, '0');
    }
    return result;
}

}  // namespace mapsheet
