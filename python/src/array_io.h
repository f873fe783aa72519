#pragma once

// The NumPy arrays the module reads and writes: float64 coordinate arrays of any layout, and
// fixed-width str arrays (UCS-4 code points, shorter texts padded with NUL).
//
// Contract: every function here takes the GIL as held, except where it says otherwise; the
// layouts it returns stay valid while the arrays they came from live.

#include <pybind11/numpy.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "python/src/strided_walk.h"

namespace mapsheet::python {

namespace py = pybind11;

// The layout of an array (any strides, any number of dimensions).
StridedLayout layoutOf(const py::array& array);

std::vector<py::ssize_t> shapeOf(const py::array& array);

// A C-contiguous str array of the shape whose items hold width code points.
py::array newTextArray(const std::vector<py::ssize_t>& shape, std::size_t width);

// Writes an ASCII text into the item at out (width code points), padding with NUL; the text must
// fit (callers size the width from the longest text the engine writes). No GIL needed.
inline void writeAsciiItem(char32_t* out, std::size_t width, std::string_view text) noexcept {
    std::size_t i = 0;
    for (; i < text.size() && i < width; ++i) {
        out[i] = static_cast<unsigned char>(text[i]);
    }
    for (; i < width; ++i) {
        out[i] = 0;
    }
}

// One item of a str array as UTF-8 (the NUL padding of NumPy's fixed width removed).
std::string textItemAsUtf8(const char* item, std::size_t width);

}  // namespace mapsheet::python
