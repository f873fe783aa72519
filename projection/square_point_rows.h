#pragma once

// The rows of square sheets for points (`mapsheet-cli square`): one CSV row per point, in input
// order,
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
#include <optional>
#include <string>
#include <vector>

#include "batch/checked_output.h"
#include "batch/progress.h"
#include "projection/gauss_kruger_system.h"

namespace mapsheet::projection {

struct SquarePointRequest {
    int scale = 11;                           // a square-sheet scale
    std::optional<GaussKrugerSystem> system;  // nullopt: each point's nearest 3-degree zone
    bool plane = false;                       // points are x y in the system, not LAT LON
    int jobs = 1;
    std::vector<std::string> values;  // one point given as two values; empty: the lines of in
};

// Writes the header and the rows of request.values or, when it is empty, of the lines of in,
// worked through on request.jobs threads, telling progress the rows written. Returns Success,
// RowErrors when any row has an error, WriteFailed, or ReadFailed after the rows read before a
// read error.
batch::RunStatus writeSquarePointRows(const SquarePointRequest& request, std::istream& in,
                                      std::ostream& out, std::ostream& err,
                                      const batch::ProgressListener& progress = {});

}  // namespace mapsheet::projection
