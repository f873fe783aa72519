#pragma once

// The area of a cover: a latitude/longitude box, one sheet of the series, or polygons.
//
// A box is closed and must pass engine::boxError. A sheet's area is its closed bounds. Polygons
// come as AreaPolygons, whose tests decide exactly, on the unit lattice of engine/sheet.h,
// how a sheet's rectangle stands to them (gis::PolygonArea reads them from a file); box holds
// their bounds, widened so that a cover of it holds every sheet that can meet them.

#include <memory>

#include "engine/sheet.h"
#include "engine/sheet_cover.h"

namespace mapsheet::cover {

// Polygons as the covers ask about them. Implementations may keep state between calls (they
// are fastest when rectangles come row by row from the north-west): one thread at a time.
class AreaPolygons {
  public:
    virtual ~AreaPolygons() = default;

    // The closed box of every vertex, slightly widened.
    virtual engine::LatLonBox bounds() const = 0;
    // The open rectangle meets the interior of a polygon.
    virtual bool interiorMeets(const engine::UnitBounds& rectangle) const = 0;
    // The rectangle's centre lies in a closed polygon (its boundary included).
    virtual bool holdsCentre(const engine::UnitBounds& rectangle) const = 0;
    // The closed rectangle lies in one closed polygon.
    virtual bool holdsRectangle(const engine::UnitBounds& rectangle) const = 0;
};

struct CoverArea {
    enum class Kind { Box, Sheet, Polygons };

    static CoverArea ofBox(const engine::LatLonBox& box);
    static CoverArea ofSheet(const engine::Sheet& sheet);
    // polygons must not be null.
    static CoverArea ofPolygons(std::shared_ptr<const AreaPolygons> polygons);

    Kind kind = Kind::Box;
    engine::LatLonBox box;  // the box, the sheet's bounds, or the polygons' bounds
    engine::Sheet sheet;    // Kind::Sheet only
    std::shared_ptr<const AreaPolygons> polygons;  // Kind::Polygons only
};

// Whether the rectangle belongs to a cover of the polygons in the mode: its interior meets
// them (Meets), its centre lies in them (Centre), the whole of it lies in one (Within).
bool polygonsTake(const AreaPolygons& polygons, const engine::UnitBounds& rectangle,
                  engine::CoverMode mode);

}  // namespace mapsheet::cover
