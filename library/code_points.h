#pragma once

// UTF-8 text as a sequence of code points.
//
// Typed angles mix plain ASCII digits with multi-byte characters (full-width digits, the marks
// ° ′ ″, the ideographic full stop), and the cleaning rules speak of characters and their
// positions, so the library scans text code point by code point. A byte that does not start a
// well-formed UTF-8 sequence decodes as U+FFFD, which no allowed set contains, so malformed
// input is dropped by the filters instead of being half-kept.

#include <string>
#include <string_view>

namespace mapsheet::text {

std::u32string decodeUtf8(std::string_view text);
std::string encodeUtf8(std::u32string_view codePoints);

}  // namespace mapsheet::text
