#pragma once

// The rows of square sheet numbers (`mapsheet-cli square --sheet`): one CSV row per number, in
// input order.
//
// Without a graticule scale, the sheet's corners in the plane and in latitude and longitude:
//
//   sheet,crs,south_x,west_y,north_x,east_y,sw_latitude,sw_longitude,se_latitude,
//   se_longitude,ne_latitude,ne_longitude,nw_latitude,nw_longitude,error
//
// plane edges in whole metres, geographic corners in decimal degrees with nine decimals. With
// a graticule scale, the graticule sheets of that scale the square sheet meets, by their
// new-standard numbers separated by blanks, rows from the north and each from the west:
//
//   sheet,crs,graticule_scale,graticule,error
//
// A number that cannot be read, that lacks the zone number the system writes in front of y, or
// whose centre lies beyond the system's usable width gives a row with the number as given and
// the error, and the run ends with RowErrors. Numbers come from the request's values or, when
// there are none, one per line from the input (blank lines skipped).

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/number_lines.h"
#include "batch/progress.h"
#include "cover/cover_output.h"
#include "engine/square_sheet.h"
#include "projection/gauss_kruger_system.h"
#include "projection/square_cover_source.h"
#include "projection/square_locator.h"

namespace mapsheet::projection {

// The square sheet a number names at the scale, when it can be read and its centre lies within
// the usable width of the locator's system; nullopt with error set otherwise.
std::optional<engine::SquareSheet> readSquareSheet(std::string_view text, int scale,
                                                   SquareLocator& locator, std::string& error);

struct SquareSheetRequest {
    int scale = 11;  // a square-sheet scale
    GaussKrugerSystem system;
    std::optional<int> graticuleScale;  // the graticule sheets met instead of the corners
    std::vector<std::string> values;    // the numbers; empty: the lines of in
};

// Writes the header and the rows, telling progress the numbers done. A failed write has been
// said on err (batch/checked_output.h).
batch::NumberRun writeSquareSheetRows(const SquareSheetRequest& request, std::istream& in,
                                      std::ostream& out, std::ostream& err,
                                      const batch::ProgressListener& progress = {});

// The layer of the numbers (`mapsheet-cli square --sheet --format`): the sheet of every number
// of values (or, when there are none, of each line of in) shown by row and added to layer,
// which is then finished. A number that cannot be read or lies beyond the locator's fixed
// system is said on err as "<prefix>line 3: reason" (the line only for the lines of in) and left
// out: RowErrors. A cut-off input is said on err as "<prefix>cannot read the input: ..." and
// the layer is not finished, so nothing is written from it: ReadFailed. WriteFailed leaves the
// reason in layer.error().
batch::RunStatus addSquareSheets(std::string_view messagePrefix,
                                 const std::vector<std::string>& values, std::istream& in,
                                 int scale, SquareLocator& locator, SquareRow& row,
                                 cover::CoverOutput& layer, std::ostream& err);

}  // namespace mapsheet::projection
