#pragma once

// Reading a sheet given either as a written number of either numbering or as its id
// (engine/sheet_id.h): a text of decimal digits only, blanks around it ignored, is an id; any
// other text is read by engine::parseSheetNumber, whose errors it keeps. An id that names no
// sheet gives the error "id 12345 is no sheet id", the text quoted cut to 40 characters.

#include <string_view>

#include "engine/sheet_number_parse.h"

namespace mapsheet::engine {

ParsedSheet parseSheetOrId(std::string_view text);

}  // namespace mapsheet::engine
