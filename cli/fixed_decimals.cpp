#include "cli/fixed_decimals.h"

#include <charconv>

namespace mapsheet::cli {

void appendFixed(std::string& text, double value, int decimals) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec == std::errc{}) {
        text.append(buffer, result.ptr);
    }
}

}  // namespace mapsheet::cli
