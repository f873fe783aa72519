// Focus bookkeeping, the typing filters of the six position boxes, and the buttons that leave
// the window.

#include <QCloseEvent>
#include <QLineEdit>

#include "angle_window/FormDC2.h"
#include "library/diagnostics_log.h"
#include "sheet_window/FormDC1.h"
#include "sheet_window/document_opener.h"
#include "sheet_window/handler_guard.h"
#include "sheet_window/position_filters.h"

namespace mapsheet {

namespace {

// The national standard for the subdivision and numbering of the basic-scale topographic maps,
// in the national standards public service system.
const char* const kStandardAddress = "https://openstd.samr.gov.cn/bzgk/gb/std_list?p.p2=13989";

}  // namespace

void FormDC1::WriteBox(QLineEdit* box, const QString& text) {
    const sheet_window::ScopedCount writing(writingDepth_);
    box->setText(text);
}

QLineEdit* FormDC1::PositionBox(int code) const {
    switch (code) {
        case 11:
            return textJdD_;
        case 12:
            return textJdF_;
        case 13:
            return textJdM_;
        case 21:
            return textWdD_;
        case 22:
            return textWdF_;
        case 23:
            return textWdM_;
        default:
            return nullptr;
    }
}

QLineEdit* FormDC1::SheetNumberBox(int code) const {
    switch (code) {
        case 3:
            return textId1_;
        case 4:
            return textId2_;
        case 5:
            return textId3_;
        case 6:
            return textId4_;
        default:
            return nullptr;
    }
}

void FormDC1::OnFocusGained(int code) {
    actionCode_ = code;
    ClampSheetNumberBoxes();
}

void FormDC1::OnPositionBoxChanged(int code) {
    if (writingDepth_ > 0 || actionCode_ != code) {
        return;
    }
    QLineEdit* box = PositionBox(code);
    // A position typed by hand replaces any sheet number typed before it.
    ClearSheetNumberBoxes();
    const std::string text = box->text().toStdString();
    std::optional<std::string> filtered;
    switch (code % 10) {
        case 1:
            filtered =
                sheet_window::FilterDegrees(text, code == 11 ? sheet_window::kLongitudeDegreesLimit
                                                             : sheet_window::kLatitudeDegreesLimit);
            break;
        case 2:
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

void FormDC1::OnTitleOrNotesClicked() {
    actionCode_ = 36;
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
    sheet_window::RunGuarded([] { ModuleQmb::清除运算信息(); });
    QWidget::closeEvent(event);
}

}  // namespace mapsheet
