#pragma once

// The geometry shared by the base sheet, the new-standard codes and the pre-1992 grids: which
// points have a sheet, the clamp onto the map series, containment and the cell of a point, all
// under the line rule of line_rule.h.

#include <algorithm>
#include <cmath>
#include <span>

#include "engine/line_rule.h"

namespace mapsheet::engine::geometry {

inline constexpr double kBaseSheetHeight = 4.0;
inline constexpr int kBaseRowCount = 22;  // rows A..V, 0 to 88 degrees from the equator
// The stand-ins for points beyond the series, as the window has always used them.
inline constexpr double kLatitudeLimit = 87.59599;
inline constexpr double kLongitudeLimit = 179.59599;

// The 0-based 1:1,000,000 row counted from the equator (22 and more beyond row V).
inline double baseRowIndex(double latitude) {
    return floorOnGrid(std::fabs(latitude), kBaseSheetHeight);
}

// The 0-based sheet of a 360-degree world counted from 180 W: 0 for -180 <= longitude < 180.
inline double worldIndex(double longitude) {
    return floorOnGrid(longitude + 180.0, 360.0);
}

// Whether a latitude lies in rows A..V or SA..SV (false for NaN).
inline bool hasSheetRow(double latitude) {
    return baseRowIndex(latitude) < kBaseRowCount;
}

// Whether -180 <= longitude < 180 (false for NaN).
inline bool hasSheetColumn(double longitude) {
    return worldIndex(longitude) == 0.0;
}

inline double clampLatitude(double latitude) {
    if (hasSheetRow(latitude)) {
        return latitude;
    }
    return latitude < 0 ? -kLatitudeLimit : kLatitudeLimit;
}

inline double clampLongitude(double longitude) {
    const double world = worldIndex(longitude);
    if (world < 0) {
        return -kLongitudeLimit;
    }
    return world < 1 ? longitude : kLongitudeLimit;
}

// The 0-based cell of a point `offset` degrees from the starting edge of a sheet of
// `sheetSize` degrees divided into `cells` cells of `cellSize`. The offset is a remainder taken
// independently of the decision that placed the point in the sheet; for a point within the
// tolerance of an edge the two may disagree on which side of the edge the point is, the
// remainder then coming out a whole sheet long (or short). edgeOffset, the same distance taken
// from the sheet's own edges, settles it.
inline int cellWithinSheet(double offset, double edgeOffset, double sheetSize, double cellSize,
                           int cells) {
    if (offset - edgeOffset > sheetSize / 2) {
        return 0;
    }
    if (edgeOffset - offset > sheetSize / 2) {
        return cells - 1;
    }
    return std::clamp(static_cast<int>(floorOnGrid(offset, cellSize)), 0, cells - 1);
}

// The cell row, counted from the south edge (0-based), of a point in a sheet whose row lines
// lie these stored distances above its south edge; a point on a line belongs to the row farther
// from the equator.
inline int rowAboveSouthEdge(double latitude, double south, std::span<const double> rowLines) {
    const bool southern = isSouthern(latitude);
    int row = 0;
    for (const double line : rowLines) {
        const double lineLatitude = south + line;
        if (southern ? strictlyBeyondLine(latitude, lineLatitude)
                     : onLineOrBeyond(latitude, lineLatitude)) {
            ++row;
        }
    }
    return row;
}

// The cell column, counted from the west edge (0-based), of a point in a sheet whose column
// lines lie at west + j * width; a point on a line belongs to the column east of it.
inline int columnEastOfWestEdge(double longitude, double west, double width, int columns) {
    int column = 0;
    for (int line = 1; line < columns; ++line) {
        if (onLineOrBeyond(longitude, west + line * width)) {
            ++column;
        }
    }
    return column;
}

// The width factor of the pre-1992 cells: 1 below row P, 2 in rows P..S, 4 from row T on.
inline int widthFactor(int zoneWidth) {
    return zoneWidth / 6;
}

}  // namespace mapsheet::engine::geometry
