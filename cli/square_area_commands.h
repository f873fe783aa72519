#pragma once

// The square-sheet forms of `mapsheet-cli cover` and `mapsheet-cli sheet`, run when their
// arguments hold --square:
//
//   cover --square --scale SCALE [CRS] (--bbox S,W,N,E | --within-sheet NUMBER)
//         [--format FORMAT] [--output FILE] [--max-sheets N]
//   sheet --square SCALE [CRS] [NUMBER...]
//
// SCALE is a square-sheet scale (1:5000 .. 1:500) and CRS the system options of
// cli/square_system_options.h; without them the system is the 3-degree zone whose central
// meridian is nearest the middle of the area or sheet. The area must lie within the system's
// usable width.

#include <iosfwd>

#include "cli/commands.h"

namespace mapsheet::cli {

// Whether the arguments ask for square sheets.
bool asksForSquares(const Arguments& arguments);

int runSquareCoverCommand(const Arguments& arguments, std::ostream& out, std::ostream& err);

int runGraticuleSquaresCommand(const Arguments& arguments, std::istream& in, std::ostream& out,
                               std::ostream& err);

}  // namespace mapsheet::cli
