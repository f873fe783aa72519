#pragma once

// The cover source of square sheets (cover/cover_source.h), for `mapsheet-cli cover --square`:
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

#include "cover/cover_area.h"
#include "cover/cover_source.h"
#include "engine/square_sheet.h"
#include "projection/gauss_kruger_projector.h"
#include "projection/square_cover.h"

#ifdef MAPSHEET_HAVE_GDAL
#include "gis/polygon_area.h"
#endif

namespace mapsheet::cli {

#ifdef MAPSHEET_HAVE_GDAL
using AreaRings = std::vector<gis::Polygon>;
#else
using AreaRings = std::vector<int>;  // no polygons without GDAL
#endif

// The square sheets of the scale (8..11) that the area meets in the projector's plane: its box
// (a box or a sheet's bounds), or for polygons their rings as read; nullopt when PROJ cannot
// project them.
std::optional<projection::SquareCover> squaresOfArea(const cover::CoverArea& area,
                                                     const AreaRings& rings, int scale,
                                                     projection::GaussKrugerProjector& projector);

class SquareCoverSource final : public cover::CoverSource {
  public:
    // The projector must outlive the source.
    SquareCoverSource(projection::SquareCover cover, projection::GaussKrugerProjector& projector);

    const cover::CoverLayout& layout() const override { return layout_; }
    bool next() override;
    std::optional<cover::CoverCount> countAbove(std::uint64_t limit) const override;

    void appendCsvRecord(std::string& records) const override;
    void fieldValues(std::vector<std::string>& values) const override;
    cover::SheetFrame frame() const override;
    cover::LonLatRing lonLatOutline(std::string& error) const override;

  private:
    projection::SquareCover cover_;
    projection::GaussKrugerProjector* projector_;
    std::string systemName_;
    cover::CoverLayout layout_;
    engine::SquareSheet sheet_;
};

}  // namespace mapsheet::cli
