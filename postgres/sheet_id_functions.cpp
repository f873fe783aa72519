// The id forms: mapsheet_id of a point (scale as text or as an integer denominator) and of a
// written number, the written numbers of an id, the parent id and the area of an id. The
// integer forms take and give no collatable value, so postgres_fdw ships them to the servers
// that hold the rows.

#include <cstdint>
#include <optional>

#include "engine/scale_catalogue.h"
#include "engine/sheet.h"
#include "engine/sheet_area.h"
#include "engine/sheet_hierarchy.h"
#include "engine/sheet_id.h"
#include "postgres/scale_argument.h"
#include "postgres/server.h"
#include "postgres/sheet_arguments.h"

extern "C" {
PG_FUNCTION_INFO_V1(mapsheet_id);
PG_FUNCTION_INFO_V1(mapsheet_id_denominator);
PG_FUNCTION_INFO_V1(mapsheet_id_of_number);
PG_FUNCTION_INFO_V1(mapsheet_number_of_id);
PG_FUNCTION_INFO_V1(mapsheet_old_number_of_id);
PG_FUNCTION_INFO_V1(mapsheet_parent_id);
PG_FUNCTION_INFO_V1(mapsheet_area_of_id);
PG_FUNCTION_INFO_V1(mapsheet_denominator);
}

namespace {

using mapsheet::engine::InlineText;
using mapsheet::engine::Sheet;

// NULL for a point without a sheet (outside the series, NaN, infinite).
Datum pointIdDatum(FunctionCallInfo fcinfo, int scale) {
    const std::optional<Sheet> sheet =
        mapsheet::engine::sheetOf(PG_GETARG_FLOAT8(0), PG_GETARG_FLOAT8(1), scale);
    if (!sheet) {
        PG_RETURN_NULL();
    }
    PG_RETURN_INT64(mapsheet::engine::sheetToId(*sheet));
}

// NULL for an empty number (1:200,000 has no new number, 1:2000 and finer no old one).
Datum numberOfIdDatum(FunctionCallInfo fcinfo, InlineText (*write)(const Sheet&) noexcept) {
    const InlineText number = write(mapsheet::postgres::sheetOfId(PG_GETARG_INT64(0)));
    if (number.empty()) {
        PG_RETURN_NULL();
    }
    PG_RETURN_TEXT_P(
        cstring_to_text_with_len(number.view().data(), static_cast<int>(number.view().size())));
}

}  // namespace

Datum mapsheet_id(PG_FUNCTION_ARGS) {
    return pointIdDatum(fcinfo, mapsheet::postgres::cachedScaleIndex(fcinfo, 2));
}

Datum mapsheet_id_denominator(PG_FUNCTION_ARGS) {
    return pointIdDatum(fcinfo, mapsheet::postgres::scaleOfDenominator(PG_GETARG_INT32(2)));
}

Datum mapsheet_id_of_number(PG_FUNCTION_ARGS) {
    PG_RETURN_INT64(
        mapsheet::engine::sheetToId(mapsheet::postgres::sheetOfNumber(PG_GETARG_TEXT_PP(0))));
}

Datum mapsheet_number_of_id(PG_FUNCTION_ARGS) {
    return numberOfIdDatum(fcinfo, mapsheet::engine::newNumber);
}

Datum mapsheet_old_number_of_id(PG_FUNCTION_ARGS) {
    return numberOfIdDatum(fcinfo, mapsheet::engine::oldNumber);
}

Datum mapsheet_parent_id(PG_FUNCTION_ARGS) {
    const Sheet sheet = mapsheet::postgres::sheetOfId(PG_GETARG_INT64(0));
    const int scale = mapsheet::postgres::scaleOfDenominator(PG_GETARG_INT32(1));
    mapsheet::postgres::checkParentScale(sheet, scale);
    const std::optional<Sheet> parent = mapsheet::engine::parentOf(sheet, scale);
    PG_RETURN_INT64(mapsheet::engine::sheetToId(*parent));
}

Datum mapsheet_area_of_id(PG_FUNCTION_ARGS) {
    PG_RETURN_FLOAT8(
        mapsheet::engine::sheetArea(mapsheet::postgres::sheetOfId(PG_GETARG_INT64(0))));
}

Datum mapsheet_denominator(PG_FUNCTION_ARGS) {
    const int scale = mapsheet::postgres::scaleIndexOf(PG_GETARG_TEXT_PP(0));
    PG_RETURN_INT32(mapsheet::engine::kScaleCatalogue[scale].denominator);
}
