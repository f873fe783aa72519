#include "projection/area_squares.h"

#include <algorithm>
#include <utility>

namespace mapsheet::projection {

SquareArea areaOfPolygons(std::vector<engine::GeographicPolygon> polygons) {
    SquareArea area{{90, 180, -90, -180}, std::move(polygons)};
    for (const engine::GeographicPolygon& polygon : area.polygons) {
        for (const engine::GeographicPoint& point : polygon.front()) {
            area.box.south = std::min(area.box.south, point.latitude);
            area.box.north = std::max(area.box.north, point.latitude);
            area.box.west = std::min(area.box.west, point.longitude);
            area.box.east = std::max(area.box.east, point.longitude);
        }
    }
    return area;
}

std::optional<SquareCover> squaresOfArea(const SquareArea& area, int squareScale,
                                         GaussKrugerProjector& projector, std::string& error) {
    if (const std::string wide = boxWidthError(projector.system(), area.box); !wide.empty()) {
        error = "the area reaches too far: " + wide;
        return std::nullopt;
    }
    std::optional<SquareCover> cover =
        area.polygons.empty() ? squaresOfBox(area.box, squareScale, projector)
                              : squaresOfPolygons(area.polygons, squareScale, projector);
    if (!cover) {
        error = "PROJ cannot project the area into " + systemName(projector.system());
    }
    return cover;
}

}  // namespace mapsheet::projection
