#pragma once

// The spellings of a scale on the command line.

#include <optional>
#include <string>
#include <string_view>

namespace mapsheet::engine {

// The scale index (0 = 1:1,000,000 .. 11 = 1:500) of "1:50000", "50000", the window's caption
// without its leading space ("1:5万", "1:2.5万") or the scale letter ("E"); nullopt for any
// other text. Blanks around the text are ignored, the denominator may carry thousands
// separators every three digits from the right ("1:10,000", "1:10 000", "10,000"; not
// "1:50,00"), and the letter may be lower case.
std::optional<int> parseScale(std::string_view text);

// The scale index of a denominator (50000 for 1:50,000); nullopt for any other number.
std::optional<int> scaleOfDenominator(double denominator);

// One line per scale listing its accepted spellings, for usage messages.
std::string acceptedScales();

// The scale as a ratio: "1:50000".
std::string scaleRatioText(int scaleIndex);

}  // namespace mapsheet::engine
