#pragma once

// Outlines that cross between the plane and geographic coordinates, densified so that drawing
// them with straight segments stays true to the real line.
//
// A square sheet's sides are straight in the plane and curved in longitude and latitude; a
// graticule sheet's sides are straight in longitude and latitude and curved in the plane. Each
// side is cut into 1, 2, 4, ... equal pieces (by its own parameter) until every piece, drawn
// straight in the target coordinates, lies within the tolerance of the true side at the piece's
// quarter, half and three-quarter points; the deviation is measured in metres in the plane.
// A side that still deviates after 4096 pieces (only beyond any usable zone) is left at that.
//
// Rings are closed (the first vertex repeated at the end) and run counter-clockwise on the map
// (east to the right, north up), as RFC 7946 wants exterior rings: south-west corner, south-east,
// north-east, north-west, south-west.

#include <optional>
#include <vector>

#include "engine/sheet.h"
#include "engine/square_sheet.h"
#include "projection/gauss_kruger_projector.h"

namespace mapsheet::projection {

// A centimetre, the largest gap allowed between a drawn outline and the true one.
inline constexpr double kOutlineToleranceMetres = 0.01;

// The square sheet's outline in longitude and latitude; nullopt when PROJ cannot take a corner
// back (only for planes far beyond any zone).
std::optional<std::vector<engine::GeographicPoint>> geographicOutline(
    const engine::SquareSheet& sheet, GaussKrugerProjector& projector,
    double toleranceMetres = kOutlineToleranceMetres);

// A ring of longitude/latitude vertices (closed or not), each edge straight in longitude and
// latitude, in the plane; the result is closed. nullopt when PROJ cannot project a vertex.
std::optional<std::vector<PlanePoint>> planeRing(const std::vector<engine::GeographicPoint>& ring,
                                                 GaussKrugerProjector& projector,
                                                 double toleranceMetres = kOutlineToleranceMetres);

// A latitude/longitude box's outline in the plane (its parallels and meridians); nullopt when
// PROJ cannot project a vertex.
std::optional<std::vector<PlanePoint>> planeOutline(
    const engine::DegreeBounds& box, GaussKrugerProjector& projector,
    double toleranceMetres = kOutlineToleranceMetres);

}  // namespace mapsheet::projection
