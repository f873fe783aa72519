#pragma once

// The square sheets of 1:5000 .. 1:500 for arrays of Gauss-Kruger plane coordinates, and the
// bounds of square-sheet numbers (engine/square_sheet.h decides every line and every text).
//
// Legal input: x (northing) and y (easting) float64 arrays of one shape, metres as the
// coordinate system writes them; a scale index with square sheets (else mapsheet.Error). A point
// without a sheet (NaN, infinite, beyond 1e9 m) gives an empty text.

#include <pybind11/numpy.h>

#include <string>
#include <vector>

namespace mapsheet::python {

namespace py = pybind11;

// Raises mapsheet.Error unless the scale index has square sheets.
void requireSquareScale(int scale);

// (numbers, first index without a sheet or -1)
py::tuple squareNumbers(const py::array_t<double>& x, const py::array_t<double>& y, int scale);

// (south, west, north, east as float64 metres with NaN on bad rows, first bad row or -1, its
// error text) for a sequence of str.
py::tuple squareBoundsOf(const std::vector<std::string>& numbers, int scale);

}  // namespace mapsheet::python
