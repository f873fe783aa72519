#pragma once

// The JavaScript values the module hands back, and the argument readers it shares.
//
// Errors: a reader that meets a bad argument throws BadArgument with a message naming the
// fault; the bindings (module.cpp) turn it into a returned {error: message}, which the module's
// JavaScript wrapper (module_post.js) throws as an Error. No C++ exception leaves the module.

#include <emscripten/val.h>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "engine/sheet.h"

namespace mapsheet::web {

// The most sheets one call lists (cover, children); a larger result is refused with its count.
inline constexpr std::uint64_t kMaxListedSheets = 100000;

struct BadArgument : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void throwError(const std::string& message);

// The scale index 0..11 of a JavaScript scale: a denominator (50000) or any text parseScale
// reads ("1:50000", "1:5万", "E").
int scaleIndexOrThrow(const emscripten::val& scale);

// The sheet of a written number of either numbering, or of an id (digits alone, sheet_id.h).
engine::Sheet sheetOfTextOrThrow(const std::string& text);

// {scale: "1:50000", scaleName: "1:5万", number, oldNumber (null where the scale has none),
//  bounds: {south, west, north, east}, boundsDms: {...} as D°M′S″, centre: {lat, lon},
//  area: square metres on CGCS2000, id}.
emscripten::val sheetValue(const engine::Sheet& sheet);

// The twelve scales from 1:1,000,000: {value: "1:1000000", name: "1:100万", letter,
// hasOldNumber, notes: [two lines], standardLine, example, heightDms, widthDms}.
emscripten::val scalesValue();

// The 3 x 3 neighbourhood as the sheet window shows it (neighbourhood_value.cpp).
emscripten::val neighbourhoodValue(double latitude, double longitude, const emscripten::val& scale);

// One position box of the window after typing: {text: the filtered text, fault: "" or why the
// typed text is wrong}. box is "lat-d", "lat-m", "lat-s", "lon-d", "lon-m" or "lon-s".
emscripten::val filterPositionBox(const std::string& box, const std::string& text);

// The one text of both coordinates, latitude first, in every form mapsheet-cli number reads
// ("39.9042 116.4074", "39.9042,116.4074", "39°54′15″ 116°24′27″"): {lat, lon}.
emscripten::val readPosition(const std::string& text);

// A box "SOUTH,WEST,NORTH,EAST" as the cover command's --bbox reads it (blanks may stand for
// the commas): {south, west, north, east}.
emscripten::val readBox(const std::string& text);

// Decimal degrees of three boxes, a degrees box holding decimals split first as the window does.
double degreesFromBoxes(const std::string& degrees, const std::string& minutes,
                        const std::string& seconds, bool latitude);

// The angle window's conversion (angle_value.cpp): the seven box texts after the box typed in
// ("dms-d", "dms-m", "dms-s", "packed", "marked", "degrees", "radians") changed.
emscripten::val angleBoxesValue(const emscripten::val& boxes, const std::string& typedBox);

// One angle in the five forms: value typed into the box of its form ("dms" is "D M S").
emscripten::val angleValue(const std::string& value, const std::string& form);

}  // namespace mapsheet::web
