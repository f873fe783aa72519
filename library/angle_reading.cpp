#include "library/angle_reading.h"

#include <array>
#include <cstdint>
#include <exception>

#include "library/QmbJiChuJiaoDu.h"
#include "library/code_points.h"
#include "library/decimal.h"
#include "library/diagnostics_log.h"
#include "library/double_digits.h"
#include "library/exact_mode_scope.h"
#include "library/number_text.h"

namespace mapsheet {

namespace {

// The text is scanned byte by byte in place: the digits, points and signs of an angle are ASCII
// and every mark is decoded where it stands, so reading a coordinate builds no copy of it.

constexpr std::u32string_view kMarks = U"°′″";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The length of the unsigned decimal at the start of the text (digits with an optional point,
// at least one digit); 0 when there is none.
std::size_t numberLength(std::string_view text, bool& hasPoint) {
    std::size_t at = 0;
    std::size_t digits = 0;
    hasPoint = false;
    while (at < text.size() && (isDigit(text[at]) || (text[at] == '.' && !hasPoint))) {
        if (text[at] == '.') {
            hasPoint = true;
        } else {
            ++digits;
        }
        ++at;
    }
    return digits == 0 ? 0 : at;
}

constexpr std::array<double, 23> kExactPowersOfTen = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The degrees of plain decimal text ([-]digits[.digits], at least one digit), as
// Decimal::parse(text).toDouble() gives them; nullopt for any other text. With at most 19
// digits and a coefficient below 2^53, the decimal holds the text's value c / 10^d exactly and
// both c and 10^d are exact doubles, so the one correctly rounded division gives the same
// nearest double (a zero, also "-0", comes out +0 as the decimal's zero does). Longer texts
// take the decimal type.
std::optional<double> plainDecimalDegrees(std::string_view text) {
    constexpr std::size_t kMaxDigits = 19;  // below 10^19, within 64 bits
    const bool negative = text.starts_with('-');
    std::size_t at = negative ? 1 : 0;
    std::uint64_t coefficient = 0;
    const auto readDigits = [&] {
        const std::size_t start = at;
        while (at < text.size() && isDigit(text[at])) {
            coefficient = coefficient * 10 + static_cast<std::uint64_t>(text[at] - '0');
            ++at;
        }
        return at - start;
    };
    const std::size_t integerDigits = readDigits();
    std::size_t decimals = 0;
    if (at < text.size() && text[at] == '.') {
        ++at;
        decimals = readDigits();
    }
    if (at != text.size() || integerDigits + decimals == 0) {
        return std::nullopt;
    }
    if (integerDigits + decimals > kMaxDigits || coefficient >= (std::uint64_t{1} << 53)) {
        return Decimal::parse(text).toDouble();
    }
    const double magnitude = static_cast<double>(coefficient) / kExactPowersOfTen[decimals];
    return negative && coefficient != 0 ? -magnitude : magnitude;
}

// The rank of the mark at the start of a non-empty text (0 for °, 1 for ′, 2 for ″, npos for
// anything else) and its length in bytes.
std::size_t markRank(std::string_view text, std::size_t& length) {
    const text::LeadingCodePoint mark = text::leadingCodePoint(text);
    length = mark.length;
    return kMarks.find(mark.value);
}

bool isStrictMarkedText(std::string_view text) {
    std::size_t at = text.starts_with('-') ? 1 : 0;
    std::size_t nextRank = 0;
    bool lastHadPoint = false;
    int parts = 0;
    while (at < text.size()) {
        bool hasPoint = false;
        const std::size_t length = lastHadPoint ? 0 : numberLength(text.substr(at), hasPoint);
        if (length == 0 || at + length == text.size()) {
            return false;
        }
        const std::string_view part = text.substr(at, length);
        at += length;
        std::size_t markLength = 0;
        const std::size_t rank = markRank(text.substr(at), markLength);
        if (rank == std::u32string_view::npos || rank < nextRank) {
            return false;
        }
        if (parts > 0 && Decimal::parse(part) >= Decimal(60)) {
            return false;
        }
        at += markLength;
        nextRank = rank + 1;
        lastHadPoint = hasPoint;
        ++parts;
    }
    return parts > 0;
}

std::string expectation(std::string_view text) {
    return "expected decimal degrees such as 39.979 or -117.5, or degrees, minutes and seconds "
           "such as 39°58′45″, 39°58′45.5″, 39d58'45\" or 39:58:45 (minutes and seconds below "
           "60, decimals on the last part only), got \"" +
           std::string(text) + "\"";
}

AngleReading noAngle(std::string error) {
    return AngleReading{std::nullopt, std::move(error)};
}

AngleReading beyondTheDecimalRange(std::string_view text) {
    return noAngle("the angle \"" + std::string(text) +
                   "\" is beyond the range of the decimal type");
}

bool holdsAnyCodePointOf(std::string_view text, std::u32string_view set) {
    while (!text.empty()) {
        const text::LeadingCodePoint next = text::leadingCodePoint(text);
        if (set.find(next.value) != std::u32string_view::npos) {
            return true;
        }
        text.remove_prefix(next.length);
    }
    return false;
}

// A text with colons: "D:M" or "D:M:S" as D°M′ or D°M′S″, any other as it is.
std::string colonsAsMarks(std::string_view text) {
    std::array<std::string_view, 3> parts;
    std::size_t count = 0;
    std::size_t start = 0;
    while (true) {
        const auto colon = text.find(':', start);
        if (count == parts.size()) {
            return std::string(text);
        }
        parts[count++] = text.substr(start, colon - start);
        if (colon == std::string_view::npos) {
            break;
        }
        start = colon + 1;
    }
    std::string marked;
    marked.append(parts[0]).append("°").append(parts[1]).append("′");
    if (count == 3) {
        marked.append(parts[2]).append("″");
    }
    return marked;
}

}  // namespace

std::string withAngleMarks(std::string_view text) {
    if (text.find(':') != std::string_view::npos) {
        const bool hasOtherMarks = text.find_first_of("dD'\"") != std::string_view::npos ||
                                   holdsAnyCodePointOf(text, U"°′″’”");
        return hasOtherMarks ? std::string(text) : colonsAsMarks(text);
    }
    std::string result;
    result.reserve(text.size() + 4);
    while (!text.empty()) {
        const text::LeadingCodePoint next = text::leadingCodePoint(text);
        text.remove_prefix(next.length);
        switch (next.value) {
            case U'd':
            case U'D':
                result.append("°");
                break;
            case U'\'':
            case U'’':
                result.append("′");
                break;
            case U'"':
            case U'”':
                result.append("″");
                break;
            default:
                text::appendUtf8(result, next.value);
        }
    }
    return result;
}

AngleReading readAngleDegrees(std::string_view typed) {
    const std::string_view text = trimSpacesAndTabs(typed);
    if (text.empty()) {
        return noAngle(expectation(text));
    }
    try {
        // Marks never turn into digits, points or signs, so the text is plain decimal degrees
        // exactly when its marked form is.
        if (const std::optional<double> degrees = plainDecimalDegrees(text)) {
            return AngleReading{*degrees, {}};
        }
        const std::string marked = withAngleMarks(text);
        if (!isStrictMarkedText(marked)) {
            return noAngle(expectation(text));
        }
        const ScopedExactMode exact;
        // The angle operations report a value beyond the decimal range through the log only:
        // as one more message, or, once the count has reached its cap, as a new last message.
        const auto& log = ModuleQmb::日志();
        const auto messagesBefore = log.信息条数;
        const bool atCap = messagesBefore >= ModuleQmb::kMaxMessageCount;
        const std::string lastBefore = atCap ? log.最近信息 : std::string();
        const Decimal degrees = QmbJiChuJiaoDu::Dec度to梯度(QmbJiChuJiaoDu::Dec度型to度数(marked));
        if (log.信息条数 != messagesBefore || (atCap && log.最近信息 != lastBefore)) {
            return beyondTheDecimalRange(text);
        }
        return AngleReading{nearestDouble(degrees), {}};
    } catch (const std::exception&) {
        return beyondTheDecimalRange(text);
    }
}

}  // namespace mapsheet
