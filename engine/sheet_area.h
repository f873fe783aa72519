#pragma once

// The area of a sheet on the CGCS2000 ellipsoid (a = 6378137 m, f = 1/298.257222101), the
// theoretical area of land surveys, a function of the sheet alone.
//
// Closed form: the ellipsoidal zone between the sheet's two parallels, a^2 / 2 * (q(north) -
// q(south)) per radian of longitude, with q the authalic function
// q(phi) = (1 - e^2) (sin phi / (1 - e^2 sin^2 phi) + atanh(e sin phi) / e), times the sheet's
// exact longitude width. Double precision throughout: relative error near 1e-14, far below
// the square millimetre at every scale. Pure, no allocation.

#include "engine/sheet.h"

namespace mapsheet::engine {

// Square metres; 0 for a sheet that fails isValid.
double sheetArea(const Sheet& sheet) noexcept;

}  // namespace mapsheet::engine
