#pragma once

// A label whose text the user can select and copy, where a double click selects the whole
// text: a sheet number such as J-50-15-A or a coordinate such as 39°58′45.00″ is one word to
// the user, though the text's word boundaries (at "-", "°", "′") would split it.
//
// Its size can be fixed from the longest text it will hold (FixSizeFor): a label of fixed size
// asks for no new layout of the window when its text changes, which keeps rewriting the
// eighteen numbers of the neighbourhood cheap.

#include <QLabel>

namespace mapsheet::sheet_window {

class SelectableLabel : public QLabel {
    Q_OBJECT

  public:
    explicit SelectableLabel(QWidget* parent = nullptr);

    // Fixes the label's size to hold the sample text (and any text not wider) in its font.
    void FixSizeFor(const QString& sample);

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace mapsheet::sheet_window
