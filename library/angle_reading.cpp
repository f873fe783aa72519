#include "library/angle_reading.h"

#include <exception>
#include <vector>

#include "library/QmbJiChuJiaoDu.h"
#include "library/code_points.h"
#include "library/decimal.h"
#include "library/diagnostics_log.h"
#include "library/exact_mode_scope.h"

namespace mapsheet {

namespace {

constexpr std::u32string_view kMarks = U"°′″";

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// An unsigned decimal at `at`: digits with an optional point, at least one digit. Moves `at`
// past it; false when there is none.
bool scanNumber(const std::u32string& text, std::size_t& at, bool& hasPoint) {
    const std::size_t start = at;
    std::size_t digits = 0;
    hasPoint = false;
    while (at < text.size() && (isDigit(text[at]) || (text[at] == U'.' && !hasPoint))) {
        if (text[at] == U'.') {
            hasPoint = true;
        } else {
            ++digits;
        }
        ++at;
    }
    if (digits == 0) {
        at = start;
        return false;
    }
    return true;
}

bool isPlainDecimal(const std::u32string& text) {
    std::size_t at = (!text.empty() && text[0] == U'-') ? 1 : 0;
    bool hasPoint = false;
    return scanNumber(text, at, hasPoint) && at == text.size();
}

bool isStrictMarkedText(const std::u32string& text) {
    std::size_t at = (!text.empty() && text[0] == U'-') ? 1 : 0;
    std::size_t nextRank = 0;
    bool lastHadPoint = false;
    int parts = 0;
    while (at < text.size()) {
        const std::size_t start = at;
        bool hasPoint = false;
        if (lastHadPoint || !scanNumber(text, at, hasPoint) || at == text.size()) {
            return false;
        }
        const std::size_t rank = kMarks.find(text[at]);
        if (rank == std::u32string_view::npos || rank < nextRank) {
            return false;
        }
        if (parts > 0) {
            const std::string part = text::encodeUtf8(text.substr(start, at - start));
            if (Decimal::parse(part) >= Decimal(60)) {
                return false;
            }
        }
        ++at;
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

std::vector<std::string> splitAtColons(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const auto colon = text.find(':', start);
        parts.push_back(text.substr(start, colon - start));
        if (colon == std::string::npos) {
            return parts;
        }
        start = colon + 1;
    }
}

}  // namespace

std::string withAngleMarks(std::string_view text) {
    const std::string plain(text);
    const bool hasOtherMarks =
        plain.find_first_of("dD'\"") != std::string::npos ||
        text::decodeUtf8(plain).find_first_of(U"°′″’”") != std::u32string::npos;
    if (plain.find(':') != std::string::npos) {
        const std::vector<std::string> parts = splitAtColons(plain);
        if (hasOtherMarks || parts.size() < 2 || parts.size() > 3) {
            return plain;
        }
        std::string marked = parts[0] + "°" + parts[1] + "′";
        if (parts.size() == 3) {
            marked += parts[2] + "″";
        }
        return marked;
    }
    std::u32string result;
    for (const char32_t c : text::decodeUtf8(plain)) {
        switch (c) {
            case U'd':
            case U'D':
                result.push_back(U'°');
                break;
            case U'\'':
            case U'’':
                result.push_back(U'′');
                break;
            case U'"':
            case U'”':
                result.push_back(U'″');
                break;
            default:
                result.push_back(c);
        }
    }
    return text::encodeUtf8(result);
}

AngleReading readAngleDegrees(std::string_view typed) {
    const std::string text = trimmed(typed);
    if (text.empty()) {
        return noAngle(expectation(text));
    }
    const std::string marked = withAngleMarks(text);
    const std::u32string codePoints = text::decodeUtf8(marked);
    try {
        if (isPlainDecimal(codePoints)) {
            return AngleReading{Decimal::parse(marked).toDouble(), {}};
        }
        if (!isStrictMarkedText(codePoints)) {
            return noAngle(expectation(text));
        }
        const ScopedExactMode exact;
        // The angle operations report a value beyond the decimal range through the log only.
        const auto& log = ModuleQmb::日志();
        const auto messagesBefore = log.信息条数;
        const std::string lastBefore = log.最近信息;
        const Decimal degrees = QmbJiChuJiaoDu::Dec度to梯度(QmbJiChuJiaoDu::Dec度型to度数(marked));
        if (log.信息条数 != messagesBefore || log.最近信息 != lastBefore) {
            return noAngle("the angle \"" + text + "\" is beyond the range of the decimal type");
        }
        return AngleReading{degrees.toDouble(), {}};
    } catch (const std::exception&) {
        return noAngle("the angle \"" + text + "\" is beyond the range of the decimal type");
    }
}

}  // namespace mapsheet
