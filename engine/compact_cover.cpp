// The compact cover as a depth-first walk down the chain, one frame per scale, each sheet
// judged whole, empty or partial from the cover's row and column ranges.

#include "engine/compact_cover.h"

#include <algorithm>

#include "engine/sheet_hierarchy.h"

namespace mapsheet::engine {

namespace {

constexpr int kMillionScale = 0;
constexpr int k250kScale = 2;
constexpr int k200kScale = 3;
constexpr int k100kScale = 4;
constexpr std::int64_t kHalfWorldUnits = 180 * std::int64_t{kUnitsPerDegree};

// How many of first..last lie in low..high.
std::int64_t overlap(std::int64_t first, std::int64_t last, std::int64_t low, std::int64_t high) {
    return std::max<std::int64_t>(0, std::min(last, high) - std::max(first, low) + 1);
}

}  // namespace

int compactParentScale(int scale) noexcept {
    if (scale <= kMillionScale || scale == k200kScale || scale >= kScaleCount) {
        return -1;
    }
    return scale == k100kScale ? k250kScale : scale - 1;
}

CompactCover::CompactCover(const LatLonBox& box, int scale, CoverMode mode) noexcept
    : scale_(scale), plainOnly_(compactParentScale(scale) < 0) {
    if (plainOnly_) {
        plain_ = SheetCover(box, scale, mode);
        return;
    }
    bases_ = SheetCover(box, kMillionScale, CoverMode::Meets);
    ranges_ = CoverRanges(box, scale, mode);
}

int compactChildScale(int scale) noexcept {
    if (scale < kMillionScale || scale == k200kScale || scale >= kScaleCount - 1) {
        return -1;
    }
    return scale == k250kScale ? k100kScale : scale + 1;
}

CompactCover::Share CompactCover::shareOf(const Sheet& sheet) const noexcept {
    if (ranges_.empty()) {
        return Share::None;
    }
    // The sheet's rows and columns on the grid of the cover's scale, which it divides exactly.
    const UnitBounds bounds = unitBounds(sheet);
    const std::int64_t height = ranges_.heightUnits();
    const std::int64_t southRow = bounds.south / height;
    const std::int64_t northRow = bounds.north / height - 1;
    const CoverRanges::Columns columns = ranges_.columnsOf(southRow);
    const std::int64_t westColumn = (bounds.west + kHalfWorldUnits) / columns.width;
    const std::int64_t eastColumn = (bounds.east + kHalfWorldUnits) / columns.width - 1;
    const std::int64_t rows = overlap(southRow, northRow, ranges_.lastRow(), ranges_.firstRow());
    const std::int64_t across = overlap(westColumn, eastColumn, columns.first, columns.last);
    if (rows == 0 || across == 0) {
        return Share::None;
    }
    return rows == northRow - southRow + 1 && across == eastColumn - westColumn + 1 ? Share::All
                                                                                    : Share::Some;
}

std::optional<Sheet> CompactCover::next() noexcept {
    if (plainOnly_) {
        return plain_.next();
    }
    while (true) {
        Sheet candidate;
        if (depth_ == 0) {
            const auto base = bases_.next();
            if (!base) {
                return std::nullopt;
            }
            candidate = *base;
        } else {
            Frame& frame = stack_[depth_ - 1];
            if (frame.nextChild == frame.ratio * frame.ratio) {
                --depth_;
                continue;
            }
            const int index = frame.nextChild++;
            candidate =
                childAt(frame.sheet, frame.childScale, index / frame.ratio, index % frame.ratio);
        }
        const Share share = shareOf(candidate);
        if (share == Share::All) {
            return candidate;
        }
        if (share == Share::Some) {
            const int finer = compactChildScale(candidate.scale);
            stack_[depth_++] = {candidate, finer, divisionRatio(candidate.scale, finer), 0};
        }
    }
}

SheetCover uncompact(const Sheet& sheet, int scale) noexcept {
    return childrenOf(sheet, scale);
}

}  // namespace mapsheet::engine
