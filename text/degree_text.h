#pragma once

// Decimal degrees of points on the half-unit lattice (1/16 arc-second) as text: every sheet
// edge and every sheet centre lies on it.
//
// The text is the exact value rounded to 12 decimals (engine::picodegreesOfHalfUnits, never a
// tie), without trailing zeros or a trailing point, "-" before a negative value and never "-0":
// 39.979166666667, 117.5, 40, -0.5. It equals the shortest text of engine::degreeBounds'
// doubles for the same edges.

#include <cstdint>
#include <string>

namespace mapsheet::text {

void appendHalfUnitDegrees(std::string& text, std::int64_t halfUnits);

}  // namespace mapsheet::text
