#pragma once

// Metres and degrees written with a fixed number of decimals, for the square-sheet tables.
//
// The text is the value correctly rounded to exactly that many decimals (std::to_chars, so
// the locale plays no part): 4374000.000, 39.499704898. A value whose text would pass 64
// characters is not appended. Inline: the point table calls it four times a row.

#include <charconv>
#include <string>
#include <system_error>

namespace mapsheet::text {

inline void appendFixed(std::string& text, double value, int decimals) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec == std::errc{}) {
        text.append(buffer, result.ptr);
    }
}

}  // namespace mapsheet::text
