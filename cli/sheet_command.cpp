// mapsheet-cli sheet: the scale, both numbers and the bounds of written sheet numbers.

#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "batch/sheet_output.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/progress_line.h"
#include "cli/shared_options.h"
#include "engine/sheet_number_parse.h"

#ifdef MAPSHEET_HAVE_GDAL
#include "gis/sheet_layer.h"
#endif

#ifdef MAPSHEET_HAVE_PROJ
#include "cli/square_area_commands.h"
#include "cli/square_options.h"
#include "cli/square_system_options.h"
#include "projection/sheet_corner_output.h"
#endif

namespace mapsheet::cli {

namespace {

constexpr std::string_view kHelp =
    "Usage: mapsheet-cli sheet [--format FORMAT] [--output FILE] [NUMBER...]\n"
    "\n"
    "Reads written sheet numbers of the national basic-scale topographic map series, of either\n"
    "numbering and at any of the twelve scales, and gives for each its scale, its number in\n"
    "the other numbering and its bounds. This converts between the numberings:\n"
    "\n"
    "  mapsheet-cli sheet J-50-5-A-1      (pre-1992 to 1993-2012)\n"
    "  mapsheet-cli sheet J50F001019      (1993-2012 to pre-1992)\n"
    "\n"
    "NUMBER   a sheet number. Without any, numbers are read from standard input, one per line;\n"
    "         blank lines are skipped. Accepted: new-standard numbers (K50, K50E003005,\n"
    "         SH50D001012, J50R003004 for 1:200,000, K50J11521152) and pre-1992 numbers (K-50,\n"
    "         K-50-D, K-50-[11], K-50-(1), K-50-104, K-50-104-A, K-50-104-A-1, K-50-104-(1),\n"
    "         K-50-104-(15)-a), in upper or lower case, with full-width letters, digits,\n"
    "         brackets and dashes, any of - – — − －, the brackets 【】〔〕［］（）, and blanks\n"
    "         around the pieces: J—50—5—(15)—a and J-50-【4】 are read too. A number of\n"
    "         digits only is a sheet id, as the id column writes it.\n"
    "\n"
    "--format csv      (the default) CSV (RFC 4180) with the header\n"
    "                  input,scale,new,old,south,west,north,east,error,id,area_m2\n"
    "                  one row per input, in input order: the number as given, the scale as\n"
    "                  1:50000, the 1993-2012 number (at 1:200,000, which that standard lacks,\n"
    "                  the R code of the same division), the pre-1992 number (empty at 1:2000\n"
    "                  and finer; at 1:5000 the historical form K-50-104-(15)-a), the bounds in\n"
    "                  decimal degrees rounded to 12 places, and an error naming the wrong piece\n"
    "                  of a number that cannot be read (every other field then empty), the\n"
    "                  sheet id (a 64-bit integer, stable) and the sheet's area on the CGCS2000\n"
    "                  ellipsoid in square metres to 3 decimals.\n"
    "--format json     one JSON object per line (JSON Lines) with the same members, the bounds\n"
    "                  also as exact D°M′S″ text (south_dms, west_dms, north_dms, east_dms) and\n"
    "                  the centre (centre_latitude, centre_longitude); absent values are null.\n"
    "--format geojson  one RFC 7946 FeatureCollection: each sheet a polygon (longitude/latitude,\n"
    "                  counter-clockwise, closed) with the CSV fields as properties; a number\n"
    "                  that cannot be read is a feature without geometry and with its error.\n"
    "--format gpkg|shp|kml|fgb|dxf|xlsx  the layer 'sheets' with the GeoJSON properties, written\n"
    "                  to the --output file (kml may go to standard output). dxf: each sheet a\n"
    "                  closed polyline on the DXF layer 'sheets' labelled with its number at its\n"
    "                  centre, numbers that cannot be read left out; xlsx: a workbook whose sheet\n"
    "                  'sheets' holds the properties as a table.\n"
    "--output FILE     write the layer to FILE, which appears only when complete; without\n"
    "                  --format its extension (.geojson, .gpkg, .shp, .kml, .fgb, .dxf, .xlsx)\n"
    "                  names the format. CSV and JSON go to standard output.\n"
    "\n"
    "--corners         (csv and json) the four corners in CGCS2000 Gauss-Kruger metres, x\n"
    "                  northing, y easting with 500 km false easting, to 3 decimals: CSV\n"
    "                  columns zone,central_meridian,sw_x,sw_y,se_x,se_y,ne_x,ne_y,nw_x,nw_y\n"
    "                  after area_m2, JSON member \"corners\". In the 6-degree zone of the\n"
    "                  sheet's centre for 1:25,000 to 1:1,000,000, its 3-degree zone for\n"
    "                  1:10,000 and larger, or:\n"
    "--zone N          the zone N of that width, or\n"
    "--central-meridian DEG  the central meridian DEG; a sheet the zone does not reach is an\n"
    "                  error row.\n"
    "\n"
    "--square SCALE    with SCALE 1:5000 .. 1:500 and the CRS options of 'mapsheet-cli square':\n"
    "                  the square sheets meeting each graticule sheet, as CSV\n"
    "                  input,crs,square_scale,squares,error (squares separated by blanks).\n"
    "\n"
    "Exit status: 0 when every number was read, 1 when any could not be, 2 for a usage error,\n"
    "3 when the output cannot be written, 4 when the input cannot be read.\n";

enum class Format { Csv, Json, Layer };

struct Options {
    Format format = Format::Csv;
    std::string_view layerFormat;  // with Format::Layer: "geojson", "dxf", ...
    std::optional<std::string> output;
    std::vector<std::string> numbers;
    bool help = false;
#ifdef MAPSHEET_HAVE_PROJ
    bool corners = false;
    projection::CornerZone zone;
#endif
};

constexpr CommandUsage kUsage{"sheet"};

#ifdef MAPSHEET_HAVE_PROJ
constexpr Option kCornersOption{"--corners", false};
constexpr Option kZoneOption{"--zone", true};

// The zone of --zone N or --central-meridian DEG (read as `square` reads it); false after a
// usage error.
bool readCornerZone(const CommandLine& line, projection::CornerZone& zone, std::ostream& err) {
    const std::optional<std::string> number = line.value(kZoneOption);
    if (number && line.has(kCentralMeridianOption)) {
        return kUsage.error(err, "--zone and --central-meridian each choose the zone; give one");
    }
    if (number) {
        const std::optional<int> value = wholeNumber<int>(*number);
        if (!value) {
            return kUsage.error(err, "--zone " + kUsage.quoted(*number) + " is not a zone number");
        }
        zone = {projection::CornerZone::Kind::Zone, *value, 0};
        return true;
    }
    std::optional<projection::GaussKrugerSystem> system;
    if (!readSquareSystem(line, kUsage, err, system)) {
        return false;
    }
    if (system) {
        zone = {projection::CornerZone::Kind::CentralMeridian, 0, system->centralMeridian};
    }
    return true;
}
#endif

// The layer formats by their command-line names (geojson alone without GDAL, which then
// refuses it when the output opens).
std::optional<std::string_view> layerFormatNamed(std::string_view name) {
#ifdef MAPSHEET_HAVE_GDAL
    if (const auto format = gis::vectorFormatNamed(name)) {
        return gis::vectorFormatName(*format);
    }
    return std::nullopt;
#else
    return name == "geojson" ? std::optional<std::string_view>("geojson") : std::nullopt;
#endif
}

// --output goes with a layer format, which its extension names when --format does not; false
// after a usage error.
bool impliedLayerFormat(Options& options, std::ostream& err) {
    if (!options.output || options.format == Format::Layer) {
        return true;
    }
#ifdef MAPSHEET_HAVE_GDAL
    if (options.format == Format::Csv) {
        if (const auto format = gis::vectorFormatOfPath(*options.output)) {
            options.format = Format::Layer;
            options.layerFormat = gis::vectorFormatName(*format);
            return true;
        }
    }
#endif
    return kUsage.error(err,
                        "--output writes a layer (geojson, gpkg, shp, kml, fgb, dxf, xlsx: "
                        "--format or the file's extension names it); csv and json go to "
                        "standard output");
}

std::optional<Options> parseOptions(const Arguments& arguments, std::ostream& err) {
    const std::optional<CommandLine> line =
        readCommandLine(arguments,
                        {kFormatOption, kOutputOption,
#ifdef MAPSHEET_HAVE_PROJ
                         kCornersOption, kZoneOption, kCentralMeridianOption
#endif
                        },
                        kUsage, err);
    if (!line) {
        return std::nullopt;
    }
    Options options;
    options.help = line->help();
    options.numbers = line->operands();
    options.output = line->value(kOutputOption);
    const std::string format = line->value(kFormatOption).value_or("csv");
    if (format == "csv") {
        options.format = Format::Csv;
    } else if (format == "json") {
        options.format = Format::Json;
    } else if (const std::optional<std::string_view> layer = layerFormatNamed(format)) {
        options.format = Format::Layer;
        options.layerFormat = *layer;
    } else if (!options.help) {
        kUsage.error(err, "unknown format " + kUsage.quoted(format) +
                              ": expected csv, json, geojson, gpkg, shp, kml, fgb, dxf or xlsx");
        return std::nullopt;
    }
#ifdef MAPSHEET_HAVE_PROJ
    options.corners = line->has(kCornersOption);
    if (!options.help && !readCornerZone(*line, options.zone, err)) {
        return std::nullopt;
    }
#endif
    if (!options.help && !impliedLayerFormat(options, err)) {
        return std::nullopt;
    }
    return options;
}

std::unique_ptr<batch::SheetOutput> openOutput(const Options& options, std::ostream& out,
                                               std::ostream& err) {
    const bool json = options.format == Format::Json;
    if (options.format != Format::Layer) {
#ifdef MAPSHEET_HAVE_PROJ
        if (options.corners) {
            return std::make_unique<projection::SheetCornerOutput>(json, options.zone, out, err);
        }
#endif
        return std::make_unique<batch::SheetTextOutput>(json, out, err);
    }
#ifdef MAPSHEET_HAVE_GDAL
    std::string error;
    auto layer = gis::openSheetLayer(*gis::vectorFormatNamed(options.layerFormat), options.output,
                                     out, error);
    if (!layer) {
        err << "mapsheet-cli sheet: " << error << '\n';
    }
    return layer;
#else
    err << "mapsheet-cli sheet: --format " << options.layerFormat
        << " needs GDAL, which this build lacks\n";
    return nullptr;
#endif
}

// A failed output has said why on err, or left it in error().
int writeFailed(const batch::SheetOutput& output, std::ostream& err) {
    if (!output.error().empty()) {
        err << "mapsheet-cli sheet: " << output.error() << '\n';
    }
    return kExitWriteFailed;
}

}  // namespace

int runSheetCommand(const Arguments& arguments, std::istream& in, std::ostream& out,
                    std::ostream& err) {
#ifdef MAPSHEET_HAVE_PROJ
    if (asksForSquares(arguments)) {
        return runGraticuleSquaresCommand(arguments, in, out, err);
    }
#endif
    const std::optional<Options> options = parseOptions(arguments, err);
    if (!options) {
        return kExitUsage;
    }
    if (options->help) {
        out << kHelp;
        return finishOutput(out, err, kExitSuccess);
    }
    const std::unique_ptr<batch::SheetOutput> output = openOutput(*options, out, err);
    if (!output) {
        return kExitUsage;
    }
    ProgressLine progressLine(err, &out, "rows");
    const batch::NumberRun run =
        batch::writeSheets(options->numbers, in, *output, progressLine.listener());
    if (run.status == batch::RunStatus::WriteFailed) {
        return writeFailed(*output, err);
    }
    if (run.status == batch::RunStatus::ReadFailed) {
        err << "mapsheet-cli sheet: cannot read the input: " << run.readError << '\n';
    }
    return exitStatusOf(run.status);
}

}  // namespace mapsheet::cli
