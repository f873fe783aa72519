// Built only with GDAL and PROJ: polygons of a vector file for the square-sheet cover.
#if defined(MAPSHEET_HAVE_GDAL) && defined(MAPSHEET_HAVE_PROJ)

#include "cli/square_within.h"

#include "gis/polygon_file.h"

namespace mapsheet::cli {

std::optional<std::vector<GeographicPolygon>> readGeographicPolygons(const std::string& path,
                                                                     std::string& error) {
    const std::optional<std::vector<gis::Polygon>> read = gis::readPolygons(path, error);
    if (!read) {
        return std::nullopt;
    }
    std::vector<GeographicPolygon> polygons;
    polygons.reserve(read->size());
    for (const gis::Polygon& polygon : *read) {
        GeographicPolygon& rings = polygons.emplace_back();
        for (const gis::Ring& ring : polygon) {
            std::vector<projection::GeographicPoint>& points = rings.emplace_back();
            points.reserve(ring.size());
            for (const gis::LonLat& point : ring) {
                points.push_back({point.latitude, point.longitude});
            }
        }
    }
    return polygons;
}

}  // namespace mapsheet::cli

#endif  // MAPSHEET_HAVE_GDAL && MAPSHEET_HAVE_PROJ
