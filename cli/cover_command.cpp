// mapsheet-cli cover: every sheet of a scale meeting an area, as CSV or a GIS layer.

#include <charconv>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "cli/cover_output.h"
#include "cli/cover_sheets.h"
#include "cli/output_status.h"
#include "cli/progress_line.h"
#include "engine/scale_names.h"
#include "engine/sheet_area.h"
#include "engine/sheet_cover.h"
#include "engine/sheet_number_parse.h"
#include "library/thousands.h"
#include "text/box_text.h"
#include "text/fixed_decimals.h"

#ifdef MAPSHEET_HAVE_GDAL
#include "gis/polygon_file.h"
#endif

#ifdef MAPSHEET_HAVE_PROJ
#include "cli/square_area_commands.h"
#include "library/quoted_excerpt.h"
#endif

namespace mapsheet::cli {

namespace {

constexpr std::string_view kHelp =
    "Usage: mapsheet-cli cover --scale SCALE AREA [--mode MODE] [--compact] [--summary]\n"
    "                          [--format FORMAT] [--output FILE] [--max-sheets N]\n"
    "\n"
    "Lists every sheet of one scale of the national basic-scale topographic map series whose\n"
    "interior meets an area: a sheet that only touches the area's edge is not in it. Sheets\n"
    "come row by row from the north-west, written as they are found.\n"
    "\n"
    "SCALE    one of the twelve scales, written as 1:50000, 1:50,000, 50000, 1:5万 or E:\n"
    "%SCALES%"
    "AREA, exactly one of:\n"
    "  --bbox SOUTH,WEST,NORTH,EAST\n"
    "           a latitude/longitude box in decimal degrees or D°M′S″ text (39°50′), north and\n"
    "           east positive: --bbox 39.5,116,40.5,117.5\n"
    "  --within FILE\n"
    "           the polygons of a vector file GDAL reads (GeoJSON, Shapefile, GeoPackage, KML,\n"
    "           FlatGeobuf, ...), all layers; a file in another CRS is transformed to\n"
    "           CGCS2000 longitude/latitude. A sheet is listed when its interior meets the\n"
    "           interior of a polygon, decided exactly, not by the polygon's bounding box.\n"
    "  --within-sheet NUMBER\n"
    "           the sheets of SCALE inside a sheet of a coarser (or the same) scale, written in\n"
    "           either numbering: --scale 1:10000 --within-sheet J50E001015\n"
    "\n"
    "--mode MODE      which sheets of a --bbox count (decided exactly on the 1/8-second\n"
    "                 lattice): meets (the default: the sheet's interior meets the box),\n"
    "                 centre (the sheet's centre lies in the box, edges included), within (the\n"
    "                 whole sheet lies in the box). The sheets of --within-sheet are the same\n"
    "                 in every mode; --within FILE takes meets only.\n"
    "--compact        the same area in the coarsest whole sheets: wherever every sheet of\n"
    "                 SCALE inside a coarser sheet is in the cover, that sheet stands in for\n"
    "                 them, up the chain 1:500, 1:1000, 1:2000, 1:5000, 1:10,000, 1:25,000,\n"
    "                 1:50,000, 1:100,000, 1:250,000, 1:500,000, 1:1,000,000 (1:200,000 stands\n"
    "                 outside it). The CSV gains the column scale. 'mapsheet-cli\n"
    "                 uncompact --scale SCALE' turns the list back. Not with --within FILE.\n"
    "--id             add the column (or field) id: the sheet's stable 64-bit id, which\n"
    "                 'mapsheet-cli sheet' reads back.\n"
    "--summary        instead of the sheets, one CSV row sheets,area_m2: how many sheets (rows)\n"
    "                 the cover has and their total area on the CGCS2000 ellipsoid in square\n"
    "                 metres to 3 decimals.\n"
    "\n"
    "--format FORMAT  csv (the default unless --output names a .geojson, .gpkg, .shp, .kml or\n"
    "                 .fgb file): the header new,old,south,west,north,east, the old number\n"
    "                 empty at 1:2000 and finer, bounds in decimal degrees rounded to 12 places;\n"
    "                 geojson (RFC 7946), gpkg (GeoPackage), shp (Shapefile), kml, fgb\n"
    "                 (FlatGeobuf): a layer 'sheets' of rectangles with the fields new, old and\n"
    "                 scale, CRS EPSG:4490 (CGCS2000; GeoJSON and KML are WGS 84 by "
    "definition\n"
    "                 and carry the same coordinates). FlatGeobuf stores the sheets in the\n"
    "                 order of its spatial index rather than from the north-west. dxf: each\n"
    "                 sheet a polyline on the DXF layer 'sheets' with its number as a text at\n"
    "                 its centre, for CAD programs.\n"
    "--output FILE    write to FILE instead of standard output (needed for gpkg, shp, fgb, dxf).\n"
    "                 The file appears only when complete; after a failure nothing is left.\n"
    "--max-sheets N   refuse, before writing anything, a cover of more than N sheets\n"
    "                 (default 10000000), saying how many it would have had.\n"
    "\n"
    "--square         with SCALE 1:5000 .. 1:500 and the CRS options of 'mapsheet-cli square'\n"
    "                 (--crs, --central-meridian, --zone-width): the square sheets meeting the\n"
    "                 area, in the nearest 3-degree zone unless a system is given. CSV:\n"
    "                 sheet,crs,scale,south_x,west_y,north_x,east_y in metres; gpkg, shp, fgb:\n"
    "                 the squares in the projected CRS; geojson, kml: their outlines in\n"
    "                 longitude/latitude, each side densified to a centimetre.\n"
    "\n"
    "Exit status: 0 on success, 2 for a usage error or a refused cover, 3 when the output\n"
    "cannot be written, 4 when the --within file cannot be read.\n";

constexpr std::uint64_t kDefaultMaxSheets = 10'000'000;

struct Options {
    std::optional<std::string_view> scale;
    std::optional<std::string_view> bbox;
    std::optional<std::string> within;
    std::optional<std::string_view> withinSheet;
    std::optional<std::string_view> format;
    std::optional<std::string> output;
    std::uint64_t maxSheets = kDefaultMaxSheets;
    std::optional<std::string_view> mode;
    bool compact = false;
    bool summary = false;
    bool id = false;
    bool help = false;
};

int usageError(std::ostream& err, const std::string& message) {
    err << "mapsheet-cli cover: " << message << '\n';
    return kExitUsage;
}

std::string helpText() {
    std::string help(kHelp);
    help.replace(help.find("%SCALES%"), 8, engine::acceptedScales());
    return help;
}

// Fills options; on a usage error writes it and returns false.
bool parseOptions(const Arguments& arguments, Options& options, std::ostream& err) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
            continue;
        }
        if (argument == "--compact" || argument == "--summary" || argument == "--id") {
            (argument == "--compact"   ? options.compact
             : argument == "--summary" ? options.summary
                                       : options.id) = true;
            continue;
        }
        if (!argument.starts_with("--")) {
            usageError(err, "unexpected argument " + text::singleQuotedExcerpt(argument) +
                                "; run 'mapsheet-cli cover --help'");
            return false;
        }
        std::optional<std::string_view> value;
        if (const auto equals = argument.find('='); equals != std::string_view::npos) {
            value = argument.substr(equals + 1);
            argument = argument.substr(0, equals);
        }
        const bool known = argument == "--scale" || argument == "--bbox" ||
                           argument == "--within" || argument == "--within-sheet" ||
                           argument == "--format" || argument == "--output" ||
                           argument == "--max-sheets" || argument == "--mode";
        if (!known) {
            usageError(err, "unknown option " + text::singleQuotedExcerpt(argument) +
                                "; run 'mapsheet-cli cover --help'");
            return false;
        }
        if (!value) {
            if (i + 1 == arguments.size()) {
                usageError(err, std::string(argument) + " needs a value");
                return false;
            }
            value = arguments[++i];
        }
        if (argument == "--scale") {
            options.scale = value;
        } else if (argument == "--bbox") {
            options.bbox = value;
        } else if (argument == "--within") {
            options.within = std::string(*value);
        } else if (argument == "--within-sheet") {
            options.withinSheet = value;
        } else if (argument == "--format") {
            options.format = value;
        } else if (argument == "--output") {
            options.output = std::string(*value);
        } else if (argument == "--mode") {
            options.mode = value;
        } else {
            const auto [end, fault] =
                std::from_chars(value->data(), value->data() + value->size(), options.maxSheets);
            if (fault != std::errc{} || end != value->data() + value->size()) {
                usageError(err, "--max-sheets " + text::singleQuotedExcerpt(*value) +
                                    ": expected a whole number of sheets");
                return false;
            }
        }
    }
    return true;
}

