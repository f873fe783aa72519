#pragma once

// A sheet as one positive 64-bit integer, for databases, joins and shards.
//
// Layout (stable: stored ids stay valid; a new layout would take a new tag):
//   bits 40..62  tag, always 1 (so every id lies in 2^40 .. 2^41 - 1 and is positive)
//   bits 36..39  scale index 0..11 (0 = 1:1,000,000 .. 11 = 1:500, 3 = 1:200,000)
//   bit  35      southern hemisphere
//   bits 30..34  1:1,000,000 row from the equator, 1..22 (A..V)
//   bits 24..29  zone 1..60 (1..30, 1..15 in the rows of wider zones)
//   bits 12..23  row code, 1 = northernmost in the 1:1,000,000 sheet
//   bits  0..11  column code, 1 = westernmost
// Ids therefore sort by scale first, then by hemisphere, row, zone and codes.
//
// idToSheet is the exact inverse of sheetToId; any other integer (a wrong tag, a negative
// value, fields outside the ranges isValid of sheet.h allows) is no sheet and gives nullopt.
// Pure, no allocation, safe from several threads.

#include <cstdint>
#include <optional>

#include "engine/sheet.h"

namespace mapsheet::engine {

// The id of a sheet that passes isValid; 0 (no id) for one that does not.
std::int64_t sheetToId(const Sheet& sheet) noexcept;

std::optional<Sheet> idToSheet(std::int64_t id) noexcept;

}  // namespace mapsheet::engine
