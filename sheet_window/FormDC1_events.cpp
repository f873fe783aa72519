// The wiring of the sheet window's events: every change, click, activation, focus and mouse
// press reaches its handler through RunGuarded, so that no failure leaves an event.

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <utility>

#include "sheet_window/FormDC1.h"
#include "window_common/handler_guard.h"

namespace mapsheet {

using window_common::RunGuarded;

void FormDC1::ConnectEvents() {
    for (QLineEdit* box : {textJdD_, textJdF_, textJdM_, textWdD_, textWdF_, textWdM_}) {
        const auto code = ActionCode(box->property(kFocusCodeProperty).toInt());
        box->installEventFilter(this);
        connect(box, &QLineEdit::textChanged, this,
                [this, code] { RunGuarded([&] { OnPositionBoxChanged(code); }); });
    }
    for (QLineEdit* box : {textId1_, textId3_, textId4_}) {
        const auto code = ActionCode(box->property(kFocusCodeProperty).toInt());
        connect(box, &QLineEdit::textChanged, this,
                [this, code] { RunGuarded([&] { OnSheetNumberBoxChanged(code); }); });
    }
    for (QWidget* box : std::initializer_list<QWidget*>{textId1_, textId2_, textId3_, textId4_,
                                                        comIdS_, comIdB_}) {
        box->installEventFilter(this);
    }
    const std::array<QComboBox*, 2> lists = {comIdS_, comIdB_};
    for (int i = 0; i < 2; ++i) {
        const ActionCode code = i == 0 ? ActionCode::HemisphereList : ActionCode::RowLetterList;
        connect(lists[i], &QComboBox::currentIndexChanged, this, [this, i, code] {
            if (writingDepth_ == 0) {
                listIndexJustChanged_[i] = true;
            }
            RunGuarded([&] { OnSheetNumberListChosen(code); });
        });
        connect(lists[i], &QComboBox::activated, this, [this, i, code] {
            if (std::exchange(listIndexJustChanged_[i], false)) {
                return;
            }
            RunGuarded([&] { OnSheetNumberListChosen(code); });
        });
    }
    for (int i = 0; i < engine::kScaleCount; ++i) {
        connect(optBiLi_[i], &QRadioButton::clicked, this,
                [this, i] { RunGuarded([&] { OnScaleOptionClicked(i); }); });
        labBiLi_[i]->installEventFilter(this);
    }
    labelTop_->installEventFilter(this);
    labBeiZhu_->installEventFilter(this);

    connect(dcButZhuan_, &QPushButton::clicked, this,
            [this] { RunGuarded([&] { OnConvertClicked(); }); });
    // Enter in a box of the position or the sheet-number row runs the convert button.
    for (QLineEdit* box : {textJdD_, textJdF_, textJdM_, textWdD_, textWdF_, textWdM_, textId1_,
                           textId2_, textId3_, textId4_}) {
        connect(box, &QLineEdit::returnPressed, dcButZhuan_, &QPushButton::click);
    }
    const std::array<std::pair<QPushButton*, StepDirection>, 4> steps = {
        {{dcButUp_, StepDirection::Up},
         {dcButDown_, StepDirection::Down},
         {dcButLeft_, StepDirection::Left},
         {dcButRight_, StepDirection::Right}}};
    for (const auto& [button, direction] : steps) {
        connect(button, &QPushButton::clicked, this,
                [this, direction] { RunGuarded([&] { OnStepClicked(direction); }); });
    }
    connect(sheetGrid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        RunGuarded([&] { ShowCellMenu(sheetGrid_, position); });
    });
    for (int k = 0; k < 9; ++k) {
        for (QLabel* cell : {labXin_[k], labOld_[k]}) {
            connect(cell, &QWidget::customContextMenuRequested, this,
                    [this, cell](const QPoint& position) {
                        RunGuarded([&] { ShowCellMenu(cell, position); });
                    });
        }
    }
    connect(copyAllNumbers_, &QAction::triggered, this,
            [this] { RunGuarded([&] { CopyAllNumbers(); }); });
    connect(exportSheetIndex_, &QAction::triggered, this,
            [this] { RunGuarded([&] { ExportSheetIndexToChosenFile(); }); });
    connect(commandJd_, &QPushButton::clicked, this,
            [this] { RunGuarded([&] { OnAngleWindowClicked(); }); });
    connect(commandBd_, &QPushButton::clicked, this,
            [this] { RunGuarded([&] { OnStandardClicked(); }); });
}

bool FormDC1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        const QVariant code = watched->property(kFocusCodeProperty);
        if (code.isValid()) {
            RunGuarded([&] { OnFocusGained(ActionCode(code.toInt())); });
        }
    } else if (event->type() == QEvent::FocusOut) {
        if (watched == textJdD_ || watched == textWdD_) {
            const auto code = ActionCode(watched->property(kFocusCodeProperty).toInt());
            RunGuarded([&] { SplitDecimalDegrees(code); });
        }
    } else if (event->type() == QEvent::KeyPress && (watched == comIdS_ || watched == comIdB_)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            dcButZhuan_->click();
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonPress) {
        if (watched == labelTop_ || watched == labBeiZhu_) {
            RunGuarded([&] { OnTitleOrNotesClicked(); });
        } else {
            for (int i = 0; i < engine::kScaleCount; ++i) {
                if (watched == labBiLi_[i]) {
                    RunGuarded([&] { OnScaleLabelClicked(i); });
                }
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace mapsheet
