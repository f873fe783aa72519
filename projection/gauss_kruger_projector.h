#pragma once

// Forward and inverse Gauss-Kruger projection of one system through PROJ.
//
// Forward takes CGCS2000 geographic coordinates (latitude, longitude in decimal degrees) to the
// plane (x northing, y easting in metres, the false easting and any zone number included);
// inverse goes back. PROJ's exact Transverse Mercator is used (not the series of +approx):
// forward and inverse agree to well below a millimetre anywhere within the usable width of a
// zone. Neither direction checks the usable width; projection/square_locator.h does.
//
// Threads. The projector owns its PROJ context and transformation and is not safe to use from
// two threads at once; give each thread its own projector. Creating one costs tens of
// microseconds and opens no database.

#include <optional>

#include "engine/geographic_point.h"
#include "projection/gauss_kruger_system.h"
#include "projection/proj_handles.h"

namespace mapsheet::projection {

struct PlanePoint {
    double x = 0;  // northing, metres
    double y = 0;  // easting, metres
};

class GaussKrugerProjector {
  public:
    // Throws std::runtime_error when PROJ cannot create the projection (only when PROJ itself
    // is broken: every system of gauss_kruger_system.h is a valid definition).
    explicit GaussKrugerProjector(const GaussKrugerSystem& system);

    const GaussKrugerSystem& system() const { return system_; }

    // nullopt when PROJ refuses the point (a latitude beyond the poles, NaN).
    std::optional<PlanePoint> forward(engine::GeographicPoint point);
    std::optional<engine::GeographicPoint> inverse(PlanePoint point);

  private:
    GaussKrugerSystem system_;
    ContextHandle context_;
    ObjectHandle projection_;
};

}  // namespace mapsheet::projection
