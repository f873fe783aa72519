// The scale choice as the window shows it: the colours of the twelve choices, the scale's
// record loaded into the engine and its texts written into the labels and boxes.

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "engine/scale_catalogue.h"
#include "sheet_window/FormDC1.h"

namespace mapsheet {

namespace {

const QColor kOtherScaleText(128, 128, 128);
const QColor kOtherScaleBack(192, 192, 255);
const QColor kChosenScale(192, 0, 0);

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

void SetBackColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    widget->setPalette(palette);
}

}  // namespace

void FormDC1::HighlightScale(int index) {
    index = std::clamp(index, 0, engine::kScaleCount - 1);
    for (int i = 0; i < engine::kScaleCount; ++i) {
        SetTextColour(labBiLi_[i], kOtherScaleText);
        SetBackColour(optBiLi_[i], kOtherScaleBack);
    }
    SetTextColour(labBiLi_[index], kChosenScale);
    SetBackColour(optBiLi_[index], kChosenScale);
}

void FormDC1::SelectScale(int index) {
    actionCode_ = ActionCode::LoadOrScale;
    engine_.SelectScale(index);
    codeFormat_ = std::string(engine::codeFormat(index));
    const engine::ScaleRow& row = engine::kScaleCatalogue[index];
    labelXinXi_->setText(Text(row.standardLine));

    WriteBox(textId1_, {});
    WriteBox(textId3_, {});
    WriteBox(textId4_, {});
    // 1:1,000,000 has no row and column codes, and 1:200,000 no new number to type.
    const bool hasCodes = index != 0 && index != 3;
    if (!hasCodes) {
        WriteBox(textId2_, {});
    } else {
        WriteBox(textId2_, Text(engine::scaleLetter(index)));
    }
    for (QLineEdit* box : {textId2_, textId3_, textId4_}) {
        box->setVisible(hasCodes);
    }

    labTuId_->setText(Text(row.example));
    labBeiZhu_->setText(Text(row.note1) + "\n" + Text(row.note2));
    dcButZhuan_->setEnabled(true);
    dcButZhuan_->setText(QStringLiteral("执行 编码转换"));
    emit scaleApplied(index);
}

void FormDC1::OnScaleOptionClicked(int index) {
    actionCode_ = ActionCode::LoadOrScale;
    HighlightScale(index);
    SelectScale(index);
    ClampSheetNumberBoxes();
}

void FormDC1::OnScaleLabelClicked(int index) {
    actionCode_ = ActionCode::LoadOrScale;
    // Selecting the option button from code raises no click of its own, so its click runs
    // here, once.
    optBiLi_[index]->setChecked(true);
    OnScaleOptionClicked(index);
    ClampSheetNumberBoxes();
}

}  // namespace mapsheet
