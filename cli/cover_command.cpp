// mapsheet-cli cover: every sheet of a scale in an area, graticule sheets or (with --square)
// the square sheets of a Gauss-Kruger system, as CSV or a GIS layer.
//
// Both kinds go the same way: one area (cover/cover_area.h), one cover source
// (cover/cover_source.h), the --max-sheets refusal before anything is written, one output
// (cli/cover_output.h).

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/cover_area_input.h"
#include "cli/cover_output.h"
#include "cli/exit_status.h"
#include "cli/progress_line.h"
#include "cli/shared_options.h"
#include "cover/cover_area.h"
#include "cover/cover_writing.h"
#include "cover/graticule_source.h"
#include "engine/scale_names.h"

#ifdef MAPSHEET_HAVE_PROJ
#include "cli/square_system_options.h"
#include "projection/square_cover_source.h"
#ifdef MAPSHEET_HAVE_GDAL
#include "cli/square_layer_crs.h"
#endif
#include "projection/area_squares.h"
#include "projection/graticule_squares.h"
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
    "                 in every mode.\n"
    "--compact        the same area in the coarsest whole sheets: wherever every sheet of\n"
    "                 SCALE inside a coarser sheet is in the cover, that sheet stands in for\n"
    "                 them, up the chain 1:500, 1:1000, 1:2000, 1:5000, 1:10,000, 1:25,000,\n"
    "                 1:50,000, 1:100,000, 1:250,000, 1:500,000, 1:1,000,000 (1:200,000 stands\n"
    "                 outside it). The CSV gains the column scale. 'mapsheet-cli\n"
    "                 uncompact --scale SCALE' turns the list back.\n"
    "--id             add the column (or field) id: the sheet's stable 64-bit id, which\n"
    "                 'mapsheet-cli sheet' reads back.\n"
    "--summary        instead of the sheets, one CSV row sheets,area_m2: how many sheets (rows)\n"
    "                 the cover has and their total area on the CGCS2000 ellipsoid in square\n"
    "                 metres to 3 decimals.\n"
    "\n"
    "--format FORMAT  csv (the default unless --output names a .geojson, .gpkg, .shp, .kml,\n"
    "                 .fgb, .dxf or .xlsx file): the header new,old,south,west,north,east,\n"
    "                 the old number empty at 1:2000 and finer, bounds in decimal degrees\n"
    "                 rounded to 12 places;\n"
    "                 geojson (RFC 7946), gpkg (GeoPackage), shp (Shapefile), kml, fgb\n"
    "                 (FlatGeobuf): a layer 'sheets' of rectangles with the fields new, old and\n"
    "                 scale, CRS EPSG:4490 (CGCS2000; GeoJSON and KML are WGS 84 by "
    "definition\n"
    "                 and carry the same coordinates). FlatGeobuf stores the sheets in the\n"
    "                 order of its spatial index rather than from the north-west. dxf: each\n"
    "                 sheet a closed polyline on the DXF layer 'sheets' with its number as a\n"
    "                 text at its centre, for CAD programs. xlsx: an Excel workbook whose sheet\n"
    "                 'sheets' holds the fields as a table, for spreadsheets.\n"
    "--output FILE    write to FILE instead of standard output (needed for gpkg, shp, fgb, dxf,\n"
    "                 xlsx).\n"
    "                 The file appears only when complete; after a failure nothing is left.\n"
    "--max-sheets N   refuse, before writing anything, a cover of more than N sheets\n"
    "                 (default 10000000), saying how many it would have had.\n"
    "\n"
    "--square         with SCALE 1:5000 .. 1:500 and the CRS options of 'mapsheet-cli square'\n"
    "                 (--crs, --central-meridian, --zone-width): the square sheets meeting the\n"
    "                 area, in the nearest 3-degree zone unless a system is given. CSV:\n"
    "                 sheet,crs,scale,south_x,west_y,north_x,east_y in metres; gpkg, shp, fgb,\n"
    "                 dxf: the squares in the projected CRS; geojson, kml: their outlines in\n"
    "                 longitude/latitude, each side densified to a centimetre; xlsx: the\n"
    "                 fields sheet, crs and scale.\n"
    "\n"
    "Exit status: 0 on success, 2 for a usage error or a refused cover, 3 when the output\n"
    "cannot be written, 4 when the --within file cannot be read.\n";

