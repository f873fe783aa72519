#include "postgres/scale_argument.h"

#include <cstring>
#include <optional>
#include <string>

#include "engine/scale_names.h"

namespace mapsheet::postgres {

namespace {

constexpr int kQuotedLength = 40;  // characters of an unknown scale quoted in the error

// The last scale text of a call site, when short enough to keep.
struct ScaleCache {
    static constexpr int kCapacity = 32;
    int scale;
    int length;
    char bytes[kCapacity];
};

// The first characters of a UTF-8 text, never ending inside a character.
std::string quoted(std::string_view text) {
    std::size_t end = 0;
    for (int characters = 0; end < text.size() && characters < kQuotedLength; ++characters) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
            ++end;
        }
    }
    std::string result(text.substr(0, end));
    return end < text.size() ? result + "…" : result;
}

}  // namespace

int scaleIndexOf(const text* scale) {
    const Utf8Argument spelled = utf8Argument(scale);
    int index = -1;
    const Failure failure = runGuarded([&](Failure& found) {
        if (const std::optional<int> parsed = engine::parseScale(spelled.view())) {
            index = *parsed;
            return;
        }
        setInvalidParameter(found, "invalid scale '" + quoted(spelled.view()) +
                                       "': the scales are 1:1000000 to 1:500, written as "
                                       "1:50000, 50000, 1:5万 or the letter E");
    });
    if (failure.sqlState != 0) {
        raiseFailure(failure);
    }
    return index;
}

int cachedScaleIndex(FunctionCallInfo fcinfo, int argument) {
    const text* scale = PG_GETARG_TEXT_PP(argument);
    const char* bytes = VARDATA_ANY(scale);
    const int length = static_cast<int>(VARSIZE_ANY_EXHDR(scale));
    auto* cache = static_cast<ScaleCache*>(fcinfo->flinfo->fn_extra);
    if (cache != nullptr && cache->length == length &&
        std::memcmp(cache->bytes, bytes, length) == 0) {
        return cache->scale;
    }
    const int index = scaleIndexOf(scale);
    if (length <= ScaleCache::kCapacity) {
        if (cache == nullptr) {
            cache = static_cast<ScaleCache*>(
                MemoryContextAlloc(fcinfo->flinfo->fn_mcxt, sizeof(ScaleCache)));
            fcinfo->flinfo->fn_extra = cache;
        }
        cache->scale = index;
        cache->length = length;
        std::memcpy(cache->bytes, bytes, length);
    }
    return index;
}

}  // namespace mapsheet::postgres
