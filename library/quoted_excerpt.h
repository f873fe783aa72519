#pragma once

// Quoting a value in an error message without repeating all of it: a bad coordinate, a sheet
// number's piece or a scale can be megabytes long, and the message must stay a line.

#include <cstddef>
#include <string>
#include <string_view>

namespace mapsheet::text {

inline constexpr std::size_t kExcerptCodePoints = 40;

// The value whole when it has at most kExcerptCodePoints code points, else its first
// kExcerptCodePoints followed by "…". A byte that starts no well-formed UTF-8 sequence counts as
// one code point and is copied as it is (the CSV writer replaces NULs).
std::string excerpt(std::string_view value);

// The excerpt of the value in single quotes, as a message names a bad option or argument:
// "unknown scale '1:60000'".
std::string singleQuotedExcerpt(std::string_view value);

// Appends the excerpt of the value in double quotes.
void appendQuotedExcerpt(std::string& message, std::string_view value);

}  // namespace mapsheet::text
