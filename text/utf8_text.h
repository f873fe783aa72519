#pragma once

// Well-formed UTF-8 (RFC 3629) for outputs that require it (JSON and the GIS formats), and the
// byte order mark that inputs may start with.

#include <cstddef>
#include <string>
#include <string_view>

namespace mapsheet::text {

// The UTF-8 byte order mark that some editors write at the start of a file.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The text without a byte order mark at its start: a file's first line or record, whose
// first field the mark is not part of.
constexpr std::string_view withoutByteOrderMark(std::string_view text) {
    return text.starts_with(kByteOrderMark) ? text.substr(kByteOrderMark.size()) : text;
}

// The length (1 to 4) of the well-formed sequence that starts at text[at], as
// text::leadingCodePoint (library/code_points.h) reads it: no overlong forms, no surrogates,
// nothing above U+10FFFF; 0 when the bytes there form none. at < text.size().
std::size_t utf8SequenceLength(std::string_view text, std::size_t at);

// The text with every byte outside a well-formed sequence replaced by U+FFFD
// (text::kReplacementCharacterUtf8).
std::string validUtf8(std::string_view text);

}  // namespace mapsheet::text
