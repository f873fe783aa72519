#pragma once

// The ways an input can be wrong, and the one function that words them.
//
// Every reader of typed input (coordinates, boxes, scales, sheet numbers, sheet ids, square
// numbers) reports a failure as an InputError: a code, the bad piece of text as given, and where
// the rule has one the allowed range. describeInputError words it; every front end renders its
// messages from it (the CLI's rows and records, the SQL functions' errors, the Python module's
// mapsheet.Error) and adds only its own framing ("line 3: ", "invalid sheet number: ").
//
// Quoting. Every piece of text a message shows goes through the one quote rule of
// library/quoted_excerpt.h: at most 40 characters, then "…", never a cut character. So a
// megabyte value still gives a one-line message.
//
// Cost. An InputError with code None holds two empty strings and is built without allocating;
// nothing is worded until describeInputError is called, so readers stay cheap on good input.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace mapsheet::engine {

enum class InputErrorCode : std::uint8_t {
    None = 0,
    // A point's coordinates (piece: the text given).
    LatitudeNotAnAngle,
    LongitudeNotAnAngle,
    LatitudeBeyondDecimalRange,  // marked text whose numbers do not fit the decimal type
    LongitudeBeyondDecimalRange,
    PointOutsideSeries,  // read, but outside -88 < LAT < 88, -180 <= LON < 180
    PlaneXNotMetres,     // plane coordinates of a square sheet (piece: the text)
    PlaneYNotMetres,
    // A box (piece: the edge as written; context: the edge's name or the other edge).
    BoxNotFourValues,           // piece: the whole box text
    BoxEdgeNotAnAngle,          // context: "south", "west", "north" or "east"
    BoxEdgeBeyondDecimalRange,  // context as above
    BoxEdgeNotANumber,          // a NaN or infinite edge
    BoxLatitudeOutOfRange,      // range -90..90
    BoxLongitudeOutOfRange,     // range -180..180
    BoxSouthAboveNorth,         // piece: the south edge; context: the north edge
    BoxWestEastOfEast,          // piece: the west edge; context: the east edge
    // Arguments of the front ends.
    UnknownScale,             // piece: the scale text
    UnknownScaleDenominator,  // piece: the denominator
    UnknownCoverMode,         // piece: the mode name
    RingsOutOfRange,          // piece: the rings; range 1..engine::kMaxRings
    NotASheetId,              // piece: the digits, which name no sheet (engine/sheet_id.h)
    NotAGaussKrugerSrid,      // piece: the srid; range 4491..4554 (0 asks for the nearest zone)
    // Scales across the hierarchy (engine/sheet_hierarchy.h; scale: the one asked for, first:
    // the sheet's own).
    ParentScaleFiner,   // a parent asked for at a finer scale than the sheet's
    ScalesDoNotNest,    // a parent across 1:200,000 and 1:250,000
    ChildScaleCoarser,  // children asked for at a coarser scale than the sheet's
    // Written sheet numbers (engine/sheet_number_parse.h).
    EmptySheetNumber,
    MissingRowLetter,
    RowLetterOutOfRange,  // piece: the letter; rows run A..V
    ZoneNotTwoDigits,     // a new-standard number without its two zone digits
    ZoneNotDigits,        // piece: the zone piece of a pre-1992 number
    ZoneOutOfRange,       // piece: the zone; context: the row ("K", "SJ"); range 1..60 or 1..30
    UnknownScaleLetter,   // piece: the letter
    CodeDigits,           // scale: the letter's scale, whose codes have another length
    RowCodeOutOfRange,    // piece: the code; scale; range 1..divisions
    ColumnCodeOutOfRange,
    TooManyPieces,      // piece: the whole number
    UnexpectedPiece,    // piece: the pre-1992 piece that fits no form
    CellOutOfRange,     // piece: the cell; scale: 1:250,000, 1:200,000, 1:100,000 or 1:10,000
    QuarterOutOfRange,  // piece: the quarter; scale: 1:50,000, 1:25,000 or 1:5000
    // Square sheet numbers (engine/square_sheet.h).
    NoSquareSheets,       // scale: one without square sheets
    SquareNumberForm,     // piece: the number; context: an example number of the scale
    SquareXOffSheetLine,  // piece: the number; context: x in km; last: the sheet size in metres
    SquareYOffSheetLine,  // as above for y
};

struct InputError {
    InputErrorCode code = InputErrorCode::None;
    std::int8_t scale = -1;  // the catalogue index the rule belongs to, where one does
    std::string piece;       // the bad piece of text as given
    std::string context;     // what the rule names beside the piece (see the codes)
    std::int64_t first = 0;  // the allowed range first..last, where the code has one
    std::int64_t last = 0;

    // Whether nothing is wrong. An InputError also reads as its message, so that code written
    // when errors were text (tests, logs) keeps working: it converts to the message, compares
    // equal to it and streams as it.
    bool empty() const noexcept { return code == InputErrorCode::None; }
    operator std::string() const;  // NOLINT(google-explicit-constructor): reads as its message
    friend bool operator==(const InputError& error, std::string_view message);
};

std::ostream& operator<<(std::ostream& out, const InputError& error);

// An error of the code about the piece, for the readers to fill in further.
InputError inputError(InputErrorCode code, std::string_view piece = {}, int scale = -1);

// The message: "row code 145: 1:100,000 has rows 1 to 144", `latitude "north": expected
// decimal degrees ...`; empty for None.
std::string describeInputError(const InputError& error);

// What a coordinate text that is no angle should have been, the part of the message after the
// piece (also the CLI's reason for a bad option value).
inline constexpr std::string_view kNotAnAngleReason =
    "expected decimal degrees such as 39.979, -117.5 or 1.5e-7, or degrees, minutes and seconds "
    "such as 39°58′45″, 39°58′45.5″, 39d58'45\" or 39:58:45 (minutes and seconds below 60, "
    "decimals on the last part only)";
inline constexpr std::string_view kBeyondDecimalRangeReason =
    "the angle is beyond the range of the decimal type";

}  // namespace mapsheet::engine
