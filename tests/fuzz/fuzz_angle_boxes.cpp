// The seven-box angle conversion always returns and comes to rest: converting its result again
// leaves the typed box as it is, and, from the boxes that read nothing but their own text (and
// from TextDu when it filled the boxes), returns the result unchanged.
//
// Input: the first byte picks the typed box; the rest is split at line feeds into the seven box
// texts in the order of the box codes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "library/angle_conversion.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using namespace mapsheet;
using fuzz::check;

std::string shown(const AngleBoxTexts& boxes) {
    return "{" + boxes.degrees + " | " + boxes.minutes + " | " + boxes.seconds + " | " +
           boxes.packed + " | " + boxes.marked + " | " + boxes.decimalDegrees + " | " +
           boxes.radians + "}";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto box = static_cast<AngleBox>(1 + data[0] % 7);
    std::string_view rest = fuzz::textOf(data + 1, size - 1);
    AngleBoxTexts before;
    for (int code = 1; code <= 7 && !rest.empty(); ++code) {
        const std::size_t end = rest.find('\n');
        boxText(before, static_cast<AngleBox>(code)) = std::string(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }

    const AngleConversionRun run = traceAngleConversion(before, box);
    const std::string context = "typed in box " + std::to_string(static_cast<int>(box)) + ": " +
                                shown(before) + " -> " + shown(run.boxes);
    check(run.settled, "the conversion settles", context);
    AngleBoxTexts result = run.boxes;
    AngleBoxTexts again = convertAngleBoxes(result, box);
    check(boxText(again, box) == boxText(result, box), "the typed box is at rest",
          context + " -> " + shown(again));
    AngleBoxTexts emptied;
    boxText(emptied, box) = boxText(result, box);
    const bool readsOnlyItsOwnBox =
        box != AngleBox::Degrees && box != AngleBox::Minutes && box != AngleBox::Seconds;
    if (readsOnlyItsOwnBox || (box == AngleBox::Degrees && !(result == emptied))) {
        check(again == result, "converting the result again changes nothing",
              context + " -> " + shown(again));
    }
    return 0;
}
