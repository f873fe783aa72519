#pragma once

// The sheet-numbering window: a position typed as degrees, minutes and seconds and one of the
// twelve scales give the sheet that holds the point and its eight neighbours, in the
// 1993-2012 numbering (bold) and the pre-1992 one, with the grid lines' coordinates. Four
// arrows step one sheet; a new-standard number typed in pieces puts its sheet's centre into the
// position boxes for the next conversion.
//
// Every control carries its name as objectName (arrays as name + index: OptBiLi0..11,
// LabXin1..9). Handlers run one at a time on the user-interface thread and never let an
// exception out; a failure ends the handler quietly and leaves the controls as far as they
// were written. actionCode records the focused box or the last action; a box's typing filter
// acts only while actionCode names that box and never on the window's own writes.
//
// Two choices keep typed input from being lost: emptying the sheet-number boxes (when a
// position is typed, on a step or a change of scale) does not run the sheet-number lookup,
// which would otherwise wipe the position boxes; and the lookup's and the display's writes
// into the position boxes are never filtered, whichever box has the focus.
//
// Decimal degrees may be typed into a degrees box; they stay as typed until the box loses the
// focus or a conversion runs, and then become degrees, minutes and seconds to hundredths in
// the three boxes (decimal_degrees.h). Enter in any box of the position or the sheet-number
// row runs the convert button. The cells' texts are selectable (a double click takes the whole
// number); their context menu copies the selection or all numbers as a table, or exports the
// neighbourhood as drawn (sheet_index.h, sheet_index_export.h).

#include <QString>
#include <QWidget>
#include <array>
#include <optional>
#include <string>

#include "engine/sheet_engine.h"
#include "sheet_window/action_codes.h"
#include "sheet_window/neighbourhood.h"
#include "sheet_window/sheet_index.h"

class QAction;
class QComboBox;
class QPoint;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace mapsheet {

class FormDC2;

using sheet_window::ActionCode;
using sheet_window::GridLines;
using sheet_window::StepDirection;

class FormDC1 : public QWidget {
    Q_OBJECT

  public:
    // The property that carries a control's focus code (the ActionCode it sets on focus).
    static constexpr const char* kFocusCodeProperty = "mapsheetFocusCode";

    explicit FormDC1(QWidget* parent = nullptr);
    ~FormDC1() override;

    int actionCode() const { return static_cast<int>(actionCode_); }
    double currentLatitude() const { return currentLatitude_; }
    double currentLongitude() const { return currentLongitude_; }
    const engine::SheetEngine& engine() const { return engine_; }

  signals:
    // Raised once each time a scale's record and texts are loaded.
    void scaleApplied(int scaleIndex);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // Construction (FormDC1.cpp) and event wiring (FormDC1_events.cpp).
    void BuildControls();
    void BuildLayout();
    void ConnectEvents();
    void Load();

    // Scale choice (FormDC1_scale.cpp).
    void HighlightScale(int index);
    void SelectScale(int index);
    void OnScaleOptionClicked(int index);
    void OnScaleLabelClicked(int index);

    // Position boxes and focus (FormDC1_handlers.cpp).
    void OnFocusGained(ActionCode code);
    void OnPositionBoxChanged(ActionCode code);
    // Decimal degrees typed into the degrees box of that code become degrees, minutes and
    // seconds in its three boxes, when the box loses the focus and before a conversion.
    void SplitDecimalDegrees(ActionCode degreesCode);
    void OnTitleOrNotesClicked();
    void OnAngleWindowClicked();
    void OnStandardClicked();

    // Sheet-number boxes and lookup (FormDC1_lookup.cpp).
    void ClearSheetNumberBoxes();
    void ClampSheetNumberBoxes();
    void OnSheetNumberBoxChanged(ActionCode code);
    void OnSheetNumberListChosen(ActionCode code);
    void LookUpSheetNumber();

    // Neighbourhood (FormDC1_neighbourhood.cpp).
    void OnConvertClicked();
    void OnStepClicked(StepDirection direction);
    bool ShowNeighbourhood(double latitude, double longitude);

    // The cells' context menu (FormDC1_cells.cpp): copy the selection, copy all numbers as a
    // table, export the drawing of the neighbourhood.
    void ShowCellMenu(QWidget* source, const QPoint& position);
    sheet_window::SheetIndex CurrentSheetIndex() const;
    void CopyAllNumbers();
    void ExportSheetIndexToChosenFile();

    // Writes a box from code: the box's own filter does not run on it.
    void WriteBox(QLineEdit* box, const QString& text);
    QLineEdit* PositionBox(ActionCode code) const;
    QLineEdit* SheetNumberBox(ActionCode code) const;

    engine::SheetEngine engine_;
    ActionCode actionCode_ = ActionCode::LoadOrScale;
    double currentLatitude_ = 41.0;
    double currentLongitude_ = 117.5;
    std::optional<GridLines> grid_;
    std::string codeFormat_ = "000";
    int writingDepth_ = 0;
    int filteringSheetNumberBox_ = 0;
    // A drop-down's change of index runs its click; its activation runs it only when the same
    // entry was chosen again (the index did not change).
    std::array<bool, 2> listIndexJustChanged_{};

    QLabel* labelTop_ = nullptr;
    QLineEdit* textJdD_ = nullptr;
    QLineEdit* textJdF_ = nullptr;
    QLineEdit* textJdM_ = nullptr;
    QLineEdit* textWdD_ = nullptr;
    QLineEdit* textWdF_ = nullptr;
    QLineEdit* textWdM_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    std::array<QLabel*, 6> unitLabels_{};  // Label3 .. Label8: the degree, minute, second marks
    std::array<QRadioButton*, 12> optBiLi_{};
    std::array<QLabel*, 12> labBiLi_{};
    QPushButton* dcButZhuan_ = nullptr;
    QPushButton* dcButUp_ = nullptr;
    QPushButton* dcButDown_ = nullptr;
    QPushButton* dcButLeft_ = nullptr;
    QPushButton* dcButRight_ = nullptr;
    QComboBox* comIdS_ = nullptr;
    QComboBox* comIdB_ = nullptr;
    QLineEdit* textId1_ = nullptr;
    QLineEdit* textId2_ = nullptr;
    QLineEdit* textId3_ = nullptr;
    QLineEdit* textId4_ = nullptr;
    std::array<QLabel*, 9> labXin_{};  // cells 1..9 at index 0..8
    std::array<QLabel*, 9> labOld_{};
    QLabel* labNswe_ = nullptr;
    std::array<QLabel*, 4> labJingDu_{};
    std::array<QLabel*, 4> labWeiDu_{};
    // LineA1, LineB1, LineA2, LineB2, LineA3, LineB3 (between columns of rows 1..3), then
    // LineC1..3 and LineD1..3 (between rows, in columns 1..3).
    std::array<QFrame*, 12> separatorLines_{};
    QFrame* shape1_ = nullptr;
    QFrame* shape2_ = nullptr;
    QWidget* sheetGrid_ = nullptr;         // the frame of the nine cells
    QAction* copyAllNumbers_ = nullptr;    // "CopyAllNumbers"
    QAction* exportSheetIndex_ = nullptr;  // "ExportSheetIndex"
    QString exportFolder_;                 // where the last export went
    QLabel* labTuId_ = nullptr;
    QLabel* labBeiZhu_ = nullptr;
    QLabel* labelXinXi_ = nullptr;
    QLabel* labBanBen_ = nullptr;
    QPushButton* commandJd_ = nullptr;
    QPushButton* commandBd_ = nullptr;
    FormDC2* angleWindow_ = nullptr;
};

}  // namespace mapsheet
