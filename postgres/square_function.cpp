// mapsheet_square: the square sheet of a point at 1:5000..1:500, numbered in the plane
// coordinates of a CGCS2000 Gauss-Kruger system.
//
// A locator holds PROJ objects, so each call site keeps one in its fn_extra for as long as its
// memory context lives, and destroys it, PROJ context and all, when that context is reset or
// deleted. A row whose scale or srid differs from the last one replaces it.

#include <new>
#include <optional>
#include <string>

#include "engine/input_error.h"
#include "engine/square_sheet.h"
#include "postgres/scale_argument.h"
#include "postgres/server.h"
#include "projection/gauss_kruger_system.h"
#include "projection/square_locator.h"

extern "C" {
PG_FUNCTION_INFO_V1(mapsheet_square);
}

namespace {

using mapsheet::postgres::Failure;
using mapsheet::projection::GaussKrugerSystem;
using mapsheet::projection::SquareLocator;

struct SquareCache {
    MemoryContextCallback release;  // runs the destructor when the context goes
    mapsheet::postgres::ScaleCache scaleText;
    int scale = -1;
    int srid = -1;
    std::optional<SquareLocator> locator;
};

void releaseCache(void* cache) {
    static_cast<SquareCache*>(cache)->~SquareCache();
}

SquareCache& cacheOf(FunctionCallInfo fcinfo) {
    if (fcinfo->flinfo->fn_extra == nullptr) {
        void* place = MemoryContextAlloc(fcinfo->flinfo->fn_mcxt, sizeof(SquareCache));
        auto* cache = new (place) SquareCache;
        cache->release.func = releaseCache;
        cache->release.arg = cache;
        MemoryContextRegisterResetCallback(fcinfo->flinfo->fn_mcxt, &cache->release);
        fcinfo->flinfo->fn_extra = cache;
    }
    return *static_cast<SquareCache*>(fcinfo->flinfo->fn_extra);
}

// The square sheet number of the point, or an empty text when it has none; a bad scale or srid
// is a failure.
struct SquareNumber {
    char text[48] = {};
    int length = 0;
};

void numberSquare(SquareCache& cache, double latitude, double longitude, int scale, int srid,
                  SquareNumber& number, Failure& failure) {
    if (!mapsheet::engine::hasSquareSheets(scale)) {
        mapsheet::postgres::setInvalidParameter(
            failure, "invalid scale: square sheets exist at 1:5000, 1:2000, 1:1000 and 1:500 only");
        return;
    }
    if (cache.scale != scale || cache.srid != srid || !cache.locator) {
        std::optional<GaussKrugerSystem> system;
        if (srid != 0) {
            system = mapsheet::projection::epsgGaussKrugerSystem(srid);
            if (!system) {
                mapsheet::engine::InputError error = mapsheet::engine::inputError(
                    mapsheet::engine::InputErrorCode::NotAGaussKrugerSrid, std::to_string(srid));
                error.first = mapsheet::projection::kFirstGaussKrugerEpsg;
                error.last = mapsheet::projection::kLastGaussKrugerEpsg;
                mapsheet::postgres::setInputError(failure, "srid", error);
                return;
            }
        }
        cache.locator.reset();
        cache.locator.emplace(scale, system);
        cache.scale = scale;
        cache.srid = srid;
    }
    const mapsheet::projection::LocatedPoint located =
        cache.locator->locateGeographic({latitude, longitude});
    if (located.sheet) {
        const std::string written = mapsheet::engine::squareNumber(*located.sheet);
        number.length = static_cast<int>(written.copy(number.text, sizeof number.text));
    }
}

}  // namespace

Datum mapsheet_square(PG_FUNCTION_ARGS) {
    const double latitude = PG_GETARG_FLOAT8(0);
    const double longitude = PG_GETARG_FLOAT8(1);
    SquareCache& cache = cacheOf(fcinfo);
    const int scale = mapsheet::postgres::cachedScaleIndex(cache.scaleText, PG_GETARG_TEXT_PP(2));
    const int srid = PG_GETARG_INT32(3);
    SquareNumber number;
    const Failure failure = mapsheet::postgres::runGuarded([&](Failure& found) {
        numberSquare(cache, latitude, longitude, scale, srid, number, found);
    });
    if (failure.sqlState != 0) {
        mapsheet::postgres::raiseFailure(failure);
    }
    if (number.length == 0) {
        PG_RETURN_NULL();
    }
    PG_RETURN_TEXT_P(cstring_to_text_with_len(number.text, number.length));
}
