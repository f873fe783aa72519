#include "text/box_text.h"

#include "text/coordinate_text.h"

namespace mapsheet::text {

namespace {

// What is wrong with the box text, or None with the edges filled in.
engine::InputError readBox(std::string_view text, double (&edges)[4]) {
    static constexpr const char* kNames[] = {"south", "west", "north", "east"};
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t comma = text.find(',', start);
        if ((i < 3) == (comma == std::string_view::npos)) {
            return engine::inputError(engine::InputErrorCode::BoxNotFourValues, text);
        }
        const std::string_view piece =
            text.substr(start, i < 3 ? comma - start : std::string_view::npos);
        const CoordinateReading reading = readCoordinate(piece);
        if (reading.fault != CoordinateFault::None) {
            engine::InputError error =
                engine::inputError(reading.fault == CoordinateFault::NotAnAngle
                                       ? engine::InputErrorCode::BoxEdgeNotAnAngle
                                       : engine::InputErrorCode::BoxEdgeBeyondDecimalRange,
                                   piece);
            error.context = kNames[i];
            return error;
        }
        edges[i] = reading.degrees;
        start = comma + 1;
    }
    return engine::boxError({edges[0], edges[1], edges[2], edges[3]});
}

}  // namespace

std::optional<engine::LatLonBox> parseBox(std::string_view text, std::string& error) {
    double edges[4] = {};
    const engine::InputError problem = readBox(text, edges);
    if (!problem.empty()) {
        // The option leads the message; a box that is not four values is quoted right after it.
        error = problem.code == engine::InputErrorCode::BoxNotFourValues ? "--bbox " : "--bbox: ";
        error += engine::describeInputError(problem);
        return std::nullopt;
    }
    return engine::LatLonBox{edges[0], edges[1], edges[2], edges[3]};
}

}  // namespace mapsheet::text
