// Built only with PROJ: the systems are Gauss-Kruger projections.
#ifdef MAPSHEET_HAVE_PROJ

#include "cli/square_system_options.h"

#include <charconv>
#include <ostream>

#include "engine/scale_names.h"
#include "engine/square_sheet.h"
#include "library/quoted_excerpt.h"
#include "projection/epsg_system.h"
#include "text/coordinate_text.h"

namespace mapsheet::cli {

namespace {

constexpr std::string_view kSquareScales = "1:5000, 1:2000, 1:1000 or 1:500";

// The zone width as given; 0 (which centralMeridianError refuses) for anything but a positive
// whole number.
int zoneWidth(const std::optional<std::string>& text) {
    if (!text) {
        return 3;
    }
    int width = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), width);
    return error == std::errc() && end == text->data() + text->size() && width > 0 ? width : 0;
}

}  // namespace

bool chooseSquareSystem(const SystemArguments& given,
                        std::optional<projection::GaussKrugerSystem>& system,
                        std::string_view prefix, std::ostream& err) {
    if (given.crs && (given.centralMeridian || given.zoneWidth)) {
        err << prefix << "--crs names the whole system; leave out --central-meridian and "
            << "--zone-width\n";
        return false;
    }
    if (given.crs) {
        const projection::CheckedSystem checked = projection::gaussKrugerSystemOfCrs(*given.crs);
        if (!checked.system) {
            err << prefix << "--crs: " << checked.error << '\n';
            return false;
        }
        system = checked.system;
        return true;
    }
    if (given.zoneWidth && !given.centralMeridian) {
        err << prefix << "--zone-width needs --central-meridian\n";
        return false;
    }
    if (!given.centralMeridian) {
        return true;
    }
    const CoordinateReading meridian = readCoordinate(*given.centralMeridian);
    if (meridian.fault != CoordinateFault::None) {
        err << prefix << "--central-meridian " << text::singleQuotedExcerpt(*given.centralMeridian)
            << ": " << coordinateFaultText(meridian.fault) << '\n';
        return false;
    }
    const int width = zoneWidth(given.zoneWidth);
    const std::string error = projection::centralMeridianError(meridian.degrees, width);
    if (!error.empty()) {
        err << prefix << error << '\n';
        return false;
    }
    system = projection::centralMeridianSystem(meridian.degrees, width);
    return true;
}

bool readSquareSystem(const CommandLine& line, const CommandUsage& usage, std::ostream& err,
                      std::optional<projection::GaussKrugerSystem>& system) {
    const SystemArguments given{line.value(kCrsOption), line.value(kCentralMeridianOption),
                                line.value(kZoneWidthOption)};
    return chooseSquareSystem(given, system, "mapsheet-cli " + std::string(usage.command) + ": ",
                              err);
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
