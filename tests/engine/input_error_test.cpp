// The error vocabulary: every code words a message, every piece a message shows goes through
// the one quote rule, and the readers' errors render the same wherever a front end shows them.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "engine/input_error.h"
#include "engine/sheet_cover.h"
#include "engine/sheet_number_parse.h"
#include "engine/square_sheet.h"
#include "library/code_points.h"

namespace mapsheet::engine {
namespace {

using enum InputErrorCode;

struct CodeRow {
    const char* name;
    InputErrorCode code;
    bool showsPiece;  // whether the message quotes the piece
};

// Every code, in the order of the enum (the table must list them all).
const CodeRow kCodes[] = {
    {"latitude no angle", LatitudeNotAnAngle, true},
    {"longitude no angle", LongitudeNotAnAngle, true},
    {"latitude beyond decimal", LatitudeBeyondDecimalRange, true},
    {"longitude beyond decimal", LongitudeBeyondDecimalRange, true},
    {"outside the series", PointOutsideSeries, false},
    {"plane x", PlaneXNotMetres, true},
    {"plane y", PlaneYNotMetres, true},
    {"box not four values", BoxNotFourValues, true},
    {"box edge no angle", BoxEdgeNotAnAngle, true},
    {"box edge beyond decimal", BoxEdgeBeyondDecimalRange, true},
    {"box edge not a number", BoxEdgeNotANumber, true},
    {"box latitude", BoxLatitudeOutOfRange, true},
    {"box longitude", BoxLongitudeOutOfRange, true},
    {"south above north", BoxSouthAboveNorth, true},
    {"west east of east", BoxWestEastOfEast, true},
    {"unknown scale", UnknownScale, true},
    {"unknown denominator", UnknownScaleDenominator, true},
    {"unknown cover mode", UnknownCoverMode, true},
    {"rings", RingsOutOfRange, true},
    {"not a sheet id", NotASheetId, true},
    {"not a Gauss-Kruger srid", NotAGaussKrugerSrid, true},
    {"parent scale finer", ParentScaleFiner, false},
    {"scales do not nest", ScalesDoNotNest, false},
    {"child scale coarser", ChildScaleCoarser, false},
    {"empty sheet number", EmptySheetNumber, false},
    {"missing row letter", MissingRowLetter, false},
    {"row letter", RowLetterOutOfRange, true},
    {"zone not two digits", ZoneNotTwoDigits, false},
    {"zone not digits", ZoneNotDigits, true},
    {"zone out of range", ZoneOutOfRange, true},
    {"unknown scale letter", UnknownScaleLetter, true},
    {"code digits", CodeDigits, false},
    {"row code", RowCodeOutOfRange, true},
    {"column code", ColumnCodeOutOfRange, true},
    {"too many pieces", TooManyPieces, true},
    {"unexpected piece", UnexpectedPiece, true},
    {"cell", CellOutOfRange, true},
    {"quarter", QuarterOutOfRange, true},
    {"no square sheets", NoSquareSheets, false},
    {"square number form", SquareNumberForm, true},
    {"square x off its line", SquareXOffSheetLine, true},
    {"square y off its line", SquareYOffSheetLine, true},
};

// A scale every code that needs one can word: 1:50,000 has codes, cells and quarters; the
// square codes take a square scale.
int scaleFor(InputErrorCode code) {
    return code == SquareNumberForm || code == SquareXOffSheetLine || code == SquareYOffSheetLine
               ? 11
               : 5;
}

bool wellFormedUtf8(std::string_view text) {
    while (!text.empty()) {
        const text::LeadingCodePoint leading = text::leadingCodePoint(text);
        if (leading.value == text::kReplacementCharacter && !text.starts_with("\uFFFD")) {
            return false;
        }
        text.remove_prefix(leading.length);
    }
    return true;
}

std::string repeated(std::string_view unit, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text.append(unit);
    }
    return text;
}

TEST(InputError, TheTableListsEveryCodeInOrder) {
    for (std::size_t i = 0; i < std::size(kCodes); ++i) {
        EXPECT_EQ(static_cast<std::size_t>(kCodes[i].code), i + 1) << kCodes[i].name;
    }
    // The value past the last code words nothing: a code added to the enum must join the table.
    const auto pastTheLast = static_cast<InputErrorCode>(std::size(kCodes) + 1);
    EXPECT_EQ(describeInputError(inputError(pastTheLast, "x")), "");
    EXPECT_EQ(describeInputError(InputError{}), "");
    EXPECT_TRUE(InputError{}.empty());
}

TEST(InputError, EveryPieceIsQuotedByTheOneRule) {
    // 10,000 three-byte characters: a rule counting bytes, or cutting inside a character, shows.
    const std::string huge = repeated("万", 10000);
    const std::string kept = repeated("万", 40) + "…";
    for (const CodeRow& row : kCodes) {
        SCOPED_TRACE(row.name);
        InputError error = inputError(row.code, huge, scaleFor(row.code));
        error.context = huge;
        error.first = 1;
        error.last = 250;
        const std::string message = describeInputError(error);
        EXPECT_FALSE(message.empty());
        EXPECT_LT(message.size(), 600u);
        EXPECT_TRUE(wellFormedUtf8(message));
        EXPECT_EQ(message.find(repeated("万", 41)), std::string::npos);
        EXPECT_EQ(message.find(kept) != std::string::npos, row.showsPiece) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
}

TEST(InputError, TheReadersReportThroughTheVocabulary) {
    const struct {
        const char* name;
        InputError error;
        InputErrorCode code;
        const char* message;
    } rows[] = {
        {"pre-1992 zone of letters", parseSheetNumber("J-5x").error, ZoneNotDigits,
         "zone '5X': expected one or two digits"},
        {"1:200,000 cell", parseSheetNumber("J-50-(37)").error, CellOutOfRange,
         "1:200,000 cell 37: runs from 1 to 36"},
        {"1:100,000 sheet", parseSheetNumber("J-50-145").error, CellOutOfRange,
         "1:100,000 sheet 145: runs from 1 to 144"},
        {"1:25,000 quarter", parseSheetNumber("J-50-5-A-5").error, QuarterOutOfRange,
         "1:25,000 quarter '5': expected 1, 2, 3 or 4"},
        {"1:5000 quarter", parseSheetNumber("J-50-5-(1)-e").error, QuarterOutOfRange,
         "1:5000 quarter 'E': expected a, b, c or d"},
        {"southern zone", parseSheetNumber("SR31").error, ZoneOutOfRange,
         "zone 31: row SR has zones 1 to 30"},
        {"no row letter", parseSheetNumber("50").error, MissingRowLetter,
         "missing row letter: expected A to V, with S before it in the south"},
        {"new zone", parseSheetNumber("J5").error, ZoneNotTwoDigits,
         "zone: expected two digits after the row letter"},
        {"NaN edge", boxError({std::nan(""), 0, 1, 1}), BoxEdgeNotANumber,
         "the box edges must be numbers, not nan"},
        {"longitude beyond 180", boxError({0, 0, 1, 181}), BoxLongitudeOutOfRange,
         "longitude 181 is outside -180..180"},
        {"negative square off its line", parseSquareNumber("-0.25-501.5", 10).error,
         SquareXOffSheetLine,
         "'-0.25-501.5': x -0.25 km is not a 1:1000 sheet line (they lie every 0.5 km)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.error.code, row.code);
        EXPECT_EQ(describeInputError(row.error), row.message);
    }
}

}  // namespace
}  // namespace mapsheet::engine
