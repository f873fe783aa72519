#include "library/thousands.h"

#include <cstddef>

namespace mapsheet::text {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string withThousandsSeparators(std::uint64_t value) {
    std::string digits = std::to_string(value);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return digits;
}

std::optional<std::string> digitsWithoutThousandsSeparators(std::string_view text,
                                                            std::string_view separators) {
    std::string digits;
    char separator = '\0';
    std::size_t groupLength = 0;  // digits since the last separator
    bool grouped = false;
    for (const char c : text) {
        if (isDigit(c)) {
            digits.push_back(c);
            ++groupLength;
            continue;
        }
        const bool isSeparator = separators.find(c) != std::string_view::npos;
        const bool sameSeparator = separator == '\0' || c == separator;
        // The first group holds one to three digits, every later one exactly three.
        const bool groupFits = grouped ? groupLength == 3 : groupLength >= 1 && groupLength <= 3;
        if (!isSeparator || !sameSeparator || !groupFits) {
            return std::nullopt;
        }
        separator = c;
        grouped = true;
        groupLength = 0;
    }
    if (digits.empty() || (grouped && groupLength != 3)) {
        return std::nullopt;
    }
    return digits;
}

}  // namespace mapsheet::text
