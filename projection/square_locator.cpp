#include "projection/square_locator.h"

#include <cmath>

namespace mapsheet::projection {

namespace {

// A ten-millionth of a degree is a centimetre on the ground; messages need no finer.
std::string degrees(double value) {
    return decimalText(value, 7);
}

std::string metres(double value) {
    return decimalText(value, 3);
}

}  // namespace

SquareLocator::SquareLocator(int scale, std::optional<GaussKrugerSystem> system) : scale_(scale) {
    if (system) {
        fixed_.emplace(*system);
    }
}

GaussKrugerProjector* SquareLocator::fixedProjector() {
    return fixed_ ? &*fixed_ : nullptr;
}

GaussKrugerProjector& SquareLocator::projectorFor(double longitude) {
    if (fixed_) {
        return *fixed_;
    }
    // Zones by their index from 180W; a projector is made when its zone is first met.
    const GaussKrugerSystem system = nearestThreeDegreeSystem(longitude);
    const auto zone = static_cast<std::size_t>((system.centralMeridian + 180) / 3);
    if (nearest_.size() <= zone) {
        nearest_.resize(zone + 1);
    }
    if (!nearest_[zone]) {
        nearest_[zone] = std::make_unique<GaussKrugerProjector>(system);
    }
    return *nearest_[zone];
}

bool SquareLocator::refuseBeyondWidth(LocatedPoint& located) const {
    located.error = usableWidthError(*located.system, located.geographic.longitude);
    return !located.error.empty();
}

LocatedPoint SquareLocator::locateGeographic(engine::GeographicPoint point) {
    LocatedPoint located;
    located.geographic = point;
    if (!(point.latitude >= -90 && point.latitude <= 90)) {
        located.error = "latitude " + degrees(point.latitude) + " is outside -90..90";
        return located;
    }
    if (!(point.longitude >= -180 && point.longitude <= 180)) {
        located.error = "longitude " + degrees(point.longitude) + " is outside -180..180";
        return located;
    }
    GaussKrugerProjector& projector = projectorFor(point.longitude);
    located.system = &projector.system();
    if (refuseBeyondWidth(located)) {
        return located;
    }
    const std::optional<PlanePoint> plane = projector.forward(point);
    if (!plane) {
        located.error = "PROJ cannot project the point into " + systemName(*located.system);
        return located;
    }
    located.plane = *plane;
    located.sheet = engine::squareSheetOf(plane->x, plane->y, scale_);
    return located;
}

LocatedPoint SquareLocator::locatePlane(PlanePoint point) {
    LocatedPoint located;
    located.plane = point;
    if (!fixed_) {
        located.error = "plane coordinates need a chosen system (--crs or --central-meridian)";
        return located;
    }
    located.system = &fixed_->system();
    const int prefix = located.system->zonePrefix;
    if (prefix != 0 && std::floor(point.y / 1e6) != prefix) {
        located.error = "y " + metres(point.y) + " does not start with the zone number " +
                        std::to_string(prefix) + " that " + systemName(*located.system) +
                        " writes in front of y";
        return located;
    }
    const std::optional<engine::GeographicPoint> geographic = fixed_->inverse(point);
    if (!geographic) {
        located.error = "PROJ cannot take x " + metres(point.x) + ", y " + metres(point.y) +
                        " back to latitude and longitude";
        return located;
    }
    located.geographic = *geographic;
    if (refuseBeyondWidth(located)) {
        return located;
    }
    located.sheet = engine::squareSheetOf(point.x, point.y, scale_);
    if (!located.sheet) {
        located.error = "x and y lie beyond every zone";
    }
    return located;
}

}  // namespace mapsheet::projection
