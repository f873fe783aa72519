#pragma once

// Which side of a sheet line a point belongs to.
//
// Sheet corners and edges are multiples of stored 15-digit constants (0.166666666666667 degree
// and the like) or of fractions that a double cannot hold exactly, so a point typed exactly on
// a line can land a few units in the last place on either side of it. Every decision about a
// line therefore goes through floorOnGrid: a quotient position / cell size that lies within
// kLineToleranceDegrees (expressed in cells) of an integer is taken as that integer before the
// floor. The tolerance is far below the hundredth of a second (2.8e-6 degree) that the windows
// resolve and far above the rounding error of the constants, so a point 1e-8 degree or more
// from every line is never moved.

#include <cmath>

namespace mapsheet::engine {

inline constexpr double kLineToleranceDegrees = 1e-10;

// floor(position / cellSize), with a position within the tolerance of a line taken as on it.
double floorOnGrid(double position, double cellSize);

}  // namespace mapsheet::engine
