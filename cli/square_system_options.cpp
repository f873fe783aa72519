// Built only with PROJ: the systems are Gauss-Kruger projections.
#ifdef MAPSHEET_HAVE_PROJ

#include "cli/square_system_options.h"

#include <ostream>

#include "engine/scale_names.h"
#include "engine/square_sheet.h"
#include "projection/square_system_choice.h"

namespace mapsheet::cli {

namespace {

constexpr std::string_view kSquareScales = "1:5000, 1:2000, 1:1000 or 1:500";

}  // namespace

bool readSquareSystem(const CommandLine& line, const CommandUsage& usage, std::ostream& err,
                      std::optional<projection::GaussKrugerSystem>& system) {
    const projection::SystemChoice choice = projection::chooseSquareSystem(
        {line.value(kCrsOption), line.value(kCentralMeridianOption), line.value(kZoneWidthOption)});
    if (!choice.error.empty()) {
        return usage.error(err, choice.error);
    }
    system = choice.system;
    return true;
}

bool readSquareScale(const CommandLine& line, const CommandUsage& usage, std::ostream& err,
                     int& scale) {
    const std::optional<std::string> text = line.value(kScaleOption);
    if (!text) {
        return usage.error(err, "--scale SCALE is required: " + std::string(kSquareScales));
    }
    std::optional<int> read;
    if (!readScale(line, usage, err, read)) {
        return false;
    }
    if (!engine::hasSquareSheets(*read)) {
        return usage.error(err, "scale " + engine::scaleRatioText(*read) +
                                    " has no square sheets; use " + std::string(kSquareScales));
    }
    scale = *read;
    return true;
}

bool readSquareFormScale(const CommandLine& line, const CommandUsage& usage, std::ostream& err,
                         int& scale, const Option& option) {
    const std::optional<std::string> text = line.value(option);
    const std::optional<int> read = engine::parseScale(text.value_or(""));
    if (!read || !engine::hasSquareSheets(*read)) {
        return usage.error(err,
                           "--square needs a square-sheet scale: " + std::string(kSquareScales) +
                               (text ? ", not " + usage.quoted(*text) : std::string()));
    }
    scale = *read;
    return true;
}

}  // namespace mapsheet::cli

#endif  // MAPSHEET_HAVE_PROJ
