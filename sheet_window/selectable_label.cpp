#include "sheet_window/selectable_label.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace mapsheet::sheet_window {

SelectableLabel::SelectableLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
}

void SelectableLabel::FixSizeFor(const QString& sample) {
    const QFontMetrics metrics(font());
    const QMargins margins = contentsMargins();
    // The text control behind a selectable label keeps a small document margin around it.
    const int width = metrics.horizontalAdvance(sample) + margins.left() + margins.right() + 8;
    const int height = metrics.height() + margins.top() + margins.bottom() + 4;
    setFixedSize(width, height);
}

void SelectableLabel::paintEvent(QPaintEvent* event) {
    if (hasSelectedText()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(contentsRect(), int(alignment()), text());
}

void SelectableLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || text().isEmpty()) {
        QLabel::mouseDoubleClickEvent(event);
        return;
    }
    setSelection(0, int(text().size()));
    event->accept();
}

}  // namespace mapsheet::sheet_window
