#include "text/box_text.h"

#include "library/quoted_excerpt.h"
#include "text/coordinate_text.h"

namespace mapsheet::cli {

std::optional<engine::LatLonBox> parseBox(std::string_view text, std::string& error) {
    static constexpr const char* kNames[] = {"south", "west", "north", "east"};
    double edges[4];
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t comma = text.find(',', start);
        if ((i < 3) == (comma == std::string_view::npos)) {
            error = "--bbox " + text::singleQuotedExcerpt(text) +
                    ": expected four values SOUTH,WEST,NORTH,EAST separated by commas";
            return std::nullopt;
        }
        const std::string_view piece =
            text.substr(start, i < 3 ? comma - start : std::string_view::npos);
        const CoordinateReading reading = readCoordinate(piece);
        if (reading.fault != CoordinateFault::None) {
            error = "--bbox: " + std::string(kNames[i]) + " " + text::singleQuotedExcerpt(piece) +
                    ": " + std::string(coordinateFaultText(reading.fault));
            return std::nullopt;
        }
        edges[i] = reading.degrees;
        start = comma + 1;
    }
    const engine::LatLonBox box{edges[0], edges[1], edges[2], edges[3]};
    error = engine::boxError(box);
    if (!error.empty()) {
        error = "--bbox: " + error;
        return std::nullopt;
    }
    return box;
}

}  // namespace mapsheet::cli
