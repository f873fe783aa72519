#include "library/QmbJiChuGeShi.h"

#include <exception>

#include "library/code_points.h"

namespace mapsheet::QmbJiChuGeShi {

namespace {

constexpr char32_t kDegreeMark = U'°';
constexpr char32_t kMinuteMark = U'′';
constexpr char32_t kSecondMark = U'″';

// Texts a user may be in the middle of typing, each followed by "；". A cleaned text is left as
// typed when it, followed by "；", occurs anywhere in this list.
std::string buildIncompleteNumbers() {
    std::string list = "0；.；-；-0；-.；";
    auto addRun = [&list](const std::string& head, int fewestZeros) {
        for (int zeros = fewestZeros; zeros <= 14; ++zeros) {
            list += head + std::string(zeros, '0') + "；";
        }
    };
    addRun("-.", 1);
    addRun("-0.", 0);
    addRun(".", 1);
    addRun("0.", 0);
    return list;
}

const std::string& incompleteNumbers() {
    static const std::string list = buildIncompleteNumbers();
    return list;
}

// Replaces each doubled `c` by a single one, scanning from the left (three become two).
std::u32string collapsePairs(const std::u32string& text, char32_t c) {
    std::u32string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        result.push_back(text[i]);
        if (text[i] == c && i + 1 < text.size() && text[i + 1] == c) {
            ++i;
        }
    }
    return result;
}

// The character mapping both filters start with; blanks removed, dashes, points and
// full-width digits made plain, then doubled dashes and points collapsed.
std::u32string mapTypedCharacters(std::string_view text) {
    std::u32string mapped;
    for (const char32_t c : text::decodeUtf8(text)) {
        switch (c) {
            case U' ':
            case U'　':
                break;
            case U'_':
            case U'－':
            case U'―':
            case U'﹣':
            case U'‐':
            case U'＿':
                mapped.push_back(U'-');
                break;
            case U'。':
            case U'．':
            case U'﹒':
            case U'·':
                mapped.push_back(U'.');
                break;
            default:
                if (c >= U'０' && c <= U'９') {
                    mapped.push_back(U'0' + (c - U'０'));
                } else {
                    mapped.push_back(c);
                }
        }
    }
    return collapsePairs(collapsePairs(mapped, U'-'), U'.');
}

bool isMark(char32_t c) {
    return c == kDegreeMark || c == kMinuteMark || c == kSecondMark;
}

bool endsWith(const std::string& text, char c) {
    return !text.empty() && text.back() == c;
}

}  // namespace

Decimal Dec文本to数值(std::string_view text) {
    try {
        return Decimal::parse(text);
    } catch (const std::exception&) {
        return Decimal(0);
    }
}

std::string Dec规范数字文本(std::string_view text, std::string_view allowed) {
    try {
        const std::u32string mapped = mapTypedCharacters(text);
        const std::u32string allowedSet = text::decodeUtf8(allowed);
        const std::size_t firstPoint = mapped.find(U'.');
        const std::size_t firstDash = mapped.find(U'-');
        std::u32string kept;
        for (std::size_t i = 0; i < mapped.size(); ++i) {
            const char32_t c = mapped[i];
            if (allowedSet.find(c) == std::u32string::npos) {
                continue;
            }
            if (c == U'.' && i != firstPoint) {
                continue;
            }
            if (c == U'-' && (i != firstDash || !kept.empty())) {
                continue;
            }
            kept.push_back(c);
        }
        if (kept.empty()) {
            return {};
        }
        const std::string result = text::encodeUtf8(kept);
        if (incompleteNumbers().find(result + "；") != std::string::npos) {
            return result;
        }
        if (endsWith(result, '0') || endsWith(result, '.')) {
            return result;
        }
        return Decimal::parse(result).toString();
    } catch (const std::exception&) {
        return {};
    }
}

std::string Dec规范度分秒文本(std::string_view text) {
    try {
        const std::u32string mapped = mapTypedCharacters(text);
        const std::u32string allowedSet = U"-0.123456789°′″";
        const std::size_t firstPoint = mapped.find(U'.');
        const std::size_t firstDash = mapped.find(U'-');
        const std::size_t degreeAt = mapped.find(kDegreeMark);
        const std::size_t minuteAt = mapped.find(kMinuteMark);
        const std::size_t secondAt = mapped.find(kSecondMark);
        constexpr std::size_t absent = std::u32string::npos;
        // A mark stands in the wrong order when it comes after a later mark or before an
        // earlier one; an absent mark imposes nothing.
        auto outOfOrder = [&](char32_t mark) {
            switch (mark) {
                case kDegreeMark:
                    return (minuteAt != absent && degreeAt > minuteAt) ||
                           (secondAt != absent && degreeAt > secondAt);
                case kMinuteMark:
                    return (secondAt != absent && minuteAt > secondAt) ||
                           (degreeAt != absent && minuteAt < degreeAt);
                default:
                    return (degreeAt != absent && secondAt < degreeAt) ||
                           (minuteAt != absent && secondAt < minuteAt);
            }
        };
        std::u32string kept;
        for (std::size_t i = 0; i < mapped.size(); ++i) {
            const char32_t c = mapped[i];
            if (allowedSet.find(c) == std::u32string::npos) {
                continue;
            }
            if (isMark(c) && (kept.empty() || i != mapped.find(c) || outOfOrder(c))) {
                continue;
            }
            if (c == U'-' && (i != firstDash || !kept.empty())) {
                continue;
            }
            if (c == U'.' && i != firstPoint) {
                continue;
            }
            kept.push_back(c);
        }
        return text::encodeUtf8(kept);
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace mapsheet::QmbJiChuGeShi
