#pragma once

// The square sheets of 1:5000 .. 1:500 meeting a CGCS2000 longitude/latitude box or polygons,
// in the system the options choose, as `mapsheet-cli cover --square` finds them
// (projection/area_squares.h decides the system, the usable width and every sheet; the options
// are read by projection/square_system_choice.h). For builds with PROJ.
//
// Legal input: a box that passes engine::boxError, or polygons (each its exterior ring, then its
// holes; each ring an N x 2 float64 array of longitude, latitude) with the box ignored; crs,
// central meridian and zone width as mapsheet-cli takes them, each None when not given; a
// square-sheet scale index. Errors (a bad box, option or scale, an area too wide for the
// system or beyond PROJ, more than max_sheets sheets) raise mapsheet.Error.

#include <pybind11/numpy.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mapsheet::python {

namespace py = pybind11;

using RingArrays = std::vector<py::array_t<double, py::array::c_style | py::array::forcecast>>;

// (numbers as a list of str, rows from the north, each from the west; the system's name as the
// CLI writes it in its crs column; its EPSG code or 0; its PROJ definition)
py::tuple squareCoverOf(double south, double west, double north, double east,
                        const std::vector<RingArrays>& polygons, int scale,
                        const std::optional<std::string>& crs,
                        const std::optional<std::string>& centralMeridian,
                        const std::optional<std::string>& zoneWidth, std::uint64_t maxSheets);

}  // namespace mapsheet::python
