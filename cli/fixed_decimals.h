#pragma once

// Metres and degrees written with a fixed number of decimals, for the square-sheet tables.
//
// The text is the value correctly rounded to exactly that many decimals (std::to_chars, so
// ties go to even on the binary value and the locale plays no part): 4374000.000, 39.499704898.
// Finite values only; a value too long for 64 characters is not appended.

#include <string>

namespace mapsheet::cli {

void appendFixed(std::string& text, double value, int decimals);

}  // namespace mapsheet::cli
