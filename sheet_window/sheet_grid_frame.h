#pragma once

// The frame of the three-by-three cells: a widget that holds the cells and the separator
// lines between them and paints its own outer border.
//
// The border is painted inside the widget's rectangle at its full width on every side, so
// that all four borders stay visible whatever the scale factor of the screen (separate line
// widgets at the edges can round to nothing at 1.5). Its right-click menu is the window's:
// the widget asks for a custom context menu.

#include <QWidget>

namespace mapsheet::sheet_window {

class SheetGridFrame : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kBorderWidth = 2;

    explicit SheetGridFrame(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace mapsheet::sheet_window
