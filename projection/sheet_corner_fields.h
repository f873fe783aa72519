#pragma once

// The corner fields `mapsheet-cli sheet --corners` adds to a sheet record (batch/sheet_records.h):
// the four corners in CGCS2000 Gauss-Kruger metres (projection/sheet_corners.h), to 3 decimals.
//
// CSV: the columns zone,central_meridian,sw_x,sw_y,se_x,se_y,ne_x,ne_y,nw_x,nw_y after the
// record's last column; empty for a row without a sheet. JSON: the member
//   "corners":{"zone":20,"central_meridian":117,"sw":[x,y],"se":[x,y],"ne":[x,y],"nw":[x,y]}
// before the closing brace, null for a row without a sheet. zone is null (JSON) or empty (CSV)
// for a central meridian of no zone. The record must end as sheet_records.h writes it ("\n"
// for CSV, "}\n" for JSON); the fields go in before that ending.

#include <optional>
#include <string>
#include <string_view>

#include "projection/sheet_corners.h"

namespace mapsheet::projection {

inline constexpr std::string_view kCornerCsvColumns =
    ",zone,central_meridian,sw_x,sw_y,se_x,se_y,ne_x,ne_y,nw_x,nw_y";

void appendCornerCsvFields(std::string& record, const std::optional<SheetCorners>& corners);

void appendCornerJsonMember(std::string& record, const std::optional<SheetCorners>& corners);

}  // namespace mapsheet::projection
