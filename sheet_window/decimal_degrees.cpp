#include "sheet_window/decimal_degrees.h"

#include <cstdint>
#include <cstdio>

#include "library/decimal.h"

namespace mapsheet::sheet_window {

namespace {

constexpr std::int64_t kHundredthsPerDegree = 360000;
constexpr std::int64_t kHundredthsPerMinute = 6000;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

struct Scanned {
    bool negative = false;
    std::string whole;
    std::string fraction;
};

std::optional<Scanned> ScanDecimal(std::string_view text) {
    Scanned number;
    std::size_t at = 0;
    const auto skipBlanks = [&] {
        while (at < text.size() && IsBlank(text[at])) {
            ++at;
        }
    };
    const auto readDigits = [&](std::string& digits) {
        for (skipBlanks(); at < text.size() && IsDigit(text[at]); skipBlanks()) {
            digits += text[at++];
        }
    };
    skipBlanks();
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        number.negative = text[at++] == '-';
    }
    readDigits(number.whole);
    if (at >= text.size() || text[at] != '.') {
        return std::nullopt;
    }
    ++at;
    readDigits(number.fraction);
    // readLeadingDouble takes an exponent only when a digit follows it (after a sign).
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E') &&
        (number.whole.size() + number.fraction.size()) > 0) {
        std::size_t next = at + 1;
        while (next < text.size() && IsBlank(text[next])) {
            ++next;
        }
        if (next < text.size() && (text[next] == '+' || text[next] == '-')) {
            ++next;
        }
        while (next < text.size() && IsBlank(text[next])) {
            ++next;
        }
        if (next < text.size() && IsDigit(text[next])) {
            return std::nullopt;
        }
    }
    return number;
}

std::string TwoDigits(std::int64_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", static_cast<int>(value));
    return text;
}

// Hundredths of a second in the unsigned value whole.fraction, clamped to the box's largest.
std::int64_t Hundredths(const Scanned& number, int limit) {
    const std::int64_t largest = (limit + 1) * kHundredthsPerDegree - 1;
    try {
        const Decimal degrees =
            Decimal::parse((number.whole.empty() ? "0" : number.whole) + "." + number.fraction);
        if (degrees >= Decimal(limit + 1)) {
            return largest;
        }
        const Decimal hundredths =
            (degrees * Decimal(kHundredthsPerDegree) + Decimal::parse("0.5")).floor();
        return std::min<std::int64_t>(hundredths.toInt32(), largest);
    } catch (const DecimalOverflow&) {
        return largest;
    }
}

}  // namespace

std::optional<std::string> DecimalDegreesText(std::string_view text) {
    const std::optional<Scanned> number = ScanDecimal(text);
    if (!number) {
        return std::nullopt;
    }
    return (number->negative ? "-" : "") + number->whole + "." + number->fraction;
}

std::optional<SplitDegrees> SplitDecimalDegrees(std::string_view text, int limit) {
    const std::optional<Scanned> number = ScanDecimal(text);
    if (!number) {
        return std::nullopt;
    }
    if (number->fraction.empty()) {
        return SplitDegrees{(number->negative ? "-" : "") +
                                (number->whole.empty() ? std::string("0") : number->whole),
                            std::nullopt, std::nullopt};
    }
    const std::int64_t total = Hundredths(*number, limit);
    const std::int64_t degrees = total / kHundredthsPerDegree;
    const std::int64_t minutes = total % kHundredthsPerDegree / kHundredthsPerMinute;
    const std::int64_t hundredths = total % kHundredthsPerMinute;
    const bool negative = number->negative && total != 0;
    return SplitDegrees{(negative ? "-" : "") + std::to_string(degrees), TwoDigits(minutes),
                        TwoDigits(hundredths / 100) + "." + TwoDigits(hundredths % 100)};
}

}  // namespace mapsheet::sheet_window
