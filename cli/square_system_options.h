#pragma once

// The options of the square-sheet commands (square, sheet --square and --corners,
// cover --square), read from a command line (cli/command_line.h):
//
// - the Gauss-Kruger system: --crs EPSG:CODE (checked against the PROJ database) or
//   --central-meridian DEG [--zone-width 3|6] (DEG as decimal degrees or D°M′S″, width 3 when
//   not given); without either there is no system and the caller picks the nearest 3-degree
//   zone;
// - a square-sheet scale (1:5000, 1:2000, 1:1000 or 1:500 in any spelling engine::parseScale
//   reads).
//
// Each check writes its usage error "mapsheet-cli COMMAND: ..." and returns false.

#include <iosfwd>
#include <optional>
#include <string>

#include "cli/command_line.h"
#include "cli/shared_options.h"
#include "projection/gauss_kruger_system.h"

namespace mapsheet::cli {

// The system the line's --crs, --central-meridian and --zone-width choose; system stays nullopt
// when none is given.
bool readSquareSystem(const CommandLine& line, const CommandUsage& usage, std::ostream& err,
                      std::optional<projection::GaussKrugerSystem>& system);

// The required --scale of `square`: "--scale SCALE is required: ...", "unknown scale '1:3000';
// accepted scales: ..." or "scale 1:10000 has no square sheets; ...".
bool readSquareScale(const CommandLine& line, const CommandUsage& usage, std::ostream& err,
                     int& scale);

// The scale of the --square forms (the value of option): "--square needs a square-sheet scale:
// 1:5000, 1:2000, 1:1000 or 1:500, not '1:10000'".
bool readSquareFormScale(const CommandLine& line, const CommandUsage& usage, std::ostream& err,
                         int& scale, const Option& option);

}  // namespace mapsheet::cli
