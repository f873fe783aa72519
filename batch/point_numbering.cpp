#include "batch/point_numbering.h"

namespace mapsheet::cli {

namespace {

using engine::InputErrorCode;

bool isLatitudeError(InputErrorCode code) noexcept {
    return code == InputErrorCode::LatitudeNotAnAngle ||
           code == InputErrorCode::LatitudeBeyondDecimalRange;
}

}  // namespace

InputErrorCode coordinateErrorCode(CoordinateFault fault, bool latitude) noexcept {
    if (fault == CoordinateFault::NotAnAngle) {
        return latitude ? InputErrorCode::LatitudeNotAnAngle : InputErrorCode::LongitudeNotAnAngle;
    }
    return latitude ? InputErrorCode::LatitudeBeyondDecimalRange
                    : InputErrorCode::LongitudeBeyondDecimalRange;
}

PointNumbering numberPoint(std::string_view latitude, std::string_view longitude,
                           int scale) noexcept {
    const CoordinateReading north = readCoordinate(latitude);
    if (north.fault != CoordinateFault::None) {
        return {std::nullopt, coordinateErrorCode(north.fault, true)};
    }
    const CoordinateReading east = readCoordinate(longitude);
    if (east.fault != CoordinateFault::None) {
        return {std::nullopt, coordinateErrorCode(east.fault, false)};
    }
    const std::optional<engine::Sheet> sheet = engine::sheetOf(north.degrees, east.degrees, scale);
    return {sheet, sheet ? InputErrorCode::None : InputErrorCode::PointOutsideSeries, north.degrees,
            east.degrees};
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

}  // namespace mapsheet::cli
