// The sheets of a point (see sheet_checks.h). The first byte picks how the next sixteen are
// read: as two raw doubles (NaN, infinities, subnormals, the poles and beyond), or as two
// lattice lines in units of 1/8 arc-second plus a nudge of up to +-127e-12 degree, which puts
// the points on, just inside and just outside the line tolerance.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "tests/fuzz/sheet_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 17) {
        return 0;
    }
    double latitude = 0;
    double longitude = 0;
    if (data[0] % 2 == 0) {
        std::memcpy(&latitude, data + 1, sizeof latitude);
        std::memcpy(&longitude, data + 9, sizeof longitude);
    } else {
        std::int32_t latitudeUnits = 0;
        std::int32_t longitudeUnits = 0;
        std::int8_t latitudeNudge = 0;
        std::int8_t longitudeNudge = 0;
        std::memcpy(&latitudeUnits, data + 1, sizeof latitudeUnits);
        std::memcpy(&longitudeUnits, data + 5, sizeof longitudeUnits);
        std::memcpy(&latitudeNudge, data + 9, sizeof latitudeNudge);
        std::memcpy(&longitudeNudge, data + 10, sizeof longitudeNudge);
        constexpr std::int32_t kHalfCircle = 180 * mapsheet::engine::kUnitsPerDegree;
        latitude = (latitudeUnits % kHalfCircle) / double(mapsheet::engine::kUnitsPerDegree) +
                   latitudeNudge * 1e-12;
        longitude =
            (longitudeUnits % (2 * kHalfCircle)) / double(mapsheet::engine::kUnitsPerDegree) +
            longitudeNudge * 1e-12;
    }
    mapsheet::fuzz::checkSheetsOfPoint(latitude, longitude);
    return 0;
}
