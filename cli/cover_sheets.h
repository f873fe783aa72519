#pragma once

// The sheets of one scale that `mapsheet-cli cover` produces for its three kinds of area, one at
// a time from the north-west, without holding the list.
//
//  - a box: engine::SheetCover (the sheets the closed box covers in the mode), or with compact
//    engine::CompactCover (the same area in the coarsest whole sheets, of mixed scales);
//  - a coarser sheet: its sheets of the scale, rows from the north, each row from the west;
//  - polygons: the sheets of the cover of the polygons' bounding box whose interior meets a
//    polygon's interior (gis::PolygonArea, exact on the unit lattice).

#include <cstdint>
#include <memory>
#include <optional>

#include "engine/compact_cover.h"
#include "engine/sheet.h"
#include "engine/sheet_cover.h"

#ifdef MAPSHEET_HAVE_GDAL
#include "gis/polygon_area.h"
#endif

namespace mapsheet::cli {

struct CoverCount {
    std::uint64_t sheets = 0;
    bool atLeast = false;  // counting stopped early: the cover has at least this many
};

class CoverSheets {
  public:
    // The box must pass engine::boxError; scale 0..11.
    CoverSheets(const engine::LatLonBox& box, int scale,
                engine::CoverMode mode = engine::CoverMode::Meets, bool compact = false);
    // divisionRatio(parent.scale, scale) must be positive.
    CoverSheets(const engine::Sheet& parent, int scale);
#ifdef MAPSHEET_HAVE_GDAL
    // The area holds at least one polygon.
    CoverSheets(std::shared_ptr<const gis::PolygonArea> area, int scale);
#endif

    std::optional<engine::Sheet> next();

    // nullopt when the cover has at most limit sheets, else its size: exact for a box and a
    // sheet; for polygons and compact covers, where counting means producing every sheet, the
    // count stops at limit + 1 and says so with atLeast.
    std::optional<CoverCount> countAbove(std::uint64_t limit) const;

  private:
    int scale_;
    engine::SheetCover box_;
    std::optional<engine::CompactCover> compact_;
    std::optional<engine::Sheet> parent_;
    int ratio_ = 0;
    int childIndex_ = 0;
#ifdef MAPSHEET_HAVE_GDAL
    std::shared_ptr<const gis::PolygonArea> area_;
#endif
};

}  // namespace mapsheet::cli
