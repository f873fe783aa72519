#pragma once

// Angles between the window's degree/minute/second boxes and decimal degrees, through the
// exact angle library (QmbJiChuJiaoDu).
//
// Box texts are read as typed: degrees as text (its sign is the sign of the whole angle, so
// "-0" with 30 minutes is -0.5 degree), minutes and seconds by their leading number. Seconds
// count to hundredths: the packed number D.MMSSss is rounded to 6 decimals, halves to even.
// Marked texts are written with seconds to two decimals ("39°00′00.00″").
// The library reports failures into its diagnostics log and returns 0 or an empty text; these
// functions pass that on (an empty text, or 0 degrees).

#include <string>
#include <string_view>

namespace mapsheet::sheet_window {

// Decimal degrees of the angle in three boxes: degrees text, minutes text, seconds text.
double DegreesFromBoxes(std::string_view degrees, std::string_view minutes,
                        std::string_view seconds);

// The packed D.MMSSss number of decimal degrees, rounded to 6 decimals (halves to even).
double PackedDegrees(double degrees);

// Marked text D°M′S″ of decimal degrees, seconds to two decimals, trimmed; empty on failure.
std::string MarkedText(double degrees);
// Marked text of a packed number, seconds to two decimals, trimmed; empty on failure.
std::string MarkedTextOfPacked(double packed);

// The three box texts of a marked text: before "°", between "°" and "′", between "′" and "″"
// (first occurrence of each mark). Empty pieces when a mark is missing.
struct AngleBoxTexts {
    std::string degrees;
    std::string minutes;
    std::string seconds;
};
AngleBoxTexts SplitMarkedText(std::string_view marked);

}  // namespace mapsheet::sheet_window
