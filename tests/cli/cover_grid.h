#pragma once

// The sheets of a scale meeting a box, enumerated the slow and obvious way for the cover tests:
// every grid row of the series (both hemispheres, the zone width of its 1:1,000,000 row), every
// column of that row, in whole units of 1/8 arc-second, with integer comparisons only.

#include <cstdint>
#include <vector>

#include "engine/scale_catalogue.h"
#include "engine/sheet.h"

namespace mapsheet::cli::testing {

// A box in whole units; a sheet belongs when its open interior meets the closed box.
struct UnitBox {
    std::int64_t south, west, north, east;
};

// Rows from the north, each from the west.
inline std::vector<engine::UnitBounds> enumerateSheets(const UnitBox& box, int scale) {
    constexpr std::int64_t kDegree = engine::kUnitsPerDegree;
    const std::int64_t divisions = engine::kScaleCatalogue[scale].divisions;
    const std::int64_t height = 4 * kDegree / divisions;
    std::vector<engine::UnitBounds> sheets;
    for (std::int64_t row = 22 * divisions - 1; row >= -22 * divisions; --row) {
        const std::int64_t south = row * height;
        const std::int64_t north = south + height;
        if (!(south < box.north && north > box.south)) {
            continue;
        }
        const std::int64_t baseRow = (row >= 0 ? row : -row - 1) / divisions + 1;
        const std::int64_t width =
            engine::zoneWidthOfRow(static_cast<int>(baseRow)) * kDegree / divisions;
        for (std::int64_t west = -180 * kDegree; west < 180 * kDegree; west += width) {
            if (west < box.east && west + width > box.west) {
                sheets.push_back({static_cast<std::int32_t>(south), static_cast<std::int32_t>(west),
                                  static_cast<std::int32_t>(north),
                                  static_cast<std::int32_t>(west + width)});
            }
        }
    }
    return sheets;
}

}  // namespace mapsheet::cli::testing
