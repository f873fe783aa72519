#pragma once

// Splitting a line of point input into its latitude and longitude texts.

#include <optional>
#include <string_view>

namespace mapsheet::text {

struct PointFields {
    std::string_view latitude;
    std::string_view longitude;
};

// Whether the line holds nothing but blanks and tabs (such lines are skipped).
bool isBlankLine(std::string_view line);

// The two fields of "LAT,LON", "LAT<tab>LON" or "LAT LON": a line with a comma is split at its
// single comma and each side trimmed of blanks and tabs; any other line is split at runs of
// blanks and tabs. Nothing is guessed: anything but exactly two non-empty fields gives nullopt.
std::optional<PointFields> splitPointLine(std::string_view line);

}  // namespace mapsheet::text
