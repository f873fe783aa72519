#pragma once

// The cover source of square sheets (cover/cover_source.h), for `mapsheet-cli cover --square`
// and the square-sheet covers of the Python module:
// the square sheets of a Gauss-Kruger system that a box or polygons meet, in the system's plane
// (projection/graticule_squares.h).
//
// Rows. CSV: sheet,crs,scale,south_x,west_y,north_x,east_y, the corners in whole metres; the
// GIS layer has the text fields sheet ("4374.00-517.00"), crs ("EPSG:4548") and scale
// ("1:500"), its frames the squares in metres as the exact rectangles they are; for the
// longitude/latitude formats each outline comes back through PROJ with every side densified
// to stay within a centimetre of the straight side in the plane (projection/square_outline.h).
// GeoJSON keeps 9 decimals: 1e-9 degree is a tenth of a millimetre.

#include <cstdint>
#include <optional>
#include <string>

#include "cover/cover_source.h"

#include "engine/square_sheet.h"
#include "projection/gauss_kruger_projector.h"
#include "projection/square_cover.h"

namespace mapsheet::projection {

// One square sheet of the projector's system as a row, for covers and for the layer of
// `mapsheet-cli square --sheet --format`.
class SquareRow : public cover::CoverRow {
  public:
    // The projector must outlive the row.
    explicit SquareRow(GaussKrugerProjector& projector);

    void show(const engine::SquareSheet& sheet) { sheet_ = sheet; }
    const cover::CoverLayout& layout() const { return layout_; }

    void appendCsvRecord(std::string& records) const override;
    void fieldValues(std::vector<std::string>& values) const override;
    cover::SheetFrame frame() const override;
    engine::GeographicRing geographicOutline(std::string& error) const override;

  private:
    GaussKrugerProjector* projector_;
    std::string systemName_;
    cover::CoverLayout layout_;
    engine::SquareSheet sheet_;
};

class SquareCoverSource final : public cover::CoverSource {
  public:
    // The projector must outlive the source.
    SquareCoverSource(SquareCover cover, GaussKrugerProjector& projector);

    const cover::CoverLayout& layout() const override { return row_.layout(); }
    bool next() override;
    std::optional<cover::CoverCount> countAbove(std::uint64_t limit) const override;

    void appendCsvRecord(std::string& records) const override { row_.appendCsvRecord(records); }
    void fieldValues(std::vector<std::string>& values) const override { row_.fieldValues(values); }
    cover::SheetFrame frame() const override { return row_.frame(); }
    engine::GeographicRing geographicOutline(std::string& error) const override {
        return row_.geographicOutline(error);
    }

  private:
    SquareCover cover_;
    SquareRow row_;
};

}  // namespace mapsheet::projection
