#include "sheet_window/sheet_index.h"

#include <QFont>
#include <QPen>
#include <QStringList>

namespace mapsheet::sheet_window {

namespace {

constexpr qreal kCellWidth = 180;
constexpr qreal kCellHeight = 72;
constexpr qreal kLeft = 120;   // room for the latitudes
constexpr qreal kTop = 56;     // room for the title
constexpr qreal kRight = 72;   // half a longitude beyond the last line
constexpr qreal kBottom = 40;  // room for the longitudes
constexpr qreal kGridWidth = 3 * kCellWidth;
constexpr qreal kGridHeight = 3 * kCellHeight;

// The cells on either side of each separator line, in SheetIndex::separatorShown order.
constexpr int kSeparatedCells[12][2] = {{0, 1}, {1, 2}, {3, 4}, {4, 5}, {6, 7}, {7, 8},
                                        {0, 3}, {1, 4}, {2, 5}, {3, 6}, {4, 7}, {5, 8}};

QRectF CellRect(int cell) {
    return {kLeft + (cell % 3) * kCellWidth, kTop + (cell / 3) * kCellHeight, kCellWidth,
            kCellHeight};
}

QFont FontOfSize(qreal pixels, bool bold) {
    QFont font;
    font.setPixelSize(int(pixels));
    font.setBold(bold);
    return font;
}

}  // namespace

QString SheetIndexTable(const SheetIndex& index) {
    QString table;
    for (int row = 0; row < 3; ++row) {
        QStringList fields;
        for (int column = 0; column < 3; ++column) {
            const int cell = 3 * row + column;
            fields << (index.oldNumbers[cell].isEmpty()
                           ? index.newNumbers[cell]
                           : index.newNumbers[cell] + QLatin1Char(' ') + index.oldNumbers[cell]);
        }
        table += fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return table;
}

QSizeF SheetIndexDrawingSize() {
    return {kLeft + kGridWidth + kRight, kTop + kGridHeight + kBottom};
}

void PaintSheetIndex(QPainter& painter, const SheetIndex& index) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(QRectF(QPointF(0, 0), SheetIndexDrawingSize()), Qt::white);
    painter.setPen(Qt::black);

    painter.setFont(FontOfSize(20, true));
    painter.drawText(QRectF(0, 0, SheetIndexDrawingSize().width(), kTop), Qt::AlignCenter,
                     QStringLiteral("接图表  比例尺 ") + index.scale.trimmed());

    for (int cell = 0; cell < 9; ++cell) {
        const QRectF rect = CellRect(cell);
        const QRectF upper(rect.left(), rect.top(), rect.width(), rect.height() / 2);
        const QRectF lower(rect.left(), rect.center().y(), rect.width(), rect.height() / 2);
        painter.setFont(FontOfSize(17, true));
        painter.drawText(upper, Qt::AlignHCenter | Qt::AlignBottom, index.newNumbers[cell]);
        painter.setFont(FontOfSize(15, false));
        painter.drawText(lower.adjusted(0, 4, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                         index.oldNumbers[cell]);
    }

    painter.setPen(QPen(Qt::black, 2));
    painter.drawRect(QRectF(kLeft, kTop, kGridWidth, kGridHeight));
    for (int line = 0; line < 12; ++line) {
        if (!index.separatorShown[line]) {
            continue;
        }
        const QRectF a = CellRect(kSeparatedCells[line][0]);
        if (line < 6) {
            painter.drawLine(QPointF(a.right(), a.top()), QPointF(a.right(), a.bottom()));
        } else {
            painter.drawLine(QPointF(a.left(), a.bottom()), QPointF(a.right(), a.bottom()));
        }
    }

    painter.setFont(FontOfSize(14, false));
    for (int i = 0; i < 4; ++i) {
        const qreal y = kTop + kGridHeight - i * kCellHeight;
        painter.drawText(QRectF(0, y - 10, kLeft - 8, 20), Qt::AlignRight | Qt::AlignVCenter,
                         index.latitudes[i]);
        const qreal x = kLeft + i * kCellWidth;
        painter.drawText(QRectF(x - kRight, kTop + kGridHeight + 6, 2 * kRight, 24),
                         Qt::AlignHCenter | Qt::AlignTop, index.longitudes[i]);
    }
    painter.restore();
}

}  // namespace mapsheet::sheet_window
