#pragma once

// Polygons in latitude and longitude, and the exact test whether a sheet's interior meets them.
//
// Each vertex is placed on the unit lattice by the line rule of engine/sheet.h (a coordinate
// within 1e-10 degree of a whole 1/8 arc-second is taken as on it) and is then held as a fixed-
// point integer of 2^-32 unit, which represents every double of the series' range exactly.
// Sheet edges are whole units, so every decision below is integer arithmetic and exact: a
// polygon whose edge runs along a sheet line does not make the sheet beyond that line meet it.
//
// The three tests of cover::AreaPolygons (cover/cover_area.h): interiorMeets(rectangle) is true
// when the open rectangle and the interior of at least one polygon have a point in common, so a
// sheet that only touches a polygon's boundary (an edge or a vertex) does not meet it;
// holdsCentre when the rectangle's centre lies in a closed polygon (its boundary included);
// holdsRectangle when the closed rectangle lies in one closed polygon. Polygons are taken as valid
// simple polygons (exterior ring first, holes after; ring orientation does not matter, closing
// vertices may repeat); a polygon's interior is decided by the even-odd rule over its rings.
// Several polygons are a union: a sheet meets the area when it meets any one of them.
//
// The tests are fastest when the rectangles come row by row (the order of engine::SheetCover):
// the edges crossing the current row are kept between calls. Not safe for concurrent calls.

#include <cstdint>
#include <string>
#include <vector>

#include "cover/cover_area.h"
#include "engine/geographic_point.h"
#include "engine/sheet.h"
#include "engine/sheet_cover.h"

namespace mapsheet::gis {

// Empty when every vertex is finite, its latitude within -90..90 and its longitude within
// -180..180; else the first vertex that is not: "vertex (200.000000, 10.000000) is not a
// longitude in -180..180 and a latitude in -90..90".
std::string polygonRangeError(const engine::GeographicPolygon& polygon);

class PolygonArea final : public cover::AreaPolygons {
  public:
    // Adds one polygon. False with error set when polygonRangeError finds a vertex out of
    // range; rings of fewer than three distinct vertices add nothing.
    bool add(const engine::GeographicPolygon& polygon, std::string& error);

    std::size_t polygonCount() const { return polygonCount_; }
    // The polygons that added a ring, as they were given, for callers that follow the rings
    // in another plane.
    const std::vector<engine::GeographicPolygon>& polygons() const { return polygons_; }

    // The closed box of all vertices, widened by 1e-9 degree (within -90..90, -180..180) so
    // that a cover of it holds every sheet that can meet the area. Only when polygonCount() > 0.
    engine::LatLonBox bounds() const override;

    bool interiorMeets(const engine::UnitBounds& rectangle) const override;
    bool holdsCentre(const engine::UnitBounds& rectangle) const override;
    bool holdsRectangle(const engine::UnitBounds& rectangle) const override;

  private:
    struct Point {
        std::int64_t x;
        std::int64_t y;
    };
    struct Edge {
        Point a;
        Point b;
        std::int64_t minX, maxX, minY, maxY;
        std::size_t polygon;
    };
    // A rectangle in steps, its row selected.
    struct Strip {
        std::int64_t x0, y0, x1, y1;
    };
    Strip strip(const engine::UnitBounds& rectangle) const;
    void selectRow(std::int64_t south, std::int64_t north) const;
    // Sets crossed_ for each polygon whose boundary enters the open strip; true when one does.
    bool markBoundaryInside(const Strip& strip) const;
    // Flips parity_ of each polygon for each of its edges crossing the point's parallel west of
    // it: a polygon left odd holds the point (when the point is on no edge).
    void markParity(std::int64_t x, std::int64_t y) const;
    // Whether a polygon of the row satisfies holds(parity, crossed); clears both marks.
    bool clearMarks(bool (*holds)(unsigned char parity, unsigned char crossed)) const;

    std::vector<engine::GeographicPolygon> polygons_;
    std::vector<Edge> edges_;
    std::size_t polygonCount_ = 0;
    Point low_{INT64_MAX, INT64_MAX};
    Point high_{INT64_MIN, INT64_MIN};

    // The edges meeting the open strip of the last row asked for, sorted by minX.
    mutable std::vector<const Edge*> rowEdges_;
    mutable std::int64_t rowSouth_ = 0;
    mutable std::int64_t rowNorth_ = 0;
    mutable bool rowValid_ = false;
    mutable std::vector<unsigned char> parity_;
    mutable std::vector<unsigned char> crossed_;
};

}  // namespace mapsheet::gis
