#include "cli/number_options.h"

#include <ostream>
#include <string_view>

#include "batch/ordered_blocks.h"
#include "engine/scale_names.h"
#include "text/file_extension.h"

namespace mapsheet::cli {

namespace {

constexpr std::string_view kHelp =
    "Usage: mapsheet-cli number --scale SCALE [OPTIONS] [LAT LON]\n"
    "\n"
    "Names the sheet that holds each point at one scale of the national basic-scale\n"
    "topographic map series, in the 1993-2012 standard numbering (new) and in the pre-1992\n"
    "numbering (old), as CSV (RFC 4180) on standard output:\n"
    "\n"
    "  latitude,longitude,new,old,error\n"
    "\n"
    "SCALE    one of the twelve scales, written as 1:50000, 50000, 1:5万 or E, the\n"
    "         denominator also with thousands separators (1:10,000):\n"
    "%SCALES%"
    "LAT LON  one point. Without them, points are read from standard input, one per line,\n"
    "         latitude then longitude, separated by a comma, a tab or blanks. Blank lines\n"
    "         are skipped; every other line must be a point (a header line is an error).\n"
    "\n"
    "Options:\n"
    "  --jobs N           number the input on N threads (default: the processors available,\n"
    "                     here %JOBS%); the rows keep the input order\n"
    "  --lat-col COLUMN   read standard input as a CSV table (RFC 4180: quoted fields, a\n"
    "  --lon-col COLUMN   comma between fields) and take the coordinates from these columns,\n"
    "                     each given by its name in the header row or by its number from 1.\n"
    "                     The output is every input row as it was with new,old,error\n"
    "                     appended, the header row with these three names, so the rows join\n"
    "                     back on any id. A named column means the first row is a header.\n"
    "  --header           the first row is a header also when both columns are numbers\n"
    "  --input FILE       read the points from FILE instead of standard input: a .csv file as\n"
    "                     standard input is read; with --lat-col/--lon-col a spreadsheet\n"
    "                     (.xlsx, .ods: its first sheet, the first row naming the columns) or\n"
    "                     the fields of any GIS layer; without them the first layer of any\n"
    "                     GIS vector file GDAL reads (gpkg, shp, geojson, fgb, ...), which must\n"
    "                     hold points: each point, transformed to CGCS2000 longitude/latitude\n"
    "                     (EPSG:4490) when the layer has another CRS, goes into the columns\n"
    "                     latitude,longitude after the layer's fields. The output is the\n"
    "                     table's rows with new,old,error appended, as for --lat-col.\n"
    "                     A file that cannot be read or holds no points is a usage error\n"
    "  --layer NAME       with --input, read the layer (a workbook's sheet) NAME instead of\n"
    "                     the first; a name the file lacks is a usage error listing its layers\n"
    "  --format FORMAT    csv (the default); id: the same CSV with the column id (the sheet's\n"
    "                     stable 64-bit id, which 'mapsheet-cli sheet' reads back) in place of\n"
    "                     new,old; or a point layer \"sheets\" with the input columns as text\n"
    "                     fields and new, old and error: geojson (RFC 7946), gpkg, shp, kml or\n"
    "                     fgb (FlatGeobuf); gpkg, shp and fgb declare EPSG:4490\n"
    "                     (CGCS2000). A row without a sheet has no geometry (fgb leaves\n"
    "                     such rows out: its spatial index holds geometries only);\n"
    "                     dxf: each point with its new number as a text beside it;\n"
    "                     xlsx: an Excel workbook, a sheet \"sheets\" with the same columns\n"
    "                     as the CSV (new, old and error after the input columns) as text.\n"
    "  --output FILE      write to FILE (required for gpkg, shp, fgb, dxf and xlsx); it\n"
    "                     appears only when everything was written\n"
    "\n"
    "Coordinates are decimal degrees (39.979, -117.5, 1.5e-7) or degree-minute-second text\n"
    "(39°58′45″, 39°58′45.5″, 39d58'45\", 39:58:45); north and east are positive, a leading\n"
    "\"-\" marks south and west. A point on a sheet line belongs to the sheet north and east of\n"
    "it (south and east of it in the southern hemisphere); a point within 1e-10 degree of a\n"
    "line counts as on it.\n"
    "\n"
    "Each input point gives exactly one row, in input order: the coordinates as given, the new\n"
    "number, the old number and an error text (empty on success). The old number at 1:5000 is\n"
    "written in the historical form J-50-5-(15)-a (the 1:10,000 sheet divided 2 x 2, a b / c d\n"
    "from the north-west); it is empty at 1:2000 and finer, which have none. 1:200,000 (R) is\n"
    "not part of the 1993-2012 standard: its new column holds the code of the same 6 x 6\n"
    "division of the 1:1,000,000 sheet (K50R003004), kept for comparison only. A point outside\n"
    "-88 < LAT < 88, -180 <= LON < 180 has no sheet and is reported as an error; so is a point\n"
    "that the line rule puts on the 180 degree meridian. A line that cannot be read gives a row\n"
    "with the whole line in the latitude column and an error naming the line number (quoting at\n"
    "most 40 characters of the bad value); the run goes on. A NUL byte is written as U+FFFD.\n"
    "\n"
    "Exit status: 0 when every row succeeded; 1 when any row has an error; 2 for a usage error;\n"
    "3 when the output could not be written; 4 when the input could not be read (the rows\n"
    "before the failure are written).\n";

constexpr CommandUsage kUsage{"number"};
constexpr Option kLayerOption{"--layer", true};

bool usageError(std::ostream& err, const std::string& message) {
    return kUsage.error(err, message + kUsage.helpHint());
}

// What the operands, --input and the columns say together.
bool checkPoint(const CommandLine& line, NumberOptions& options, std::ostream& err) {
    const std::vector<std::string>& point = line.operands();
    if (options.input && options.input->empty()) {
        return usageError(err, "--input needs a file name");
    }
    if (options.layer && (!options.input || text::hasExtension(*options.input, ".csv"))) {
        return usageError(err, "--layer names a layer of the --input file, which a .csv has not");
    }
    if (point.empty()) {
        return true;
    }
    if (point.size() != 2) {
        return usageError(err,
                          "expected LAT LON (two values), got " + std::to_string(point.size()));
    }
    if (options.input) {
        return usageError(err, "a point on the command line takes no --input");
    }
    if (options.latitudeColumn) {
        return usageError(err, "a point on the command line takes no columns");
    }
    options.latitude = point[0];
    options.longitude = point[1];
    return true;
}

}  // namespace

std::optional<NumberOptions> parseNumberOptions(const Arguments& arguments, std::ostream& err) {
    const std::optional<CommandLine> line =
        readCommandLine(arguments,
                        {kScaleOption, kJobsOption, kLatitudeColumnOption, kLongitudeColumnOption,
                         kHeaderOption, kFormatOption, kOutputOption, kInputOption, kLayerOption},
                        kUsage, err);
    if (!line) {
        return std::nullopt;
    }
    NumberOptions options;
    options.help = line->help();
    if (options.help) {
        return options;
    }
    std::optional<int> scale;
    batch::TableColumns columns;
    if (!readScale(*line, kUsage, err, scale) || !readJobs(*line, kUsage, err, options.jobs) ||
        !readTableColumns(*line, kUsage, err, columns)) {
        return std::nullopt;
    }
    options.scale = *scale;
    options.latitudeColumn = columns.latitude;
    options.longitudeColumn = columns.longitude;
    options.header = columns.header;
    options.format = line->value(kFormatOption).value_or("csv");
    options.output = line->value(kOutputOption);
    options.input = line->value(kInputOption);
    options.layer = line->value(kLayerOption);
    if (!checkPoint(*line, options, err)) {
        return std::nullopt;
    }
    return options;
}

std::string numberHelpText() {
    std::string help(kHelp);
    help.replace(help.find("%SCALES%"), 8, engine::acceptedScales());
    help.replace(help.find("%JOBS%"), 6, std::to_string(batch::availableProcessors()));
    return help;
}

}  // namespace mapsheet::cli
