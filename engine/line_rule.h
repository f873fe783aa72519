#pragma once

// How close to a sheet line a point must lie to count as on it.
//
// Coordinates arrive as doubles read from typed text, so a point typed exactly on a line (a
// corner such as 39°50′00″, or 39.833333333333) can land a few units in the last place on either
// side of it. The sheet core (sheet.h) therefore takes a coordinate within this distance of a
// whole 1/8 arc-second as on that lattice line, and every sheet line is such a line.
//
// The tolerance is far below the hundredth of a second (2.8e-6 degree) that the windows resolve
// and far above the rounding error of a double near 180 degrees (3e-14 degree), so a point
// 1e-9 degree or more from every line is never moved.

namespace mapsheet::engine {

inline constexpr double kLineToleranceDegrees = 1e-10;

}  // namespace mapsheet::engine
