// The JavaScript module `mapsheet`: thin embind bindings of the engine and the library.
//
// Every rule (sheet lines, both numberings, neighbour stepping, scale notes, angle forms, the
// reading of typed numbers) is the C++ one; these functions only read their arguments, call it
// and hand back plain JavaScript values.
//
// Scales are given as the select's values "1:50000", any spelling parseScale takes ("1:5万",
// "E", "50,000") or the denominator as a number (50000). A point without a sheet gives null.
// Bad arguments (an unknown scale, a malformed sheet number, an illegal box, a cover over the
// limit) throw a JavaScript Error whose message names the fault; the page catches it and shows
// the message beside the box.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "engine/scale_catalogue.h"
#include "engine/scale_names.h"
#include "engine/sheet.h"
#include "engine/sheet_cover.h"
#include "engine/sheet_number_parse.h"
#include "web/module_values.h"

namespace mapsheet::web {

namespace {

using emscripten::val;

val numberOfPoint(double latitude, double longitude, const val& scale, bool newNumbering) {
    const std::optional<engine::Sheet> sheet =
        engine::sheetOf(latitude, longitude, scaleIndexOrThrow(scale));
    if (!sheet) {
        return val::null();
    }
    const engine::InlineText text =
        newNumbering ? engine::newNumber(*sheet) : engine::oldNumber(*sheet);
    return text.empty() ? val::null() : val(std::string(text.view()));
}

val number(double latitude, double longitude, const val& scale) {
    return numberOfPoint(latitude, longitude, scale, true);
}

val oldNumber(double latitude, double longitude, const val& scale) {
    return numberOfPoint(latitude, longitude, scale, false);
}

// New numbers of many points at once, joined in C++ and split once in JavaScript: one string
// conversion for the whole batch instead of one per point. A point without a sheet gives "".
val numberMany(const val& latitudes, const val& longitudes, const val& scale) {
    const int scaleIndex = scaleIndexOrThrow(scale);
    const std::vector<double> lat = emscripten::convertJSArrayToNumberVector<double>(latitudes);
    const std::vector<double> lon = emscripten::convertJSArrayToNumberVector<double>(longitudes);
    if (lat.size() != lon.size()) {
        throwError("numberMany: " + std::to_string(lat.size()) + " latitudes but " +
                   std::to_string(lon.size()) + " longitudes");
    }
    std::string joined;
    joined.reserve(lat.size() * 13);
    for (std::size_t i = 0; i < lat.size(); ++i) {
        if (i != 0) {
            joined.push_back('\n');
        }
        if (const std::optional<engine::Sheet> sheet = engine::sheetOf(lat[i], lon[i], scaleIndex)) {
            joined.append(engine::newNumber(*sheet).view());
        }
    }
    if (lat.empty()) {
        return val::array();
    }
    return val(joined).call<val>("split", val("\n"));
}

val sheet(const std::string& text) {
    return sheetValue(sheetOfTextOrThrow(text));
}

val parent(const std::string& text, const val& scale) {
    const engine::Sheet child = sheetOfTextOrThrow(text);
    const int coarser = scaleIndexOrThrow(scale);
    if (engine::divisionRatio(coarser, child.scale) == 0) {
        return val::null();
    }
    const std::optional<engine::Sheet> found = engine::containing(child, coarser);
    return found ? sheetValue(*found) : val::null();
}

val children(const std::string& text, const val& scale) {
    const engine::Sheet parentSheet = sheetOfTextOrThrow(text);
    const int finer = scaleIndexOrThrow(scale);
    const int ratio = engine::divisionRatio(parentSheet.scale, finer);
    if (ratio == 0) {
        return val::null();
    }
    if (static_cast<std::uint64_t>(ratio) * ratio > kMaxListedSheets) {
        throwError("children: " + std::to_string(std::int64_t{ratio} * ratio) +
                   " sheets, more than " + std::to_string(kMaxListedSheets));
    }
    val list = val::array();
    for (int row = 0; row < ratio; ++row) {
        for (int column = 0; column < ratio; ++column) {
            list.call<void>("push", sheetValue(engine::childAt(parentSheet, finer, row, column)));
        }
    }
    return list;
}

engine::LatLonBox boxOrThrow(double south, double west, double north, double east) {
    const engine::LatLonBox box{south, west, north, east};
    if (const std::string error = engine::boxError(box); !error.empty()) {
        throwError(error);
    }
    return box;
}

val coverCount(double south, double west, double north, double east, const val& scale) {
    const engine::SheetCover cover(boxOrThrow(south, west, north, east), scaleIndexOrThrow(scale));
    return val(static_cast<double>(cover.count()));
}

// The sheets of the cover, counted first: a cover over kMaxListedSheets is refused with its count.
val cover(double south, double west, double north, double east, const val& scale) {
    engine::SheetCover cover(boxOrThrow(south, west, north, east), scaleIndexOrThrow(scale));
    const std::uint64_t count = cover.count();
    if (count > kMaxListedSheets) {
        throwError("the box holds " + std::to_string(count) + " sheets, more than " +
                   std::to_string(kMaxListedSheets));
    }
    val list = val::array();
    while (const std::optional<engine::Sheet> next = cover.next()) {
        list.call<void>("push", sheetValue(*next));
    }
    return list;
}

// A binding that hands a fault back as {error: message} instead of letting a C++ exception
// reach JavaScript; module_post.js throws it there as an Error.
template <auto function>
struct Guarded;

template <typename Result, typename... Arguments, Result (*function)(Arguments...)>
struct Guarded<function> {
    static val call(Arguments... arguments) {
        try {
            return val(function(arguments...));
        } catch (const std::exception& fault) {
            val error = val::object();
            error.set("error", std::string(fault.what()));
            return error;
        }
    }
};

}  // namespace

}  // namespace mapsheet::web

EMSCRIPTEN_BINDINGS(mapsheet) {
    using namespace mapsheet::web;
    emscripten::function("number", &Guarded<&number>::call);
    emscripten::function("oldNumber", &Guarded<&oldNumber>::call);
    emscripten::function("numberMany", &Guarded<&numberMany>::call);
    emscripten::function("sheet", &Guarded<&sheet>::call);
    emscripten::function("parent", &Guarded<&parent>::call);
    emscripten::function("children", &Guarded<&children>::call);
    emscripten::function("coverCount", &Guarded<&coverCount>::call);
    emscripten::function("cover", &Guarded<&cover>::call);
    emscripten::function("neighbourhood", &Guarded<&neighbourhoodValue>::call);
    emscripten::function("positionBox", &Guarded<&filterPositionBox>::call);
    emscripten::function("degreesFromBoxes", &Guarded<&degreesFromBoxes>::call);
    emscripten::function("angle", &Guarded<&angleValue>::call);
    emscripten::function("angleBoxes", &Guarded<&angleBoxesValue>::call);
    emscripten::function("scales", &Guarded<&scalesValue>::call);
}
