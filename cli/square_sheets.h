#pragma once

// The rows of mapsheet-cli square --sheet: one CSV row per square number, in input order.
//
// Without --graticule, the sheet's corners in the plane and in latitude and longitude:
//
//   sheet,crs,south_x,west_y,north_x,east_y,sw_latitude,sw_longitude,se_latitude,
//   se_longitude,ne_latitude,ne_longitude,nw_latitude,nw_longitude,error
//
// plane edges in whole metres, geographic corners in decimal degrees with nine decimals. With
// --graticule SCALE, the graticule sheets of that scale the square sheet meets, by their
// new-standard numbers separated by blanks, rows from the north and each from the west:
//
//   sheet,crs,graticule_scale,graticule,error
//
// A number that cannot be read, that lacks the zone number the system writes in front of y, or
// whose centre lies beyond the system's usable width gives a row with the number as given and
// the error. Numbers come from the arguments after --sheet or, when there are none, one per line
// from standard input (blank lines skipped).

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "cli/square_options.h"
#include "engine/square_sheet.h"
#include "projection/square_locator.h"

namespace mapsheet::cli {

// The square sheet a number names at the scale, when it can be read and its centre lies within
// the usable width of the locator's system; nullopt with error set otherwise.
std::optional<engine::SquareSheet> readSquareSheet(std::string_view text, int scale,
                                                   projection::SquareLocator& locator,
                                                   std::string& error);

// Returns kExitSuccess, kExitRowErrors when any row has an error, kExitWriteFailed, or
// kExitReadFailed after the rows read before a read error.
int writeSquareSheets(const SquareOptions& options, std::istream& in, std::ostream& out,
                      std::ostream& err);

// With --format: the square sheets as the layer of cli/square_layer.h, in the plane metres of
// the system (longitude and latitude for geojson and kml), to the --output file or, for geojson
// and kml, to out. A number that cannot be read or lies beyond the system is reported on err
// ("line N: ...") and left out. Returns as writeSquareSheets; kExitUsage when the layer cannot
// be opened for a reason of the options (a binary format without --output).
int writeSquareSheetLayer(const SquareOptions& options, std::istream& in, std::ostream& out,
                          std::ostream& err);

}  // namespace mapsheet::cli
