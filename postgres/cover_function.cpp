// mapsheet_cover: the new-standard numbers of the sheets of a box, in the mode given by an
// optional last argument ("meets", the default: the interior meets the box; "centre"; "within"),
// with the scale as text or as an integer denominator, returned one per call in the cover's own
// order (rows from the north, each from the west), so that a LIMIT or a cancel stops the walk
// without the whole list ever being held.

#include <new>
#include <optional>
#include <string>
#include <type_traits>

#include "engine/sheet.h"
#include "engine/sheet_cover.h"
#include "postgres/scale_argument.h"
#include "postgres/server.h"
#include "postgres/sheet_arguments.h"

extern "C" {
PG_FUNCTION_INFO_V1(mapsheet_cover);
PG_FUNCTION_INFO_V1(mapsheet_cover_denominator);
}

using mapsheet::engine::SheetCover;

// The cover lives in the call's multi-call memory, which the server frees without running
// destructors.
static_assert(std::is_trivially_destructible_v<SheetCover>);

namespace {

int textScale(FunctionCallInfo fcinfo) {
    return mapsheet::postgres::scaleIndexOf(PG_GETARG_TEXT_PP(4));
}

int denominatorScale(FunctionCallInfo fcinfo) {
    return mapsheet::postgres::scaleOfDenominator(PG_GETARG_INT32(4));
}

Datum coverRows(FunctionCallInfo fcinfo, int (*scaleOf)(FunctionCallInfo)) {
    if (SRF_IS_FIRSTCALL()) {
        const mapsheet::engine::LatLonBox box{PG_GETARG_FLOAT8(0), PG_GETARG_FLOAT8(1),
                                              PG_GETARG_FLOAT8(2), PG_GETARG_FLOAT8(3)};
        const int scale = scaleOf(fcinfo);
        const mapsheet::postgres::Utf8Argument modeName =
            PG_NARGS() > 5 ? mapsheet::postgres::utf8Argument(PG_GETARG_TEXT_PP(5))
                           : mapsheet::postgres::Utf8Argument{"meets", 5};
        mapsheet::engine::CoverMode mode = mapsheet::engine::CoverMode::Meets;
        const mapsheet::postgres::Failure failure =
            mapsheet::postgres::runGuarded([&](mapsheet::postgres::Failure& found) {
                const mapsheet::engine::InputError error = mapsheet::engine::boxError(box);
                if (!error.empty()) {
                    mapsheet::postgres::setInputError(found, "box", error);
                    return;
                }
                const auto named = mapsheet::engine::coverModeFromName(modeName.view());
                if (!named) {
                    mapsheet::postgres::setInputError(
                        found, "mode",
                        mapsheet::engine::inputError(
                            mapsheet::engine::InputErrorCode::UnknownCoverMode, modeName.view()));
                    return;
                }
                mode = *named;
            });
        if (failure.sqlState != 0) {
            mapsheet::postgres::raiseFailure(failure);
        }
        FuncCallContext* call = SRF_FIRSTCALL_INIT();
        void* place = MemoryContextAlloc(call->multi_call_memory_ctx, sizeof(SheetCover));
        call->user_fctx = new (place) SheetCover(box, scale, mode);
    }
    FuncCallContext* call = SRF_PERCALL_SETUP();
    CHECK_FOR_INTERRUPTS();
    const std::optional<mapsheet::engine::Sheet> sheet =
        static_cast<SheetCover*>(call->user_fctx)->next();
    if (!sheet) {
        SRF_RETURN_DONE(call);
    }
    const mapsheet::engine::InlineText number = mapsheet::engine::newNumber(*sheet);
    SRF_RETURN_NEXT(call, PointerGetDatum(cstring_to_text_with_len(
                              number.view().data(), static_cast<int>(number.view().size()))));
}

}  // namespace

Datum mapsheet_cover(PG_FUNCTION_ARGS) {
    return coverRows(fcinfo, textScale);
}

Datum mapsheet_cover_denominator(PG_FUNCTION_ARGS) {
    return coverRows(fcinfo, denominatorScale);
}
