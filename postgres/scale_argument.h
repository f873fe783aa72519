#pragma once

// The scale argument of the SQL functions: any spelling parseScale accepts ("1:50000", "50000",
// "1:5万", "E", "1:10,000"). An unknown scale raises invalid_parameter_value (22023):
// "invalid scale '1:123': ...", quoting the first 40 characters of the text.

#include "postgres/server.h"

namespace mapsheet::postgres {

// The scale index 0..11 of the text.
int scaleIndexOf(const text* scale);

// The same for argument `argument` of a plain (not set-returning) function, remembered in the
// call site's fn_extra: a column of rows nearly always repeats one scale text, which is then
// compared, not parsed again.
int cachedScaleIndex(FunctionCallInfo fcinfo, int argument);

}  // namespace mapsheet::postgres
