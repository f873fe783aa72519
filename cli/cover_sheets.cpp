#include "cli/cover_sheets.h"

namespace mapsheet::cli {

CoverSheets::CoverSheets(const engine::LatLonBox& box, int scale, engine::CoverMode mode,
                         bool compact)
    : scale_(scale), box_(box, scale, mode) {
    if (compact) {
        compact_.emplace(box, scale, mode);
    }
}

CoverSheets::CoverSheets(const engine::Sheet& parent, int scale)
    : scale_(scale),
      box_(engine::LatLonBox{}, scale),
      parent_(parent),
      ratio_(engine::divisionRatio(parent.scale, scale)) {}

#ifdef MAPSHEET_HAVE_GDAL
CoverSheets::CoverSheets(std::shared_ptr<const gis::PolygonArea> area, int scale)
    : scale_(scale), box_(area->bounds(), scale), area_(std::move(area)) {}
#endif

std::optional<engine::Sheet> CoverSheets::next() {
    if (compact_) {
        return compact_->next();
    }
    if (parent_) {
        if (childIndex_ >= ratio_ * ratio_) {
            return std::nullopt;
        }
        const int index = childIndex_++;
        return engine::childAt(*parent_, scale_, index / ratio_, index % ratio_);
    }
#ifdef MAPSHEET_HAVE_GDAL
    if (area_) {
        while (const std::optional<engine::Sheet> sheet = box_.next()) {
            if (area_->interiorMeets(engine::unitBounds(*sheet))) {
                return sheet;
            }
        }
        return std::nullopt;
    }
#endif
    return box_.next();
}

std::optional<CoverCount> CoverSheets::countAbove(std::uint64_t limit) const {
    const std::uint64_t sheets =
        parent_ ? static_cast<std::uint64_t>(ratio_) * static_cast<std::uint64_t>(ratio_)
                : box_.count();
    if (sheets <= limit) {
        return std::nullopt;
    }
    if (compact_) {
        engine::CompactCover again = *compact_;
        std::uint64_t compacted = 0;
        while (compacted <= limit && again.next()) {
            ++compacted;
        }
        return compacted > limit ? std::optional<CoverCount>({compacted, true}) : std::nullopt;
    }
#ifdef MAPSHEET_HAVE_GDAL
    if (area_) {
        CoverSheets again(area_, scale_);
        std::uint64_t meeting = 0;
        while (meeting <= limit && again.next()) {
            ++meeting;
        }
        return meeting > limit ? std::optional<CoverCount>({meeting, true}) : std::nullopt;
    }
#endif
    return CoverCount{sheets, false};
}

}  // namespace mapsheet::cli
