#pragma once

// The four corners of a graticule sheet in CGCS2000 Gauss-Kruger plane coordinates, through
// PROJ's exact Transverse Mercator (projection/gauss_kruger_projector.h).
//
// The system. By default the zone of the sheet's centre: the 6-degree zone for 1:25,000 to
// 1:1,000,000, the 3-degree zone for 1:10,000 and larger. The caller may name a zone number
// instead (of the same width: 1..60, central meridian 6 x zone - 3; or 1..120, central meridian
// 3 x zone; meridians beyond 180E read as west longitudes) or any central meridian. x is the
// northing, y the easting with the 500 km false easting and no zone number in front.
//
// Errors. A zone number outside its range, a central meridian outside -180..180, or a system
// whose usable width (gauss_kruger_system.h) does not reach both edges of the sheet: the
// sheet is not drawn in that zone. cornerZoneError says why; sheetCorners then gives nullopt.
//
// Each call builds its own projector: safe from several threads, tens of microseconds a call.

#include <optional>
#include <string>

#include "engine/sheet.h"
#include "projection/gauss_kruger_projector.h"

namespace mapsheet::projection {

struct CornerZone {
    enum class Kind { OfSheet, Zone, CentralMeridian };
    Kind kind = Kind::OfSheet;
    int zone = 0;                // Kind::Zone
    double centralMeridian = 0;  // Kind::CentralMeridian, degrees east
};

struct SheetCorners {
    int zone = 0;  // the zone number of the central meridian; 0 for a meridian of no zone
    double centralMeridian = 0;
    int zoneWidth = 6;
    PlanePoint sw, se, ne, nw;
};

// 6 for 1:25,000 to 1:1,000,000 (scale indices 0..6), 3 for 1:10,000 and larger.
int cornerZoneWidth(int scale) noexcept;

// Empty when the sheet (which must pass engine::isValid) can be drawn in the chosen zone, else
// why not: "zone 61 is outside the 6-degree zones 1..60", or the usable-width reason of the
// edge farther from the central meridian.
std::string cornerZoneError(const engine::Sheet& sheet, const CornerZone& choice);

// nullopt when cornerZoneError is not empty or PROJ refuses a corner.
std::optional<SheetCorners> sheetCorners(const engine::Sheet& sheet, const CornerZone& choice);

}  // namespace mapsheet::projection
