#include "projection/square_cover_source.h"

#include <utility>

#include "engine/scale_names.h"
#include "projection/graticule_squares.h"
#include "projection/square_outline.h"
#include "text/csv.h"

namespace mapsheet::projection {

SquareRow::SquareRow(GaussKrugerProjector& projector)
    : projector_(&projector),
      systemName_(systemName(projector.system())),
      layout_{
          "sheet,crs,scale,south_x,west_y,north_x,east_y\n", {"sheet", "crs", "scale"}, true, 9} {}

SquareCoverSource::SquareCoverSource(SquareCover cover, GaussKrugerProjector& projector)
    : cover_(std::move(cover)), row_(projector) {}

bool SquareCoverSource::next() {
    const std::optional<engine::SquareSheet> sheet = cover_.next();
    if (sheet) {
        row_.show(*sheet);
    }
    return sheet.has_value();
}

std::optional<cover::CoverCount> SquareCoverSource::countAbove(std::uint64_t limit) const {
    // Square covers are known only by producing them: on a copy, stopped past the limit.
    SquareCover counting = cover_;
    std::uint64_t count = 0;
    while (count <= limit && counting.next()) {
        ++count;
    }
    return count > limit ? std::optional<cover::CoverCount>({count, true}) : std::nullopt;
}

void SquareRow::appendCsvRecord(std::string& records) const {
    const engine::SquareBounds b = engine::squareBounds(sheet_);
    records.append(engine::squareNumber(sheet_));
    records.push_back(',');
    text::appendCsvField(records, systemName_);
    records.append(",").append(engine::scaleRatioText(sheet_.scale));
    for (const std::int64_t edge : {b.south, b.west, b.north, b.east}) {
        records.append(",").append(std::to_string(edge));
    }
    records.push_back('\n');
}

void SquareRow::fieldValues(std::vector<std::string>& values) const {
    values.assign(
        {engine::squareNumber(sheet_), systemName_, engine::scaleRatioText(sheet_.scale)});
}

cover::SheetFrame SquareRow::frame() const {
    // The square's corners in metres are exact: the frame is the square itself.
    const engine::SquareBounds b = engine::squareBounds(sheet_);
    return {double(b.south), double(b.west), double(b.north), double(b.east)};
}

engine::GeographicRing SquareRow::geographicOutline(std::string& error) const {
    const auto outline = projection::geographicOutline(sheet_, *projector_);
    if (!outline) {
        error = "PROJ cannot take the corners of " + engine::squareNumber(sheet_) +
                " back to latitude and longitude";
        return {};
    }
    return *outline;
}

}  // namespace mapsheet::projection
