#include "cli/cover_output.h"

#include <memory>

#include "text/file_extension.h"

#ifdef MAPSHEET_HAVE_GDAL
#include "gis/cover_layer_output.h"
#endif

namespace mapsheet::cli {

bool isCoverFormat(std::string_view name) {
#ifdef MAPSHEET_HAVE_GDAL
    if (gis::vectorFormatNamed(name)) {
        return true;
    }
#endif
    return name == "csv";
}

std::optional<std::string> coverFormatOfPath(std::string_view path) {
    if (text::hasExtension(path, ".csv")) {
        return "csv";
    }
#ifdef MAPSHEET_HAVE_GDAL
    if (const auto format = gis::vectorFormatOfPath(path)) {
        return std::string(gis::vectorFormatName(*format));
    }
#endif
    return std::nullopt;
}

std::unique_ptr<cover::CoverOutput> openCoverOutput(std::string_view format,
                                                    const std::optional<std::string>& path,
                                                    std::ostream& out, std::string& error,
                                                    const cover::CoverLayout& layout,
                                                    [[maybe_unused]] const CoverLayerCrs& crs) {
#ifdef MAPSHEET_HAVE_GDAL
    if (format == "csv" && path) {
        return gis::openCoverCsvFile(*path, layout, error);
    }
    if (const auto vector = gis::vectorFormatNamed(format)) {
        return gis::openCoverLayer(*vector, path, out, layout, crs, error);
    }
#else
    if (path) {
        error = "--output needs GDAL, which this build lacks; the CSV goes to standard output";
        return nullptr;
    }
#endif
    if (format == "csv") {
        return std::make_unique<cover::CoverCsvOutput>(out, layout);
    }
    error = "unknown format '" + std::string(format) + "'";
    return nullptr;
}

}  // namespace mapsheet::cli
