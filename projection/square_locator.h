#pragma once

// The square sheet of a point, given either in CGCS2000 geographic coordinates or in the plane
// coordinates of a Gauss-Kruger system, together with the point in the other form.
//
// System. Either fixed for the locator, or (for geographic points only) chosen per point as the
// 3-degree zone whose central meridian is nearest the point's longitude.
//
// Refusals, each an error text in the result rather than an exception:
//  - a latitude outside -90..90 or a longitude outside -180..180: "latitude 95 is outside
//    -90..90";
//  - a point beyond the system's usable width (3 degrees from the central meridian for
//    6-degree zones, 2 degrees, that is 1.5 and a 0.5-degree overlap, for 3-degree zones):
//    "longitude 120.5 lies 3.5 degrees east of the central meridian 117E of EPSG:4548, beyond
//    the 2 degrees a 3-degree zone serves (1.5 and a 0.5 overlap)";
//  - a plane y without the zone number that the system writes in front of it, or with another
//    zone's: "y 517202.69 does not start with the zone number 39 that EPSG:4527 writes in
//    front of y";
//  - a point PROJ cannot project.
//
// A locator owns its projectors (one per zone met) and so the PROJ contexts behind them: use
// one locator per thread.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/square_sheet.h"
#include "projection/gauss_kruger_projector.h"

namespace mapsheet::projection {

struct LocatedPoint {
    const GaussKrugerSystem* system = nullptr;  // the system used; owned by the locator
    engine::GeographicPoint geographic;
    PlanePoint plane;
    std::optional<engine::SquareSheet> sheet;
    std::string error;  // empty exactly when sheet holds a value
};

class SquareLocator {
  public:
    // scale: 8..11 (1:5000..1:500). system: fixed, or nullopt for the nearest 3-degree zone.
    SquareLocator(int scale, std::optional<GaussKrugerSystem> system);

    LocatedPoint locateGeographic(engine::GeographicPoint point);

    // Needs a fixed system; without one the result is an error.
    LocatedPoint locatePlane(PlanePoint point);

    // The projector of the fixed system; nullptr when the zone is chosen per point.
    GaussKrugerProjector* fixedProjector();

  private:
    GaussKrugerProjector& projectorFor(double longitude);
    bool refuseBeyondWidth(LocatedPoint& located) const;

    int scale_;
    std::optional<GaussKrugerProjector> fixed_;
    // By 3-degree zone from 180W (central meridian -180, -177, ... 180), made when first met.
    std::vector<std::unique_ptr<GaussKrugerProjector>> nearest_;
};

}  // namespace mapsheet::projection
