#pragma once

// Reading the polygons of a vector file: any format GDAL opens (GeoJSON, Shapefile, GeoPackage,
// KML, FlatGeobuf, ...), every layer, every feature.
//
// Polygons and multi-polygons are taken, curved ones after GDAL's linear approximation, also
// from inside geometry collections; points and lines are skipped. A layer that carries a CRS
// other than CGCS2000 geographic (EPSG:4490) is transformed to it with PROJ (for WGS 84 that is
// the identity within PROJ's ballpark); a layer without a CRS is taken as longitude/latitude
// already.
//
// Errors, as text naming the file: GDAL cannot open it, it holds no polygon, a coordinate
// cannot be transformed or lies outside -90..90 / -180..180 after the transformation
// (gis::polygonRangeError).

#include <optional>
#include <string>
#include <vector>

#include "gis/polygon_area.h"

namespace mapsheet::gis {

// The polygons as an area for the exact sheet test. A file whose every ring has fewer than
// three distinct vertices holds no polygon.
std::optional<PolygonArea> readPolygonFile(const std::string& path, std::string& error);

// The polygons as they were read, in file order, for callers that follow the rings themselves
// (in another plane): every ring with its vertices as read, the closing vertex kept; polygons
// without a ring are left out.
std::optional<std::vector<engine::GeographicPolygon>> readPolygons(const std::string& path,
                                                                   std::string& error);

}  // namespace mapsheet::gis
