#pragma once

// Random points in China for the benchmarks: latitudes 18..53.5, longitudes 73.5..135, drawn
// from a fixed seed so that every run and every benchmark sees the same points.

#include <cstddef>
#include <random>
#include <vector>

#include "engine/geographic_point.h"

namespace mapsheet::bench {

inline std::vector<engine::GeographicPoint> randomPointsInChina(std::size_t count) {
    std::mt19937_64 random(1);
    std::uniform_real_distribution<double> latitudes(18.0, 53.5);
    std::uniform_real_distribution<double> longitudes(73.5, 135.0);
    std::vector<engine::GeographicPoint> points(count);
    for (engine::GeographicPoint& point : points) {
        point.latitude = latitudes(random);
        point.longitude = longitudes(random);
    }
    return points;
}

}  // namespace mapsheet::bench
