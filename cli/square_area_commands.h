#pragma once

// The square-sheet form of `mapsheet-cli sheet`, run when its arguments hold --square (the
// square form of `cover` is part of the cover command):
//
//   sheet --square SCALE [CRS] [NUMBER...]
//
// SCALE is a square-sheet scale (1:5000 .. 1:500) and CRS the system options of
// cli/square_system_options.h; without them the system is the 3-degree zone whose central
// meridian is nearest the middle of the sheet.

#include <iosfwd>

#include "cli/commands.h"

namespace mapsheet::cli {

// Whether the arguments ask for square sheets.
bool asksForSquares(const Arguments& arguments);

int runGraticuleSquaresCommand(const Arguments& arguments, std::istream& in, std::ostream& out,
                               std::ostream& err);

}  // namespace mapsheet::cli
