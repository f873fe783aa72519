#pragma once

// The scale argument of the SQL functions: any spelling parseScale accepts ("1:50000", "50000",
// "1:5万", "E", "1:10,000"). An unknown scale raises invalid_parameter_value (22023):
// "invalid scale '1:123': ...", quoting the first 40 characters of the text.

#include "postgres/server.h"

namespace mapsheet::postgres {

// The scale index 0..11 of the text.
int scaleIndexOf(const ::text* scale);

// The last scale text of a call site and its index. A column of rows nearly always repeats one
// scale text, which is then compared, not parsed again.
struct ScaleCache {
    static constexpr int kCapacity = 32;  // longer texts are parsed every time
    int scale = -1;
    int length = -1;
    char bytes[kCapacity] = {};
};

// The scale index of the text, through the cache.
int cachedScaleIndex(ScaleCache& cache, const ::text* scale);

// The same for argument `argument` of a function whose fn_extra holds nothing else (not a
// set-returning function): the cache lives there.
int cachedScaleIndex(FunctionCallInfo fcinfo, int argument);

}  // namespace mapsheet::postgres
