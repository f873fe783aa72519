#pragma once

// Reading a latitude or longitude typed for batch work, on several threads at once.
//
// Accepted, with spaces and tabs around the text allowed:
//  - decimal degrees: an optional "-", digits with an optional point (at least one digit:
//    "39.979", "-117.5", ".5", "5."), optionally followed by an exponent: "e" or "E", an
//    optional sign and digits ("1e-07", "2.5E+1"). The value is the double nearest the text.
//    An exponent too large for a double gives an infinite value (which has no sheet), one too
//    small gives zero.
//  - marked degree-minute-second text: one to three parts, each a number followed by its mark,
//    the marks in the order ° ′ ″ ("39°58′45″", "39°58′45.5″", "39°58.75′", "30′"). Only the
//    last part may have decimals, and a minute or second part that follows a larger one is
//    below 60. "d" and "D" stand for °, "'" and "’" for ′, "\"" and "”" for ″; a text of two
//    or three numbers joined by ":" and holding no mark is D:M or D:M:S ("39:58:45"). The
//    value is computed in the library's 28-digit decimal type as degrees + (minutes +
//    seconds / 60) / 60, the way the windows read an angle, and only then rounded to the
//    nearest double, so a sheet corner typed as text lands on the double nearest the corner.
// A leading "-" makes the whole angle negative; a zero is always +0. A leading "+" is not
// accepted. Anything else, "12abc", "", "1°2°", "39:58:45:1", "inf", is no angle.
//
// Pure: no process-wide state (neither the diagnostics log nor the exact-mode flag of the
// library), no allocation for decimal degrees; safe to call from several threads at once.

#include <cstdint>
#include <string_view>

namespace mapsheet::text {

enum class CoordinateFault : std::uint8_t {
    None,
    NotAnAngle,          // the text has none of the accepted forms
    BeyondDecimalRange,  // marked text whose numbers do not fit the decimal type
};

struct CoordinateReading {
    double degrees = 0;  // valid when fault is None
    CoordinateFault fault = CoordinateFault::None;
};

CoordinateReading readCoordinate(std::string_view text) noexcept;

// What a reading with this fault expected, as the rest of an error message (empty for None).
std::string_view coordinateFaultText(CoordinateFault fault) noexcept;

}  // namespace mapsheet::text
