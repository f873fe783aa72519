// The CLI's reading of point input: the line reader gives the lines std::getline gives, a
// line's two fields lie inside it, reading an angle never throws, and every point read has the
// sheets sheet_checks.h asks for.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "batch/input_lines.h"
#include "tests/fuzz/sheet_checks.h"
#include "text/coordinate_text.h"
#include "text/point_line.h"

namespace {

using namespace mapsheet;
using fuzz::check;

bool inside(std::string_view part, std::string_view whole) {
    return part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(fuzz::textOf(data, size));
    std::vector<std::string> expected;
    {
        std::istringstream in(input);
        std::string line;
        while (std::getline(in, line)) {
            expected.push_back(line);
        }
    }
    std::istringstream in(input);
    batch::InputLines lines(in);
    std::size_t count = 0;
    while (const auto line = lines.next()) {
        check(count < expected.size() && *line == expected[count],
              "the line reader gives the lines std::getline gives", *line);
        ++count;
        if (text::isBlankLine(*line)) {
            continue;
        }
        const auto fields = text::splitPointLine(*line);
        if (!fields) {
            continue;
        }
        check(!fields->latitude.empty() && !fields->longitude.empty() &&
                  inside(fields->latitude, *line) && inside(fields->longitude, *line),
              "the two fields are non-empty parts of the line", *line);
        const text::CoordinateReading latitude = text::readCoordinate(fields->latitude);
        const text::CoordinateReading longitude = text::readCoordinate(fields->longitude);
        if (latitude.fault == text::CoordinateFault::None &&
            longitude.fault == text::CoordinateFault::None) {
            fuzz::checkSheetsOfPoint(latitude.degrees, longitude.degrees);
        }
    }
    check(count == expected.size() && lines.readError().empty(),
          "the line reader gives every line and no read error", input);
    return 0;
}
