#pragma once

// Expected sheet numbers computed with exact integer arithmetic, independent of the engine's
// floating-point and decimal path: a latitude P / D degrees and a longitude Q / D - 180 degrees
// (D = the divisions of the scale), nudged by a side of -1, 0 or +1 times an infinitesimal.

#include <cstdlib>
#include <string>

#include "engine/scale_catalogue.h"

namespace mapsheet::engine::testing {

struct ExactSheet {
    std::string rowLetterText;
    int baseRow = 0;  // 1 = A .. 22 = V; beyond that the point has no sheet
    int zoneWidth = 6;
    int zone = 0;        // 1..360 / zoneWidth for points with a sheet
    int rowCode = 0;     // 1 = northernmost row of the 1:1,000,000 sheet
    int columnCode = 0;  // 1 = westernmost column
};

inline long long floorDiv(long long a, long long b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// The index of the cell of size `step` holding x + side * epsilon (side is -1 or +1).
inline long long cellIndex(long long x, long long step, int side) {
    return side > 0 ? floorDiv(x, step) : floorDiv(x + step - 1, step) - 1;
}

// The sheet of a point at scale divisions D. On a parallel (latSide 0) a point belongs to the
// sheet farther from the equator, the equator to row A; on a meridian (lonSide 0) to the east.
inline ExactSheet exactSheet(int divisions, long long latitudeNumerator, int latSide,
                             long long longitudeNumerator, int lonSide) {
    const long long D = divisions;
    const bool southern = latitudeNumerator < 0 || (latitudeNumerator == 0 && latSide < 0);
    const long long fromEquator = std::llabs(latitudeNumerator);
    int awaySide = southern ? -latSide : latSide;
    if (awaySide == 0) {
        awaySide = 1;
    }
    // Cells of 4 / D degrees, counted away from the equator.
    const long long row = cellIndex(fromEquator, 4, awaySide);
    const int baseRow = static_cast<int>(row / D) + 1;
    const int withinBase = static_cast<int>(row % D);
    const int zoneWidth = baseRow <= 15 ? 6 : (baseRow <= 19 ? 12 : 24);
    const long long column = cellIndex(longitudeNumerator, zoneWidth, lonSide == 0 ? 1 : lonSide);

    ExactSheet sheet;
    sheet.baseRow = baseRow;
    sheet.zoneWidth = zoneWidth;
    sheet.rowLetterText = std::string(southern ? "S" : "") + static_cast<char>('A' + baseRow - 1);
    sheet.zone = static_cast<int>(floorDiv(column, D)) + 1;
    sheet.rowCode = southern ? withinBase + 1 : divisions - withinBase;
    sheet.columnCode = static_cast<int>(column - floorDiv(column, D) * D) + 1;
    return sheet;
}

inline bool hasSheet(const ExactSheet& sheet) {
    return sheet.baseRow <= 22 && sheet.zone >= 1 && sheet.zone <= 360 / sheet.zoneWidth;
}

inline std::string padded(int value, int digits) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < digits) {
        text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
    }
    return text;
}

inline std::string newNumber(int scaleIndex, const ExactSheet& sheet) {
    std::string text = sheet.rowLetterText + padded(sheet.zone, 2);
    if (scaleIndex == 0) {
        return text;
    }
    const int digits = kScaleCatalogue[scaleIndex].codeDigits;
    return text + std::string(scaleLetter(scaleIndex)) + padded(sheet.rowCode, digits) +
           padded(sheet.columnCode, digits);
}

// The pre-1992 number of the sheet with these new-standard codes, for the scales that have
// both (1:1,000,000 to 1:10,000, whose pre-1992 grids are the same divisions): cell n of an
// N x N grid is row ceil(n / N), column (n - 1) mod N + 1.
inline std::string oldNumber(int scaleIndex, const ExactSheet& sheet) {
    const std::string base = sheet.rowLetterText + "-" + padded(sheet.zone, 2);
    const int row = sheet.rowCode - 1;  // 0-based from the north
    const int column = sheet.columnCode - 1;
    const auto cell = [](int r, int c, int n) { return std::to_string(r * n + c + 1); };
    const char* const letters[] = {"A", "B", "C", "D"};
    const auto hundredK = [&](int cellsPer100k) {
        return base + "-" + cell(row / cellsPer100k, column / cellsPer100k, 12);
    };
    switch (scaleIndex) {
        case 0:
            return base;
        case 1:
            return base + "-" + letters[row * 2 + column];
        case 2:
            return base + "-[" + cell(row, column, 4) + "]";
        case 3:
            return base + "-(" + cell(row, column, 6) + ")";
        case 4:
            return hundredK(1);
        case 5:
            return hundredK(2) + "-" + letters[(row % 2) * 2 + column % 2];
        case 6:
            return hundredK(4) + "-" + letters[(row / 2 % 2) * 2 + column / 2 % 2] + "-" +
                   cell(row % 2, column % 2, 2);
        case 7:
            return hundredK(8) + "-(" + cell(row % 8, column % 8, 8) + ")";
        default:
            return "";
    }
}

}  // namespace mapsheet::engine::testing
