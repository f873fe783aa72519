#pragma once

// The square sheets of one scale whose interior meets the interior of an area in the plane,
// produced one at a time without holding the list.
//
// The area is a union of polygons, each an exterior ring followed by its holes; rings are
// closed or open lists of plane points (x north, y east, metres), in either direction, not
// crossing themselves, holes inside their exterior. A ring from projection/square_outline.h
// follows curved sides within a centimetre. A sheet belongs to the cover when the part of some
// polygon inside it (its exterior's part less its holes' parts) has an area above a square
// millimetre, so a sheet that only touches the area along an edge or at a corner is not in it.
// Before the test, coordinates within kSquareLineToleranceMetres of a sheet line are put on it:
// the central meridian (y = 500 km) and the equator (x = 0) are sheet lines, and a graticule
// sheet bounded by them must not reach across them by a rounding error.
//
// Order: rows of sheets from the north, each row from the west.

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/square_sheet.h"
#include "projection/gauss_kruger_projector.h"

namespace mapsheet::projection {

inline constexpr double kMinimumOverlapSquareMetres = 1e-6;

using PlaneRing = std::vector<PlanePoint>;
using PlanePolygon = std::vector<PlaneRing>;  // the exterior ring, then the holes

class SquareCover {
  public:
    // scale: 8..11. Rings of fewer than three distinct points count for nothing.
    SquareCover(std::vector<PlanePolygon> polygons, int scale);
    SquareCover(PlaneRing ring, int scale)
        : SquareCover(std::vector<PlanePolygon>(1, PlanePolygon(1, std::move(ring))), scale) {}

    std::optional<engine::SquareSheet> next();

  private:
    bool startRow();
    bool meets(const engine::SquareBounds& bounds) const;

    std::vector<PlanePolygon> polygons_;
    int scale_;
    std::int64_t size_;
    std::int64_t row_ = 0;            // south edge of the current row, in sizes
    std::int64_t lastRow_ = -1;       // of the southernmost row
    std::vector<PlanePolygon> band_;  // the polygons clipped to the current row
    std::int64_t column_ = 0;
    std::int64_t lastColumn_ = -1;
};

// The area of the part of the ring inside the bounds, in square metres.
double overlapArea(const engine::SquareBounds& bounds, const PlaneRing& ring);

}  // namespace mapsheet::projection
