#pragma once

// mapsheet-cli number writing a file (--output) or a GIS point layer (--format): the points
// with the input columns as text fields and new, old and error, through the GIS writer
// (gis/feature_writer.h); CSV to a file goes through the same staged output, so that the file
// appears only when all of it was written.

#include <iosfwd>

#include "cli/number_options.h"

namespace mapsheet::cli {

// Returns the exit status; usage errors (an unknown format, a file format without --output,
// a build without GDAL) give kExitUsage.
int writeNumberFile(const NumberOptions& options, std::istream& in, std::ostream& out,
                    std::ostream& err);

}  // namespace mapsheet::cli
