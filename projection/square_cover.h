#pragma once

// The square sheets of one scale whose interior meets the interior of a polygon in the plane,
// produced one at a time without holding the list.
//
// The polygon is one closed ring of plane points (x north, y east, metres), in either direction,
// not crossing itself; a ring from projection/square_outline.h follows curved sides within a
// centimetre. A sheet belongs to the cover when the part of the polygon inside it has an area
// above a square millimetre, so a sheet that only touches the polygon along its edge or at a
// corner is not in it. Before the test, ring coordinates within kSquareLineToleranceMetres of a
// sheet line are put on it: the central meridian (y = 500 km) and the equator (x = 0) are sheet
// lines, and a graticule sheet bounded by them must not reach across them by a rounding error.
//
// Order: rows of sheets from the north, each row from the west.

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/square_sheet.h"
#include "projection/gauss_kruger_projector.h"

namespace mapsheet::projection {

inline constexpr double kMinimumOverlapSquareMetres = 1e-6;

class SquareCover {
  public:
    // scale: 8..11. A ring of fewer than three distinct points covers nothing.
    SquareCover(std::vector<PlanePoint> ring, int scale);

    std::optional<engine::SquareSheet> next();

  private:
    bool startRow();

    std::vector<PlanePoint> ring_;
    int scale_;
    std::int64_t size_;
    std::int64_t row_ = 0;          // south edge of the current row, in sizes
    std::int64_t lastRow_ = -1;     // of the southernmost row
    std::vector<PlanePoint> band_;  // the ring clipped to the current row
    std::int64_t column_ = 0;
    std::int64_t lastColumn_ = -1;
};

// The area of the part of the ring inside the bounds, in square metres.
double overlapArea(const engine::SquareBounds& bounds, const std::vector<PlanePoint>& ring);

}  // namespace mapsheet::projection
