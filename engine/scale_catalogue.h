#pragma once

// The twelve scales of the national basic-scale topographic map series, 1:1,000,000 (index 0)
// to 1:500 (index 11), with the parameters the numbering reads and the texts the window shows.
//
// Heights and widths are stored as the decimal literals of the published tables (fifteen
// significant digits where the fraction does not terminate), not computed from fractions.
// The widths are those below 60 degrees of latitude; they double at 60 degrees and double
// again at 76 degrees. Heights never change.

#include <array>
#include <cstdint>
#include <string_view>

namespace mapsheet::engine {

inline constexpr int kScaleCount = 12;

struct DegreesMinutesSeconds {
    std::int32_t degrees;
    std::int32_t minutes;
    double seconds;
};

// How the pre-1992 numbering writes a sheet of the scale: which coarser sheet it divides and
// how the cell is marked.
enum class OldForm {
    BaseSheet,            // K-50
    LetterOfBase,         // K-50-D: 2 x 2 of the 1:1,000,000 sheet
    BracketedOfBase,      // K-50-[11]: 4 x 4
    ParenthesisedOfBase,  // K-50-(1): 6 x 6
    NumberOfBase,         // K-50-104: 12 x 12
    LetterOf100k,         // K-50-104-A: 2 x 2 of the 1:100,000 sheet
    DigitOf50k,           // K-50-104-A-1: 2 x 2 of the 1:50,000 sheet
    ParenthesisedOf100k,  // K-50-104-(1): 8 x 8 of the 1:100,000 sheet
    SmallLetterOf10k,     // K-50-104-(1)-a: 2 x 2 of the 1:10,000 sheet, the historical 1:5000
    None,                 // 1:2000 and finer
};

struct ScaleRow {
    std::string_view caption;  // the scale label, leading space included: " 1:5万"
    std::string_view letter;   // "A" .. "K"; "R" for 1:200,000, which has no new number
    std::int32_t divisions;    // rows and columns in one 1:1,000,000 sheet
    double heightDegrees;
    DegreesMinutesSeconds height;
    double widthDegrees;
    DegreesMinutesSeconds width;
    int codeDigits;     // digits of the row and column codes; 0 for 1:1,000,000
    bool hasOldNumber;  // whether the window shows a pre-1992 number (not the historical 1:5000)
    std::string_view note1;
    std::string_view note2;
    std::string_view standardLine;
    std::string_view example;
    std::int32_t denominator;  // 50000 for 1:50,000
    OldForm oldForm;
};

extern const std::array<ScaleRow, kScaleCount> kScaleCatalogue;

// The scale letters by index: "A", "B", "C", "R", "D", "E", "F", "G", "H", "I", "J", "K".
// Here and in scaleRecord an index outside 0..11 is taken as the nearest of 0 and 11.
std::string_view scaleLetter(int scaleIndex);

// The digit pattern of the row and column codes: "0000" for 1:1000 and 1:500, else "000".
std::string_view codeFormat(int scaleIndex);

// The current scale record of the window, loaded from a catalogue row.
struct ScaleRecord {
    std::int16_t scaleIndex = 0;
    std::int32_t rowDivisions = 1;
    std::int32_t columnDivisions = 1;
    double sheetHeightDegrees = 4.0;
    double sheetWidthDegrees = 6.0;
    DegreesMinutesSeconds sheetHeightDMS{4, 0, 0.0};
    DegreesMinutesSeconds sheetWidthDMS{6, 0, 0.0};
};

ScaleRecord scaleRecord(int scaleIndex);

}  // namespace mapsheet::engine
