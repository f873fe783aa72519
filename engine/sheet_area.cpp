// The ellipsoidal zone between two parallels through the authalic function q, scaled to the
// sheet's share of the longitudes.

#include "engine/sheet_area.h"

#include <cmath>
#include <numbers>

namespace mapsheet::engine {

namespace {

constexpr double kSemiMajorAxis = 6378137.0;
constexpr double kFlattening = 1 / 298.257222101;
constexpr double kEccentricitySquared = kFlattening * (2 - kFlattening);

double authalicFunction(double latitudeRadians) {
    const double eccentricity = std::sqrt(kEccentricitySquared);
    const double sine = std::sin(latitudeRadians);
    return (1 - kEccentricitySquared) * (sine / (1 - kEccentricitySquared * sine * sine) +
                                         std::atanh(eccentricity * sine) / eccentricity);
}

double unitsToRadians(std::int64_t units) {
    return static_cast<double>(units) / kUnitsPerDegree * (std::numbers::pi / 180);
}

}  // namespace

double sheetArea(const Sheet& sheet) noexcept {
    if (!isValid(sheet)) {
        return 0;
    }
    const UnitBounds bounds = unitBounds(sheet);
    const double zone = authalicFunction(unitsToRadians(bounds.north)) -
                        authalicFunction(unitsToRadians(bounds.south));
    const double longitudes = unitsToRadians(std::int64_t{bounds.east} - bounds.west);
    return kSemiMajorAxis * kSemiMajorAxis / 2 * zone * longitudes;
}

}  // namespace mapsheet::engine
