#include "python/src/square_numbers.h"

#include <pybind11/stl.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "engine/scale_names.h"
#include "engine/square_sheet.h"
#include "python/src/array_io.h"
#include "python/src/module_error.h"

namespace mapsheet::python {

namespace {

// "-999999.75-999999.75": two signed kilometre values below 1e6 km with two decimals.
constexpr std::size_t kSquareNumberWidth = 24;

}  // namespace

void requireSquareScale(int scale) {
    if (!engine::hasSquareSheets(scale)) {
        throw ModuleError(engine::scaleRatioText(scale) +
                          " has no square sheets (only 1:5000, 1:2000, 1:1000 and 1:500 have)");
    }
}

py::tuple squareNumbers(const py::array_t<double>& x, const py::array_t<double>& y, int scale) {
    requireSquareScale(scale);
    const StridedLayout north = layoutOf(x);
    const StridedLayout east = layoutOf(y);
    py::array numbers = newTextArray(shapeOf(x), kSquareNumberWidth);
    auto* out = static_cast<char32_t*>(numbers.mutable_data());
    std::int64_t firstMissing = -1;
    StridedWalk xs(north, 0);
    StridedWalk ys(east, 0);
    for (py::ssize_t i = 0; i < x.size(); ++i, xs.advance(), ys.advance()) {
        const auto sheet =
            engine::squareSheetOf(*reinterpret_cast<const double*>(xs.pointer()),
                                  *reinterpret_cast<const double*>(ys.pointer()), scale);
        const std::string text = sheet ? engine::squareNumber(*sheet) : std::string();
        if (!sheet && firstMissing < 0) {
            firstMissing = i;
        }
        writeAsciiItem(out + i * kSquareNumberWidth, kSquareNumberWidth, text);
    }
    return py::make_tuple(numbers, firstMissing);
}

py::tuple squareBoundsOf(const std::vector<std::string>& numbers, int scale) {
    requireSquareScale(scale);
    const auto count = static_cast<py::ssize_t>(numbers.size());
    std::array<py::array_t<double>, 4> edges{py::array_t<double>(count), py::array_t<double>(count),
                                             py::array_t<double>(count),
                                             py::array_t<double>(count)};
    std::int64_t firstBad = -1;
    std::string firstError;
    for (py::ssize_t i = 0; i < count; ++i) {
        const engine::ParsedSquareSheet parsed = engine::parseSquareNumber(numbers[i], scale);
        engine::SquareBounds b{};
        if (parsed.sheet) {
            b = engine::squareBounds(*parsed.sheet);
        } else if (firstBad < 0) {
            firstBad = i;
            firstError = engine::describeInputError(parsed.error);
        }
        const std::array<double, 4> values{
            static_cast<double>(b.south), static_cast<double>(b.west), static_cast<double>(b.north),
            static_cast<double>(b.east)};
        for (std::size_t k = 0; k < 4; ++k) {
            edges[k].mutable_data()[i] = parsed.sheet ? values[k] : NAN;
        }
    }
    return py::make_tuple(edges[0], edges[1], edges[2], edges[3], firstBad, firstError);
}

}  // namespace mapsheet::python
