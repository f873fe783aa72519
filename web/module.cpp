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

#include "engine/sheet.h"
#include "engine/sheet_cover.h"
#include "engine/sheet_hierarchy.h"
#include "engine/sheet_id.h"
#include "library/quoted_excerpt.h"
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

// New numbers of many points at once, joined in C++ and split once in JavaScript: one text
// for the whole batch instead of one string conversion per point. A point without a sheet
// gives "".
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
        if (const std::optional<engine::Sheet> sheet =
                engine::sheetOf(lat[i], lon[i], scaleIndex)) {
            joined.append(engine::newNumber(*sheet).view());
        }
    }
    if (lat.empty()) {
        return val::array();
    }
    // TextDecoder reads the bytes straight from the module's memory.
    const val bytes(emscripten::typed_memory_view(joined.size(), joined.data()));
    return val::global("TextDecoder")
        .new_()
        .call<val>("decode", bytes)
        .call<val>("split", val("\n"));
}

val sheet(const std::string& text) {
    return sheetValue(sheetOfTextOrThrow(text));
}

val sheetId(const std::string& text) {
    return val(static_cast<double>(engine::sheetToId(sheetOfTextOrThrow(text))));
}

val neighbours(const std::string& text, int rings) {
    if (rings < 1 || rings > engine::kMaxRings) {
        throwError("rings " + std::to_string(rings) + ": from 1 to " +
                   std::to_string(engine::kMaxRings));
    }
    const std::vector<engine::RingSheet> found =
        engine::neighbours(sheetOfTextOrThrow(text), rings);
    if (found.size() > kMaxListedSheets) {
        throwError(std::to_string(found.size()) + " sheets, more than " +
                   std::to_string(kMaxListedSheets));
    }
    val list = val::array();
    for (const engine::RingSheet& ringSheet : found) {
        val value = sheetValue(ringSheet.sheet);
        value.set("ring", ringSheet.ring);
        list.call<void>("push", value);
    }
    return list;
}

val parent(const std::string& text, const val& scale) {
    const std::optional<engine::Sheet> found =
        engine::parentOf(sheetOfTextOrThrow(text), scaleIndexOrThrow(scale));
    return found ? sheetValue(*found) : val::null();
}

// The sheets of a cover, counted first: one over kMaxListedSheets is refused with its count.
val listed(engine::SheetCover sheets) {
    const std::uint64_t count = sheets.count();
    if (count > kMaxListedSheets) {
        throwError(std::to_string(count) + " sheets, more than " +
                   std::to_string(kMaxListedSheets));
    }
    val list = val::array();
    while (const std::optional<engine::Sheet> next = sheets.next()) {
        list.call<void>("push", sheetValue(*next));
    }
    return list;
}

val children(const std::string& text, const val& scale) {
    return listed(engine::childrenOf(sheetOfTextOrThrow(text), scaleIndexOrThrow(scale)));
}

engine::CoverMode modeOrThrow(const std::string& name) {
    const std::optional<engine::CoverMode> mode = engine::coverModeFromName(name);
    if (!mode) {
        std::string message = "cover mode ";
        text::appendQuotedExcerpt(message, name);
        throwError(message + ": meets, centre or within");
    }
    return *mode;
}

engine::SheetCover coverOrThrow(double south, double west, double north, double east,
                                const val& scale, const std::string& mode) {
    const engine::LatLonBox box{south, west, north, east};
    if (const engine::InputError error = engine::boxError(box); !error.empty()) {
        throwError(engine::describeInputError(error));
    }
    return engine::SheetCover(box, scaleIndexOrThrow(scale), modeOrThrow(mode));
}

val coverCount(double south, double west, double north, double east, const val& scale,
               const std::string& mode) {
    return val(static_cast<double>(coverOrThrow(south, west, north, east, scale, mode).count()));
}

val cover(double south, double west, double north, double east, const val& scale,
          const std::string& mode) {
    return listed(coverOrThrow(south, west, north, east, scale, mode));
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
    emscripten::function("sheetId", &Guarded<&sheetId>::call);
    emscripten::function("neighbours", &Guarded<&neighbours>::call);
    emscripten::function("parent", &Guarded<&parent>::call);
    emscripten::function("children", &Guarded<&children>::call);
    emscripten::function("coverCount", &Guarded<&coverCount>::call);
    emscripten::function("cover", &Guarded<&cover>::call);
    emscripten::function("neighbourhood", &Guarded<&neighbourhoodValue>::call);
    emscripten::function("positionBox", &Guarded<&filterPositionBox>::call);
    emscripten::function("readPosition", &Guarded<&readPosition>::call);
    emscripten::function("readBox", &Guarded<&readBox>::call);
    emscripten::function("degreesFromBoxes", &Guarded<&degreesFromBoxes>::call);
    emscripten::function("angle", &Guarded<&angleValue>::call);
    emscripten::function("angleBoxes", &Guarded<&angleBoxesValue>::call);
    emscripten::function("scales", &Guarded<&scalesValue>::call);
}
