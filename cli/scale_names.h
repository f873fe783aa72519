#pragma once

// The spellings of a scale on the command line.

#include <optional>
#include <string>
#include <string_view>

namespace mapsheet::cli {

// The scale index (0 = 1:1,000,000 .. 11 = 1:500) of "1:50000", "50000", the window's caption
// without its leading space ("1:5万", "1:2.5万") or the scale letter ("E"); nullopt for any
// other text. Spellings are matched exactly (no blanks, no thousands separators, letters in
// upper case).
std::optional<int> parseScale(std::string_view text);

// One line per scale listing its accepted spellings, for usage messages.
std::string acceptedScales();

}  // namespace mapsheet::cli
