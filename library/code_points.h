#pragma once

// UTF-8 text as a sequence of code points.
//
// Typed angles mix plain ASCII digits with multi-byte characters (full-width digits, the marks
// ° ′ ″, the ideographic full stop), and the cleaning rules speak of characters and their
// positions, so the library scans text code point by code point. A byte that does not start a
// well-formed UTF-8 sequence decodes as U+FFFD, which no allowed set contains, so malformed
// input is dropped by the filters instead of being half-kept.

#include <cstddef>
#include <string>
#include <string_view>

namespace mapsheet::text {

inline constexpr char32_t kReplacementCharacter = U'\uFFFD';
// Its UTF-8 bytes, written in place of a byte of a text that starts no well-formed sequence.
inline constexpr std::string_view kReplacementCharacterUtf8 = "\xEF\xBF\xBD";

// The first code point of a non-empty text and the bytes it takes: a well-formed sequence of
// 1 to 4 bytes, or U+FFFD and 1 byte for a byte that starts none. Lets a scanner walk UTF-8
// text in place instead of decoding all of it first.
struct LeadingCodePoint {
    char32_t value;
    std::size_t length;
};
LeadingCodePoint leadingCodePoint(std::string_view text);

std::u32string decodeUtf8(std::string_view text);
std::string encodeUtf8(std::u32string_view codePoints);
// Appends the UTF-8 bytes of one code point.
void appendUtf8(std::string& text, char32_t codePoint);

}  // namespace mapsheet::text
