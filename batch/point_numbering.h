#pragma once

// The sheet of a point given as two coordinate texts, and the error text of a point that has
// none. Pure and safe to call from several threads at once (cli/coordinate_text.h,
// engine/sheet.h).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/sheet.h"
#include "text/coordinate_text.h"

namespace mapsheet::cli {

enum class PointFault : std::uint8_t {
    None,
    Latitude,   // the latitude text is no angle
    Longitude,  // the longitude text is no angle
    NoSheet,    // the point lies outside the series
};

struct PointNumbering {
    std::optional<engine::Sheet> sheet;  // set exactly when fault is None
    PointFault fault = PointFault::None;
    CoordinateFault coordinate = CoordinateFault::None;  // why the text is no angle
    double latitude = 0;  // the degrees read, when both texts are angles
    double longitude = 0;
};

// The same written into result field by field, for a batch, which numbers every row: a
// returned whole would pass through memory in pieces and be read back at once, which stalls.
inline void numberPoint(std::string_view latitude, std::string_view longitude, int scale,
                        PointNumbering& result) noexcept {
    result.sheet = std::nullopt;
    result.latitude = 0;
    result.longitude = 0;
    const CoordinateReading north = readCoordinate(latitude);
    if (north.fault != CoordinateFault::None) {
        result.fault = PointFault::Latitude;
        result.coordinate = north.fault;
        return;
    }
    const CoordinateReading east = readCoordinate(longitude);
    if (east.fault != CoordinateFault::None) {
        result.fault = PointFault::Longitude;
        result.coordinate = east.fault;
        return;
    }
    if (!engine::findSheet(north.degrees, east.degrees, scale, result.sheet.emplace())) {
        result.sheet.reset();
    }
    result.fault = result.sheet ? PointFault::None : PointFault::NoSheet;
    result.coordinate = CoordinateFault::None;
    result.latitude = north.degrees;
    result.longitude = east.degrees;
}

inline PointNumbering numberPoint(std::string_view latitude, std::string_view longitude,
                                  int scale) noexcept {
    PointNumbering result;
    numberPoint(latitude, longitude, scale, result);
    return result;
}

// Appends why the point has no sheet: `latitude "north": expected decimal degrees ...` (the
// text cut to its first 40 characters) or `no sheet: the latitude must lie in ...`.
void appendPointError(std::string& message, const PointNumbering& numbering,
                      std::string_view latitude, std::string_view longitude);

}  // namespace mapsheet::cli
