#include "sheet_window/sheet_grid_frame.h"

#include <QPainter>
#include <QPen>

namespace mapsheet::sheet_window {

SheetGridFrame::SheetGridFrame(QWidget* parent) : QWidget(parent) {
    setContextMenuPolicy(Qt::CustomContextMenu);
}

void SheetGridFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPen pen(palette().color(QPalette::WindowText));
    pen.setWidth(kBorderWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // A pen is centred on its path: half its width in from each side keeps it all inside.
    const qreal half = kBorderWidth / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
}

}  // namespace mapsheet::sheet_window
