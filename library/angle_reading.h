#pragma once

// Reading a latitude or longitude typed for batch work.
//
// Accepted, with blanks around the text allowed:
//  - decimal degrees: digits with an optional point ("39.979", "-117.5", ".5"); no exponent;
//  - marked degree-minute-second text: one to three parts, each a number followed by its mark,
//    the marks in the order ° ′ ″ ("39°58′45″", "39°58′45.5″", "39°58.75′", "30′"). Only the
//    last part may have decimals, and a minute or second part that follows a larger one is
//    below 60. The ASCII forms "39d58'45\"" and "39:58:45" (also "39:58") stand for the same.
// A leading "-" makes the whole angle negative ("-0°30′" is -0.5). The text is converted exactly
// in the decimal type through the library's angle reading (DecDuFenMiao, Dec度型to度数,
// Dec度to梯度, in exact mode) and only then rounded to the nearest double, so a sheet corner
// typed as text lands on the double nearest the corner. Anything else, "12abc", "", "1°2°",
// "39:58:45:1", is no angle and gives an error text that says what was expected.

#include <optional>
#include <string>
#include <string_view>

namespace mapsheet {

struct AngleReading {
    std::optional<double> degrees;  // decimal degrees, when the text is an angle
    std::string error;              // why the text is no angle, when it is not
};

AngleReading readAngleDegrees(std::string_view text);

// The ASCII forms of marked text written with the marks ° ′ ″: "d" and "D" become "°", "'"
// and "’" become "′", "\"" and "”" become "″"; a text of two or three parts joined by ":" and
// holding no other mark becomes D°M′ or D°M′S″. Any other text comes back as it is.
std::string withAngleMarks(std::string_view text);

}  // namespace mapsheet
