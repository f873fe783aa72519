// mapsheet_sheet: a written number of either numbering read back into its sheet, as the
// composite mapsheet_sheet (scale, new, old, south, west, north, east).

#include <optional>
#include <string>

#include "engine/scale_names.h"
#include "engine/sheet.h"
#include "engine/sheet_number_parse.h"
#include "postgres/server.h"

extern "C" {
PG_FUNCTION_INFO_V1(mapsheet_sheet);
}

namespace {

using mapsheet::engine::Sheet;

// The scale as "1:50000", copied out of the engine's string.
struct ScaleText {
    char bytes[16] = {};
    int length = 0;
};

}  // namespace

Datum mapsheet_sheet(PG_FUNCTION_ARGS) {
    const mapsheet::postgres::Utf8Argument number =
        mapsheet::postgres::utf8Argument(PG_GETARG_TEXT_PP(0));
    Sheet sheet;
    ScaleText scale;
    const mapsheet::postgres::Failure failure =
        mapsheet::postgres::runGuarded([&](mapsheet::postgres::Failure& found) {
            const mapsheet::engine::ParsedSheet parsed =
                mapsheet::engine::parseSheetNumber(number.view());
            if (!parsed.sheet) {
                mapsheet::postgres::setInputError(found, "sheet number", parsed.error);
                return;
            }
            sheet = *parsed.sheet;
            const std::string ratio = mapsheet::engine::scaleRatioText(sheet.scale);
            scale.length = static_cast<int>(ratio.copy(scale.bytes, sizeof scale.bytes));
        });
    if (failure.sqlState != 0) {
        mapsheet::postgres::raiseFailure(failure);
    }

    TupleDesc description;
    if (get_call_result_type(fcinfo, nullptr, &description) != TYPEFUNC_COMPOSITE) {
        ereport(ERROR, (errcode(ERRCODE_FEATURE_NOT_SUPPORTED),
                        errmsg("mapsheet_sheet must be called where a composite is expected")));
    }
    description = BlessTupleDesc(description);

    const mapsheet::engine::InlineText newNumber = mapsheet::engine::newNumber(sheet);
    const mapsheet::engine::InlineText oldNumber = mapsheet::engine::oldNumber(sheet);
    const mapsheet::engine::DegreeBounds bounds = mapsheet::engine::degreeBounds(sheet);
    Datum values[7];
    bool nulls[7] = {};
    values[0] = PointerGetDatum(cstring_to_text_with_len(scale.bytes, scale.length));
    values[1] = PointerGetDatum(cstring_to_text_with_len(
        newNumber.view().data(), static_cast<int>(newNumber.view().size())));
    // The pre-1992 numbering stops at 1:5000: NULL, not an empty text, below it.
    nulls[2] = oldNumber.empty();
    values[2] = nulls[2] ? Datum(0)
                         : PointerGetDatum(cstring_to_text_with_len(
                               oldNumber.view().data(), static_cast<int>(oldNumber.view().size())));
    values[3] = Float8GetDatum(bounds.south);
    values[4] = Float8GetDatum(bounds.west);
    values[5] = Float8GetDatum(bounds.north);
    values[6] = Float8GetDatum(bounds.east);
    PG_RETURN_DATUM(HeapTupleGetDatum(heap_form_tuple(description, values, nulls)));
}
