#include "cover/cover_area.h"

#include <utility>

namespace mapsheet::cover {

CoverArea CoverArea::ofBox(const engine::LatLonBox& box) {
    return {Kind::Box, box, {}, nullptr};
}

CoverArea CoverArea::ofSheet(const engine::Sheet& sheet) {
    const engine::DegreeBounds bounds = engine::degreeBounds(sheet);
    return {Kind::Sheet, {bounds.south, bounds.west, bounds.north, bounds.east}, sheet, nullptr};
}

CoverArea CoverArea::ofPolygons(std::shared_ptr<const AreaPolygons> polygons) {
    const engine::LatLonBox box = polygons->bounds();
    return {Kind::Polygons, box, {}, std::move(polygons)};
}

bool polygonsTake(const AreaPolygons& polygons, const engine::UnitBounds& rectangle,
                  engine::CoverMode mode) {
    switch (mode) {
        case engine::CoverMode::Centre:
            return polygons.holdsCentre(rectangle);
        case engine::CoverMode::Within:
            return polygons.holdsRectangle(rectangle);
        case engine::CoverMode::Meets:
            break;
    }
    return polygons.interiorMeets(rectangle);
}

}  // namespace mapsheet::cover
