#pragma once

// Reading a written sheet number of either numbering back into its sheet.
//
// Accepted, at every scale the series has:
//  - new-standard numbers: K50, K50E003005, SH50D001012, J50R003004 (the 1:200,000 code),
//    four-digit codes at 1:1000 and 1:500 (K50J11521152);
//  - pre-1992 numbers: K-50, K-50-D, K-50-[11], K-50-(1), K-50-104, K-50-104-A, K-50-104-A-1,
//    K-50-104-(1) and the historical 1:5000 form K-50-104-(15)-a.
// Before parsing, the text is normalised by a table: full-width letters, digits, brackets and
// dashes become ASCII; the dashes people type (en and em dash, minus sign, the full-width and
// ideographic forms) become "-"; 【】〔〕［］ become [ ]; （） become ( ); letters become upper
// case (the historical quarter letter is matched in either case); blanks around the pieces vanish.
// The normalised text is then parsed strictly.
//
// Errors (engine/input_error.h) name the wrong piece and its allowed range: "row code 145:
// 1:100,000 has rows 1 to 144", "unknown scale letter 'X'", "zone 61: row J has zones 1 to 60".

#include <optional>
#include <string>
#include <string_view>

#include "engine/input_error.h"
#include "engine/sheet.h"

namespace mapsheet::engine {

struct ParsedSheet {
    std::optional<Sheet> sheet;
    InputError error;  // empty exactly when sheet holds a value
};

ParsedSheet parseSheetNumber(std::string_view text);

// The table normalisation alone, as parseSheetNumber applies it (for front ends that echo the
// canonical spelling).
std::string normaliseSheetNumberText(std::string_view text);

}  // namespace mapsheet::engine
