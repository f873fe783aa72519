#pragma once

// A point of the earth in CGCS2000 geographic coordinates, and polygons of such points: the one
// point type that gis/ (polygons read from a file, features written) and projection/ (the
// Gauss-Kruger plane) hand to each other and to the front ends.
//
// A plain value in decimal degrees, latitude first as everywhere in the engine; nothing is
// checked here: each function that takes a point or a polygon says which it accepts.

#include <vector>

namespace mapsheet::engine {

struct GeographicPoint {
    double latitude = 0;   // degrees, north positive
    double longitude = 0;  // degrees, east positive

    friend bool operator==(const GeographicPoint&, const GeographicPoint&) = default;
};

// A ring of vertices in order; whether the first vertex is repeated at the end is up to its
// source.
using GeographicRing = std::vector<GeographicPoint>;
// The exterior ring, then the holes.
using GeographicPolygon = std::vector<GeographicRing>;

}  // namespace mapsheet::engine
