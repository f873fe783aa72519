// Built only with PROJ: the systems are Gauss-Kruger projections.
#ifdef MAPSHEET_HAVE_PROJ

#include "cli/square_system_options.h"

#include <ostream>

#include "engine/scale_names.h"
#include "engine/square_sheet.h"
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
    const std::optional<int> width = wholeNumber<int>(*text);
    return width && *width > 0 ? *width : 0;
}

}  // namespace

bool readSquareSystem(const CommandLine& line, const CommandUsage& usage, std::ostream& err,
                      std::optional<projection::GaussKrugerSystem>& system) {
    const std::optional<std::string> crs = line.value(kCrsOption);
    const std::optional<std::string> centralMeridian = line.value(kCentralMeridianOption);
    const std::optional<std::string> width = line.value(kZoneWidthOption);
    if (crs && (centralMeridian || width)) {
        return usage.error(
            err, "--crs names the whole system; leave out --central-meridian and --zone-width");
    }
    if (crs) {
        const projection::CheckedSystem checked = projection::gaussKrugerSystemOfCrs(*crs);
        if (!checked.system) {
            return usage.error(err, "--crs: " + checked.error);
        }
        system = checked.system;
        return true;
    }
    if (width && !centralMeridian) {
        return usage.error(err, "--zone-width needs --central-meridian");
    }
    if (!centralMeridian) {
        return true;
    }
    const CoordinateReading meridian = readCoordinate(*centralMeridian);
    if (meridian.fault != CoordinateFault::None) {
        return usage.error(err, "--central-meridian " + usage.quoted(*centralMeridian) + ": " +
                                    std::string(coordinateFaultText(meridian.fault)));
    }
    const std::string error = projection::centralMeridianError(meridian.degrees, zoneWidth(width));
    if (!error.empty()) {
        return usage.error(err, error);
    }
    system = projection::centralMeridianSystem(meridian.degrees, zoneWidth(width));
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
