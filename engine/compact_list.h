#pragma once

// A list of sheets of any scales written with the coarsest whole sheets, as CompactCover
// (compact_cover.h) does for a box: a sheet contained in another sheet of the list is dropped,
// and wherever every child of a sheet of the next coarser scale of the chain 1:500 -> ... ->
// 1:1,000,000 is in the list, that sheet stands in for them, repeatedly. 1:200,000 sheets
// stand outside the chain and are kept as given.
//
// Input: sheets that pass isValid (others are the caller's to refuse), in any order, repeats
// allowed. Output: sorted by sheet id (sheet_id.h: coarser scales first). Pure, thread-safe;
// memory in proportion to the list.

#include <vector>

#include "engine/sheet.h"

namespace mapsheet::engine {

std::vector<Sheet> compactSheets(const std::vector<Sheet>& sheets);

}  // namespace mapsheet::engine
