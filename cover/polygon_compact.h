#pragma once

// The compact cover of polygons: the sheets of one scale that a cover of the polygons takes in
// a mode (cover_area.h, polygonsTake), written with the coarsest whole sheets up the chain of
// engine/compact_cover.h, exactly as engine::CompactCover writes the cover of a box.
//
// A depth-first walk from each 1:1,000,000 sheet meeting the polygons' bounds: a sheet lying
// in a polygon is whole, a sheet whose interior misses them is empty, and any other is opened,
// down to the cover's scale, where each sheet is taken or not by itself. An opened sheet all of
// whose children turn out whole is whole after all: the walk holds back the whole children of
// each open sheet until one child is not, so at most the children of one sheet per scale are
// held, whatever the area. Order: the 1:1,000,000 sheets from the north-west, inside each the
// walk from the north-west. Uncompacting the result gives the plain cover back.

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>

#include "cover/cover_area.h"
#include "engine/sheet.h"
#include "engine/sheet_cover.h"

namespace mapsheet::cover {

class PolygonCompactCover {
  public:
    // scale 0..11; polygons must not be null.
    PolygonCompactCover(std::shared_ptr<const AreaPolygons> polygons, int scale,
                        engine::CoverMode mode);

    std::optional<engine::Sheet> next();

  private:
    enum class Share { None, Some, All };
    Share shareOf(const engine::Sheet& sheet) const;
    // Hands a whole sheet to the open sheet above it, or out when there is none or it is
    // partial already.
    void whole(const engine::Sheet& sheet);
    // The open sheets are partial: their held children go out, the outermost first.
    void partial();
    // One step of the walk; false when it has ended.
    bool step();

    struct Frame {
        engine::Sheet sheet;
        int childScale = 0;
        int ratio = 0;
        int nextChild = 0;
        bool partial = false;
        int heldCount = 0;
        std::array<engine::Sheet, 9> held{};  // the whole children so far (ratios reach 3)
    };

    std::shared_ptr<const AreaPolygons> polygons_;
    int scale_;
    engine::CoverMode mode_;
    engine::SheetCover bases_;  // the 1:1,000,000 sheets, or the plain cover off the chain
    bool plainOnly_;
    std::array<Frame, engine::kScaleCount> stack_{};
    int depth_ = 0;
    std::deque<engine::Sheet> ready_;
};

}  // namespace mapsheet::cover
