// The set-returning hierarchy functions: the rings of neighbours (as ids, or as written numbers
// with their rings), the children at a finer scale, and the compact form of a list of written
// numbers. Children stream from the engine's cover; neighbours and compact lists are made whole
// on the first call (the engine gives them as a list) and handed out one per call.

#include <cstdint>
#include <new>
#include <optional>
#include <type_traits>
#include <vector>

#include "engine/compact_list.h"
#include "engine/sheet_cover.h"
#include "engine/sheet_hierarchy.h"
#include "engine/sheet_id.h"
#include "postgres/server.h"
#include "postgres/sheet_arguments.h"

extern "C" {
#include "access/htup_details.h"
#include "catalog/pg_type.h"
#include "funcapi.h"
#include "utils/array.h"
}

extern "C" {
PG_FUNCTION_INFO_V1(mapsheet_neighbour_ids);
PG_FUNCTION_INFO_V1(mapsheet_neighbour_numbers);
PG_FUNCTION_INFO_V1(mapsheet_children_ids);
PG_FUNCTION_INFO_V1(mapsheet_compact);
}

namespace {

using mapsheet::engine::Sheet;
using mapsheet::engine::SheetCover;

static_assert(std::is_trivially_destructible_v<SheetCover>);

// Ids handed out one per call, kept in the call's multi-call memory.
struct IdList {
    std::int64_t* ids;
    std::size_t count;
    std::size_t next;
};

IdList* storeIds(FuncCallContext* call, const std::vector<std::int64_t>& ids) {
    auto* list =
        static_cast<IdList*>(MemoryContextAlloc(call->multi_call_memory_ctx, sizeof(IdList)));
    list->ids = static_cast<std::int64_t*>(MemoryContextAlloc(
        call->multi_call_memory_ctx, sizeof(std::int64_t) * (ids.empty() ? 1 : ids.size())));
    std::copy(ids.begin(), ids.end(), list->ids);
    list->count = ids.size();
    list->next = 0;
    return list;
}

// Neighbours handed out one per call with their rings, kept in the call's multi-call memory.
struct RingList {
    std::int64_t* ids;
    std::int32_t* rings;
    std::size_t count;
    std::size_t next;
};

RingList* storeRings(FuncCallContext* call, const std::vector<mapsheet::engine::RingSheet>& found) {
    auto* list =
        static_cast<RingList*>(MemoryContextAlloc(call->multi_call_memory_ctx, sizeof(RingList)));
    const std::size_t room = found.empty() ? 1 : found.size();
    list->ids = static_cast<std::int64_t*>(
        MemoryContextAlloc(call->multi_call_memory_ctx, sizeof(std::int64_t) * room));
    list->rings = static_cast<std::int32_t*>(
        MemoryContextAlloc(call->multi_call_memory_ctx, sizeof(std::int32_t) * room));
    for (std::size_t i = 0; i < found.size(); ++i) {
        list->ids[i] = mapsheet::engine::sheetToId(found[i].sheet);
        list->rings[i] = found[i].ring;
    }
    list->count = found.size();
    list->next = 0;
    return list;
}

void raiseIfFailed(const mapsheet::postgres::Failure& failure) {
    if (failure.sqlState != 0) {
        mapsheet::postgres::raiseFailure(failure);
    }
}

}  // namespace

Datum mapsheet_neighbour_ids(PG_FUNCTION_ARGS) {
    if (SRF_IS_FIRSTCALL()) {
        const Sheet sheet = mapsheet::postgres::sheetOfId(PG_GETARG_INT64(0));
        const int rings = mapsheet::postgres::checkedRings(PG_GETARG_INT32(1));
        FuncCallContext* call = SRF_FIRSTCALL_INIT();
        raiseIfFailed(mapsheet::postgres::runGuarded([&](mapsheet::postgres::Failure&) {
            std::vector<std::int64_t> ids;
            for (const mapsheet::engine::RingSheet& found :
                 mapsheet::engine::neighbours(sheet, rings)) {
                ids.push_back(mapsheet::engine::sheetToId(found.sheet));
            }
            call->user_fctx = storeIds(call, ids);
        }));
    }
    FuncCallContext* call = SRF_PERCALL_SETUP();
    auto* list = static_cast<IdList*>(call->user_fctx);
    if (list->next == list->count) {
        SRF_RETURN_DONE(call);
    }
    SRF_RETURN_NEXT(call, Int64GetDatum(list->ids[list->next++]));
}

