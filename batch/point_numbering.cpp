#include "batch/point_numbering.h"

namespace mapsheet::batch {

namespace {

using engine::InputErrorCode;

bool isLatitudeError(InputErrorCode code) noexcept {
    return code == InputErrorCode::LatitudeNotAnAngle ||
           code == InputErrorCode::LatitudeBeyondDecimalRange;
}

}  // namespace

InputErrorCode coordinateErrorCode(text::CoordinateFault fault, bool latitude) noexcept {
    if (fault == text::CoordinateFault::NotAnAngle) {
        return latitude ? InputErrorCode::LatitudeNotAnAngle : InputErrorCode::LongitudeNotAnAngle;
    }
    return latitude ? InputErrorCode::LatitudeBeyondDecimalRange
                    : InputErrorCode::LongitudeBeyondDecimalRange;
}

void appendPointError(std::string& message, const PointNumbering& numbering,
                      std::string_view latitude, std::string_view longitude) {
    if (numbering.error == InputErrorCode::None) {
        return;
    }
    const std::string_view piece = numbering.error == InputErrorCode::PointOutsideSeries
                                       ? std::string_view{}
                                   : isLatitudeError(numbering.error) ? latitude
                                                                      : longitude;
    message.append(engine::describeInputError(engine::inputError(numbering.error, piece)));
}

}  // namespace mapsheet::batch
