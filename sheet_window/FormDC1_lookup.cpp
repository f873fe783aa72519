// The sheet-number boxes: their reset, their limits while and after typing, and the lookup
// that turns a typed number into its sheet's centre in the position boxes.

#include <QComboBox>
#include <QLineEdit>

#include "library/diagnostics_log.h"
#include "sheet_window/FormDC1.h"
#include "sheet_window/sheet_number_lookup.h"
#include "window_common/handler_guard.h"

namespace mapsheet {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

void FormDC1::ClearSheetNumberBoxes() {
    const window_common::ScopedCount writing(writingDepth_);
    comIdS_->setCurrentIndex(0);
    comIdB_->setCurrentIndex(0);
    WriteBox(textId1_, {});
    WriteBox(textId3_, {});
    WriteBox(textId4_, {});
}

void FormDC1::ClampSheetNumberBoxes() {
    const engine::ScaleRecord& scale = engine_.scale();
    const struct {
        QLineEdit* box;
        ActionCode code;
        int limit;
        std::string pattern;
    } boxes[] = {
        {textId1_, ActionCode::ZoneBox,
         sheet_window::ZoneLimit(comIdB_->currentText().toStdString()), "00"},
        {textId3_, ActionCode::RowCodeBox, scale.rowDivisions, codeFormat_},
        {textId4_, ActionCode::ColumnCodeBox, scale.columnDivisions, codeFormat_},
    };
    for (const auto& entry : boxes) {
        if (entry.code == actionCode_ ||
            entry.box->text().trimmed().compare(QStringLiteral("0")) < 0) {
            continue;
        }
        const std::string text = entry.box->text().toStdString();
        WriteBox(entry.box, Text(sheet_window::ClampedCodeText(text, entry.limit, entry.pattern)));
    }
}

void FormDC1::OnSheetNumberBoxChanged(ActionCode code) {
    QLineEdit* box = SheetNumberBox(code);
    if (writingDepth_ > 0) {
        // The filter's own rewrite is looked up once, by the filter's caller; an emptied box
        // (a reset) names no sheet and must not wipe the position boxes.
        if (filteringSheetNumberBox_ > 0 || box->text().isEmpty()) {
            return;
        }
        LookUpSheetNumber();
        return;
    }
    if (actionCode_ == code) {
        const window_common::ScopedCount writing(writingDepth_);
        const window_common::ScopedCount filtering(filteringSheetNumberBox_);
        const engine::ScaleRecord& scale = engine_.scale();
        const int limit = code == ActionCode::ZoneBox
                              ? sheet_window::ZoneLimit(comIdB_->currentText().toStdString())
                          : code == ActionCode::RowCodeBox ? scale.rowDivisions
                                                           : scale.columnDivisions;
        const QString typed = Text(sheet_window::TypedCodeText(box->text().toStdString(), limit));
        box->setText(typed);
        box->setCursorPosition(int(typed.size()));
    }
    LookUpSheetNumber();
}

void FormDC1::OnSheetNumberListChosen(ActionCode code) {
    if (writingDepth_ > 0 || actionCode_ != code) {
        return;
    }
    ClampSheetNumberBoxes();
    LookUpSheetNumber();
}

void FormDC1::LookUpSheetNumber() {
    for (QLineEdit* box : {textJdD_, textJdF_, textJdM_, textWdD_, textWdF_, textWdM_}) {
        WriteBox(box, {});
    }
    ModuleQmb::清除运算信息();
    const sheet_window::SheetNumberPieces pieces{
        comIdS_->currentText().toStdString(), comIdB_->currentText().toStdString(),
        textId1_->text().toStdString(), textId3_->text().toStdString(),
        textId4_->text().toStdString()};
    const sheet_window::CentreTexts centre =
        sheet_window::LookUpSheetCentre(pieces, engine_.scale());
    WriteBox(textWdD_, Text(centre.latitude.degrees));
    WriteBox(textWdF_, Text(centre.latitude.minutes));
    WriteBox(textWdM_, Text(centre.latitude.seconds));
    WriteBox(textJdD_, Text(centre.longitude.degrees));
    WriteBox(textJdF_, Text(centre.longitude.minutes));
    WriteBox(textJdM_, Text(centre.longitude.seconds));
}

}  // namespace mapsheet
