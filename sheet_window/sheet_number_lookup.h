#pragma once

// The new-standard sheet number typed in pieces (hemisphere, row letter, zone, row code,
// column code), its limits, and the centre of the sheet it names as the six position texts.
//
// Row letters "A".."V" name the 4-degree bands counted from the equator; in the southern
// hemisphere ("S") the same letter names the band mirrored south of it. Zones are counted
// eastwards from 180 degrees west in widths of 6 degrees up to row "O", 12 for "P".."S" and
// 24 from "T"; rows downwards from the band's north edge, columns eastwards from the zone's
// west edge, as in the numbers the engine writes. Letters are compared as texts, code unit by
// code unit: any text up to "O" (the blank entry included) counts as a 6-degree row.
// Out-of-range or unreadable codes are clamped to the limits, an empty code counts as 1.

#include <string>
#include <string_view>

#include "engine/scale_catalogue.h"
#include "sheet_window/angle_text.h"

namespace mapsheet::sheet_window {

// 60, 30 or 15 zones for the row letter.
int ZoneLimit(std::string_view rowLetter);
// 6, 12 or 24 degrees for the row letter.
int ZoneWidthOfRow(std::string_view rowLetter);
// 1 for "A" up to 22 for "V" (either case); 1 for any other text.
int RowLetterNumber(std::string_view rowLetter);

// The text a sheet-number box is brought to when its typing is done: the integer within
// 1..limit, with the digit pattern ("00" for zones, "000" or "0000" for codes).
std::string ClampedCodeText(std::string_view text, int limit, std::string_view pattern);

// The text a box being typed in shows: the cleaned digits, or the limit when above it.
std::string TypedCodeText(std::string_view text, int limit);

struct SheetNumberPieces {
    std::string hemisphere;  // " " or "S"
    std::string rowLetter;   // " " or "A".."V"
    std::string zone;
    std::string rowCode;
    std::string columnCode;
};

// Position texts of a sheet's centre; every piece empty where the lookup does not reach.
struct CentreTexts {
    AngleBoxTexts latitude;
    AngleBoxTexts longitude;
};

// The centre of the sheet the pieces name at the scale. No row letter: all empty. A row letter
// without a zone: the middle of the band only ("38", "00", "00.00" for "J"), longitude empty.
CentreTexts LookUpSheetCentre(const SheetNumberPieces& pieces, const engine::ScaleRecord& scale);

}  // namespace mapsheet::sheet_window
