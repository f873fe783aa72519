#include "text/angle_marks.h"

#include <array>

#include "library/code_points.h"

namespace mapsheet::text {

namespace {

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

}  // namespace mapsheet::text
