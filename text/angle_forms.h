#pragma once

// An angle typed in one of the five written forms of the angle window, and the window's boxes
// it gives (library/angle_conversion.h), as `mapsheet-cli angle` reads and writes them.
//
// The forms: dms (three values: whole degrees with an optional "-", whole minutes, seconds with
// decimals), packed (D.MMSSs...), marked (text ending in a mark; d ' " and : are read as
// ° ′ ″), degrees (decimal degrees) and radians. A value goes into the box of its form exactly
// as if typed there, cleaned as the window cleans typed text, so the command and the window
// never disagree.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/angle_conversion.h"

namespace mapsheet::text {

enum class AngleForm { Dms, Packed, Marked, Degrees, Radians };

// The form of a name ("dms", "packed", "marked", "degrees", "radians"); nullopt for any other.
std::optional<AngleForm> angleFormNamed(std::string_view name);

// The form values without a named one have: three values dms; one with marks (° ′ ″, d ' " or
// :) marked; any other decimal degrees.
AngleForm impliedAngleForm(const std::vector<std::string>& values);

// What a value of the form must look like, for a message: "radians, such as 0.8007991809428".
std::string_view expectedAngleText(AngleForm form);

// The boxes the window shows once the values (three for dms, else one) are typed into the box
// of the form; nullopt when they give no angle: no digit left after cleaning, a number beyond
// the 28 significant digits of the decimal type, a point or minus the box would drop ("30.5"
// minutes would become "59" in the window, so it is refused instead), or a conversion that
// shows the window's fallback values.
std::optional<AngleBoxTexts> typedAngle(AngleForm form, const std::vector<std::string>& values);

// An angle read from values and an optional form name, the one rule of `mapsheet-cli angle`
// and mapsheet.angle: the boxes, or the error. A usage error (an unknown form name, a count of
// values the form does not take) says what to give: "unknown form 'x': expected dms, packed,
// marked, degrees or radians", "--from dms takes three values D M S", "expected one VALUE, or
// three: D M S". Values that give no angle say what the form takes: "no angle in \"x\":
// expected decimal degrees, such as 45.882413305556, with numbers the decimal type can hold
// (28 significant digits)", the values quoted by library/quoted_excerpt.h.
struct AngleReading {
    std::optional<AngleBoxTexts> boxes;
    std::string error;
    bool usage = false;  // the error is one of the arguments, not of the values
};
AngleReading readAngle(const std::vector<std::string>& values,
                       const std::optional<std::string>& formName);

// The values as typed into one box: joined by blanks.
std::string joinedAngleValues(const std::vector<std::string>& values);

// The boxes as one JSON object with the string members degrees, minutes, seconds, packed,
// marked, decimal_degrees and radians, then a line feed.
std::string angleJson(const AngleBoxTexts& boxes);

// The boxes as five lines labelled as in the window: 度分秒① D M S, 度分秒② packed,
// 度分秒③ marked, 百分度型 decimal degrees, 弧 度 型 radians.
std::string angleLines(const AngleBoxTexts& boxes);

}  // namespace mapsheet::text
