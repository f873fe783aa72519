#pragma once

// A sheet's relatives at any distance and across scales: the rings of neighbours of the same
// scale, the containing sheet of a coarser scale, the sheets of a finer scale inside it.
//
// Nesting. A scale nests in a coarser one when its divisions of the 1:1,000,000 sheet are a
// whole multiple of the coarser one's (divisionRatio of sheet.h). Every pair nests except
// 1:200,000 (6 x 6) with 1:250,000 (4 x 4): there parentOf has no answer and childrenOf gives
// the 1:200,000 sheets whose interior meets the 1:250,000 sheet.
//
// Pure, thread-safe; neighbours allocates its result, the others do not.

#include <optional>
#include <vector>

#include "engine/input_error.h"
#include "engine/sheet.h"
#include "engine/sheet_cover.h"

namespace mapsheet::engine {

inline constexpr int kMaxRings = 1000;

struct RingSheet {
    Sheet sheet;
    int ring = 0;  // 0 for the sheet itself, k for the sheets first met by the box grown by k
};

// Every sheet of the same scale whose open interior meets the closed box that extends the
// sheet by `rings` of its own heights north and south and of its own widths east and west.
// A sheet's ring is the least k whose grown box its interior meets. Across 180 degrees the
// box continues from the other side (zone 60 lies next to zone 1) and a box wider than the
// world holds each sheet once; where the zone width changes (60 and 76 degrees, both
// hemispheres) the sheets of the wider zones that meet the box are taken; the box is cut at
// +-88 degrees. Order: rows of sheets from the north, each row from the box's west edge
// eastwards. The sheet must pass isValid and rings lie in 1..kMaxRings (the caller checks);
// otherwise the result is empty.
std::vector<RingSheet> neighbours(const Sheet& sheet, int rings);

// The sheet of coarserScale (the same scale or a coarser one) that contains the sheet;
// nullopt when the sheet is invalid, the scale is finer or outside 0..11, or it does not nest.
std::optional<Sheet> parentOf(const Sheet& sheet, int coarserScale) noexcept;

// Why a valid sheet has no parent at coarserScale (a scale 0..11): ParentScaleFiner or
// ScalesDoNotNest; code None when it has one.
InputError parentScaleError(const Sheet& sheet, int coarserScale);

// The sheets of finerScale (the same scale or a finer one) whose interior meets the sheet:
// its children when the scales nest, from the north-west, streamed; count() gives their number
// first. Empty when the sheet is invalid or finerScale is coarser or outside 0..11.
SheetCover childrenOf(const Sheet& sheet, int finerScale) noexcept;

// ChildScaleCoarser when finerScale (0..11) is coarser than the sheet's; code None otherwise.
InputError childScaleError(const Sheet& sheet, int finerScale);

}  // namespace mapsheet::engine