const CommandUsage kUsage{"cover"};

constexpr Option kModeOption{"--mode", true};
constexpr Option kCompactOption{"--compact", false};
constexpr Option kSummaryOption{"--summary", false};
constexpr Option kSquareOption{"--square", false};

// What the command line says, beyond the area, the scale, the limit and the system, which their
// readers take from it.
struct Options {
    explicit Options(const CommandLine& line)
        : format(line.value(kFormatOption)),
          output(line.value(kOutputOption)),
          mode(line.value(kModeOption)),
          compact(line.has(kCompactOption)),
          summary(line.has(kSummaryOption)),
          id(line.has(kIdOption)) {}

    std::optional<std::string> format;
    std::optional<std::string> output;
    std::optional<std::string> mode;
    bool compact;
    bool summary;
    bool id;
};

int usageError(std::ostream& err, const std::string& message) {
    kUsage.error(err, message);
    return kExitUsage;
}

std::string helpText() {
    std::string help(kHelp);
    help.replace(help.find("%SCALES%"), 8, engine::acceptedScales());
    return help;
}

// The checks every cover takes alike, after its scale: --max-sheets, one area, the format.
struct Common {
    std::uint64_t maxSheets = kDefaultSheetLimit;
    std::string format;
};

std::optional<Common> commonOptions(const CommandLine& line, const Options& options,
                                    std::ostream& err) {
    Common common;
    if (!readMaxSheets(line, kUsage, err, common.maxSheets)) {
        return std::nullopt;
    }
    if (!givesOneArea(line, kUsage, err)) {
        return std::nullopt;
    }
    common.format = options.format.value_or(
        options.output ? coverFormatOfPath(*options.output).value_or("csv") : "csv");
    if (!isCoverFormat(common.format)) {
        usageError(err, "unknown format " + kUsage.quoted(common.format) + ": expected " +
                            std::string(kCoverFormatNames));
        return std::nullopt;
    }
    return common;
}

int writeSummary(cover::GraticuleSource& source, std::ostream& out, std::ostream& err) {
    if (!batch::writeChecked(out, cover::coverSummary(source), err)) {
        return kExitWriteFailed;
    }
    return finishOutput(out, err, kExitSuccess);
}

// Refuses a cover beyond --max-sheets, else writes every row.
int writeCover(cover::CoverSource& source, const Options& options, const Common& common,
               std::ostream& out, std::ostream& err, const CoverLayerCrs& crs = {}) {
    if (const std::string refusal = maxSheetsRefusal(source, common.maxSheets); !refusal.empty()) {
        return usageError(err, refusal);
    }
    std::string error;
    const std::unique_ptr<cover::CoverOutput> output =
        openCoverOutput(common.format, options.output, out, error, source.layout(), crs);
    if (!output) {
        kUsage.error(err, error);
        return options.output ? kExitWriteFailed : kExitUsage;
    }
    ProgressLine progressLine(err, options.output ? nullptr : &out, "sheets");
    if (const auto failure = cover::writeCoverRows(source, *output, progressLine.listener())) {
        kUsage.error(err, *failure);
        return kExitWriteFailed;
    }
    return finishOutput(out, err, kExitSuccess);
}

