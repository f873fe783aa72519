#include "python/src/array_io.h"

#include <cstring>

#include "library/code_points.h"

namespace mapsheet::python {

StridedLayout layoutOf(const py::array& array) {
    StridedLayout layout;
    layout.data = static_cast<const char*>(array.data());
    for (py::ssize_t k = 0; k < array.ndim(); ++k) {
        layout.shape.push_back(array.shape(k));
        layout.strides.push_back(array.strides(k));
    }
    return layout;
}

std::vector<py::ssize_t> shapeOf(const py::array& array) {
    return {array.shape(), array.shape() + array.ndim()};
}

py::array newTextArray(const std::vector<py::ssize_t>& shape, std::size_t width) {
    const py::dtype type("<U" + std::to_string(width));
    return py::array(type, shape);
}

std::string textItemAsUtf8(const char* item, std::size_t width) {
    std::u32string codePoints(width, U'\0');
    std::memcpy(codePoints.data(), item, width * sizeof(char32_t));
    while (!codePoints.empty() && codePoints.back() == U'\0') {
        codePoints.pop_back();
    }
    return text::encodeUtf8(codePoints);
}

}  // namespace mapsheet::python
