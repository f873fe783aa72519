#pragma once

// Graticule sheets as cover rows, and the cover source of graticule sheets for the three kinds
// of area.
//
// Rows. CSV: the header new,old,south,west,north,east, then as asked the columns scale (for a
// cover of mixed scales) and id; the old number is empty at 1:2000 and finer, the bounds are
// decimal degrees rounded to 12 places (text/degree_text.h), the scale is written "1:10000" and
// the id is the sheet's (engine/sheet_id.h). The GIS layer has the text fields new, old (null
// where there is none) and scale, and id as asked; the frame is the sheet's bounds in degrees.
//
// Sheets, one at a time from the north-west, without holding the list:
//  - a box: engine::SheetCover in the mode, or compact engine::CompactCover;
//  - a sheet: its sheets of the scale (the same in every mode), rows from the north, each row
//    from the west; compact, the sheet itself when the scale lies on its chain below it;
//  - polygons: the sheets of the cover of their bounds that the mode takes (polygonsTake), or
//    compact cover::PolygonCompactCover.

#include <memory>
#include <optional>

#include "cover/cover_area.h"
#include "cover/cover_source.h"
#include "cover/polygon_compact.h"
#include "engine/compact_cover.h"
#include "engine/sheet.h"
#include "engine/sheet_cover.h"

namespace mapsheet::cover {

struct GraticuleColumns {
    bool scale = false;  // CSV only: the GIS layer always has it
    bool id = false;
};

CoverLayout graticuleLayout(GraticuleColumns columns);

class GraticuleRow final : public CoverRow {
  public:
    explicit GraticuleRow(GraticuleColumns columns) : columns_(columns) {}
    void set(const engine::Sheet& sheet) { sheet_ = sheet; }
    const engine::Sheet& sheet() const { return sheet_; }

    void appendCsvRecord(std::string& records) const override;
    void fieldValues(std::vector<std::string>& values) const override;
    SheetFrame frame() const override;

  private:
    GraticuleColumns columns_;
    engine::Sheet sheet_;
};

class GraticuleSource final : public CoverSource {
  public:
    // scale 0..11. A sheet area: divisionRatio(area.sheet.scale, scale) must be positive.
    GraticuleSource(const CoverArea& area, int scale, engine::CoverMode mode, bool compact,
                    bool idColumn);

    const CoverLayout& layout() const override { return layout_; }
    bool next() override;
    std::optional<CoverCount> countAbove(std::uint64_t limit) const override;
    bool countsAhead() const override {
        return area_.kind != CoverArea::Kind::Polygons && !compact_;
    }
    // The sheet of the row, after next() returned true.
    const engine::Sheet& sheet() const { return row_.sheet(); }

    void appendCsvRecord(std::string& records) const override { row_.appendCsvRecord(records); }
    void fieldValues(std::vector<std::string>& values) const override { row_.fieldValues(values); }
    SheetFrame frame() const override { return row_.frame(); }

  private:
    std::optional<engine::Sheet> produce();

    CoverArea area_;
    int scale_;
    engine::CoverMode mode_;
    bool compact_;
    bool idColumn_;
    CoverLayout layout_;
    GraticuleRow row_;
    engine::SheetCover plain_;  // a box, the bounds of polygons, or the children of a sheet
    std::optional<engine::CompactCover> compactBox_;
    std::optional<PolygonCompactCover> compactPolygons_;
};

}  // namespace mapsheet::cover
