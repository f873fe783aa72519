#pragma once

// The neighbourhood as the window shows it, as a value: the nine cells' numbers in both
// numberings, the separator lines that are drawn, the grid-line coordinates and the scale.
// From it come the table that "复制全部编号" puts on the clipboard and the drawing that
// "导出接图表…" saves (sheet_index_export.h).

#include <QPainter>
#include <QSizeF>
#include <QString>
#include <array>

namespace mapsheet::sheet_window {

struct SheetIndex {
    QString scale;  // the scale's name as the window writes it, "1:50万"
    // Cells 1..9 at index 0..8 in reading order from the north-west.
    std::array<QString, 9> newNumbers;
    std::array<QString, 9> oldNumbers;  // empty where the scale has no pre-1992 number
    // LineA1, LineB1, LineA2, LineB2, LineA3, LineB3 (between the columns of rows 1..3), then
    // LineC1..3 and LineD1..3 (between the rows, in columns 1..3): whether each is drawn.
    std::array<bool, 12> separatorShown{};
    // Grid lines from the south and from the west, as D°M′S″ text; empty beyond the poles or
    // the antimeridian.
    std::array<QString, 4> latitudes;
    std::array<QString, 4> longitudes;
};

// Three lines, one per row of cells from the north, each of three tab-separated fields: the
// new number, a blank and the pre-1992 number (the new number alone where there is no
// pre-1992 one). Every line ends in "\n".
QString SheetIndexTable(const SheetIndex& index);

// The size of the drawing in its own units (points when printed at 72 per inch).
QSizeF SheetIndexDrawingSize();

// Draws the neighbourhood into the painter's coordinates from (0, 0) to
// SheetIndexDrawingSize(): the title with the scale, the nine cells with both numbers (the
// new one bold), the outer border, the separator lines that are drawn, the latitudes at the
// left of their lines and the longitudes under theirs.
void PaintSheetIndex(QPainter& painter, const SheetIndex& index);

}  // namespace mapsheet::sheet_window
