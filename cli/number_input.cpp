#include "cli/number_input.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>

#include "cli/exit_status.h"
#include "cli/number_csv.h"
#include "cli/number_features.h"
#include "text/file_extension.h"

#ifdef MAPSHEET_HAVE_GDAL
#include "gis/layer_csv.h"
#endif

namespace mapsheet::cli {

namespace {

int inputFailure(std::ostream& err, const std::string& message) {
    err << "mapsheet-cli number: " << message << '\n';
    return kExitUsage;
}

// Numbers a table read from in as number numbers its standard input.
int numberTable(const NumberOptions& options, std::istream& in, std::ostream& out,
                std::ostream& err) {
    if ((options.format == "csv" || options.format == "id") && !options.output) {
        return numberToCsv(options, in, out, err);
    }
    return writeNumberFile(options, in, out, err);
}

}  // namespace

int numberInputFile(const NumberOptions& options, std::ostream& out, std::ostream& err) {
    const std::string& path = *options.input;
    if (text::hasExtension(path, ".csv")) {
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            return inputFailure(err, "cannot read '" + path + "': " + std::strerror(errno));
        }
        return numberTable(options, file, out, err);
    }
#ifndef MAPSHEET_HAVE_GDAL
    (void)out;
    return inputFailure(err, "this build has no GDAL: --input reads .csv files only");
#else
    std::string error;
    const std::unique_ptr<gis::LayerCsv> layer = gis::LayerCsv::open(
        path,
        options.latitudeColumn ? gis::PointColumns::FromFields : gis::PointColumns::FromGeometry,
        error, options.layer.value_or(""));
    if (!layer) {
        return inputFailure(err, error);
    }
    NumberOptions table = options;
    table.header = true;
    if (!options.latitudeColumn) {
        table.latitudeColumn = batch::ColumnChoice{layer->columnCount() - 1, {}};
        table.longitudeColumn = batch::ColumnChoice{layer->columnCount(), {}};
    }
    return numberTable(table, layer->stream(), out, err);
#endif
}

}  // namespace mapsheet::cli
