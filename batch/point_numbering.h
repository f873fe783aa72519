#pragma once

// The sheet of a point given as two coordinate texts, and the error text of a point that has
// none. Pure and safe to call from several threads at once (text/coordinate_text.h,
// engine/sheet.h).

#include <optional>
#include <string>
#include <string_view>

#include "engine/input_error.h"
#include "engine/sheet.h"
#include "text/coordinate_text.h"

namespace mapsheet::batch {

struct PointNumbering {
    std::optional<engine::Sheet> sheet;  // set exactly when error is None
    // None, a latitude or longitude that is no angle (or beyond the decimal type), or
    // PointOutsideSeries for a point read but outside the series.
    engine::InputErrorCode error = engine::InputErrorCode::None;
    double latitude = 0;  // the degrees read, when both texts are angles
    double longitude = 0;
};

// The code of a coordinate text of the latitude (else the longitude) that has the fault.
engine::InputErrorCode coordinateErrorCode(text::CoordinateFault fault, bool latitude) noexcept;

// The sheet of the point written into result field by field, for a batch, which numbers every
// row: a result returned whole would pass through memory in pieces and be read back at once,
// which stalls.
inline void numberPoint(std::string_view latitude, std::string_view longitude, int scale,
                        PointNumbering& result) noexcept {
    result.sheet = std::nullopt;
    result.latitude = 0;
    result.longitude = 0;
    const text::CoordinateReading north = text::readCoordinate(latitude);
    if (north.fault != text::CoordinateFault::None) {
        result.error = coordinateErrorCode(north.fault, true);
        return;
    }
    const text::CoordinateReading east = text::readCoordinate(longitude);
    if (east.fault != text::CoordinateFault::None) {
        result.error = coordinateErrorCode(east.fault, false);
        return;
    }
    if (!engine::findSheet(north.degrees, east.degrees, scale, result.sheet.emplace())) {
        result.sheet.reset();
    }
    result.error =
        result.sheet ? engine::InputErrorCode::None : engine::InputErrorCode::PointOutsideSeries;
    result.latitude = north.degrees;
    result.longitude = east.degrees;
}

inline PointNumbering numberPoint(std::string_view latitude, std::string_view longitude,
                                  int scale) noexcept {
    PointNumbering result;
    numberPoint(latitude, longitude, scale, result);
    return result;
}

// Whether a text of the numbered point is no angle (so neither a sheet nor a place is known).
inline bool coordinateUnread(const PointNumbering& numbering) noexcept {
    return numbering.error != engine::InputErrorCode::None &&
           numbering.error != engine::InputErrorCode::PointOutsideSeries;
}

// Appends why the point has no sheet (engine/input_error.h), quoting the text that is no angle:
// `latitude "north": expected decimal degrees ...` or `no sheet: the latitude must lie in ...`.
void appendPointError(std::string& message, const PointNumbering& numbering,
                      std::string_view latitude, std::string_view longitude);

}  // namespace mapsheet::batch
