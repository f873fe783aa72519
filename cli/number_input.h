#pragma once

// mapsheet-cli number --input FILE: the points of a file instead of standard input.
//
// A .csv file (by its extension, in any case) is read as standard input is, as CSV text. Any
// other file is the first layer GDAL opens in it (gis/layer_csv.h): with --lat-col/--lon-col a
// table (a spreadsheet .xlsx or .ods, or the fields of any layer) whose columns hold the
// coordinates; without them a point layer, whose points in CGCS2000 longitude/latitude go into
// two columns latitude and longitude after its fields. Either way the rows are then a CSV
// table with a header and are numbered and written as number writes a table.

#include <iosfwd>

#include "cli/number_options.h"

namespace mapsheet::cli {

// Returns the exit status; a file that cannot be read, or a layer that holds no points,
// is a usage error (kExitUsage) quoting the file.
int numberInputFile(const NumberOptions& options, std::ostream& out, std::ostream& err);

}  // namespace mapsheet::cli
