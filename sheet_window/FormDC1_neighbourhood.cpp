// The neighbourhood display: the convert button, the four step buttons, and the nine cells with
// their separator lines and grid-line coordinates.

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "library/diagnostics_log.h"
#include "sheet_window/FormDC1.h"
#include "sheet_window/angle_text.h"

namespace mapsheet {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

std::string BoxText(const QLineEdit* box) {
    return box->text().toStdString();
}

// The cells on either side of each separator line, in the order LineA1, LineB1, LineA2,
// LineB2, LineA3, LineB3, LineC1..3, LineD1..3 (cells 1..9 at index 0..8).
constexpr int kSeparatedCells[12][2] = {{0, 1}, {1, 2}, {3, 4}, {4, 5}, {6, 7}, {7, 8},
                                        {0, 3}, {1, 4}, {2, 5}, {3, 6}, {4, 7}, {5, 8}};

// A grid-line coordinate, or nothing for a line beyond the poles or the antimeridian.
QString CoordinateText(double degrees, double limit) {
    if (degrees < -limit || degrees > limit) {
        return {};
    }
    return Text(sheet_window::MarkedText(degrees));
}

}  // namespace

void FormDC1::OnConvertClicked() {
    ModuleQmb::清除运算信息();
    actionCode_ = ActionCode::Convert;
    ClampSheetNumberBoxes();
    SplitDecimalDegrees(ActionCode::LatitudeDegrees);
    SplitDecimalDegrees(ActionCode::LongitudeDegrees);
    const double latitude =
        sheet_window::DegreesFromBoxes(BoxText(textWdD_), BoxText(textWdF_), BoxText(textWdM_));
    const double longitude =
        sheet_window::DegreesFromBoxes(BoxText(textJdD_), BoxText(textJdF_), BoxText(textJdM_));
    ShowNeighbourhood(latitude, longitude);
}

void FormDC1::OnStepClicked(StepDirection direction) {
    ModuleQmb::清除运算信息();
    struct Step {
        ActionCode code;
        QPushButton* self;
        QPushButton* opposite;
    };
    const Step step =
        direction == StepDirection::Down    ? Step{ActionCode::StepDown, dcButDown_, dcButUp_}
        : direction == StepDirection::Left  ? Step{ActionCode::StepLeft, dcButLeft_, dcButRight_}
        : direction == StepDirection::Right ? Step{ActionCode::StepRight, dcButRight_, dcButLeft_}
                                            : Step{ActionCode::StepUp, dcButUp_, dcButDown_};
    actionCode_ = step.code;
    ClearSheetNumberBoxes();
    if (!grid_) {
        return;
    }
    if (sheet_window::AtStepLimit(*grid_, direction)) {
        step.self->setEnabled(false);
        step.opposite->setEnabled(true);
        return;
    }
    step.opposite->setEnabled(true);
    const sheet_window::CellPoint next = sheet_window::SteppedPoint(*grid_, direction);
    currentLatitude_ = next.latitude;
    currentLongitude_ = next.longitude;
    ShowNeighbourhood(next.latitude, next.longitude);
}

bool FormDC1::ShowNeighbourhood(double latitude, double longitude) {
    try {
        const std::optional<sheet_window::GridLines> grid =
            sheet_window::ComputeGridLines(engine_, latitude, longitude);
        if (!grid) {
            return false;
        }
        grid_ = grid;
        currentLatitude_ = grid->centreLatitude;
        currentLongitude_ = grid->centreLongitude;

        const std::array<sheet_window::CellPoint, 9> cells = sheet_window::CellPoints(*grid);
        for (int k = 0; k < 9; ++k) {
            labXin_[k]->setText(
                Text(engine_.SheetNumber(cells[k].latitude, cells[k].longitude, true)));
            labOld_[k]->setText(
                Text(engine_.SheetNumber(cells[k].latitude, cells[k].longitude, false)));
        }
        for (int i = 0; i < 12; ++i) {
            const auto [a, b] = kSeparatedCells[i];
            separatorLines_[i]->setVisible(labXin_[a]->text() != labXin_[b]->text());
        }
        for (int i = 0; i < 4; ++i) {
            labWeiDu_[i]->setText(CoordinateText(grid->latitudeLines[i], 90));
            labJingDu_[i]->setText(CoordinateText(grid->longitudeLines[i], 180));
        }

        const sheet_window::AngleBoxTexts latitudeBoxes =
            sheet_window::SplitMarkedText(sheet_window::MarkedText(currentLatitude_));
        const sheet_window::AngleBoxTexts longitudeBoxes =
            sheet_window::SplitMarkedText(sheet_window::MarkedText(currentLongitude_));
        if (latitudeBoxes.degrees.empty() || longitudeBoxes.degrees.empty()) {
            return false;
        }
        WriteBox(textWdD_, Text(latitudeBoxes.degrees));
        WriteBox(textWdF_, Text(latitudeBoxes.minutes));
        WriteBox(textWdM_, Text(latitudeBoxes.seconds));
        WriteBox(textJdD_, Text(longitudeBoxes.degrees));
        WriteBox(textJdF_, Text(longitudeBoxes.minutes));
        WriteBox(textJdM_, Text(longitudeBoxes.seconds));
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace mapsheet
