#pragma once

// Quoting a value in an error message without repeating all of it.

#include <cstddef>
#include <string>
#include <string_view>

namespace mapsheet::cli {

inline constexpr std::size_t kExcerptCodePoints = 40;

// Appends the value in double quotes: whole when it has at most kExcerptCodePoints code points,
// else its first kExcerptCodePoints followed by "…". A byte that starts no well-formed UTF-8
// sequence counts as one code point and is copied as it is (the CSV writer replaces NULs).
void appendQuotedExcerpt(std::string& message, std::string_view value);

}  // namespace mapsheet::cli
