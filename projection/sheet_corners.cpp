#include "projection/sheet_corners.h"

#include <cmath>

#include "projection/gauss_kruger_system.h"

namespace mapsheet::projection {

namespace {

constexpr int kLastSixDegreeScale = 6;  // 1:25,000

int zoneCount(int width) {
    return 360 / width;
}

// Zone n of a width has its central meridian at width x n (3 degrees) or 6n - 3 (6 degrees),
// taken into -180..180.
double zoneMeridian(int zone, int width) {
    const double meridian = width == 6 ? 6.0 * zone - 3 : 3.0 * zone;
    return meridian > 180 ? meridian - 360 : meridian;
}

// The zone whose central meridian is the given one; 0 when none is.
int meridianZone(double meridian, int width) {
    const double east = meridian <= 0 ? meridian + 360 : meridian;
    const double zone = width == 6 ? (east + 3) / 6 : east / 3;
    return zone == std::floor(zone) ? static_cast<int>(zone) : 0;
}

// The zone holding the longitude: 6-degree zones start at 0E, 3-degree zones centre on
// multiples of 3 degrees (gauss_kruger_system.h puts a halfway longitude in the eastern one).
int zoneOfLongitude(double longitude, int width) {
    const int count = zoneCount(width);
    if (width == 6) {
        const int step = static_cast<int>(std::floor(longitude / 6));
        return ((step % count) + count) % count + 1;
    }
    const int step = static_cast<int>(std::floor((longitude + 1.5) / 3));
    return (((step - 1) % count) + count) % count + 1;
}

struct ChosenSystem {
    std::optional<GaussKrugerSystem> system;
    std::string error;
};

ChosenSystem chooseSystem(const engine::Sheet& sheet, const CornerZone& choice) {
    const int width = cornerZoneWidth(sheet.scale);
    double meridian = 0;
    switch (choice.kind) {
        case CornerZone::Kind::OfSheet: {
            const engine::DegreeBounds bounds = engine::degreeBounds(sheet);
            meridian = zoneMeridian(zoneOfLongitude((bounds.west + bounds.east) / 2, width), width);
            break;
        }
        case CornerZone::Kind::Zone:
            if (choice.zone < 1 || choice.zone > zoneCount(width)) {
                return {std::nullopt, "zone " + std::to_string(choice.zone) + " is outside the " +
                                          std::to_string(width) + "-degree zones 1.." +
                                          std::to_string(zoneCount(width))};
            }
            meridian = zoneMeridian(choice.zone, width);
            break;
        case CornerZone::Kind::CentralMeridian:
            meridian = choice.centralMeridian;
            if (std::string error = centralMeridianError(meridian, width); !error.empty()) {
                return {std::nullopt, error};
            }
            break;
    }
    const GaussKrugerSystem system = centralMeridianSystem(meridian, width);
    const engine::DegreeBounds bounds = engine::degreeBounds(sheet);
    const double farther = std::abs(degreesFromCentralMeridian(system, bounds.west)) >
                                   std::abs(degreesFromCentralMeridian(system, bounds.east))
                               ? bounds.west
                               : bounds.east;
    if (std::string error = usableWidthError(system, farther); !error.empty()) {
        return {std::nullopt, error};
    }
    return {system, {}};
}

}  // namespace

int cornerZoneWidth(int scale) noexcept {
    return scale <= kLastSixDegreeScale ? 6 : 3;
}

std::string cornerZoneError(const engine::Sheet& sheet, const CornerZone& choice) {
    return chooseSystem(sheet, choice).error;
}

std::optional<SheetCorners> sheetCorners(const engine::Sheet& sheet, const CornerZone& choice) {
    const ChosenSystem chosen = chooseSystem(sheet, choice);
    if (!chosen.system) {
        return std::nullopt;
    }
    GaussKrugerProjector projector(*chosen.system);
    const engine::DegreeBounds bounds = engine::degreeBounds(sheet);
    const auto sw = projector.forward({bounds.south, bounds.west});
    const auto se = projector.forward({bounds.south, bounds.east});
    const auto ne = projector.forward({bounds.north, bounds.east});
    const auto nw = projector.forward({bounds.north, bounds.west});
    if (!sw || !se || !ne || !nw) {
        return std::nullopt;
    }
    const double meridian = chosen.system->centralMeridian;
    return SheetCorners{meridianZone(meridian, chosen.system->zoneWidth),
                        meridian,
                        chosen.system->zoneWidth,
                        *sw,
                        *se,
                        *ne,
                        *nw};
}

}  // namespace mapsheet::projection
