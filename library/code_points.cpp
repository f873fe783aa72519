#include "library/code_points.h"

namespace mapsheet::text {

namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

}  // namespace

LeadingCodePoint leadingCodePoint(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    std::size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
        smallest = 0x10000;
    }
    bool wellFormed = length > 0 && length <= text.size();
    for (std::size_t k = 1; wellFormed && k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[k]);
        wellFormed = isContinuation(next);
        value = (value << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values beyond U+10FFFF are not characters.
    wellFormed = wellFormed && value >= smallest && value <= 0x10FFFF &&
                 !(value >= 0xD800 && value <= 0xDFFF);
    if (!wellFormed) {
        return {kReplacementCharacter, 1};
    }
    return {value, length};
}

std::u32string decodeUtf8(std::string_view text) {
    std::u32string result;
    result.reserve(text.size());
    while (!text.empty()) {
        const LeadingCodePoint next = leadingCodePoint(text);
        result.push_back(next.value);
        text.remove_prefix(next.length);
    }
    return result;
}

void appendUtf8(std::string& text, char32_t c) {
    if (c < 0x80) {
        text.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        text.push_back(static_cast<char>(0xC0 | (c >> 6)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        text.push_back(static_cast<char>(0xE0 | (c >> 12)));
        text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        text.push_back(static_cast<char>(0xF0 | (c >> 18)));
        text.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::string encodeUtf8(std::u32string_view codePoints) {
    std::string result;
    result.reserve(codePoints.size());
    for (const char32_t c : codePoints) {
        appendUtf8(result, c);
    }
    return result;
}

}  // namespace mapsheet::text
