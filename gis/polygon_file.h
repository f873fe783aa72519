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
// cannot be transformed or lies outside -90..90 / -180..180 after the transformation.

#include <optional>
#include <string>

#include "gis/polygon_area.h"

namespace mapsheet::gis {

std::optional<PolygonArea> readPolygonFile(const std::string& path, std::string& error);

}  // namespace mapsheet::gis
