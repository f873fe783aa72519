#pragma once

// The sheet of every point of two coordinate arrays, written as numbers (either numbering) or
// as sheet ids, with the work split over threads and the GIL released.
//
// Legal input: two float64 arrays of one shape (the Python layer broadcasts them), any strides;
// a scale index 0..11. A point without a sheet (engine/sheet.h: NaN, infinite, |lat| >= 88, a
// longitude outside -180..180) gives an empty text, or id 0, and is counted, never guessed. The
// result is C-contiguous and has the inputs' shape.

#include <pybind11/numpy.h>

#include <cstdint>

namespace mapsheet::python {

namespace py = pybind11;

enum class PointOutput { NewNumber, OldNumber, SheetId };

struct PointResult {
    py::array values;
    std::int64_t firstMissing = -1;  // flat index of the first point without a sheet, or -1
};

// Numbers as a str array, ids (engine/sheet_id.h) as an int64 array. The old numbering at
// 1:2000 and finer, which has no pre-1992 numbers, raises mapsheet.Error.
PointResult numberPoints(const py::array_t<double>& latitudes,
                         const py::array_t<double>& longitudes, int scale, PointOutput output,
                         int threads);

}  // namespace mapsheet::python
