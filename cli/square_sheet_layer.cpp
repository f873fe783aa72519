// Built only with GDAL and PROJ: square sheets written as a GIS layer.
#ifdef MAPSHEET_HAVE_PROJ

#include <istream>
#include <memory>
#include <ostream>
#include <string>

#include "batch/number_lines.h"
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
    bool anyError = false;
    bool written = true;
    const std::string readError =
        batch::forEachNumber(options.values, in, [&](std::string_view text, long line) {
            std::string why;
            const std::optional<engine::SquareSheet> sheet =
                projection::readSquareSheet(text, options.scale, locator, why);
            if (!sheet) {
                anyError = true;
                // The reason quotes the bad piece or names the sheet's centre.
                err << kPrefix << (line > 0 ? "line " + std::to_string(line) + ": " : "") << why
                    << '\n';
            } else if (written) {
                row.show(*sheet);
                written = layer->add(row);
            }
        });
    if (!readError.empty()) {
        // Nothing is written from a cut-off input.
        err << kPrefix << "cannot read the input: " << readError << '\n';
        return kExitReadFailed;
    }
    if (!written || !layer->finish()) {
        err << kPrefix << layer->error() << '\n';
        return kExitWriteFailed;
    }
    return anyError ? kExitRowErrors : kExitSuccess;
}

#else

int writeSquareSheetLayer(const SquareOptions&, std::istream&, std::ostream&, std::ostream& err) {
    err << "mapsheet-cli square: --format needs GDAL, which this build lacks\n";
    return kExitUsage;
}

#endif

}  // namespace mapsheet::cli

#endif  // MAPSHEET_HAVE_PROJ
