#include "projection/sheet_corner_fields.h"

#include "projection/gauss_kruger_system.h"
#include "text/fixed_decimals.h"

namespace mapsheet::projection {

namespace {

constexpr int kMetreDecimals = 3;
constexpr int kMeridianDecimals = 9;

void appendPlanePoint(std::string& text, const PlanePoint& point, std::string_view separator) {
    text::appendFixed(text, point.x, kMetreDecimals);
    text.append(separator);
    text::appendFixed(text, point.y, kMetreDecimals);
}

}  // namespace

void appendCornerCsvFields(std::string& record, const std::optional<SheetCorners>& corners) {
    record.pop_back();  // the record's "\n"
    if (!corners) {
        record.append(",,,,,,,,,,\n");
        return;
    }
    record.push_back(',');
    if (corners->zone != 0) {
        record.append(std::to_string(corners->zone));
    }
    record.push_back(',');
    record.append(decimalText(corners->centralMeridian, kMeridianDecimals));
    for (const PlanePoint& point : {corners->sw, corners->se, corners->ne, corners->nw}) {
        record.push_back(',');
        appendPlanePoint(record, point, ",");
    }
    record.push_back('\n');
}

void appendCornerJsonMember(std::string& record, const std::optional<SheetCorners>& corners) {
    record.resize(record.size() - 2);  // the record's "}\n"
    if (!corners) {
        record.append(",\"corners\":null}\n");
        return;
    }
    record.append(",\"corners\":{\"zone\":");
    record.append(corners->zone != 0 ? std::to_string(corners->zone) : "null");
    record.append(",\"central_meridian\":");
    record.append(decimalText(corners->centralMeridian, kMeridianDecimals));
    const struct {
        const char* name;
        const PlanePoint& point;
    } named[] = {
        {"sw", corners->sw}, {"se", corners->se}, {"ne", corners->ne}, {"nw", corners->nw}};
    for (const auto& corner : named) {
        record.append(",\"").append(corner.name).append("\":[");
        appendPlanePoint(record, corner.point, ",");
        record.push_back(']');
    }
    record.append("}}\n");
}

}  // namespace mapsheet::projection
