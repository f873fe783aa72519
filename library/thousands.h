#pragma once

// Thousands separators in whole numbers, written and read by one rule: a separator stands
// every three digits counted from the right, so "1,000,000", "10,000" and "5,000" are grouped
// and "50,00", "1,0000" and ",500" are not.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mapsheet::text {

// The number in decimal digits with "," before every group of three from the right:
// 1000000 -> "1,000,000", 500 -> "500".
std::string withThousandsSeparators(std::uint64_t value);

// The digits of text, which is digits only or digits grouped by one of the separator characters
// (the same one throughout, every three digits from the right: "10,000", "10 000"); nullopt
// when the text is empty, holds anything else, or a separator stands out of place ("50,00").
std::optional<std::string> digitsWithoutThousandsSeparators(std::string_view text,
                                                            std::string_view separators);

}  // namespace mapsheet::text
