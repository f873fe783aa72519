#include "projection/gauss_kruger_projector.h"

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

namespace mapsheet::projection {

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

bool isFinite(const PJ_COORD& coordinate) {
    return std::isfinite(coordinate.xy.x) && std::isfinite(coordinate.xy.y);
}

}  // namespace

GaussKrugerProjector::GaussKrugerProjector(const GaussKrugerSystem& system)
    : system_(system), context_(makeQuietContext()) {
    if (!context_) {
        throw std::runtime_error("cannot create a PROJ context");
    }
    // The bare projection rather than a pipeline between CRSs: it takes radians and gives
    // easting, northing with no unit or axis steps around it, which halves the cost per point.
    projection_.reset(proj_create(context_.get(), projDefinition(system).c_str()));
    if (!projection_) {
        throw std::runtime_error("PROJ cannot create " + projDefinition(system));
    }
}

std::optional<PlanePoint> GaussKrugerProjector::forward(engine::GeographicPoint point) {
    proj_errno_reset(projection_.get());
    const PJ_COORD result = proj_trans(
        projection_.get(), PJ_FWD,
        proj_coord(point.longitude * kRadiansPerDegree, point.latitude * kRadiansPerDegree, 0, 0));
    if (proj_errno(projection_.get()) != 0 || !isFinite(result)) {
        return std::nullopt;
    }
    return PlanePoint{result.enu.n, result.enu.e};
}

std::optional<engine::GeographicPoint> GaussKrugerProjector::inverse(PlanePoint point) {
    proj_errno_reset(projection_.get());
    const PJ_COORD result =
        proj_trans(projection_.get(), PJ_INV, proj_coord(point.y, point.x, 0, 0));
    if (proj_errno(projection_.get()) != 0 || !isFinite(result)) {
        return std::nullopt;
    }
    return engine::GeographicPoint{result.lp.phi / kRadiansPerDegree,
                                   result.lp.lam / kRadiansPerDegree};
}

}  // namespace mapsheet::projection
