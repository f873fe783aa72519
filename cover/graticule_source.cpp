#include "cover/graticule_source.h"

#include "batch/sheet_records.h"
#include "engine/sheet_hierarchy.h"
#include "engine/sheet_id.h"
#include "text/degree_text.h"

namespace mapsheet::cover {

CoverLayout graticuleLayout(GraticuleColumns columns) {
    CoverLayout layout{"new,old,south,west,north,east", {"new", "old", "scale"}};
    if (columns.scale) {
        layout.csvHeader.append(",scale");
    }
    if (columns.id) {
        layout.csvHeader.append(",id");
        layout.fields.emplace_back("id");
    }
    layout.csvHeader.push_back('\n');
    return layout;
}

void GraticuleRow::appendCsvRecord(std::string& records) const {
    records.append(engine::newNumber(sheet_).view());
    records.push_back(',');
    records.append(engine::oldNumber(sheet_).view());
    const engine::UnitBounds bounds = engine::unitBounds(sheet_);
    for (const std::int32_t edge : {bounds.south, bounds.west, bounds.north, bounds.east}) {
        records.push_back(',');
        text::appendHalfUnitDegrees(records, std::int64_t{2} * edge);
    }
    if (columns_.scale) {
        records.push_back(',');
        records.append(batch::scaleRatio(sheet_.scale));
    }
    if (columns_.id) {
        records.push_back(',');
        records.append(std::to_string(engine::sheetToId(sheet_)));
    }
    records.push_back('\n');
}

void GraticuleRow::fieldValues(std::vector<std::string>& values) const {
    values.assign({std::string(engine::newNumber(sheet_).view()),
                   std::string(engine::oldNumber(sheet_).view()),
                   std::string(batch::scaleRatio(sheet_.scale))});
    if (columns_.id) {
        values.push_back(std::to_string(engine::sheetToId(sheet_)));
    }
}

SheetFrame GraticuleRow::frame() const {
    const engine::DegreeBounds bounds = engine::degreeBounds(sheet_);
    return {bounds.south, bounds.west, bounds.north, bounds.east};
}

GraticuleSource::GraticuleSource(const CoverArea& area, int scale, engine::CoverMode mode,
                                 bool compact, bool idColumn)
    : area_(area),
      scale_(scale),
      mode_(mode),
      compact_(compact),
      idColumn_(idColumn),
      layout_(graticuleLayout({compact, idColumn})),
      row_({compact, idColumn}) {
    switch (area.kind) {
        case CoverArea::Kind::Box:
            if (compact) {
                compactBox_.emplace(area.box, scale, mode);
            } else {
                plain_ = engine::SheetCover(area.box, scale, mode);
            }
            break;
        case CoverArea::Kind::Sheet:
            // Every sheet of the scale inside the sheet lies wholly in it: the modes agree.
            if (compact) {
                compactBox_.emplace(area.box, scale, engine::CoverMode::Meets);
            } else {
                plain_ = engine::childrenOf(area.sheet, scale);
            }
            break;
        case CoverArea::Kind::Polygons:
            if (compact) {
                compactPolygons_.emplace(area.polygons, scale, mode);
            } else {
                plain_ = engine::SheetCover(area.box, scale);
            }
            break;
    }
}

std::optional<engine::Sheet> GraticuleSource::produce() {
    if (compactBox_) {
        return compactBox_->next();
    }
    if (compactPolygons_) {
        return compactPolygons_->next();
    }
    if (area_.kind == CoverArea::Kind::Polygons) {
        while (const std::optional<engine::Sheet> sheet = plain_.next()) {
            if (polygonsTake(*area_.polygons, engine::unitBounds(*sheet), mode_)) {
                return sheet;
            }
        }
        return std::nullopt;
    }
    return plain_.next();
}

bool GraticuleSource::next() {
    const std::optional<engine::Sheet> sheet = produce();
    if (sheet) {
        row_.set(*sheet);
    }
    return sheet.has_value();
}

std::optional<CoverCount> GraticuleSource::countAbove(std::uint64_t limit) const {
    // The plain cover of the box (of the sheet, of the polygons' bounds) holds every sheet of
    // the cover, and every sheet of a compact cover stands for at least one of them.
    const engine::SheetCover box = area_.kind == CoverArea::Kind::Sheet
                                       ? engine::childrenOf(area_.sheet, scale_)
                                       : engine::SheetCover(area_.box, scale_, mode_);
    const std::uint64_t sheets = box.count();
    if (sheets <= limit) {
        return std::nullopt;
    }
    const bool exact = !compact_ && area_.kind != CoverArea::Kind::Polygons;
    if (exact) {
        return CoverCount{sheets, false};
    }
    // Counting means producing: on a fresh source, stopped past the limit.
    GraticuleSource again(area_, scale_, mode_, compact_, idColumn_);
    std::uint64_t produced = 0;
    while (produced <= limit && again.produce()) {
        ++produced;
    }
    return produced > limit ? std::optional<CoverCount>({produced, true}) : std::nullopt;
}

}  // namespace mapsheet::cover
