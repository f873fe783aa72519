#include "postgres/scale_argument.h"

#include <cstring>
#include <new>
#include <optional>
#include <string>

#include "engine/scale_names.h"

namespace mapsheet::postgres {

// The server's text type, not the library's namespace of text helpers.
using ::text;

int scaleIndexOf(const text* scale) {
    const Utf8Argument spelled = utf8Argument(scale);
    int index = -1;
    const Failure failure = runGuarded([&](Failure& found) {
        if (const std::optional<int> parsed = engine::parseScale(spelled.view())) {
            index = *parsed;
            return;
        }
        setInputError(found, "scale",
                      engine::inputError(engine::InputErrorCode::UnknownScale, spelled.view()));
    });
    if (failure.sqlState != 0) {
        raiseFailure(failure);
    }
    return index;
}

int cachedScaleIndex(ScaleCache& cache, const text* scale) {
    const char* bytes = VARDATA_ANY(scale);
    const int length = static_cast<int>(VARSIZE_ANY_EXHDR(scale));
    if (cache.length == length && std::memcmp(cache.bytes, bytes, length) == 0) {
        return cache.scale;
    }
    const int index = scaleIndexOf(scale);
    if (length <= ScaleCache::kCapacity) {
        cache.scale = index;
        cache.length = length;
        std::memcpy(cache.bytes, bytes, length);
    }
    return index;
}

int cachedScaleIndex(FunctionCallInfo fcinfo, int argument) {
    if (fcinfo->flinfo->fn_extra == nullptr) {
        void* place = MemoryContextAlloc(fcinfo->flinfo->fn_mcxt, sizeof(ScaleCache));
        fcinfo->flinfo->fn_extra = new (place) ScaleCache;
    }
    return cachedScaleIndex(*static_cast<ScaleCache*>(fcinfo->flinfo->fn_extra),
                            PG_GETARG_TEXT_PP(argument));
}

}  // namespace mapsheet::postgres
