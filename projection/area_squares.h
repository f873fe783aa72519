#pragma once

// The square sheets of one scale meeting an area given in CGCS2000 longitude/latitude, as
// `mapsheet-cli cover --square` and the Python module's square_cover find them: a box (its
// parallels and meridians followed in the plane), or polygons with edges straight in
// longitude/latitude, in the system given or else the 3-degree zone nearest the middle of the
// area's box (graticule_squares.h systemForBox).
//
// Errors, as text: an area whose box reaches beyond the system's usable width ("the area reaches
// too far: ..."), or that PROJ cannot project.

#include <optional>
#include <string>
#include <vector>

#include "engine/geographic_point.h"
#include "engine/sheet_cover.h"
#include "projection/graticule_squares.h"

namespace mapsheet::projection {

struct SquareArea {
    engine::LatLonBox box;  // the box itself, or the box around the polygons
    std::vector<engine::GeographicPolygon> polygons;  // empty for a box
};

// The area of polygons (each the exterior ring, then the holes), its box around the exterior
// rings.
SquareArea areaOfPolygons(std::vector<engine::GeographicPolygon> polygons);

// The cover in the projector's system (made by the caller from systemForBox, as it also writes
// the sheets in it); nullopt with error set on a fault.
std::optional<SquareCover> squaresOfArea(const SquareArea& area, int squareScale,
                                         GaussKrugerProjector& projector, std::string& error);

}  // namespace mapsheet::projection
