#pragma once

// The record of one written sheet number, as `mapsheet-cli sheet` writes it in CSV and in JSON
// Lines.
//
// CSV: input,scale,new,old,south,west,north,east,error,id,area_m2. The input as given, the
// scale as "1:50000", the new-standard number (the R code at 1:200,000), the pre-1992 number
// (empty at 1:2000 and finer), the bounds in decimal degrees rounded to 12 places
// (text/degree_text.h), for a number that could not be read the parser's error with every other
// field empty, the sheet id (engine/sheet_id.h) and the area on the CGCS2000 ellipsoid in
// square metres to 3 decimals (engine/sheet_area.h).
//
// JSON: one object per line with the members of the CSV record, the bounds also as exact
// D°M′S″ text (south_dms, west_dms, north_dms, east_dms), the centre as centre_latitude,
// centre_longitude, and id and area_m2. Members without a value are null ("error" on success, every
// other member but "input" on failure); bounds, centre, id and area are JSON numbers.

#include <string>
#include <string_view>

#include "engine/sheet_number_parse.h"

namespace mapsheet::batch {

inline constexpr std::string_view kSheetCsvHeader =
    "input,scale,new,old,south,west,north,east,error,id,area_m2\n";

// The scale of the catalogue index as a ratio, "1:50000", without allocating.
std::string_view scaleRatio(int scale);

void appendSheetCsvRecord(std::string& csv, std::string_view input,
                          const engine::ParsedSheet& parsed);

void appendSheetJsonRecord(std::string& json, std::string_view input,
                           const engine::ParsedSheet& parsed);

// The record of an input that names no sheet for the reason given (the parser's error is
// rendered through engine/input_error.h; a front end may refuse a sheet for its own reason).
void appendSheetCsvError(std::string& csv, std::string_view input, std::string_view error);
void appendSheetJsonError(std::string& json, std::string_view input, std::string_view error);

}  // namespace mapsheet::batch
