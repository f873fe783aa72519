// mapsheet-cli square: square sheets of the large scales in Gauss-Kruger plane coordinates.

#include <ostream>
#include <string_view>

#include "cli/commands.h"
#include "cli/exit_status.h"

#ifdef MAPSHEET_HAVE_PROJ
#include "cli/progress_line.h"
#include "cli/square_options.h"
#include "cli/square_sheet_layer.h"
#include "projection/square_point_rows.h"
#include "projection/square_sheet_rows.h"
#endif

namespace mapsheet::cli {

#ifdef MAPSHEET_HAVE_PROJ

namespace {

constexpr std::string_view kHelp =
    "Usage: mapsheet-cli square --scale SCALE [CRS] [LAT LON]\n"
    "       mapsheet-cli square --scale SCALE CRS --xy [X Y]\n"
    "       mapsheet-cli square --scale SCALE CRS --sheet [--graticule SCALE] [NUMBER...]\n"
    "       mapsheet-cli square --scale SCALE CRS --sheet --format FORMAT [--output FILE]\n"
    "                           [NUMBER...]\n"
    "\n"
    "Square sheets of the large scales, cut from CGCS2000 Gauss-Kruger plane coordinates: 2 km\n"
    "at 1:5000, 1 km at 1:2000, 500 m at 1:1000, 250 m at 1:500, their lines at whole\n"
    "multiples of the size from the origin of the coordinates. A point on a line belongs to the\n"
    "sheet north and east of it. A sheet is numbered by its south-west corner, x (northing)\n"
    "then y (easting) in kilometres: 3810-502 at 1:5000, 3810.0-501.0 at 1:2000 and 1:1000,\n"
    "3810.25-501.50 at 1:500.\n"
    "\n"
    "SCALE  1:5000, 1:2000, 1:1000 or 1:500 (also 5000 .. 500, or the letters H .. K).\n"
    "CRS    the Gauss-Kruger system, one of:\n"
    "         --crs EPSG:CODE  a CGCS2000 Gauss-Kruger system: EPSG:4491-4501 (6-degree zones\n"
    "                          13-23, zone number in front of y), EPSG:4502-4512 (6-degree,\n"
    "                          CM 75E-135E), EPSG:4513-4533 (3-degree zones 25-45, zone number\n"
    "                          in front of y), EPSG:4534-4554 (3-degree, CM 75E-135E);\n"
    "         --central-meridian DEG [--zone-width 3|6]  any central meridian (decimal degrees\n"
    "                          or D°M′S″; width 3 unless given), y without a zone number.\n"
    "       Without either, each point goes to the 3-degree zone whose central meridian is\n"
    "       nearest (a point halfway goes east), and the crs column says which.\n"
    "\n"
    "Points (LAT LON, or lines of standard input as 'number' reads them: latitude then\n"
    "longitude in decimal degrees or D°M′S″, separated by a comma, a tab or blanks) give\n"
    "\n"
    "  latitude,longitude,crs,x,y,sheet,error\n"
    "\n"
    "with x and y in metres (three decimals). --xy reads x and y in metres instead and writes\n"
    "latitude and longitude with nine decimals. A point farther from the central meridian than\n"
    "the zone serves is an error row: 3 degrees for 6-degree zones, 2 degrees (1.5 and a 0.5\n"
    "overlap into the neighbour) for 3-degree zones. So is a plane y without the zone number\n"
    "that the system writes in front of it.\n"
    "\n"
    "--sheet reads square numbers (the arguments, or one per line of standard input) and gives\n"
    "their corners:\n"
    "\n"
    "  sheet,crs,south_x,west_y,north_x,east_y,sw_latitude,sw_longitude,se_latitude,\n"
    "  se_longitude,ne_latitude,ne_longitude,nw_latitude,nw_longitude,error\n"
    "\n"
    "or with --graticule SCALE the graticule sheets of any of the twelve scales that each square\n"
    "sheet meets (sharing more than a line with it), as new-standard numbers separated by\n"
    "blanks:\n"
    "\n"
    "  sheet,crs,graticule_scale,graticule,error\n"
    "\n"
    "--format FORMAT (with --sheet, without --graticule) writes the square sheets as the layer\n"
    "'sheets' with the fields sheet, crs and scale instead: geojson or kml (longitude and\n"
    "latitude, each side densified to a centimetre) to standard output or the --output file,\n"
    "gpkg, shp, fgb (in the system's metres) or dxf (each sheet a closed polyline in metres\n"
    "on the DXF layer 'sheets' labelled with its number) or xlsx (a workbook holding the\n"
    "fields as a table) to the --output file. --output FILE alone takes the format from its\n"
    "extension. Numbers that cannot be read are reported on standard error and left out.\n"
    "\n"
    "--jobs N works through the points on N threads (default: the processors available); the\n"
    "rows keep the input order and are the same for every N.\n"
    "\n"
    "Every input gives one row, in input order. Exit status: 0 when every row succeeded, 1 when\n"
    "any row has an error, 2 for a usage error (also an unknown EPSG code or one that is no\n"
    "CGCS2000 Gauss-Kruger system), 3 when the output cannot be written, 4 when the input\n"
    "cannot be read.\n";

}  // namespace

int runSquareCommand(const Arguments& arguments, std::istream& in, std::ostream& out,
                     std::ostream& err) {
    const std::optional<SquareOptions> options = parseSquareOptions(arguments, err);
    if (!options) {
        return kExitUsage;
    }
    if (options->help) {
        out << kHelp;
        return finishOutput(out, err, kExitSuccess);
    }
    if (options->mode != SquareMode::Sheets) {
        const projection::SquarePointRequest request{options->scale, options->system,
                                                     options->mode == SquareMode::PlanePoints,
                                                     options->jobs, options->values};
        ProgressLine progressLine(err, &out, "rows");
        return exitStatusOf(
            projection::writeSquarePointRows(request, in, out, err, progressLine.listener()));
    }
    if (options->format) {
        return finishOutput(out, err, writeSquareSheetLayer(*options, in, out, err));
    }
    const projection::SquareSheetRequest request{options->scale, *options->system,
                                                 options->graticuleScale, options->values};
    ProgressLine progressLine(err, &out, "rows");
    const batch::NumberRun run =
        projection::writeSquareSheetRows(request, in, out, err, progressLine.listener());
    if (run.status == batch::RunStatus::ReadFailed) {
        err << "mapsheet-cli square: cannot read the input: " << run.readError << '\n';
    }
    return exitStatusOf(run.status);
}

#else

int runSquareCommand(const Arguments&, std::istream&, std::ostream&, std::ostream& err) {
    err << "mapsheet-cli: square: this build has no PROJ, which the Gauss-Kruger projection "
           "needs\n";
    return kExitUsage;
}

#endif

}  // namespace mapsheet::cli
