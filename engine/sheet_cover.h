#pragma once

// The sheets of one scale whose interior meets a latitude/longitude box, produced one at a time
// without holding the list.
//
// The box is closed: south <= latitude <= north, west <= longitude <= east, in decimal degrees,
// each edge placed on the unit lattice by the line rule of sheet.h. A sheet belongs to the cover
// when its open interior meets the box, so a sheet that only touches the box's edge is not in
// it; a degenerate box (a point or a segment) inside a sheet's interior still gives that sheet.
// The box is cut to the series (-88..88, -180..180). Order: rows of sheets from the north, each
// row from the west.

#include <cstdint>
#include <optional>
#include <string>

#include "engine/sheet.h"

namespace mapsheet::engine {

struct LatLonBox {
    double south = 0;
    double west = 0;
    double north = 0;
    double east = 0;
};

// Empty when the box is legal, else the reason, quoting the values: "south 41 is above north
// 40", "west 120 is east of east 110", "latitude 95 is outside -90..90", a NaN edge.
std::string boxError(const LatLonBox& box);

class SheetCover {
  public:
    // The box must pass boxError; scale 0..11.
    SheetCover(const LatLonBox& box, int scale) noexcept;

    // The next sheet, nullopt after the last.
    std::optional<Sheet> next() noexcept;

    // The number of sheets in the whole cover, computed without producing them.
    std::uint64_t count() const noexcept;

  private:
    // Grid row j of the scale spans latitudes j * height .. (j + 1) * height (units, signed);
    // grid column i spans i * width .. (i + 1) * width east of 180 W, width that of the row.
    struct Columns {
        std::int64_t width;
        std::int64_t first;
        std::int64_t last;  // below first when the row has none
    };
    Columns columnsOf(std::int64_t row) const noexcept;
    Sheet sheetAt(std::int64_t row, std::int64_t column) const noexcept;

    int scale_;
    bool empty_ = true;
    double west_ = 0;  // placed box edges in units east of 180 W
    double east_ = 0;
    std::int64_t heightUnits_ = 0;
    std::int64_t firstRow_ = 0;  // the northernmost grid row meeting the box
    std::int64_t lastRow_ = 0;   // the southernmost
    std::int64_t row_ = 0;
    std::int64_t column_ = 0;
    std::int64_t lastColumn_ = -1;
};

}  // namespace mapsheet::engine
