#pragma once

// The cover a compact cover stands for: every sheet of one scale inside each of the given
// sheets (engine/compact_cover.h uncompact), sheet after sheet in the order given, as a cover
// source (cover/cover_source.h) with the rows of graticule sheets. Counted exactly without
// producing the sheets.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "cover/graticule_source.h"
#include "engine/sheet_cover.h"

namespace mapsheet::cover {

class UncompactSource final : public CoverSource {
  public:
    // Each sheet's scale must be the scale or coarser.
    UncompactSource(std::vector<engine::Sheet> sheets, int scale, GraticuleColumns columns);

    const CoverLayout& layout() const override { return layout_; }
    bool next() override;
    std::optional<CoverCount> countAbove(std::uint64_t limit) const override;
    bool countsAhead() const override { return true; }

    void appendCsvRecord(std::string& records) const override { row_.appendCsvRecord(records); }
    void fieldValues(std::vector<std::string>& values) const override { row_.fieldValues(values); }
    SheetFrame frame() const override { return row_.frame(); }

  private:
    std::vector<engine::Sheet> sheets_;
    int scale_;
    CoverLayout layout_;
    GraticuleRow row_;
    std::size_t nextSheet_ = 0;
    engine::SheetCover current_;
};

}  // namespace mapsheet::cover
