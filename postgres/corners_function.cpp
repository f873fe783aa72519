// mapsheet_corners: the four corners of a sheet in CGCS2000 Gauss-Kruger metres, as the
// composite mapsheet_corners, in the sheet's own zone or in a zone number given as the second
// argument (projection/sheet_corners.h chooses and checks the zone).

#include <optional>
#include <string>

#include "postgres/server.h"
#include "postgres/sheet_arguments.h"
#include "projection/sheet_corners.h"

extern "C" {
PG_FUNCTION_INFO_V1(mapsheet_corners);
}

Datum mapsheet_corners(PG_FUNCTION_ARGS) {
    const mapsheet::engine::Sheet sheet = mapsheet::postgres::sheetOfNumber(PG_GETARG_TEXT_PP(0));
    mapsheet::projection::CornerZone choice;
    if (PG_NARGS() > 1) {
        choice.kind = mapsheet::projection::CornerZone::Kind::Zone;
        choice.zone = PG_GETARG_INT32(1);
    }
    mapsheet::projection::SheetCorners corners;
    const mapsheet::postgres::Failure failure =
        mapsheet::postgres::runGuarded([&](mapsheet::postgres::Failure& found) {
            const std::string error = mapsheet::projection::cornerZoneError(sheet, choice);
            if (!error.empty()) {
                mapsheet::postgres::setInvalidParameter(found, "invalid zone: " + error);
                return;
            }
            const auto computed = mapsheet::projection::sheetCorners(sheet, choice);
            if (!computed) {
                mapsheet::postgres::setInvalidParameter(found, "PROJ refused a corner");
                return;
            }
            corners = *computed;
        });
    if (failure.sqlState != 0) {
        mapsheet::postgres::raiseFailure(failure);
    }

    TupleDesc description;
    if (get_call_result_type(fcinfo, nullptr, &description) != TYPEFUNC_COMPOSITE) {
        ereport(ERROR, (errcode(ERRCODE_FEATURE_NOT_SUPPORTED),
                        errmsg("mapsheet_corners must be called where a composite is expected")));
    }
    description = BlessTupleDesc(description);
    const double coordinates[8] = {corners.sw.x, corners.sw.y, corners.se.x, corners.se.y,
                                   corners.ne.x, corners.ne.y, corners.nw.x, corners.nw.y};
    Datum values[10];
    bool nulls[10] = {};
    nulls[0] = corners.zone == 0;  // a central meridian of no zone
    values[0] = Int32GetDatum(corners.zone);
    values[1] = Float8GetDatum(corners.centralMeridian);
    for (int i = 0; i < 8; ++i) {
        values[2 + i] = Float8GetDatum(coordinates[i]);
    }
    PG_RETURN_DATUM(HeapTupleGetDatum(heap_form_tuple(description, values, nulls)));
}
