#pragma once

// Which side of a sheet line a point belongs to.
//
// Sheet corners and edges are multiples of stored 15-digit constants (0.166666666666667 degree
// and the like) or of fractions that a double cannot hold exactly, and the remainders behind the
// new-standard codes are taken on the 15-digit text of a double; so a point typed exactly on a
// line can land a few units in the last place on either side of it. Every decision about a
// line therefore treats a point within kLineToleranceDegrees of the line as on it:
//  - floorOnGrid takes a quotient position / cell size that lies within the tolerance
//    (expressed in cells) of an integer as that integer before the floor;
//  - isSouthern takes a latitude within the tolerance of the equator as on the equator, which
//    belongs to the northern row A;
//  - onLineOrBeyond and strictlyBeyondLine compare a position with a line computed from the
//    stored constants, the first giving a point on the line to the far side, the second to the
//    near side.
// The tolerance is far below the hundredth of a second (2.8e-6 degree) that the windows resolve
// and far above the rounding error of the constants (below 1e-12 degree over a whole
// 1:1,000,000 sheet), so a point 1e-8 degree or more from every line is never moved.

#include <cmath>

namespace mapsheet::engine {

inline constexpr double kLineToleranceDegrees = 1e-10;

// floor(position / cellSize), with a position within the tolerance of a line taken as on it.
// cellSize > 0 in degrees; the result is a whole number held in a double (infinite or NaN when
// the position is). Inline and free of library calls on the common path: it runs a dozen
// times for every point numbered.
inline double floorOnGrid(double position, double cellSize) {
    const double cells = position / cellSize;
    if (!(std::fabs(cells) < 1e15)) {
        return std::floor(cells);  // beyond any sheet, infinite or NaN
    }
    const double truncated = static_cast<double>(static_cast<long long>(cells));
    const double below = truncated > cells ? truncated - 1 : truncated;
    const double nearestLine = cells - below < 0.5 ? below : below + 1;
    if (std::fabs(cells - nearestLine) <= kLineToleranceDegrees / cellSize) {
        return nearestLine;
    }
    return below;
}

// Whether a latitude lies south of the equator by more than the tolerance.
inline bool isSouthern(double latitude) {
    return latitude < -kLineToleranceDegrees;
}

// Whether a position lies on a line or beyond it in the increasing direction: a point on a
// meridian belongs to the east side, a northern point on a parallel to the north side.
inline bool onLineOrBeyond(double position, double line) {
    return position >= line - kLineToleranceDegrees;
}

// Whether a position lies beyond a line in the increasing direction, a point on the line not
// counting: a southern point on a parallel belongs to the south side.
inline bool strictlyBeyondLine(double position, double line) {
    return position > line + kLineToleranceDegrees;
}

}  // namespace mapsheet::engine
