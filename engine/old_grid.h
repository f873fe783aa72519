#pragma once

// The square grids of the pre-1992 numbering: the cell of a point in a grid over a sheet, and
// the bounds of a cell.

#include <algorithm>
#include <cmath>
#include <span>

#include "engine/sheet_engine.h"
#include "engine/sheet_geometry.h"

namespace mapsheet::engine::old_grid {

// A square grid over a sheet: rows between row lines at the stored distances above the south
// edge, columns of a base width (below 60 degrees; widened with the zone) from the west edge.
struct Grid {
    std::span<const double> rowLines;
    double baseWidth;

    int size() const { return static_cast<int>(rowLines.size()) + 1; }
};

// A cell, counted 0-based from the south-west corner.
struct Cell {
    int rowFromSouth;
    int column;
};

inline double cellWidth(const Grid& grid, double latitude) {
    return grid.baseWidth * geometry::widthFactor(SheetEngine::ZoneWidthForLatitude(latitude));
}

// The cell of a point in the grid over a sheet that holds it.
inline Cell cellOf(const Grid& grid, const SheetBounds& sheet, double latitude, double longitude) {
    return {geometry::rowAboveSouthEdge(latitude, sheet.south, grid.rowLines),
            geometry::columnEastOfWestEdge(longitude, sheet.west, cellWidth(grid, latitude),
                                           grid.size())};
}

// The cell's number, row by row from the north-west corner, in both hemispheres.
inline int cellNumber(const Grid& grid, Cell cell) {
    return (grid.size() - cell.rowFromSouth - 1) * grid.size() + cell.column + 1;
}

// The edges of a cell, on the lines that cellOf compares with.
inline SheetBounds cellBounds(const Grid& grid, const SheetBounds& sheet, Cell cell,
                              double latitude) {
    const int last = grid.size() - 1;
    const double width = cellWidth(grid, latitude);
    SheetBounds bounds;
    bounds.south =
        cell.rowFromSouth == 0 ? sheet.south : sheet.south + grid.rowLines[cell.rowFromSouth - 1];
    bounds.north =
        cell.rowFromSouth == last ? sheet.north : sheet.south + grid.rowLines[cell.rowFromSouth];
    bounds.west = sheet.west + cell.column * width;
    bounds.east = cell.column == last ? sheet.east : sheet.west + (cell.column + 1) * width;
    return bounds;
}

// The bands from the equator and the cells of a coarser grid name the same sheet for every
// point but one within the line tolerance of its edge at just the tolerance's distance, where
// the two decisions, taken on constants that differ in the last digits, may fall on different
// sides. The coarser grid has named the sheet by then, so its cell wins.
inline void keepToCell(SheetBounds& bands, const SheetBounds& cell) {
    if (std::fabs(bands.south - cell.south) > (cell.north - cell.south) / 2 ||
        std::fabs(bands.west - cell.west) > (cell.east - cell.west) / 2) {
        bands = cell;
    }
}

}  // namespace mapsheet::engine::old_grid
