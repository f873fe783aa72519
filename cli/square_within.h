#pragma once

// The polygons of a vector file as longitude/latitude rings, for `cover --square --within`.
//
// The file is read as gis/polygon_file.h reads it for the graticule cover (every layer and
// feature; polygons and multi-polygons, also inside collections, curves after GDAL's linear
// approximation; layers in another CRS transformed to CGCS2000 longitude/latitude), but the
// rings are kept: square sheets are tested in the plane, where the rings are projected.
//
// Errors name the file: GDAL cannot open it, it holds no polygon, a feature cannot be
// transformed, a vertex lies outside -90..90 / -180..180.

#include <optional>
#include <string>
#include <vector>

#include "projection/graticule_squares.h"

namespace mapsheet::cli {

using projection::GeographicPolygon;  // the exterior ring, then the holes

std::optional<std::vector<GeographicPolygon>> readGeographicPolygons(const std::string& path,
                                                                     std::string& error);

}  // namespace mapsheet::cli
