#include "text/coordinate_text.h"

#include <array>
#include <cstddef>
#include <optional>
#include <system_error>

#include <fast_float/fast_float.h>

#include "engine/input_error.h"
#include "library/code_points.h"
#include "library/decimal.h"
#include "library/double_digits.h"
#include "library/number_text.h"

namespace mapsheet::text {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Plain decimal degrees, an optional "-" and at most 15 digits with an optional point ("39.979",
// "-117.5", "5."), the common form of batch input, read without fast_float: the digits as a
// whole number m and the count k of decimals give m / 10^k. Both are exact doubles (m < 10^15 <
// 2^53, 10^k for k <= 15), so the one division is correctly rounded: the double nearest the
// text, the one fast_float gives. nullopt for any other text.
std::optional<double> plainDecimalDegrees(std::string_view text) {
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    constexpr int kMostDigits = 15;
    const bool negative = text.starts_with('-');
    std::uint64_t digits = 0;
    std::size_t at = negative ? 1 : 0;
    const auto readDigits = [&] {
        const std::size_t first = at;
        for (; at < text.size() && isDigit(text[at]); ++at) {
            digits = digits * 10 + static_cast<unsigned>(text[at] - '0');
        }
        return static_cast<int>(at - first);
    };
    const int wholeDigits = readDigits();
    int decimals = 0;
    if (at < text.size() && text[at] == '.') {
        ++at;
        decimals = readDigits();
    }
    if (at != text.size()) {
        return std::nullopt;
    }
    const int digitCount = wholeDigits + decimals;
    if (digitCount == 0 || digitCount > kMostDigits) {
        return std::nullopt;
    }
    const double magnitude = static_cast<double>(digits) / kPowersOfTen[decimals];
    // "-0" is 0 (the point on the line, not beyond it); asking digits rather than the quotient
    // keeps the choice off the division's long wait.
    return negative && digits != 0 ? -magnitude : magnitude;
}

// Decimal degrees as fast_float reads them, when it reads the whole text (values beyond the
// double range come back as its infinity or zero); it also reads "inf" and "nan", which a first
// character that is a digit or a point rules out.
std::optional<CoordinateReading> decimalDegrees(std::string_view text) {
    const std::size_t lead = text.starts_with('-') ? 1 : 0;
    if (text.size() <= lead || !(isDigit(text[lead]) || text[lead] == '.')) {
        return std::nullopt;
    }
    const char* const first = text.data();
    const char* const last = first + text.size();
    double value = 0;
    // fast_float, as the library's readDecimalText: correctly rounded everywhere, infinite
    // beyond the double range and zero below it.
    const auto [end, error] =
        fast_float::from_chars(first, last, value, fast_float::chars_format::general);
    if (end != last || (error != std::errc{} && error != std::errc::result_out_of_range)) {
        return std::nullopt;
    }
    return CoordinateReading{value == 0 ? 0.0 : value, CoordinateFault::None};
}

// One number of marked text and the rank of its mark: 0 degrees, 1 minutes, 2 seconds.
struct MarkedPart {
    std::string_view number;
    int rank = 0;
};

struct MarkedParts {
    std::array<MarkedPart, 3> parts;
    int count = 0;
};

// The length of the unsigned number at the start of the text (digits with at most one point,
// at least one digit); 0 when there is none.
std::size_t numberLength(std::string_view text, bool& hasPoint) {
    std::size_t at = 0;
    std::size_t digits = 0;
    hasPoint = false;
    while (at < text.size() && (isDigit(text[at]) || (text[at] == '.' && !hasPoint))) {
        hasPoint = hasPoint || text[at] == '.';
        digits += text[at] == '.' ? 0 : 1;
        ++at;
    }
    return digits == 0 ? 0 : at;
}

// The rank of the mark at the start of the text, -1 for anything else, and its length.
int markRank(std::string_view text, std::size_t& length) {
    if (text.empty()) {
        return -1;
    }
    const text::LeadingCodePoint mark = text::leadingCodePoint(text);
    length = mark.length;
    switch (mark.value) {
        case U'°':
        case U'd':
        case U'D':
            return 0;
        case U'′':
        case U'\'':
        case U'’':
            return 1;
        case U'″':
        case U'"':
        case U'”':
            return 2;
        default:
            return -1;
    }
}

// "D:M" or "D:M:S": every piece a number, no marks.
bool splitColonText(std::string_view text, MarkedParts& result) {
    while (true) {
        if (result.count == 3) {
            return false;
        }
        const std::size_t colon = text.find(':');
        const std::string_view piece = text.substr(0, colon);
        bool hasPoint = false;
        if (piece.empty() || numberLength(piece, hasPoint) != piece.size()) {
            return false;
        }
        result.parts[static_cast<std::size_t>(result.count)] = {piece, result.count};
        ++result.count;
        if (colon == std::string_view::npos) {
            return result.count >= 2;
        }
        text.remove_prefix(colon + 1);
    }
}

bool splitMarkedText(std::string_view text, MarkedParts& result) {
    int nextRank = 0;
    bool lastHadPoint = false;
    while (!text.empty()) {
        bool hasPoint = false;
        const std::size_t length = lastHadPoint ? 0 : numberLength(text, hasPoint);
        std::size_t markLength = 0;
        const int rank = length == 0 ? -1 : markRank(text.substr(length), markLength);
        if (rank < nextRank || result.count == 3) {
            return false;
        }
        result.parts[static_cast<std::size_t>(result.count)] = {text.substr(0, length), rank};
        ++result.count;
        text.remove_prefix(length + markLength);
        nextRank = rank + 1;
        lastHadPoint = hasPoint;
    }
    return result.count > 0;
}

CoordinateReading markedDegrees(std::string_view text) {
    const bool negative = text.starts_with('-');
    const std::string_view unsignedText = text.substr(negative ? 1 : 0);
    MarkedParts marked;
    const bool split = unsignedText.find(':') != std::string_view::npos
                           ? splitColonText(unsignedText, marked)
                           : splitMarkedText(unsignedText, marked);
    if (!split) {
        return {0, CoordinateFault::NotAnAngle};
    }
    try {
        const Decimal sixty(60);
        std::array<Decimal, 3> values;  // degrees, minutes, seconds
        for (int i = 0; i < marked.count; ++i) {
            const MarkedPart& part = marked.parts[static_cast<std::size_t>(i)];
            const Decimal value = Decimal::parse(part.number);
            if (i > 0 && value >= sixty) {
                return {0, CoordinateFault::NotAnAngle};
            }
            values[static_cast<std::size_t>(part.rank)] = value;
        }
        const Decimal minutes = values[1] + values[2] / sixty;
        const Decimal degrees = values[0] + minutes / sixty;
        const double magnitude = nearestDouble(degrees);
        return {negative && magnitude != 0 ? -magnitude : magnitude, CoordinateFault::None};
    } catch (const DecimalError&) {
        return {0, CoordinateFault::BeyondDecimalRange};
    }
}

}  // namespace

CoordinateReading readCoordinate(std::string_view typed) noexcept {
    if (const std::optional<double> plain = plainDecimalDegrees(typed)) {
        return {*plain, CoordinateFault::None};
    }
    const std::string_view text = trimSpacesAndTabs(typed);
    if (const std::optional<CoordinateReading> degrees = decimalDegrees(text)) {
        return *degrees;
    }
    return markedDegrees(text);
}

std::string_view coordinateFaultText(CoordinateFault fault) noexcept {
    switch (fault) {
        case CoordinateFault::None:
            return {};
        case CoordinateFault::NotAnAngle:
            return engine::kNotAnAngleReason;
        case CoordinateFault::BeyondDecimalRange:
            return engine::kBeyondDecimalRangeReason;
    }
    return {};
}

}  // namespace mapsheet::text
