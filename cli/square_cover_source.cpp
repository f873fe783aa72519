// Built only with PROJ: square sheets as a cover source.
#ifdef MAPSHEET_HAVE_PROJ

#include "cli/square_cover_source.h"

#include <utility>

#include "engine/scale_names.h"
#include "projection/graticule_squares.h"
#include "projection/square_outline.h"
#include "text/csv.h"

namespace mapsheet::cli {

std::optional<projection::SquareCover> squaresOfArea(const cover::CoverArea& area,
                                                     [[maybe_unused]] const AreaRings& rings,
                                                     int scale,
                                                     projection::GaussKrugerProjector& projector) {
#ifdef MAPSHEET_HAVE_GDAL
    if (area.kind == cover::CoverArea::Kind::Polygons) {
        std::vector<projection::GeographicPolygon> polygons;
        polygons.reserve(rings.size());
        for (const gis::Polygon& polygon : rings) {
            projection::GeographicPolygon& converted = polygons.emplace_back();
            for (const gis::Ring& ring : polygon) {
                std::vector<projection::GeographicPoint>& points = converted.emplace_back();
                points.reserve(ring.size());
                for (const gis::LonLat& point : ring) {
                    points.push_back({point.latitude, point.longitude});
                }
            }
        }
        return projection::squaresOfPolygons(polygons, scale, projector);
    }
#endif
    return projection::squaresOfBox(area.box, scale, projector);
}

SquareCoverSource::SquareCoverSource(projection::SquareCover cover,
                                     projection::GaussKrugerProjector& projector)
    : cover_(std::move(cover)),
      projector_(&projector),
      systemName_(projection::systemName(projector.system())),
      layout_{
          "sheet,crs,scale,south_x,west_y,north_x,east_y\n", {"sheet", "crs", "scale"}, true, 9} {}

bool SquareCoverSource::next() {
    const std::optional<engine::SquareSheet> sheet = cover_.next();
    if (sheet) {
        sheet_ = *sheet;
    }
    return sheet.has_value();
}

std::optional<cover::CoverCount> SquareCoverSource::countAbove(std::uint64_t limit) const {
    // Square covers are known only by producing them: on a copy, stopped past the limit.
    projection::SquareCover counting = cover_;
    std::uint64_t count = 0;
    while (count <= limit && counting.next()) {
        ++count;
    }
    return count > limit ? std::optional<cover::CoverCount>({count, true}) : std::nullopt;
}

void SquareCoverSource::appendCsvRecord(std::string& records) const {
    const engine::SquareBounds b = engine::squareBounds(sheet_);
    records.append(engine::squareNumber(sheet_));
    records.push_back(',');
    appendCsvField(records, systemName_);
    records.append(",").append(engine::scaleRatioText(sheet_.scale));
    for (const std::int64_t edge : {b.south, b.west, b.north, b.east}) {
        records.append(",").append(std::to_string(edge));
    }
    records.push_back('\n');
}

void SquareCoverSource::fieldValues(std::vector<std::string>& values) const {
    values.assign(
        {engine::squareNumber(sheet_), systemName_, engine::scaleRatioText(sheet_.scale)});
}

cover::SheetFrame SquareCoverSource::frame() const {
    // The square's corners in metres are exact: the frame is the square itself.
    const engine::SquareBounds b = engine::squareBounds(sheet_);
    return {double(b.south), double(b.west), double(b.north), double(b.east)};
}

cover::LonLatRing SquareCoverSource::lonLatOutline(std::string& error) const {
    const auto outline = projection::geographicOutline(sheet_, *projector_);
    if (!outline) {
        error = "PROJ cannot take the corners of " + engine::squareNumber(sheet_) +
                " back to latitude and longitude";
        return {};
    }
    cover::LonLatRing ring;
    ring.reserve(outline->size());
    for (const projection::GeographicPoint& point : *outline) {
        ring.push_back({point.longitude, point.latitude});
    }
    return ring;
}

}  // namespace mapsheet::cli

#endif  // MAPSHEET_HAVE_PROJ
