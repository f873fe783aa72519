#pragma once

// Degrees typed with a decimal point into a degrees box: how such a text is recognised while
// it is typed, and how it becomes whole degrees, minutes and seconds when typing ends.
//
// A typed text is read as readLeadingDouble reads it: blanks anywhere are ignored, then an
// optional sign, digits, a point and digits ("39.9042", "-2.5", "39.", ".5", "-."). A text
// whose number carries an exponent ("1.5e2") is not a decimal-degrees text.
//
// The split is exact on the digits the library's decimal type holds (28 significant): the
// fraction of a degree becomes a whole number of hundredths of a second, rounded half away
// from zero as the window writes seconds ("00.00"), so 39.9042 is 39°54′15.12″ and -2.5 is
// -2°30′00.00″. The degrees box carries the sign of the whole angle, also for less than one
// degree (-0.5 is "-0" 30 00.00); an angle that rounds to zero has no sign. The result never
// passes limit°59′59.99″ in size: a value at or beyond it is clamped there.

#include <optional>
#include <string>
#include <string_view>

namespace mapsheet::sheet_window {

// The decimal number at the start of the text written with its point as typed (blanks
// dropped, a "+" sign dropped): "39.9042", "-.5", "39."; nothing when the number has no point
// or has an exponent, or when the text starts with no number at all.
std::optional<std::string> DecimalDegreesText(std::string_view text);

struct SplitDegrees {
    std::string degrees;
    // Absent for a text without digits after its point ("39.", "-."): the point is dropped
    // and the minutes and seconds boxes keep what they hold.
    std::optional<std::string> minutes;  // two digits, "00".."59"
    std::optional<std::string> seconds;  // two digits, a point, two digits, "00.00".."59.99"
};

// The boxes' texts for a degrees text holding a point; nothing for any other text (whole
// degrees, a sign alone, an empty box), which the boxes keep as they are.
std::optional<SplitDegrees> SplitDecimalDegrees(std::string_view text, int limit);

}  // namespace mapsheet::sheet_window
