#pragma once

// The polygons of a vector file as longitude/latitude rings, for `cover --square --within`.
//
// The file is read by gis::readPolygons (gis/polygon_file.h: which geometries count, the
// transformation to CGCS2000 longitude/latitude, the errors), and the rings are kept as read:
// square sheets are tested in the plane, where the rings are projected.

#include <optional>
#include <string>
#include <vector>

#include "projection/graticule_squares.h"

namespace mapsheet::cli {

using projection::GeographicPolygon;  // the exterior ring, then the holes

std::optional<std::vector<GeographicPolygon>> readGeographicPolygons(const std::string& path,
                                                                     std::string& error);

}  // namespace mapsheet::cli
