#pragma once

// Sheets for the engine tests drawn independently of the code under test: uniformly at random,
// and by sampling sheetOf on a fine point lattice around a box (every sheet of the scale that
// has a point there, found without any cover or neighbour arithmetic).

#include <cmath>
#include <cstdint>
#include <map>
#include <random>

#include "engine/scale_catalogue.h"
#include "engine/sheet.h"
#include "engine/sheet_id.h"

namespace mapsheet::engine::testing {

// A uniformly drawn sheet of the scale, over both hemispheres and all three zone widths.
inline Sheet randomSheet(std::mt19937_64& random, int scale) {
    Sheet sheet;
    sheet.scale = static_cast<std::int8_t>(scale);
    sheet.southern = random() % 2 == 1;
    sheet.row = static_cast<std::int8_t>(random() % kBaseRowCount + 1);
    sheet.zone = static_cast<std::int8_t>(random() % zoneCountOfRow(sheet.row) + 1);
    const auto divisions = static_cast<std::uint64_t>(kScaleCatalogue[scale].divisions);
    sheet.rowCode = static_cast<std::int16_t>(random() % divisions + 1);
    sheet.columnCode = static_cast<std::int16_t>(random() % divisions + 1);
    return sheet;
}

// Every sheet of the scale holding a point of the lattice of quarter sheet heights and quarter
// narrowest widths that fills south..north, west..east (degrees; longitudes taken modulo 360),
// keyed by id so that each appears once. Lattice points sit between sheet lines, never on one.
inline std::map<std::int64_t, Sheet> sampledSheets(int scale, double south, double west,
                                                   double north, double east) {
    const double height = 4.0 / kScaleCatalogue[scale].divisions;
    const double width = 6.0 / kScaleCatalogue[scale].divisions;
    std::map<std::int64_t, Sheet> sheets;
    const double firstLatitude = std::floor(south / height) * height + height / 8;
    const double firstLongitude = std::floor(west / width) * width + width / 8;
    for (double lat = firstLatitude; lat < north; lat += height / 4) {
        for (double lon = firstLongitude; lon < east; lon += width / 4) {
            const double wrapped = lon - 360 * std::floor((lon + 180) / 360);
            if (const auto sheet = sheetOf(lat, wrapped, scale)) {
                sheets.emplace(sheetToId(*sheet), *sheet);
            }
        }
    }
    return sheets;
}

}  // namespace mapsheet::engine::testing
