// Built only with PROJ: the square sheets need the Gauss-Kruger projection.
#ifdef MAPSHEET_HAVE_PROJ

#include "cli/square_options.h"

#include <ostream>

#ifdef MAPSHEET_HAVE_GDAL
#include "gis/feature_writer.h"
#endif

namespace mapsheet::cli {

namespace {

constexpr CommandUsage kUsage{"square"};
constexpr Option kPlaneOption{"--xy", false};
constexpr Option kSheetOption{"--sheet", false};
constexpr Option kGraticuleOption{"--graticule", true};

// The mode the switches choose, and the options only some modes take.
bool readMode(const CommandLine& line, std::ostream& err, SquareOptions& options) {
    const bool xy = line.has(kPlaneOption);
    const bool sheets = line.has(kSheetOption);
    if (xy && sheets) {
        return kUsage.error(err,
                            "--xy reads points and --sheet reads sheet numbers; give one of them");
    }
    options.mode =
        sheets ? SquareMode::Sheets : (xy ? SquareMode::PlanePoints : SquareMode::GeographicPoints);
    if (!line.has(kGraticuleOption)) {
        return true;
    }
    if (!sheets) {
        return kUsage.error(
            err, "--graticule lists the graticule sheets of square sheets; it needs --sheet");
    }
    return readScale(line, kUsage, err, options.graticuleScale, kGraticuleOption);
}

// --format and --output: a layer of square sheets; false after a usage error.
bool readLayerFormat(const CommandLine& line, std::ostream& err, SquareOptions& options) {
    const std::optional<std::string> format = line.value(kFormatOption);
    const std::optional<std::string> output = line.value(kOutputOption);
    if (!format && !output) {
        return true;
    }
    if (options.mode != SquareMode::Sheets || options.graticuleScale) {
        return kUsage.error(err,
                            "--format and --output write square sheets as a layer; they go "
                            "with --sheet without --graticule");
    }
#ifdef MAPSHEET_HAVE_GDAL
    const std::optional<gis::VectorFormat> named =
        format ? gis::vectorFormatNamed(*format) : gis::vectorFormatOfPath(*output);
    if (!named) {
        return kUsage.error(err, (format ? "unknown format " + kUsage.quoted(*format)
                                         : "--output " + kUsage.quoted(*output) +
                                               " has no layer extension; name --format") +
                                     ": expected geojson, gpkg, shp, kml, fgb, dxf or xlsx");
    }
    options.format = std::string(gis::vectorFormatName(*named));
    options.output = output;
    return true;
#else
    return kUsage.error(err, "--format and --output need GDAL, which this build lacks");
#endif
}

}  // namespace

std::optional<SquareOptions> parseSquareOptions(const Arguments& arguments, std::ostream& err) {
    const std::optional<CommandLine> line = readCommandLine(
        arguments,
        {kScaleOption, kCrsOption, kCentralMeridianOption, kZoneWidthOption, kGraticuleOption,
         kJobsOption, kPlaneOption, kSheetOption, kFormatOption, kOutputOption},
        kUsage, err);
    if (!line) {
        return std::nullopt;
    }
    SquareOptions options;
    options.help = line->help();
    if (options.help) {
        return options;
    }
    if (!readSquareScale(*line, kUsage, err, options.scale) || !readMode(*line, err, options) ||
        !readLayerFormat(*line, err, options) || !readJobs(*line, kUsage, err, options.jobs) ||
        !readSquareSystem(*line, kUsage, err, options.system)) {
        return std::nullopt;
    }
    if (!options.system && options.mode != SquareMode::GeographicPoints) {
        kUsage.error(err, std::string(options.mode == SquareMode::Sheets ? "--sheet" : "--xy") +
                              " needs --crs or --central-meridian: plane coordinates and square "
                              "numbers mean nothing outside one system");
        return std::nullopt;
    }
    options.values = line->operands();
    if (options.mode != SquareMode::Sheets && !options.values.empty() &&
        options.values.size() != 2) {
        kUsage.error(err, std::string("expected ") +
                              (options.mode == SquareMode::PlanePoints ? "X Y" : "LAT LON") +
                              " (two values), got " + std::to_string(options.values.size()) +
                              kUsage.helpHint());
        return std::nullopt;
    }
    return options;
}

}  // namespace mapsheet::cli

#endif  // MAPSHEET_HAVE_PROJ