Datum mapsheet_neighbour_numbers(PG_FUNCTION_ARGS) {
    if (SRF_IS_FIRSTCALL()) {
        const Sheet sheet = mapsheet::postgres::sheetOfNumber(PG_GETARG_TEXT_PP(0));
        const int rings = mapsheet::postgres::checkedRings(PG_GETARG_INT32(1));
        FuncCallContext* call = SRF_FIRSTCALL_INIT();
        const MemoryContext caller = MemoryContextSwitchTo(call->multi_call_memory_ctx);
        TupleDesc row = nullptr;
        if (get_call_result_type(fcinfo, nullptr, &row) != TYPEFUNC_COMPOSITE) {
            ereport(ERROR, (errcode(ERRCODE_FEATURE_NOT_SUPPORTED),
                            errmsg("mapsheet_neighbours must be called where a row is expected")));
        }
        call->tuple_desc = BlessTupleDesc(row);
        MemoryContextSwitchTo(caller);
        raiseIfFailed(mapsheet::postgres::runGuarded([&](mapsheet::postgres::Failure&) {
            call->user_fctx = storeRings(call, mapsheet::engine::neighbours(sheet, rings));
        }));
    }
    FuncCallContext* call = SRF_PERCALL_SETUP();
    auto* list = static_cast<RingList*>(call->user_fctx);
    if (list->next == list->count) {
        SRF_RETURN_DONE(call);
    }
    const std::size_t i = list->next++;
    const mapsheet::engine::InlineText number =
        mapsheet::engine::newNumber(*mapsheet::engine::idToSheet(list->ids[i]));
    Datum values[2] = {PointerGetDatum(cstring_to_text_with_len(
                           number.view().data(), static_cast<int>(number.view().size()))),
                       Int32GetDatum(list->rings[i])};
    bool nulls[2] = {false, false};
    SRF_RETURN_NEXT(call, HeapTupleGetDatum(heap_form_tuple(call->tuple_desc, values, nulls)));
}

Datum mapsheet_children_ids(PG_FUNCTION_ARGS) {
    if (SRF_IS_FIRSTCALL()) {
        const Sheet sheet = mapsheet::postgres::sheetOfId(PG_GETARG_INT64(0));
        const int scale = mapsheet::postgres::scaleOfDenominator(PG_GETARG_INT32(1));
        mapsheet::postgres::checkChildScale(sheet, scale);
        FuncCallContext* call = SRF_FIRSTCALL_INIT();
        void* place = MemoryContextAlloc(call->multi_call_memory_ctx, sizeof(SheetCover));
        call->user_fctx = new (place) SheetCover(mapsheet::engine::childrenOf(sheet, scale));
    }
    FuncCallContext* call = SRF_PERCALL_SETUP();
    CHECK_FOR_INTERRUPTS();
    const std::optional<Sheet> child = static_cast<SheetCover*>(call->user_fctx)->next();
    if (!child) {
        SRF_RETURN_DONE(call);
    }
    SRF_RETURN_NEXT(call, Int64GetDatum(mapsheet::engine::sheetToId(*child)));
}

Datum mapsheet_compact(PG_FUNCTION_ARGS) {
    if (SRF_IS_FIRSTCALL()) {
        ArrayType* numbers = PG_GETARG_ARRAYTYPE_P(0);
        Datum* elements = nullptr;
        bool* nulls = nullptr;
        int count = 0;
        deconstruct_array(numbers, TEXTOID, -1, false, TYPALIGN_INT, &elements, &nulls, &count);
        // Parsed before any C++ object lives in this frame: a bad number raises from here.
        auto* sheets = static_cast<Sheet*>(palloc(sizeof(Sheet) * (count == 0 ? 1 : count)));
        int parsed = 0;
        for (int i = 0; i < count; ++i) {
            if (!nulls[i]) {
                sheets[parsed++] = mapsheet::postgres::sheetOfNumber(DatumGetTextPP(elements[i]));
            }
        }
        FuncCallContext* call = SRF_FIRSTCALL_INIT();
        raiseIfFailed(mapsheet::postgres::runGuarded([&](mapsheet::postgres::Failure&) {
            std::vector<std::int64_t> ids;
            for (const Sheet& sheet :
                 mapsheet::engine::compactSheets(std::vector<Sheet>(sheets, sheets + parsed))) {
                ids.push_back(mapsheet::engine::sheetToId(sheet));
            }
            call->user_fctx = storeIds(call, ids);
        }));
    }
    FuncCallContext* call = SRF_PERCALL_SETUP();
    auto* list = static_cast<IdList*>(call->user_fctx);
    if (list->next == list->count) {
        SRF_RETURN_DONE(call);
    }
    const mapsheet::engine::InlineText number =
        mapsheet::engine::newNumber(*mapsheet::engine::idToSheet(list->ids[list->next++]));
    SRF_RETURN_NEXT(call, PointerGetDatum(cstring_to_text_with_len(
                              number.view().data(), static_cast<int>(number.view().size()))));
}
