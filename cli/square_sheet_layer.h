#pragma once

// `mapsheet-cli square --sheet --format`: the square sheets as the layer of
// projection/square_cover_source.h, in the plane metres of the system (longitude and latitude
// for geojson and kml), to the --output file or, for geojson and kml, to out. A number that
// cannot be read or lies beyond the system is reported on err ("line N: ...") and left out.

#include <iosfwd>

#include "cli/square_options.h"

namespace mapsheet::cli {

// Returns kExitSuccess, kExitRowErrors when a number was left out, kExitWriteFailed,
// kExitReadFailed, or kExitUsage when the layer cannot be opened for a reason of the options
// (a binary format without --output).
int writeSquareSheetLayer(const SquareOptions& options, std::istream& in, std::ostream& out,
                          std::ostream& err);

}  // namespace mapsheet::cli
