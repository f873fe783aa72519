// mapsheet_number and mapsheet_old_number: the written numbers of the sheet holding a point.

#include <optional>

#include "engine/sheet.h"
#include "postgres/scale_argument.h"
#include "postgres/server.h"

extern "C" {
PG_FUNCTION_INFO_V1(mapsheet_number);
PG_FUNCTION_INFO_V1(mapsheet_old_number);
}

namespace {

using mapsheet::engine::InlineText;
using mapsheet::engine::Sheet;

// NULL for a point without a sheet (outside the series, NaN, infinite) and for an empty
// number (the pre-1992 numbering stops at 1:5000).
Datum numberDatum(FunctionCallInfo fcinfo, InlineText (*write)(const Sheet&) noexcept) {
    const double latitude = PG_GETARG_FLOAT8(0);
    const double longitude = PG_GETARG_FLOAT8(1);
    const int scale = mapsheet::postgres::cachedScaleIndex(fcinfo, 2);
    const std::optional<Sheet> sheet = mapsheet::engine::sheetOf(latitude, longitude, scale);
    if (!sheet) {
        PG_RETURN_NULL();
    }
    const InlineText number = write(*sheet);
    if (number.empty()) {
        PG_RETURN_NULL();
    }
    PG_RETURN_TEXT_P(
        cstring_to_text_with_len(number.view().data(), static_cast<int>(number.view().size())));
}

}  // namespace

Datum mapsheet_number(PG_FUNCTION_ARGS) {
    return numberDatum(fcinfo, mapsheet::engine::newNumber);
}

Datum mapsheet_old_number(PG_FUNCTION_ARGS) {
    return numberDatum(fcinfo, mapsheet::engine::oldNumber);
}
