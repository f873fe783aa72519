// Built only with GDAL and PROJ: square sheets written as a GIS layer.
#ifdef MAPSHEET_HAVE_PROJ

#include <memory>
#include <ostream>
#include <string>

#include "cli/exit_status.h"
#include "cli/square_sheet_layer.h"
#include "projection/square_sheet_rows.h"

#ifdef MAPSHEET_HAVE_GDAL
#include "cli/cover_output.h"
#include "cli/square_layer_crs.h"
#include "projection/square_cover_source.h"
#endif

namespace mapsheet::cli {

#ifdef MAPSHEET_HAVE_GDAL

int writeSquareSheetLayer(const SquareOptions& options, std::istream& in, std::ostream& out,
                          std::ostream& err) {
    constexpr std::string_view kPrefix = "mapsheet-cli square: ";
    projection::SquareLocator locator(options.scale, options.system);
    projection::GaussKrugerProjector& projector = *locator.fixedProjector();
    projection::SquareRow row(projector);
    std::string error;
    const std::unique_ptr<cover::CoverOutput> layer =
        openCoverOutput(*options.format, options.output, out, error, row.layout(),
                        projectedCrs(projector.system()));
    if (!layer) {
        err << kPrefix << error << '\n';
        return options.output ? kExitWriteFailed : kExitUsage;
    }
    const batch::RunStatus status = projection::addSquareSheets(
        kPrefix, options.values, in, options.scale, locator, row, *layer, err);
    if (status == batch::RunStatus::WriteFailed) {
        err << kPrefix << layer->error() << '\n';
    }
    return exitStatusOf(status);
}

#else

int writeSquareSheetLayer(const SquareOptions&, std::istream&, std::ostream&, std::ostream& err) {
    err << "mapsheet-cli square: --format needs GDAL, which this build lacks\n";
    return kExitUsage;
}

#endif

}  // namespace mapsheet::cli

#endif  // MAPSHEET_HAVE_PROJ
