#pragma once

// Square sheets and graticule sheets side by side: the graticule sheets of a scale that a
// square sheet meets, and the square sheets that a graticule sheet (or any latitude/longitude
// box) meets.
//
// Meeting means sharing interior: the part of one inside the other has an area above a square
// millimetre (projection/square_cover.h), so sheets that only touch along a line do not meet.
// The test is made in the plane of the projector's system, with the graticule sheet's
// parallels and meridians followed within a centimetre (projection/square_outline.h).
//
// Errors (a sheet or box that PROJ cannot project) come back as text.

#include <optional>
#include <string>
#include <vector>

#include "engine/geographic_point.h"
#include "engine/sheet.h"
#include "engine/sheet_cover.h"
#include "engine/square_sheet.h"
#include "projection/gauss_kruger_projector.h"
#include "projection/square_cover.h"

namespace mapsheet::projection {

struct GraticuleSheets {
    std::vector<engine::Sheet> sheets;  // rows from the north, each from the west
    std::string error;
};

GraticuleSheets graticuleSheetsOfSquare(const engine::SquareSheet& square, int graticuleScale,
                                        GaussKrugerProjector& projector);

// The given system, or the 3-degree zone whose central meridian is nearest the middle of the
// box's longitudes.
GaussKrugerSystem systemForBox(const std::optional<GaussKrugerSystem>& given,
                               const engine::LatLonBox& box);

// Empty when the box's west and east edges lie within the system's usable width, else why not
// (gauss_kruger_system.h).
std::string boxWidthError(const GaussKrugerSystem& system, const engine::LatLonBox& box);

// The cover of the box's outline in the projector's plane; nullopt when PROJ cannot project
// it. The box must pass engine::boxError.
std::optional<SquareCover> squaresOfBox(const engine::LatLonBox& box, int squareScale,
                                        GaussKrugerProjector& projector);

// The cover of polygons given in longitude and latitude (each the exterior ring, then the
// holes; edges straight in longitude/latitude), followed in the plane within a centimetre;
// nullopt when PROJ cannot project them.
std::optional<SquareCover> squaresOfPolygons(const std::vector<engine::GeographicPolygon>& polygons,
                                             int squareScale, GaussKrugerProjector& projector);

}  // namespace mapsheet::projection
