#pragma once

// Reading the --bbox area of the cover commands: "SOUTH,WEST,NORTH,EAST".
//
// Exactly four values separated by three commas, each read as text/coordinate_text.h reads a
// coordinate (decimal degrees or marked degree-minute-second text, spaces around it allowed),
// north and east positive; the box must then pass engine::boxError. Errors are worded by
// engine/input_error.h behind "--bbox": the edge that could not be read, or boxError's reason.

#include <optional>
#include <string>
#include <string_view>

#include "engine/sheet_cover.h"

namespace mapsheet::text {

// The box; nullopt with error set otherwise.
std::optional<engine::LatLonBox> parseBox(std::string_view text, std::string& error);

}  // namespace mapsheet::text
