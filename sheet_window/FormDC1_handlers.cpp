// Focus bookkeeping, the typing filters of the six position boxes, and the buttons that leave
// the window.

#include <QCloseEvent>
#include <QLineEdit>

#include "angle_window/FormDC2.h"
#include "library/diagnostics_log.h"
#include "sheet_window/FormDC1.h"
#include "sheet_window/decimal_degrees.h"
#include "sheet_window/position_filters.h"
#include "window_common/document_opener.h"
#include "window_common/handler_guard.h"

namespace mapsheet {

namespace {

// The national standard for the subdivision and numbering of the basic-scale topographic maps,
// in the national standards public service system.
const char* const kStandardAddress = "https://openstd.samr.gov.cn/bzgk/gb/std_list?p.p2=13989";

}  // namespace

void FormDC1::WriteBox(QLineEdit* box, const QString& text) {
    const window_common::ScopedCount writing(writingDepth_);
    box->setText(text);
}

QLineEdit* FormDC1::PositionBox(ActionCode code) const {
    switch (code) {
        case ActionCode::LongitudeDegrees:
            return textJdD_;
        case ActionCode::LongitudeMinutes:
            return textJdF_;
        case ActionCode::LongitudeSeconds:
            return textJdM_;
        case ActionCode::LatitudeDegrees:
            return textWdD_;
        case ActionCode::LatitudeMinutes:
            return textWdF_;
        case ActionCode::LatitudeSeconds:
            return textWdM_;
        default:
            return nullptr;
    }
}

QLineEdit* FormDC1::SheetNumberBox(ActionCode code) const {
    switch (code) {
        case ActionCode::ZoneBox:
            return textId1_;
        case ActionCode::ScaleLetterBox:
            return textId2_;
        case ActionCode::RowCodeBox:
            return textId3_;
        case ActionCode::ColumnCodeBox:
            return textId4_;
        default:
            return nullptr;
    }
}

void FormDC1::OnFocusGained(ActionCode code) {
    actionCode_ = code;
    ClampSheetNumberBoxes();
}

void FormDC1::OnPositionBoxChanged(ActionCode code) {
    if (writingDepth_ > 0 || actionCode_ != code) {
        return;
    }
    QLineEdit* box = PositionBox(code);
    // A position typed by hand replaces any sheet number typed before it.
    ClearSheetNumberBoxes();
    const std::string text = box->text().toStdString();
    std::optional<std::string> filtered;
    switch (code) {
        case ActionCode::LongitudeDegrees:
            filtered = sheet_window::FilterDegrees(text, sheet_window::kLongitudeDegreesLimit);
            break;
        case ActionCode::LatitudeDegrees:
            filtered = sheet_window::FilterDegrees(text, sheet_window::kLatitudeDegreesLimit);
            break;
        case ActionCode::LongitudeMinutes:
        case ActionCode::LatitudeMinutes:
            filtered = sheet_window::FilterMinutes(text);
            break;
        default:
            filtered = sheet_window::FilterSeconds(text);
            break;
    }
    if (filtered && *filtered != text) {
        const QString rewritten = QString::fromStdString(*filtered);
        WriteBox(box, rewritten);
        box->setCursorPosition(int(rewritten.size()));
    }
}

void FormDC1::SplitDecimalDegrees(ActionCode degreesCode) {
    const bool latitude = degreesCode == ActionCode::LatitudeDegrees;
    QLineEdit* degrees = latitude ? textWdD_ : textJdD_;
    const std::optional<sheet_window::SplitDegrees> split = sheet_window::SplitDecimalDegrees(
        degrees->text().toStdString(),
        latitude ? sheet_window::kLatitudeDegreesLimit : sheet_window::kLongitudeDegreesLimit);
    if (!split) {
        return;
    }
    WriteBox(degrees, QString::fromStdString(split->degrees));
    if (split->minutes && split->seconds) {
        WriteBox(latitude ? textWdF_ : textJdF_, QString::fromStdString(*split->minutes));
        WriteBox(latitude ? textWdM_ : textJdM_, QString::fromStdString(*split->seconds));
    }
}

void FormDC1::OnTitleOrNotesClicked() {
    actionCode_ = ActionCode::TitleOrNotes;
    ClampSheetNumberBoxes();
}

void FormDC1::OnAngleWindowClicked() {
    if (angleWindow_ == nullptr) {
        angleWindow_ = new FormDC2(this);
    }
    angleWindow_->exec();
}

void FormDC1::OnStandardClicked() {
    OpenDocument(QString::fromUtf8(kStandardAddress));
}

void FormDC1::closeEvent(QCloseEvent* event) {
    window_common::RunGuarded([] { ModuleQmb::清除运算信息(); });
    QWidget::closeEvent(event);
}

}  // namespace mapsheet