// The sheets,area_m2 row of a cover: its sheets counted and their areas summed.
int writeSummary(CoverSheets& sheets, std::ostream& out, std::ostream& err) {
    std::uint64_t count = 0;
    long double area = 0;
    while (const std::optional<engine::Sheet> sheet = sheets.next()) {
        ++count;
        area += engine::sheetArea(*sheet);
    }
    std::string summary = "sheets,area_m2\n" + std::to_string(count) + ",";
    appendFixed(summary, static_cast<double>(area), 3);
    summary += '\n';
    if (!writeChecked(out, summary, err)) {
        return kExitWriteFailed;
    }
    return finishOutput(out, err, kExitSuccess);
}

}  // namespace

int runCoverCommand(const Arguments& arguments, std::ostream& out, std::ostream& err) {
#ifdef MAPSHEET_HAVE_PROJ
    if (asksForSquares(arguments)) {
        return runSquareCoverCommand(arguments, out, err);
    }
#endif
    Options options;
    if (!parseOptions(arguments, options, err)) {
        return kExitUsage;
    }
    if (options.help) {
        out << helpText();
        return finishOutput(out, err, kExitSuccess);
    }
    if (!options.scale) {
        err << "mapsheet-cli cover: --scale SCALE is required; accepted scales:\n"
            << engine::acceptedScales();
        return kExitUsage;
    }
    const std::optional<int> scale = engine::parseScale(*options.scale);
    if (!scale) {
        err << "mapsheet-cli cover: unknown scale " << text::singleQuotedExcerpt(*options.scale)
            << "; accepted scales:\n"
            << engine::acceptedScales();
        return kExitUsage;
    }
    const int areas =
        (options.bbox ? 1 : 0) + (options.within ? 1 : 0) + (options.withinSheet ? 1 : 0);
    if (areas != 1) {
        return usageError(err, "give exactly one of --bbox, --within and --within-sheet");
    }
    std::string format = options.format ? std::string(*options.format) : "csv";
    if (!options.format && options.output) {
        format = coverFormatOfPath(*options.output).value_or("csv");
    }
    if (!isCoverFormat(format)) {
        return usageError(err, "unknown format " + text::singleQuotedExcerpt(format) +
                                   ": expected csv, geojson, gpkg, shp, kml, fgb or dxf");
    }

    engine::CoverMode mode = engine::CoverMode::Meets;
    if (options.mode) {
        const std::optional<engine::CoverMode> named = engine::coverModeFromName(*options.mode);
        if (!named) {
            return usageError(err, "unknown mode '" + std::string(*options.mode) +
                                       "': expected meets, centre or within");
        }
        mode = *named;
    }
    if (options.within && (mode != engine::CoverMode::Meets || options.compact)) {
        return usageError(err, "--within FILE takes neither --mode " +
                                   std::string(engine::coverModeName(mode)) + " nor --compact");
    }
    if (options.summary && (format != "csv" || options.output)) {
        return usageError(err, "--summary writes one CSV row to standard output");
    }

    std::unique_ptr<CoverSheets> sheets;
    std::string error;
    if (options.bbox) {
        const std::optional<engine::LatLonBox> box = parseBox(*options.bbox, error);
        if (!box) {
            return usageError(err, error);
        }
        sheets = std::make_unique<CoverSheets>(*box, *scale, mode, options.compact);
    } else if (options.withinSheet) {
        const engine::ParsedSheet parent = engine::parseSheetNumber(*options.withinSheet);
        if (!parent.sheet) {
            return usageError(err, "--within-sheet: " + parent.error);
        }
        if (engine::divisionRatio(parent.sheet->scale, *scale) == 0) {
            return usageError(err, "--within-sheet: the " + engine::scaleRatioText(*scale) +
                                       " sheets do not lie within a " +
                                       engine::scaleRatioText(parent.sheet->scale) + " sheet");
        }
        if (options.compact) {
            const engine::DegreeBounds bounds = engine::degreeBounds(*parent.sheet);
            sheets = std::make_unique<CoverSheets>(
                engine::LatLonBox{bounds.south, bounds.west, bounds.north, bounds.east}, *scale,
                engine::CoverMode::Meets, true);
        } else {
            sheets = std::make_unique<CoverSheets>(*parent.sheet, *scale);
        }
    } else {
#ifdef MAPSHEET_HAVE_GDAL
        std::optional<gis::PolygonArea> area = gis::readPolygonFile(*options.within, error);
        if (!area) {
            err << "mapsheet-cli cover: --within: " << error << '\n';
            return kExitReadFailed;
        }
        sheets = std::make_unique<CoverSheets>(
            std::make_shared<const gis::PolygonArea>(std::move(*area)), *scale);
#else
        return usageError(err, "--within needs GDAL, which this build lacks");
#endif
    }

    if (const std::optional<CoverCount> count = sheets->countAbove(options.maxSheets)) {
        return usageError(
            err,
            std::string("the cover would have ") + (count->atLeast ? "more than " : "") +
                text::withThousandsSeparators(count->atLeast ? options.maxSheets : count->sheets) +
                " sheets, more than --max-sheets " +
                text::withThousandsSeparators(options.maxSheets) + " allows");
    }

    if (options.summary) {
        return writeSummary(*sheets, out, err);
    }
    const std::unique_ptr<CoverOutput> output =
        openCoverOutput(format, options.output, out, error, {options.compact, options.id});
    if (!output) {
        err << "mapsheet-cli cover: " << error << '\n';
        return options.output ? kExitWriteFailed : kExitUsage;
    }
    // Only a box and a sheet are counted without producing the sheets.
    const std::optional<CoverCount> known =
        options.within || options.compact ? std::nullopt : sheets->countAbove(0);
    ProgressLine progressLine(err, options.output ? nullptr : &out, "sheets");
    ProgressCounter progress(progressLine.listener(), known ? known->sheets : 0);
    while (const std::optional<engine::Sheet> sheet = sheets->next()) {
        if (!output->add(*sheet)) {
            err << "mapsheet-cli cover: " << output->error() << '\n';
            return kExitWriteFailed;
        }
        progress.add();
    }
    if (!output->finish()) {
        err << "mapsheet-cli cover: " << output->error() << '\n';
        return kExitWriteFailed;
    }
    return finishOutput(out, err, kExitSuccess);
}

}  // namespace mapsheet::cli
