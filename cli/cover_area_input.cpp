#include "cli/cover_area_input.h"

#include <string>
#include <utility>

#include "cli/exit_status.h"
#include "engine/sheet_number_parse.h"
#include "text/box_text.h"

#ifdef MAPSHEET_HAVE_GDAL
#include "gis/polygon_file.h"
#endif

namespace mapsheet::cli {

AreaInput::AreaInput(cover::CoverArea given) : area(std::move(given)) {}

bool givesOneArea(const CommandLine& line, const CommandUsage& usage, std::ostream& err) {
    const int areas = (line.has(kBboxOption) ? 1 : 0) + (line.has(kWithinOption) ? 1 : 0) +
                      (line.has(kWithinSheetOption) ? 1 : 0);
    return areas == 1 ||
           usage.error(err, "give exactly one of --bbox, --within and --within-sheet");
}

std::optional<AreaInput> readCoverArea(const CommandLine& line, const CommandUsage& usage,
                                       std::ostream& err, int& status) {
    status = kExitUsage;
    std::string error;
    if (const std::optional<std::string> text = line.value(kBboxOption)) {
        const std::optional<engine::LatLonBox> box = text::parseBox(*text, error);
        if (!box) {
            usage.error(err, error);
            return std::nullopt;
        }
        return AreaInput(cover::CoverArea::ofBox(*box));
    }
    if (const std::optional<std::string> number = line.value(kWithinSheetOption)) {
        const engine::ParsedSheet parsed = engine::parseSheetNumber(*number);
        if (!parsed.sheet) {
            usage.error(err, "--within-sheet: " + engine::describeInputError(parsed.error));
            return std::nullopt;
        }
        return AreaInput(cover::CoverArea::ofSheet(*parsed.sheet));
    }
#ifdef MAPSHEET_HAVE_GDAL
    std::optional<gis::PolygonArea> read = gis::readPolygonFile(*line.value(kWithinOption), error);
    if (!read) {
        usage.error(err, "--within: " + error);
        status = kExitReadFailed;
        return std::nullopt;
    }
    auto polygons = std::make_shared<const gis::PolygonArea>(std::move(*read));
    AreaInput input(cover::CoverArea::ofPolygons(polygons));
    input.polygons = std::move(polygons);
    return input;
#else
    usage.error(err, "--within needs GDAL, which this build lacks");
    return std::nullopt;
#endif
}

}  // namespace mapsheet::cli
