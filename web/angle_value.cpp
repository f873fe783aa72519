// The angle window's conversion as JavaScript values: every box's change runs the library's
// convertAngleBoxes, the same function the desktop window runs.

#include <array>
#include <sstream>
#include <string>
#include <string_view>

#include "library/angle_conversion.h"
#include "web/module_values.h"

namespace mapsheet::web {

using emscripten::val;

namespace {

struct BoxName {
    std::string_view name;
    AngleBox box;
    std::string AngleBoxTexts::*text;
};

constexpr std::array<BoxName, 7> kBoxNames{{
    {"dms-d", AngleBox::Degrees, &AngleBoxTexts::degrees},
    {"dms-m", AngleBox::Minutes, &AngleBoxTexts::minutes},
    {"dms-s", AngleBox::Seconds, &AngleBoxTexts::seconds},
    {"packed", AngleBox::Packed, &AngleBoxTexts::packed},
    {"marked", AngleBox::Marked, &AngleBoxTexts::marked},
    {"degrees", AngleBox::DecimalDegrees, &AngleBoxTexts::decimalDegrees},
    {"radians", AngleBox::Radians, &AngleBoxTexts::radians},
}};

const BoxName& boxNamedOrThrow(std::string_view name) {
    for (const BoxName& box : kBoxNames) {
        if (box.name == name) {
            return box;
        }
    }
    throwError("unknown angle box \"" + std::string(name) +
               "\": the boxes are dms-d, dms-m, dms-s, packed, marked, degrees and radians");
}

val boxesValue(const AngleConversionRun& run) {
    val value = val::object();
    for (const BoxName& box : kBoxNames) {
        value.set(std::string(box.name), run.boxes.*box.text);
    }
    value.set("fellBack", run.fellBack);
    return value;
}

}  // namespace

val angleBoxesValue(const val& boxes, const std::string& typedBox) {
    const BoxName& typed = boxNamedOrThrow(typedBox);
    AngleBoxTexts texts;
    for (const BoxName& box : kBoxNames) {
        const val text = boxes[std::string(box.name)];
        texts.*box.text = text.isString() ? text.as<std::string>() : std::string();
    }
    return boxesValue(traceAngleConversion(texts, typed.box));
}

val angleValue(const std::string& value, const std::string& form) {
    AngleBoxTexts texts;
    AngleBox typed = AngleBox::Degrees;
    if (form == "dms") {
        std::istringstream parts(value);
        if (!(parts >> texts.degrees >> texts.minutes >> texts.seconds)) {
            throwError("dms takes three values D M S, such as 45 52 56.6879");
        }
    } else {
        const BoxName& box = boxNamedOrThrow(form);
        typed = box.box;
        texts.*box.text = value;
    }
    const AngleConversionRun run = traceAngleConversion(texts, typed);
    if (run.fellBack || showsNoAngle(run.boxes, typed)) {
        throwError("\"" + value + "\" gives no angle in the form " + form);
    }
    return boxesValue(run);
}

}  // namespace mapsheet::web
