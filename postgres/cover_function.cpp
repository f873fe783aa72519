// mapsheet_cover: the new-standard numbers of the sheets whose interior meets a box, returned
// one per call in the cover's own order (rows from the north, each from the west), so that a
// LIMIT or a cancel stops the walk without the whole list ever being held.

#include <new>
#include <optional>
#include <string>
#include <type_traits>

#include "engine/sheet.h"
#include "engine/sheet_cover.h"
#include "postgres/scale_argument.h"
#include "postgres/server.h"

extern "C" {
PG_FUNCTION_INFO_V1(mapsheet_cover);
}

using mapsheet::engine::SheetCover;

// The cover lives in the call's multi-call memory, which the server frees without running
// destructors.
static_assert(std::is_trivially_destructible_v<SheetCover>);

Datum mapsheet_cover(PG_FUNCTION_ARGS) {
    if (SRF_IS_FIRSTCALL()) {
        const mapsheet::engine::LatLonBox box{PG_GETARG_FLOAT8(0), PG_GETARG_FLOAT8(1),
                                              PG_GETARG_FLOAT8(2), PG_GETARG_FLOAT8(3)};
        const int scale = mapsheet::postgres::scaleIndexOf(PG_GETARG_TEXT_PP(4));
        const mapsheet::postgres::Failure failure =
            mapsheet::postgres::runGuarded([&](mapsheet::postgres::Failure& found) {
                const std::string error = mapsheet::engine::boxError(box);
                if (!error.empty()) {
                    mapsheet::postgres::setInvalidParameter(found, "invalid box: " + error);
                }
            });
        if (failure.sqlState != 0) {
            mapsheet::postgres::raiseFailure(failure);
        }
        FuncCallContext* call = SRF_FIRSTCALL_INIT();
        void* place = MemoryContextAlloc(call->multi_call_memory_ctx, sizeof(SheetCover));
        call->user_fctx = new (place) SheetCover(box, scale);
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
