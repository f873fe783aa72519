#include "projection/square_system_choice.h"

#include <charconv>
#include <string_view>

#include "library/quoted_excerpt.h"
#include "projection/epsg_system.h"
#include "text/coordinate_text.h"

namespace mapsheet::projection {

namespace {

// 0 for text that is no whole number above 0, which centralMeridianError then refuses.
int zoneWidthOf(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value > 0 ? value : 0;
}

SystemChoice refused(std::string error) {
    return {std::nullopt, std::move(error)};
}

}  // namespace

SystemChoice chooseSquareSystem(const SystemArguments& given) {
    if (given.crs && (given.centralMeridian || given.zoneWidth)) {
        return refused(
            "--crs names the whole system; leave out --central-meridian and "
            "--zone-width");
    }
    if (given.crs) {
        CheckedSystem checked = gaussKrugerSystemOfCrs(*given.crs);
        if (!checked.system) {
            return refused("--crs: " + checked.error);
        }
        return {checked.system, ""};
    }
    if (given.zoneWidth && !given.centralMeridian) {
        return refused("--zone-width needs --central-meridian");
    }
    if (!given.centralMeridian) {
        return {};
    }
    const text::CoordinateReading meridian = text::readCoordinate(*given.centralMeridian);
    if (meridian.fault != text::CoordinateFault::None) {
        return refused("--central-meridian " + text::singleQuotedExcerpt(*given.centralMeridian) +
                       ": " + std::string(text::coordinateFaultText(meridian.fault)));
    }
    const int width = given.zoneWidth ? zoneWidthOf(*given.zoneWidth) : 3;
    if (std::string error = centralMeridianError(meridian.degrees, width); !error.empty()) {
        return refused(std::move(error));
    }
    return {centralMeridianSystem(meridian.degrees, width), ""};
}

}  // namespace mapsheet::projection
