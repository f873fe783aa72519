#include "cover/polygon_compact.h"

#include <utility>

#include "engine/compact_cover.h"

namespace mapsheet::cover {

namespace {

constexpr int kMillionScale = 0;

}  // namespace

PolygonCompactCover::PolygonCompactCover(std::shared_ptr<const AreaPolygons> polygons, int scale,
                                         engine::CoverMode mode)
    : polygons_(std::move(polygons)),
      scale_(scale),
      mode_(mode),
      plainOnly_(engine::compactParentScale(scale) < 0) {
    bases_ = engine::SheetCover(polygons_->bounds(), plainOnly_ ? scale : kMillionScale);
}

PolygonCompactCover::Share PolygonCompactCover::shareOf(const engine::Sheet& sheet) const {
    const engine::UnitBounds bounds = engine::unitBounds(sheet);
    if (sheet.scale == scale_) {
        return polygonsTake(*polygons_, bounds, mode_) ? Share::All : Share::None;
    }
    // Every sheet of the scale inside a sheet that lies in a polygon is taken in every mode;
    // none inside a sheet whose interior misses them is.
    if (polygons_->holdsRectangle(bounds)) {
        return Share::All;
    }
    return polygons_->interiorMeets(bounds) ? Share::Some : Share::None;
}

void PolygonCompactCover::whole(const engine::Sheet& sheet) {
    if (depth_ == 0 || stack_[depth_ - 1].partial) {
        ready_.push_back(sheet);
        return;
    }
    Frame& parent = stack_[depth_ - 1];
    parent.held[parent.heldCount++] = sheet;
}

void PolygonCompactCover::partial() {
    for (int level = 0; level < depth_; ++level) {
        Frame& frame = stack_[level];
        if (frame.partial) {
            continue;
        }
        ready_.insert(ready_.end(), frame.held.begin(), frame.held.begin() + frame.heldCount);
        frame.heldCount = 0;
        frame.partial = true;
    }
}

bool PolygonCompactCover::step() {
    engine::Sheet candidate;
    if (depth_ == 0) {
        const std::optional<engine::Sheet> base = bases_.next();
        if (!base) {
            return false;
        }
        candidate = *base;
    } else {
        Frame& frame = stack_[depth_ - 1];
        if (frame.nextChild == frame.ratio * frame.ratio) {
            --depth_;
            if (!frame.partial) {
                whole(frame.sheet);
            }
            return true;
        }
        const int index = frame.nextChild++;
        candidate = engine::childAt(frame.sheet, frame.childScale, index / frame.ratio,
                                    index % frame.ratio);
    }
    if (plainOnly_) {
        if (polygonsTake(*polygons_, engine::unitBounds(candidate), mode_)) {
            ready_.push_back(candidate);
        }
        return true;
    }
    switch (shareOf(candidate)) {
        case Share::All:
            whole(candidate);
            break;
        case Share::None:
            partial();
            break;
        case Share::Some: {
            const int finer = engine::compactChildScale(candidate.scale);
            stack_[depth_++] = {
                candidate, finer, engine::divisionRatio(candidate.scale, finer), 0, false, 0, {}};
            break;
        }
    }
    return true;
}

std::optional<engine::Sheet> PolygonCompactCover::next() {
    while (ready_.empty()) {
        if (!step()) {
            return std::nullopt;
        }
    }
    const engine::Sheet sheet = ready_.front();
    ready_.pop_front();
    return sheet;
}

}  // namespace mapsheet::cover
