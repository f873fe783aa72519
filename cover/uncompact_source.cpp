#include "cover/uncompact_source.h"

#include <utility>

#include "engine/compact_cover.h"

namespace mapsheet::cover {

UncompactSource::UncompactSource(std::vector<engine::Sheet> sheets, int scale,
                                 GraticuleColumns columns)
    : sheets_(std::move(sheets)), scale_(scale), layout_(graticuleLayout(columns)), row_(columns) {}

bool UncompactSource::next() {
    while (true) {
        if (const std::optional<engine::Sheet> sheet = current_.next()) {
            row_.set(*sheet);
            return true;
        }
        if (nextSheet_ == sheets_.size()) {
            return false;
        }
        current_ = engine::uncompact(sheets_[nextSheet_++], scale_);
    }
}

std::optional<CoverCount> UncompactSource::countAbove(std::uint64_t limit) const {
    std::uint64_t total = 0;
    for (const engine::Sheet& sheet : sheets_) {
        total += engine::uncompact(sheet, scale_).count();
    }
    return total > limit ? std::optional<CoverCount>({total, false}) : std::nullopt;
}

}  // namespace mapsheet::cover
