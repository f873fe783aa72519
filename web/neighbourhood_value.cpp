// The sheet window's neighbourhood and position boxes as JavaScript values: the same engine
// calls, grid and filters as sheet_window/, so the page and the window never disagree.

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "batch/point_numbering.h"
#include "engine/sheet_engine.h"
#include "sheet_window/angle_text.h"
#include "sheet_window/decimal_degrees.h"
#include "sheet_window/neighbourhood.h"
#include "sheet_window/position_filters.h"
#include "text/box_text.h"
#include "text/point_line.h"
#include "web/module_values.h"

namespace mapsheet::web {

using emscripten::val;

namespace {

// A grid-line coordinate as the window writes it, or "" beyond the poles or the antimeridian.
std::string lineText(double degrees, double limit) {
    return degrees < -limit || degrees > limit ? std::string() : sheet_window::MarkedText(degrees);
}

val boxTexts(double degrees) {
    const sheet_window::AngleBoxTexts boxes =
        sheet_window::SplitMarkedText(sheet_window::MarkedText(degrees));
    val value = val::object();
    value.set("d", boxes.degrees);
    value.set("m", boxes.minutes);
    value.set("s", boxes.seconds);
    return value;
}

val pointValue(double latitude, double longitude) {
    val point = val::object();
    point.set("lat", latitude);
    point.set("lon", longitude);
    return point;
}

val stepValue(const sheet_window::GridLines& grid, sheet_window::StepDirection direction) {
    if (sheet_window::AtStepLimit(grid, direction)) {
        return val::null();
    }
    const sheet_window::CellPoint next = sheet_window::SteppedPoint(grid, direction);
    return pointValue(next.latitude, next.longitude);
}

val numberOrEmpty(engine::SheetEngine& engine, const sheet_window::CellPoint& point,
                  bool newNumbering) {
    return val(engine.SheetNumber(point.latitude, point.longitude, newNumbering));
}

}  // namespace

val neighbourhoodValue(double latitude, double longitude, const val& scale) {
    engine::SheetEngine engine;
    engine.SelectScale(scaleIndexOrThrow(scale));
    const std::optional<sheet_window::GridLines> grid =
        sheet_window::ComputeGridLines(engine, latitude, longitude);
    if (!grid) {
        return val::null();
    }
    val value = val::object();
    val cells = val::array();
    for (const sheet_window::CellPoint& point : sheet_window::CellPoints(*grid)) {
        val cell = val::object();
        cell.set("number", numberOrEmpty(engine, point, true));
        cell.set("oldNumber", numberOrEmpty(engine, point, false));
        cells.call<void>("push", cell);
    }
    value.set("cells", cells);
    val latitudes = val::array();
    val longitudes = val::array();
    val latitudeLines = val::array();
    val longitudeLines = val::array();
    for (int i = 0; i < 4; ++i) {
        latitudes.call<void>("push", lineText(grid->latitudeLines[i], 90));
        longitudes.call<void>("push", lineText(grid->longitudeLines[i], 180));
        latitudeLines.call<void>("push", grid->latitudeLines[i]);
        longitudeLines.call<void>("push", grid->longitudeLines[i]);
    }
    value.set("latitudes", latitudes);
    value.set("longitudes", longitudes);
    value.set("latitudeLines", latitudeLines);
    value.set("longitudeLines", longitudeLines);
    val centre = pointValue(grid->centreLatitude, grid->centreLongitude);
    centre.set("latBoxes", boxTexts(grid->centreLatitude));
    centre.set("lonBoxes", boxTexts(grid->centreLongitude));
    value.set("centre", centre);
    val steps = val::object();
    steps.set("north", stepValue(*grid, sheet_window::StepDirection::Up));
    steps.set("south", stepValue(*grid, sheet_window::StepDirection::Down));
    steps.set("west", stepValue(*grid, sheet_window::StepDirection::Left));
    steps.set("east", stepValue(*grid, sheet_window::StepDirection::Right));
    value.set("steps", steps);
    return value;
}

val filterPositionBox(const std::string& box, const std::string& text) {
    const bool latitude = box.starts_with("lat");
    const int limit =
        latitude ? sheet_window::kLatitudeDegreesLimit : sheet_window::kLongitudeDegreesLimit;
    std::optional<std::string> filtered;
    std::string fault;
    if (text.find_first_not_of(" +-.0123456789") != std::string::npos) {
        fault = "只能输入数字：“" + text + "”中有别的字符";
    }
    if (box.ends_with("-d")) {
        filtered = sheet_window::FilterDegrees(text, limit);
        if (fault.empty() && filtered && *filtered != text) {
            fault = std::string(latitude ? "纬度" : "经度") + "须在 -" + std::to_string(limit) +
                    "° 至 " + std::to_string(limit) + "° 之间";
        }
    } else if (box.ends_with("-m")) {
        filtered = sheet_window::FilterMinutes(text);
        if (fault.empty() && filtered && *filtered != text) {
            fault = "分须在 0 至 59 之间";
        }
    } else {
        filtered = sheet_window::FilterSeconds(text);
    }
    val value = val::object();
    value.set("text", filtered.value_or(text));
    value.set("fault", fault);
    return value;
}

val readPosition(const std::string& text) {
    const std::optional<text::PointFields> fields = text::splitPointLine(text);
    if (!fields) {
        throwError(
            "expected a latitude and a longitude, such as 39.9042 116.4074 or "
            "39°54′15″,116°24′27″");
    }
    const batch::PointNumbering numbering =
        batch::numberPoint(fields->latitude, fields->longitude, 0);
    if (batch::coordinateUnread(numbering)) {
        std::string message;
        batch::appendPointError(message, numbering, fields->latitude, fields->longitude);
        throwError(message);
    }
    return pointValue(numbering.latitude, numbering.longitude);
}

val readBox(const std::string& text) {
    // Without commas, runs of blanks separate the edges where --bbox takes commas.
    std::string commas = text;
    if (text.find(',') == std::string::npos) {
        commas.clear();
        for (std::size_t at = text.find_first_not_of(" \t"); at != std::string::npos;) {
            const std::size_t end = std::min(text.find_first_of(" \t", at), text.size());
            commas += (commas.empty() ? "" : ",") + text.substr(at, end - at);
            at = text.find_first_not_of(" \t", end);
        }
    }
    std::string error;
    const std::optional<engine::LatLonBox> box = text::parseBox(commas, error);
    if (!box) {
        throwError(error);
    }
    val value = val::object();
    value.set("south", box->south);
    value.set("west", box->west);
    value.set("north", box->north);
    value.set("east", box->east);
    return value;
}

double degreesFromBoxes(const std::string& degrees, const std::string& minutes,
                        const std::string& seconds, bool latitude) {
    const int limit =
        latitude ? sheet_window::kLatitudeDegreesLimit : sheet_window::kLongitudeDegreesLimit;
    if (const std::optional<sheet_window::SplitDegrees> split =
            sheet_window::SplitDecimalDegrees(degrees, limit)) {
        return sheet_window::DegreesFromBoxes(split->degrees, split->minutes.value_or(minutes),
                                              split->seconds.value_or(seconds));
    }
    return sheet_window::DegreesFromBoxes(degrees, minutes, seconds);
}

}  // namespace mapsheet::web
