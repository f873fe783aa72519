#include "projection/graticule_squares.h"

#include <algorithm>

#include "projection/square_outline.h"

namespace mapsheet::projection {

GraticuleSheets graticuleSheetsOfSquare(const engine::SquareSheet& square, int graticuleScale,
                                        GaussKrugerProjector& projector) {
    GraticuleSheets result;
    const auto outline = geographicOutline(square, projector);
    if (!outline) {
        result.error = "PROJ cannot take the sheet's corners back to latitude and longitude";
        return result;
    }
    // The box around the curved outline holds every graticule sheet the square can meet.
    engine::LatLonBox box{90, 180, -90, -180};
    for (const engine::GeographicPoint& point : *outline) {
        box.south = std::min(box.south, point.latitude);
        box.north = std::max(box.north, point.latitude);
        box.west = std::min(box.west, point.longitude);
        box.east = std::max(box.east, point.longitude);
    }
    if (const std::string error = engine::boxError(box); !error.empty()) {
        result.error = error;
        return result;
    }
    const engine::SquareBounds bounds = engine::squareBounds(square);
    engine::SheetCover candidates(box, graticuleScale);
    while (const std::optional<engine::Sheet> sheet = candidates.next()) {
        const auto ring = planeOutline(engine::degreeBounds(*sheet), projector);
        if (!ring) {
            result.error = "PROJ cannot project the graticule sheets around the square";
            return result;
        }
        if (overlapArea(bounds, *ring) > kMinimumOverlapSquareMetres) {
            result.sheets.push_back(*sheet);
        }
    }
    return result;
}

GaussKrugerSystem systemForBox(const std::optional<GaussKrugerSystem>& given,
                               const engine::LatLonBox& box) {
    return given ? *given : nearestThreeDegreeSystem((box.west + box.east) / 2);
}

std::string boxWidthError(const GaussKrugerSystem& system, const engine::LatLonBox& box) {
    std::string error = usableWidthError(system, box.west);
    return error.empty() ? usableWidthError(system, box.east) : error;
}

std::optional<SquareCover> squaresOfBox(const engine::LatLonBox& box, int squareScale,
                                        GaussKrugerProjector& projector) {
    auto ring = planeOutline({box.south, box.west, box.north, box.east}, projector);
    if (!ring) {
        return std::nullopt;
    }
    return SquareCover(std::move(*ring), squareScale);
}

std::optional<SquareCover> squaresOfPolygons(const std::vector<engine::GeographicPolygon>& polygons,
                                             int squareScale, GaussKrugerProjector& projector) {
    std::vector<PlanePolygon> plane;
    for (const engine::GeographicPolygon& polygon : polygons) {
        PlanePolygon rings;
        for (const std::vector<engine::GeographicPoint>& ring : polygon) {
            auto projected = planeRing(ring, projector);
            if (!projected) {
                return std::nullopt;
            }
            rings.push_back(std::move(*projected));
        }
        plane.push_back(std::move(rings));
    }
    return SquareCover(std::move(plane), squareScale);
}

}  // namespace mapsheet::projection
