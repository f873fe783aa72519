#pragma once

// The square sheets that meet graticule sheets (`mapsheet-cli sheet --square`): one CSV row per
// number given, in input order,
//
//   input,crs,square_scale,squares,error
//
// with the square sheets of the scale that meet the graticule sheet, by their numbers separated
// by blanks, rows from the north and each from the west, in the system given or the 3-degree
// zone nearest the sheet's middle. A number that cannot be read, a sheet wider than the system
// can take, or one PROJ cannot project gives a row with the number as given and the error
// ("line N: ..." for the lines of the input), and the run ends with RowErrors.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "batch/progress.h"
#include "projection/gauss_kruger_system.h"
#include "projection/square_sheet_rows.h"

namespace mapsheet::projection {

struct GraticuleSquareRequest {
    int scale = 11;                           // a square-sheet scale
    std::optional<GaussKrugerSystem> system;  // nullopt: each sheet's nearest 3-degree zone
    std::vector<std::string> values;          // the numbers; empty: the lines of in
};

// Writes the header and the rows, telling progress the numbers done. A failed write has been
// said on err.
batch::NumberRun writeGraticuleSquareRows(const GraticuleSquareRequest& request, std::istream& in,
                                          std::ostream& out, std::ostream& err,
                                          const batch::ProgressListener& progress = {});

}  // namespace mapsheet::projection
