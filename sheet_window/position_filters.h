#pragma once

// The typing filters of the six position boxes (degrees, minutes, seconds of longitude and
// latitude), as pure functions of the text in the box after a keystroke.
//
// Each returns the text the box must show, or nothing when the box is left as typed. A text is
// only filtered when it compares greater than a single space, code unit by code unit, so an
// empty box or a lone blank stays alone. Numbers are read as the longest leading decimal part,
// blanks ignored, 0 when there is none (readLeadingDouble). Converting to an integer rounds
// halves to the even integer. Every value out of range, however large (also one that no
// integer type could hold, "99999999999"), is clamped to the box's limit.

#include <optional>
#include <string>
#include <string_view>

namespace mapsheet::sheet_window {

inline constexpr int kLongitudeDegreesLimit = 179;
inline constexpr int kLatitudeDegreesLimit = 87;

// Degrees within -limit..limit. "-" and "-0" stay, so that a minus sign can be typed. A number
// written with a point (DecimalDegreesText: "39.", "39.9042", "-.5") stays as typed while it
// lies within -(limit + 1)..limit + 1, exclusive, so that decimal degrees can be typed key by
// key; it becomes degrees, minutes and seconds when typing ends (SplitDecimalDegrees). Any
// other text becomes whole degrees.
std::optional<std::string> FilterDegrees(std::string_view text, int limit);

// Whole minutes within 0..59.
std::optional<std::string> FilterMinutes(std::string_view text);

// Seconds within 0..59.99, written as the number's shortest text. A typed trailing "." or ".0"
// is kept, so that "45." and "45.0" survive typing on the way to "45.05"; "45.50" becomes
// "45.5".
std::optional<std::string> FilterSeconds(std::string_view text);

// The integer of a number read from text: clamped to lowest..highest, then rounded with halves
// to even. Never fails; a text that is no number reads as 0 before the clamp.
int ReadClampedInteger(std::string_view text, int lowest, int highest);

// Whether the text compares greater than a single space in an ordinal comparison.
bool IsAcceptedText(std::string_view text);

}  // namespace mapsheet::sheet_window
