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

PointNumbering numberPoint(std::string_view latitude, std::string_view longitude,
                           int scale) noexcept;

// Appends why the point has no sheet: `latitude "north": expected decimal degrees ...` (the
// text cut to its first 40 characters) or `no sheet: the latitude must lie in ...`.
void appendPointError(std::string& message, const PointNumbering& numbering,
                      std::string_view latitude, std::string_view longitude);

}  // namespace mapsheet::cli
