#pragma once

// Square sheets of the large scales: the grid of Gauss-Kruger plane coordinates that cuts the
// maps of 1:5000, 1:2000, 1:1000 and 1:500 into squares numbered by their south-west corner.
//
// Coordinates. x is the northing and y the easting of a Gauss-Kruger zone, in metres, exactly
// as the chosen coordinate system writes them (with the 500 km false easting, and with the zone
// number in front of y when the system carries it). Nothing here projects: the caller brings
// plane coordinates, and the grid does not know which zone they belong to.
//
// Sizes. 1:5000 sheets are 2 km square (40 cm on the map), 1:2000 1 km, 1:1000 500 m and 1:500
// 250 m (50 cm each). The sheet lines lie at whole multiples of the size from the origin of the
// coordinates (x = 0, y = 0), so every corner is a whole number of metres and is held exactly
// as an integer.
//
// Line rule. A point on a sheet line belongs to the sheet north and east of it (the larger x
// and the larger y). A coordinate within kSquareLineToleranceMetres (a micrometre) of a line is
// taken as on it, so a corner that has been through an inverse and a forward projection lands
// on its line again; the tolerance is a thousand times below the millimetre that surveys write
// and far above the rounding of a double at 10^8 m (1.5e-8 m).
//
// Numbers. The south-west corner's x and y in kilometres, x first, joined by "-": whole
// kilometres at 1:5000 ("3810-502"), one decimal at 1:2000 and 1:1000 ("3810.0-501.0",
// "3810.5-501.5"), two at 1:500 ("3810.25-501.50"). A negative coordinate (south of the
// equator) keeps its "-" sign: "-0.25-501.50".
//
// Pure: values in, values out, no state, safe from several threads at once.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/input_error.h"

namespace mapsheet::engine {

inline constexpr double kSquareLineToleranceMetres = 1e-6;

// Coordinates at or beyond this magnitude belong to no zone of any Gauss-Kruger system (the
// largest, the zone number 60 in front of y, stays below 6.1e7 m).
inline constexpr double kSquareCoordinateLimitMetres = 1e9;

// The side of the square sheets of a scale (catalogue index 8..11 for 1:5000..1:500) in
// metres; 0 for the scales that have no square sheets.
int squareSizeMetres(int scale) noexcept;

inline bool hasSquareSheets(int scale) noexcept {
    return squareSizeMetres(scale) != 0;
}

// One square sheet: its scale and its south-west corner in whole metres.
struct SquareSheet {
    std::int8_t scale = 11;
    std::int64_t south = 0;  // x of the south edge
    std::int64_t west = 0;   // y of the west edge

    friend bool operator==(const SquareSheet&, const SquareSheet&) = default;
};

// Edges in metres; north = south + size, east = west + size.
struct SquareBounds {
    std::int64_t south = 0;
    std::int64_t west = 0;
    std::int64_t north = 0;
    std::int64_t east = 0;
};

// The sheet of the scale that holds the plane point; nullopt when the scale has no square
// sheets, or a coordinate is NaN, infinite or beyond kSquareCoordinateLimitMetres.
std::optional<SquareSheet> squareSheetOf(double x, double y, int scale) noexcept;

SquareBounds squareBounds(const SquareSheet& sheet) noexcept;

// The sheet's number: "3810.25-501.50".
std::string squareNumber(const SquareSheet& sheet);

// Metres as kilometres without trailing zeros, as messages name a coordinate or a sheet size:
// "3811", "0.25", "-0.5".
std::string kilometreText(std::int64_t metres);

struct ParsedSquareSheet {
    std::optional<SquareSheet> sheet;
    InputError error;  // empty exactly when sheet holds a value
};

// Reads a number of the scale back into its sheet. Each coordinate is kilometres with at most
// three decimals (whole metres) and an optional leading "-"; blanks around the text are
// ignored. The decimals need not be the ones the scale writes ("3810.5-501.5" is the 1:500
// sheet "3810.50-501.50"), but both values must lie on the scale's sheet lines. Errors
// (engine/input_error.h) say what is wrong and quote the input: "'3811-502': x 3811 km is not
// a 1:5000 sheet line (they lie every 2 km)", "'3810.25': expected x-y in kilometres, as
// 3810.25-501.50". A scale without square sheets is an error too.
ParsedSquareSheet parseSquareNumber(std::string_view text, int scale);

}  // namespace mapsheet::engine
