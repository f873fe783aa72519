#include "tests/postgres/test_points.h"

#include <cstdio>
#include <optional>
#include <random>

#include "engine/sheet.h"

namespace mapsheet::postgres_test {

namespace {

std::string written(double degrees, int decimals) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, degrees);
    return buffer;
}

}  // namespace

std::vector<PointText> samplePoints(int scale, std::size_t count, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> latitude(-89.0, 89.0);
    std::uniform_real_distribution<double> longitude(-181.0, 181.0);
    std::uniform_int_distribution<int> choice(0, 2);
    // Offsets around a line: inside the 1e-10 degree tolerance and just outside it.
    constexpr double kOffsets[] = {-3e-10, -5e-11, 5e-11, 3e-10};

    std::vector<PointText> points;
    for (const double edgeLatitude : {88.0, -88.0, 87.999999, 76.0, -76.0, 60.0, -60.0, 0.0}) {
        for (const double edgeLongitude : {-180.0, 180.0, 179.999999, 0.0, -0.0}) {
            points.push_back({written(edgeLatitude, 6), written(edgeLongitude, 6)});
        }
    }
    while (points.size() < count) {
        const double lat = latitude(random);
        const double lon = longitude(random);
        const std::optional<engine::Sheet> sheet = engine::sheetOf(lat, lon, scale);
        const int kind = choice(random);
        if (kind == 0 || !sheet) {
            points.push_back({written(lat, 7), written(lon, 7)});
            continue;
        }
        const engine::UnitBounds bounds = engine::unitBounds(*sheet);
        const double south = bounds.south / double(engine::kUnitsPerDegree);
        const double west = bounds.west / double(engine::kUnitsPerDegree);
        const double offset = kind == 1 ? 0.0 : kOffsets[random() % 4];
        switch (random() % 3) {
            case 0:
                points.push_back({written(south + offset, 12), written(lon, 7)});
                break;
            case 1:
                points.push_back({written(lat, 7), written(west + offset, 12)});
                break;
            default:
                points.push_back({written(south + offset, 12), written(west - offset, 12)});
                break;
        }
    }
    return points;
}

}  // namespace mapsheet::postgres_test
