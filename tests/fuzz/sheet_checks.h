#pragma once

// What must hold for the sheets of any point: at every scale the point has a sheet or at none
// (one decision for the ends of the series), each sheet is valid and of its scale, the centre
// of the sheet lies in the same sheet, and both written numbers parse back to it.

#include <cstdio>
#include <optional>
#include <string>

#include "engine/sheet.h"
#include "engine/sheet_number_parse.h"
#include "tests/fuzz/fuzz_check.h"

namespace mapsheet::fuzz {

inline std::string pointText(double latitude, double longitude) {
    char text[80];
    std::snprintf(text, sizeof text, "%.17g, %.17g", latitude, longitude);
    return text;
}

inline void checkSheetsOfPoint(double latitude, double longitude) {
    using namespace engine;
    const std::string point = pointText(latitude, longitude);
    const bool hasSheet = sheetOf(latitude, longitude, 0).has_value();
    for (int scale = 0; scale <= 11; ++scale) {
        const std::optional<Sheet> sheet = sheetOf(latitude, longitude, scale);
        check(sheet.has_value() == hasSheet, "a point has a sheet at every scale or at none",
              point + " at scale " + std::to_string(scale));
        if (!sheet) {
            continue;
        }
        const std::string where = point + " at scale " + std::to_string(scale) + ": " +
                                  std::string(newNumber(*sheet).view());
        check(isValid(*sheet) && sheet->scale == scale, "the sheet is valid and of its scale",
              where);
        const UnitBounds bounds = unitBounds(*sheet);
        const double centreLatitude = (bounds.south + bounds.north) / (2.0 * kUnitsPerDegree);
        const double centreLongitude = (bounds.west + bounds.east) / (2.0 * kUnitsPerDegree);
        check(sheetOf(centreLatitude, centreLongitude, scale) == sheet,
              "the centre of the sheet lies in the same sheet", where);
        check(parseSheetNumber(newNumber(*sheet).view()).sheet == sheet,
              "the new-standard number parses back to the sheet", where);
        const InlineText old = oldNumber(*sheet);
        check(old.empty() || parseSheetNumber(old.view()).sheet == sheet,
              "the pre-1992 number parses back to the sheet", where);
    }
}

}  // namespace mapsheet::fuzz
