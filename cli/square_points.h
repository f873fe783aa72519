#pragma once

// The rows of mapsheet-cli square for points: one CSV row per point, in input order,
//
//   latitude,longitude,crs,x,y,sheet,error
//
// Geographic points keep their latitude and longitude as given, and get x and y in metres with
// three decimals (millimetres). Plane points (--xy) keep x and y as given, and get latitude and
// longitude in decimal degrees with nine decimals (a tenth of a millimetre). crs names the
// system used ("EPSG:4548"). A point without a sheet has an empty sheet and says why in error;
// a line that cannot be read goes whole into the first column it should have filled (latitude,
// or x with --xy), with an error that names its line. Lines of blanks are skipped.

#include <iosfwd>

#include "cli/square_options.h"

namespace mapsheet::cli {

// Writes the header and the rows of options.values or, when it is empty, of the lines of in,
// worked through on options.jobs threads. Returns kExitSuccess, kExitRowErrors when any row has
// an error, kExitWriteFailed, or kExitReadFailed after the rows read before a read error.
int writeSquarePoints(const SquareOptions& options, std::istream& in, std::ostream& out,
                      std::ostream& err);

}  // namespace mapsheet::cli
