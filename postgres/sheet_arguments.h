#pragma once

// The sheet, scale-denominator and ring arguments of the hierarchy functions. Each either gives
// the value or raises invalid_parameter_value (22023) naming the argument and quoting it:
// "invalid sheet id 12", "invalid scale denominator 123: ...", "invalid rings 0: ...". They
// must be called where no C++ object is alive in the caller's frame (server.h).

#include <cstdint>

#include "engine/sheet.h"
#include "postgres/server.h"

namespace mapsheet::postgres {

engine::Sheet sheetOfId(std::int64_t id);

// A written number of either numbering.
engine::Sheet sheetOfNumber(const ::text* number);

// The scale index 0..11 of a denominator (50000 for 1:50,000).
int scaleOfDenominator(std::int32_t denominator);

// rings in 1..engine::kMaxRings.
int checkedRings(std::int32_t rings);

// Raise 22023 when the sheet has no parent at coarserScale ("invalid scale for the parent:
// 1:50000 is finer than the sheet's scale 1:100000") or when finerScale is coarser than the
// sheet's ("invalid scale for the children: ..."); return otherwise.
void checkParentScale(const engine::Sheet& sheet, int coarserScale);
void checkChildScale(const engine::Sheet& sheet, int finerScale);

}  // namespace mapsheet::postgres
