#include "projection/sheet_corner_output.h"

#include <optional>
#include <string>

#include "batch/sheet_records.h"
#include "projection/sheet_corner_fields.h"

namespace mapsheet::projection {

namespace {

std::string csvHeaderWithCorners() {
    std::string header(batch::kSheetCsvHeader);
    header.pop_back();
    header.append(kCornerCsvColumns).push_back('\n');
    return header;
}

}  // namespace

SheetCornerOutput::SheetCornerOutput(bool json, const CornerZone& zone, std::ostream& out,
                                     std::ostream& err)
    : batch::SheetTextOutput(json, out, err, csvHeaderWithCorners()), zone_(zone) {}

void SheetCornerOutput::appendRecord(std::string& records, std::string_view input,
                                     const engine::ParsedSheet& parsed) {
    std::optional<SheetCorners> corners;
    std::string zoneError;
    if (parsed.sheet) {
        zoneError = cornerZoneError(*parsed.sheet, zone_);
        if (zoneError.empty()) {
            corners = sheetCorners(*parsed.sheet, zone_);
        } else {
            refusedAnySheet_ = true;
        }
    }
    if (json()) {
        zoneError.empty() ? batch::appendSheetJsonRecord(records, input, parsed)
                          : batch::appendSheetJsonError(records, input, zoneError);
        appendCornerJsonMember(records, corners);
    } else {
        zoneError.empty() ? batch::appendSheetCsvRecord(records, input, parsed)
                          : batch::appendSheetCsvError(records, input, zoneError);
        appendCornerCsvFields(records, corners);
    }
}

}  // namespace mapsheet::projection
