#pragma once

// Writing JSON text (RFC 8259) for flat records.

#include <string>
#include <string_view>

namespace mapsheet::text {

// Appends the text as a JSON string in double quotes: '"' and '\' escaped, control characters
// as \n, \t, \r or \u00XX, and every byte that is not part of a well-formed UTF-8 sequence as
// U+FFFD, so the output is valid UTF-8 JSON whatever the input line held.
void appendJsonString(std::string& json, std::string_view text);

}  // namespace mapsheet::text
