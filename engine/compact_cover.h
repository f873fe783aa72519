#pragma once

// A cover written with the coarsest whole sheets: wherever every sheet of the cover's scale
// inside a coarser sheet is in the cover, the coarser sheet stands in for them, up the chain
// 1:500 -> 1:1000 -> 1:2000 -> 1:5000 -> 1:10,000 -> 1:25,000 -> 1:50,000 -> 1:100,000 ->
// 1:250,000 -> 1:500,000 -> 1:1,000,000. 1:200,000 stands outside the chain: its compact cover
// is its plain cover.
//
// The sheets are produced one at a time by a depth-first walk from each 1:1,000,000 sheet
// that meets the box, deciding for each sheet from the row and column ranges of the cover
// alone whether all, none or some of its sheets at the cover's scale are in it; nothing of the
// fine-scale list is held, so memory stays constant whatever the area. Order: the 1:1,000,000
// sheets from the north-west, inside each the walk from the north-west.
//
// Uncompacting a sheet of the result back to the cover's scale is childrenOf of
// sheet_hierarchy.h; the union over the result is exactly SheetCover(box, scale, mode).

#include <array>
#include <optional>

#include "engine/sheet.h"
#include "engine/sheet_cover.h"

namespace mapsheet::engine {

// The next coarser scale of the chain, or -1 for 1:1,000,000 and 1:200,000.
int compactParentScale(int scale) noexcept;
// The next finer scale of the chain, or -1 for 1:500 and 1:200,000.
int compactChildScale(int scale) noexcept;

class CompactCover {
  public:
    // The box must pass boxError; scale 0..11 (else the cover is empty).
    CompactCover(const LatLonBox& box, int scale, CoverMode mode = CoverMode::Meets) noexcept;

    std::optional<Sheet> next() noexcept;

  private:
    enum class Share { None, Some, All };
    Share shareOf(const Sheet& sheet) const noexcept;

    struct Frame {
        Sheet sheet;
        int childScale;
        int ratio;
        int nextChild;  // row-major index of the next child to visit
    };

    SheetCover plain_;    // the cover itself, for 1:200,000 and 1:1,000,000
    SheetCover bases_;    // the 1:1,000,000 sheets meeting the box
    CoverRanges ranges_;  // rows and columns of the cover at its scale
    int scale_;
    bool plainOnly_;
    std::array<Frame, kScaleCount> stack_{};
    int depth_ = 0;
};

// The sheets of the scale inside a sheet of the compact cover: childrenOf(sheet, scale).
SheetCover uncompact(const Sheet& sheet, int scale) noexcept;

}  // namespace mapsheet::engine