int runGraticuleCover(const CommandLine& line, std::ostream& out, std::ostream& err) {
    const Options options(line);
    if (line.has(kCrsOption) || line.has(kCentralMeridianOption) || line.has(kZoneWidthOption)) {
        return usageError(err, "--crs, --central-meridian and --zone-width go with --square");
    }
    std::optional<int> scale;
    if (!readScale(line, kUsage, err, scale)) {
        return kExitUsage;
    }
    const std::optional<Common> common = commonOptions(line, options, err);
    if (!common) {
        return kExitUsage;
    }
    engine::CoverMode mode = engine::CoverMode::Meets;
    if (options.mode) {
        const std::optional<engine::CoverMode> named = engine::coverModeFromName(*options.mode);
        if (!named) {
            return usageError(err, "unknown mode " + kUsage.quoted(*options.mode) +
                                       ": expected meets, centre or within");
        }
        mode = *named;
    }
    if (options.summary && (common->format != "csv" || options.output)) {
        return usageError(err, "--summary writes one CSV row to standard output");
    }
    int status = kExitUsage;
    const std::optional<AreaInput> input = readCoverArea(line, kUsage, err, status);
    if (!input) {
        return status;
    }
    const cover::CoverArea& area = input->area;
    if (area.kind == cover::CoverArea::Kind::Sheet &&
        engine::divisionRatio(area.sheet.scale, *scale) == 0) {
        return usageError(err, "--within-sheet: the " + engine::scaleRatioText(*scale) +
                                   " sheets do not lie within a " +
                                   engine::scaleRatioText(area.sheet.scale) + " sheet");
    }
    cover::GraticuleSource source(area, *scale, mode, options.compact, options.id);
    if (options.summary) {
        if (const std::string refusal = maxSheetsRefusal(source, common->maxSheets);
            !refusal.empty()) {
            return usageError(err, refusal);
        }
        return writeSummary(source, out, err);
    }
    return writeCover(source, options, *common, out, err);
}

#ifdef MAPSHEET_HAVE_PROJ
int runSquareCover(const CommandLine& line, std::ostream& out, std::ostream& err) {
    const Options options(line);
    if (options.mode || options.compact || options.summary || options.id) {
        return usageError(err, "--square takes none of --mode, --compact, --summary and --id");
    }
    int scale = 0;
    if (!readSquareFormScale(line, kUsage, err, scale, kScaleOption)) {
        return kExitUsage;
    }
    const std::optional<Common> common = commonOptions(line, options, err);
    if (!common) {
        return kExitUsage;
    }
    int status = kExitUsage;
    const std::optional<AreaInput> input = readCoverArea(line, kUsage, err, status);
    if (!input) {
        return status;
    }
    std::optional<projection::GaussKrugerSystem> chosen;
    if (!readSquareSystem(line, kUsage, err, chosen)) {
        return kExitUsage;
    }
    projection::GaussKrugerProjector projector(projection::systemForBox(chosen, input->area.box));
    projection::SquareArea area{input->area.box, {}};
#ifdef MAPSHEET_HAVE_GDAL
    if (input->polygons) {
        area.polygons = input->polygons->polygons();
    }
#endif
    std::string error;
    std::optional<projection::SquareCover> squares =
        projection::squaresOfArea(area, scale, projector, error);
    if (!squares) {
        return usageError(err, error);
    }
    projection::SquareCoverSource source(std::move(*squares), projector);
#ifdef MAPSHEET_HAVE_GDAL
    return writeCover(source, options, *common, out, err, projectedCrs(projector.system()));
#else
    return writeCover(source, options, *common, out, err);
#endif
}
#endif

}  // namespace

int runCoverCommand(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    const std::optional<CommandLine> line = readCommandLine(
        arguments,
        {kScaleOption, kBboxOption, kWithinOption, kWithinSheetOption, kModeOption, kCompactOption,
         kIdOption, kSummaryOption, kFormatOption, kOutputOption, kMaxSheetsOption, kSquareOption,
         kCrsOption, kCentralMeridianOption, kZoneWidthOption},
        kUsage, err);
    if (!line) {
        return kExitUsage;
    }
    if (line->help()) {
        out << helpText();
        return finishOutput(out, err, kExitSuccess);
    }
    if (!line->operands().empty()) {
        return usageError(err, "unexpected argument " + kUsage.quoted(line->operands().front()) +
                                   kUsage.helpHint());
    }
    if (line->has(kSquareOption)) {
#ifdef MAPSHEET_HAVE_PROJ
        return runSquareCover(*line, out, err);
#else
        return usageError(err, "--square needs PROJ, which this build lacks");
#endif
    }
    return runGraticuleCover(*line, out, err);
}

}  // namespace mapsheet::cli
