#include "batch/sheet_records.h"

#include <array>

#include "engine/scale_names.h"
#include "engine/sheet.h"
#include "engine/sheet_area.h"
#include "engine/sheet_id.h"
#include "text/csv.h"
#include "text/degree_text.h"
#include "text/fixed_decimals.h"
#include "text/json_text.h"

namespace mapsheet::batch {

namespace {

constexpr int kScaleCount = 12;
constexpr int kAreaDecimals = 3;  // square millimetres

struct Edge {
    std::string_view name;
    std::int32_t units;
};

std::array<Edge, 4> edgesOf(const engine::Sheet& sheet) {
    const engine::UnitBounds bounds = engine::unitBounds(sheet);
    return {{{"south", bounds.south},
             {"west", bounds.west},
             {"north", bounds.north},
             {"east", bounds.east}}};
}

}  // namespace

std::string_view scaleRatio(int scale) {
    static const std::array<std::string, kScaleCount> ratios = [] {
        std::array<std::string, kScaleCount> texts;
        for (int i = 0; i < kScaleCount; ++i) {
            texts[static_cast<std::size_t>(i)] = engine::scaleRatioText(i);
        }
        return texts;
    }();
    return scale >= 0 && scale < kScaleCount
               ? std::string_view(ratios[static_cast<std::size_t>(scale)])
               : std::string_view();
}

void appendSheetCsvError(std::string& csv, std::string_view input, std::string_view error) {
    text::appendCsvField(csv, input);
    csv.append(",,,,,,,,");
    text::appendCsvField(csv, error);
    csv.append(",,\n");
}

void appendSheetCsvRecord(std::string& csv, std::string_view input,
                          const engine::ParsedSheet& parsed) {
    if (!parsed.sheet) {
        appendSheetCsvError(csv, input, engine::describeInputError(parsed.error));
        return;
    }
    const engine::Sheet& sheet = *parsed.sheet;
    text::appendCsvField(csv, input);
    csv.push_back(',');
    csv.append(scaleRatio(sheet.scale));
    csv.push_back(',');
    csv.append(engine::newNumber(sheet).view());
    csv.push_back(',');
    csv.append(engine::oldNumber(sheet).view());
    for (const Edge& edge : edgesOf(sheet)) {
        csv.push_back(',');
        text::appendHalfUnitDegrees(csv, std::int64_t{2} * edge.units);
    }
    csv.append(",,");
    csv.append(std::to_string(engine::sheetToId(sheet)));
    csv.push_back(',');
    text::appendFixed(csv, engine::sheetArea(sheet), kAreaDecimals);
    csv.push_back('\n');
}

void appendSheetJsonError(std::string& json, std::string_view input, std::string_view error) {
    json.append("{\"input\":");
    text::appendJsonString(json, input);
    json.append(
        ",\"scale\":null,\"new\":null,\"old\":null,\"south\":null,\"west\":null,"
        "\"north\":null,\"east\":null,\"south_dms\":null,\"west_dms\":null,"
        "\"north_dms\":null,\"east_dms\":null,\"centre_latitude\":null,"
        "\"centre_longitude\":null,\"id\":null,\"area_m2\":null,\"error\":");
    text::appendJsonString(json, error);
    json.append("}\n");
}

void appendSheetJsonRecord(std::string& json, std::string_view input,
                           const engine::ParsedSheet& parsed) {
    if (!parsed.sheet) {
        appendSheetJsonError(json, input, engine::describeInputError(parsed.error));
        return;
    }
    const engine::Sheet& sheet = *parsed.sheet;
    json.append("{\"input\":");
    text::appendJsonString(json, input);
    const engine::InlineText oldText = engine::oldNumber(sheet);
    json.append(",\"scale\":\"");
    json.append(scaleRatio(sheet.scale));
    json.append("\",\"new\":\"");
    json.append(engine::newNumber(sheet).view());
    json.append(oldText.empty() ? "\",\"old\":null" : "\",\"old\":\"");
    if (!oldText.empty()) {
        json.append(oldText.view());
        json.push_back('"');
    }
    const std::array<Edge, 4> edges = edgesOf(sheet);
    for (const Edge& edge : edges) {
        json.append(",\"").append(edge.name).append("\":");
        text::appendHalfUnitDegrees(json, std::int64_t{2} * edge.units);
    }
    for (const Edge& edge : edges) {
        json.append(",\"").append(edge.name).append("_dms\":");
        text::appendJsonString(json, engine::unitsAsDms(edge.units).view());
    }
    json.append(",\"centre_latitude\":");
    text::appendHalfUnitDegrees(json, std::int64_t{edges[0].units} + edges[2].units);
    json.append(",\"centre_longitude\":");
    text::appendHalfUnitDegrees(json, std::int64_t{edges[1].units} + edges[3].units);
    json.append(",\"id\":");
    json.append(std::to_string(engine::sheetToId(sheet)));
    json.append(",\"area_m2\":");
    text::appendFixed(json, engine::sheetArea(sheet), kAreaDecimals);
    json.append(",\"error\":null}\n");
}

}  // namespace mapsheet::batch
