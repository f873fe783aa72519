#pragma once

// The Gauss-Kruger corners of an array of sheets (projection/sheet_corners.h decides the zone
// and projects), for builds with PROJ.
//
// zone 0 and no central meridian: each sheet's own zone; a zone number: that zone (of the width
// the sheet's scale uses); a central meridian: that meridian. A sheet that cannot be drawn in
// the chosen zone is an invalid row with the projection's reason.

#include <pybind11/pybind11.h>

#include <optional>

#include "python/src/sheet_array.h"

namespace mapsheet::python {

namespace py = pybind11;

// (zone int32, central meridian, then sw_x, sw_y, se_x, se_y, ne_x, ne_y, nw_x, nw_y float64
// arrays; validity; first bad row or -1; its reason)
py::tuple cornersOf(const SheetArray& sheets, int zone, std::optional<double> centralMeridian);

}  // namespace mapsheet::python
