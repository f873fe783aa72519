#pragma once

// The sheets of one scale that a latitude/longitude box covers, produced one at a time without
// holding the list.
//
// The box is closed: south <= latitude <= north, west <= longitude <= east, in decimal degrees,
// each edge placed on the unit lattice by the line rule of sheet.h. Which sheets belong to the
// cover is the mode's choice, decided exactly on the placed values:
//  - Meets (the default): the sheet's open interior meets the box, so a sheet that only touches
//    the box's edge is not in it; a degenerate box (a point or a segment) inside a sheet's
//    interior still gives that sheet;
//  - Centre: the sheet's centre lies in the closed box (edges included);
//  - Within: the whole closed sheet lies in the closed box (a sheet edge on the box edge is in).
// The box is cut to the series (-88..88, -180..180). Order: rows of sheets from the north, each
// row from the west.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/input_error.h"
#include "engine/sheet.h"

namespace mapsheet::engine {

struct LatLonBox {
    double south = 0;
    double west = 0;
    double north = 0;
    double east = 0;
};

// Empty when the box is legal, else what is wrong (engine/input_error.h), quoting the values:
// "south 41 is above north 40", "west 120 is east of east 110", "latitude 95 is outside
// -90..90", a NaN edge.
InputError boxError(const LatLonBox& box);

enum class CoverMode { Meets, Centre, Within };

// "meets", "centre" or "within"; nullopt for any other name.
std::optional<CoverMode> coverModeFromName(std::string_view name) noexcept;
std::string_view coverModeName(CoverMode mode) noexcept;

// The grid rows and columns of one scale that a box covers in a mode: the rule of the cover,
// shared by SheetCover and CompactCover.
//
// Grid row j of the scale spans latitudes j * height .. (j + 1) * height (units, signed, north
// positive); grid column i spans i * width .. (i + 1) * width east of 180 W, width that of the
// row's zones. Inside one 1:1,000,000 sheet rows and columns are independent: a sheet is in the
// cover exactly when its row lies in firstRow..lastRow and its column in columnsOf(row).
class CoverRanges {
  public:
    struct Columns {
        std::int64_t width;
        std::int64_t first;
        std::int64_t last;  // below first when the row has none
    };

    CoverRanges() noexcept = default;  // covers nothing
    // The box must pass boxError; a scale outside 0..11 covers nothing.
    CoverRanges(const LatLonBox& box, int scale, CoverMode mode) noexcept;

    bool empty() const noexcept { return empty_; }
    int scale() const noexcept { return scale_; }
    std::int64_t heightUnits() const noexcept { return heightUnits_; }
    std::int64_t firstRow() const noexcept { return firstRow_; }  // the northernmost
    std::int64_t lastRow() const noexcept { return lastRow_; }    // the southernmost
    Columns columnsOf(std::int64_t row) const noexcept;
    Sheet sheetAt(std::int64_t row, std::int64_t column) const noexcept;

  private:
    int scale_ = 0;
    CoverMode mode_ = CoverMode::Meets;
    bool empty_ = true;
    double west_ = 0;  // placed box edges in units east of 180 W
    double east_ = 0;
    std::int64_t heightUnits_ = 0;
    std::int64_t firstRow_ = 0;
    std::int64_t lastRow_ = -1;
};

class SheetCover {
  public:
    // The box must pass boxError; scale 0..11 (else the cover is empty).
    SheetCover(const LatLonBox& box, int scale, CoverMode mode = CoverMode::Meets) noexcept;
    SheetCover() noexcept = default;  // the empty cover

    // The next sheet, nullopt after the last.
    std::optional<Sheet> next() noexcept;

    // The number of sheets in the whole cover, computed without producing them.
    std::uint64_t count() const noexcept;

  private:
    CoverRanges ranges_;
    std::int64_t row_ = 0;
    std::int64_t column_ = 0;
    std::int64_t lastColumn_ = -1;
};

}  // namespace mapsheet::engine
