#pragma once

// Well-formed UTF-8 (RFC 3629) for outputs that require it: JSON and the GIS formats.

#include <cstddef>
#include <string>
#include <string_view>

namespace mapsheet::cli {

// U+FFFD REPLACEMENT CHARACTER, written for each byte that is not part of a well-formed
// sequence.
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// The length (1 to 4) of the well-formed sequence that starts at text[at]: no overlong forms,
// no surrogates, nothing above U+10FFFF; 0 when the bytes there form none. at < text.size().
std::size_t utf8SequenceLength(std::string_view text, std::size_t at);

// The text with every byte outside a well-formed sequence replaced by U+FFFD.
std::string validUtf8(std::string_view text);

}  // namespace mapsheet::cli
