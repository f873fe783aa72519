#pragma once

// The arguments of mapsheet-cli square.
//
//   square --scale SCALE [CRS] [--jobs N] [LAT LON]             geographic points
//   square --scale SCALE CRS --xy [--jobs N] [X Y]              plane points
//   square --scale SCALE CRS --sheet [--graticule SCALE] [NUMBER...]   square sheets
//   square --scale SCALE CRS --sheet --format FORMAT [--output FILE] [NUMBER...]   as a layer
//
// --format names a layer format of gis/feature_writer.h (with GDAL only; --output without it
// takes the format from the file's extension) and goes with --sheet without --graticule.
//
// CRS is the system options of cli/square_system_options.h; without them, geographic points go
// to their nearest 3-degree zone, and plane points and sheet numbers are refused because they
// mean nothing outside a chosen system. The words are read as cli/command_line.h reads them: a
// value that starts with "-" followed by a digit is an argument (a southern latitude), not an
// option.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/square_system_options.h"
#include "projection/gauss_kruger_system.h"

namespace mapsheet::cli {

enum class SquareMode { GeographicPoints, PlanePoints, Sheets };

struct SquareOptions {
    bool help = false;
    int scale = 11;
    std::optional<projection::GaussKrugerSystem> system;  // nullopt: nearest 3-degree zone
    SquareMode mode = SquareMode::GeographicPoints;
    std::optional<int> graticuleScale;  // --graticule, with --sheet only
    std::optional<std::string> format;  // a layer format, with --sheet only
    std::optional<std::string> output;  // the layer's file
    int jobs = 1;                       // the processors available unless --jobs says
    std::vector<std::string> values;    // LAT LON, X Y, or sheet numbers; empty: standard input
};

// The options, or nullopt after writing the usage error to err ("mapsheet-cli square: ...").
std::optional<SquareOptions> parseSquareOptions(const Arguments& arguments, std::ostream& err);

}  // namespace mapsheet::cli
