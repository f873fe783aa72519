#include "cli/number_features.h"

#include <ostream>
#include <string>

#include "cli/exit_status.h"
#include "cli/number_csv.h"
#include "cli/progress_line.h"
#include "library/quoted_excerpt.h"

#ifdef MAPSHEET_HAVE_GDAL
#include "gis/point_number_layer.h"
#endif

namespace mapsheet::cli {

namespace {

int usage(std::ostream& err, std::string_view message) {
    err << "mapsheet-cli number: " << message << "; run 'mapsheet-cli number --help'\n";
    return kExitUsage;
}

}  // namespace

#ifndef MAPSHEET_HAVE_GDAL

int writeNumberFile(const NumberOptions&, std::istream&, std::ostream&, std::ostream& err) {
    return usage(err, "this build has no GDAL: --format and --output are not available");
}

#else

int writeNumberFile(const NumberOptions& options, std::istream& in, std::ostream& out,
                    std::ostream& err) {
    if (options.format == "csv" || options.format == "id") {
        return exitStatusOfNumbering(
            gis::writeStagedCsv(
                *options.output, err,
                [&](std::ostream& file) { return runCsvNumbering(options, in, file, err); }),
            err);
    }
    const std::optional<gis::VectorFormat> format = gis::vectorFormatNamed(options.format);
    if (!format) {
        return usage(err, "unknown format " + text::singleQuotedExcerpt(options.format) +
                              ": expected csv, id, geojson, gpkg, shp, kml, fgb, dxf or xlsx");
    }
    if (!options.output && !gis::isStreamable(*format)) {
        return usage(err, "--format " + options.format + " writes a file: give --output FILE");
    }
    const gis::PointLayerRequest request{options.scale,     options.latitude,
                                         options.longitude, tableColumnsOf(options),
                                         *format,           options.output};
    ProgressLine progressLine(err, options.output ? nullptr : &out, "rows");
    const gis::PointLayerRun run =
        gis::writePointNumberLayer(request, in, out, err, progressLine.listener());
    if (!run.tableProblem.empty()) {
        return usage(err, run.tableProblem);
    }
    return exitStatusOf(run.status);
}

#endif

}  // namespace mapsheet::cli
