#include "web/module_values.h"

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "engine/input_error.h"
#include "engine/scale_catalogue.h"
#include "engine/scale_names.h"
#include "engine/sheet_area.h"
#include "engine/sheet_id.h"
#include "engine/sheet_number_parse.h"
#include "engine/sheet_or_id.h"
#include "library/double_text.h"

namespace mapsheet::web {

using emscripten::val;

namespace {

std::string trimmedCaption(int scaleIndex) {
    std::string_view caption =
        engine::kScaleCatalogue[static_cast<std::size_t>(scaleIndex)].caption;
    while (!caption.empty() && caption.front() == ' ') {
        caption.remove_prefix(1);
    }
    return std::string(caption);
}

val textOrNull(const engine::InlineText& text) {
    return text.empty() ? val::null() : val(std::string(text.view()));
}

val edges(double south, double west, double north, double east) {
    val box = val::object();
    box.set("south", south);
    box.set("west", west);
    box.set("north", north);
    box.set("east", east);
    return box;
}

std::string dms(std::int32_t units) {
    return std::string(engine::unitsAsDms(units).view());
}

}  // namespace

void throwError(const std::string& message) {
    throw BadArgument(message);
}

int scaleIndexOrThrow(const val& scale) {
    if (scale.isNumber()) {
        const double denominator = scale.as<double>();
        if (const std::optional<int> index = engine::scaleOfDenominator(denominator)) {
            return *index;
        }
        throwError("unknown " + engine::describeInputError(engine::inputError(
                                    engine::InputErrorCode::UnknownScaleDenominator,
                                    shortestText(denominator))));
    }
    const std::string written = scale.isString() ? scale.as<std::string>() : std::string();
    if (const std::optional<int> index = engine::parseScale(written)) {
        return *index;
    }
    throwError("unknown " + engine::describeInputError(
                                engine::inputError(engine::InputErrorCode::UnknownScale, written)));
}

engine::Sheet sheetOfTextOrThrow(const std::string& text) {
    const engine::ParsedSheet parsed = engine::parseSheetOrId(text);
    if (!parsed.sheet) {
        throwError(engine::describeInputError(parsed.error));
    }
    return *parsed.sheet;
}

val sheetValue(const engine::Sheet& sheet) {
    const engine::DegreeBounds bounds = engine::degreeBounds(sheet);
    const engine::UnitBounds units = engine::unitBounds(sheet);
    val value = val::object();
    value.set("scale", engine::scaleRatioText(sheet.scale));
    value.set("scaleName", trimmedCaption(sheet.scale));
    value.set("number", textOrNull(engine::newNumber(sheet)));
    value.set("oldNumber", textOrNull(engine::oldNumber(sheet)));
    value.set("bounds", edges(bounds.south, bounds.west, bounds.north, bounds.east));
    val boundsDms = val::object();
    boundsDms.set("south", dms(units.south));
    boundsDms.set("west", dms(units.west));
    boundsDms.set("north", dms(units.north));
    boundsDms.set("east", dms(units.east));
    value.set("boundsDms", boundsDms);
    val centre = val::object();
    // The mean of two edges on the 1/8-second lattice is exact in units before the division.
    centre.set("lat",
               (static_cast<double>(units.south) + units.north) / 2 / engine::kUnitsPerDegree);
    centre.set("lon", (static_cast<double>(units.west) + units.east) / 2 / engine::kUnitsPerDegree);
    value.set("centre", centre);
    value.set("area", engine::sheetArea(sheet));
    value.set("id", static_cast<double>(engine::sheetToId(sheet)));
    return value;
}

val scalesValue() {
    val list = val::array();
    for (int i = 0; i < engine::kScaleCount; ++i) {
        const engine::ScaleRow& row = engine::kScaleCatalogue[static_cast<std::size_t>(i)];
        val scale = val::object();
        scale.set("value", engine::scaleRatioText(i));
        scale.set("name", trimmedCaption(i));
        scale.set("letter", std::string(row.letter));
        scale.set("hasOldNumber", row.hasOldNumber);
        val notes = val::array();
        notes.call<void>("push", std::string(row.note1));
        notes.call<void>("push", std::string(row.note2));
        scale.set("notes", notes);
        scale.set("standardLine", std::string(row.standardLine));
        scale.set("example", std::string(row.example));
        list.call<void>("push", scale);
    }
    return list;
}

}  // namespace mapsheet::web
