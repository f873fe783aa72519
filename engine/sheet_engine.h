#pragma once

// The sheet-numbering engine: the sheet of the current scale that holds a point, in the
// 1993-2012 national standard numbering (K50E003005) and in the pre-1992 numbering
// (J-50-5-A-1).
//
// Legal input: latitude and longitude in decimal degrees, north and east positive, with
// -88 < latitude < 88 and -180 <= longitude < 180; other points, and NaN or infinite values,
// have no sheet (empty text). Latitude -88, like +88, is the outer edge of the last row V.
//
// Membership, the same at every scale and in both numberings:
//  - A point exactly on a parallel belongs to the sheet farther from the equator: a northern
//    sheet holds its south edge, a southern sheet its north edge. The equator itself belongs
//    to the northern row A.
//  - A point exactly on a meridian belongs to the sheet east of it.
//  - A point within kLineToleranceDegrees (1e-10 degree) of a line counts as on it
//    (sheet.h), and one that lands on the 180 degree meridian has no sheet. So a sheet corner
//    typed as text and read to the nearest double lands in its north-east sheet (its
//    south-east sheet in the southern hemisphere).
//  - The zone width follows the 1:1,000,000 row the point belongs to: 6 degrees for rows A to
//    O, 12 for P to S, 24 for T to V (latitude 60 and -60 both lie in rows P and SP, width 12).
//    The column count of a scale stays the same in the wider zones; its columns widen, and so
//    do the pre-1992 cells.
//
// The engine is the window's view of the sheet core (sheet.h), which decides every line: it
// keeps the window-level state of the numbering (current scale, base sheet, codes, pre-1992
// bounds) and writes its intermediate results into it; it is not re-entrant.

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/scale_catalogue.h"
#include "engine/sheet.h"

namespace mapsheet::engine {

// The 1:1,000,000 sheet of a point.
struct BaseSheet {
    std::int32_t zoneWidth = 6;
    std::int32_t baseNorth = 0;
    std::int32_t baseSouth = 0;
    std::int32_t baseWest = 0;
    std::int32_t baseEast = 0;
    std::string rowLetterText;  // "A".."V"; "S" before the letter in the south ("SJ")
    std::string zoneText;       // "01".."60", counting sheets of the zone width from 180 W
};

// The stand-ins the engine takes for a point beyond the series: a latitude of 87.59599 and a
// longitude of 179.59599, each on the side of zero the coordinate lies (NaN on the positive
// side).
double latitudeStandIn(double latitude);
double longitudeStandIn(double longitude);

// The coordinate, or its stand-in when it lies off the series after the line rule: latitudes
// outside -88 < latitude < 88, longitudes outside -180 <= longitude < 180, and NaN.
double clampedLatitude(double latitude);
double clampedLongitude(double longitude);

struct SheetBounds {
    double north = 0;
    double south = 0;
    double west = 0;
    double east = 0;
};

class SheetEngine {
  public:
    SheetEngine() { SelectScale(1); }

    // Loads the catalogue row of the scale (0..11; other indices are clamped to that range)
    // into the current scale record.
    void SelectScale(int scaleIndex);
    const ScaleRecord& scale() const { return scale_; }

    // The engine's single entry: the new-standard (newNumbering) or pre-1992 number of the sheet
    // of the current scale that holds the point; empty when there is none. 1:1,000,000 gives
    // K50 and K-50. 1:200,000 has no sheet in the new standard; its new number is the code
    // K50R001001 of the same 6 x 6 division, kept for comparison. 1:5000 and finer have no
    // pre-1992 number (empty text).
    std::string SheetNumber(double latitude, double longitude, bool newNumbering);

    // Fills the base-sheet record of the 1:1,000,000 sheet that holds the point, clamped first
    // (clampedLatitude, clampedLongitude), so that the record always names a sheet of rows
    // A..V and zones 1..60.
    void ComputeBaseSheet(double latitude, double longitude);
    // 6, 12 or 24 degrees for the row that holds the latitude (24 beyond row V).
    static std::int32_t ZoneWidthForLatitude(double latitude);
    // "J50" (compact) or "J-50", after ComputeBaseSheet.
    std::string BaseSheetNumber(double latitude, double longitude, bool compact);
    // The new-standard number, with the base sheet already computed for the point; fills
    // rowCode (1 = northernmost) and columnCode (1 = westernmost). Empty when the point has no
    // sheet or lies outside the base sheet.
    std::string NewSheetNumber(double latitude, double longitude);

    // The pre-1992 1:100,000 and 1:50,000 sheets of the point, as bands of the sheet height
    // counted from the equator and columns of the (widened) sheet width from 180 W; the point is
    // clamped as in ComputeBaseSheet.
    void OldSheet100kBounds(double latitude, double longitude);
    void OldSheet50kBounds(double latitude, double longitude);

    // The pre-1992 numbers, with the base sheet already computed for the point; empty when the
    // point has no sheet or lies outside the sheet that the scale divides. 1:500,000 K-50-A,
    // 1:250,000 K-50-[1], 1:200,000 K-50-(1), 1:100,000 K-50-1, 1:50,000 K-50-1-A, 1:25,000
    // K-50-1-A-1, 1:10,000 K-50-1-(1). Cells are numbered row by row from the north-west
    // corner, in both hemispheres.
    std::string OldSheet500k(double latitude, double longitude) {
        return oldNumberAt(latitude, longitude, 1);
    }
    std::string OldSheet250k(double latitude, double longitude) {
        return oldNumberAt(latitude, longitude, 2);
    }
    std::string OldSheet200k(double latitude, double longitude) {
        return oldNumberAt(latitude, longitude, 3);
    }
    std::string OldSheet100k(double latitude, double longitude) {
        return oldNumberAt(latitude, longitude, kOld100kGrid);
    }
    std::string OldSheet50k(double latitude, double longitude) {
        return oldNumberAt(latitude, longitude, kOld50kGrid);
    }
    std::string OldSheet25k(double latitude, double longitude) {
        return oldNumberAt(latitude, longitude, kOld25kGrid);
    }
    std::string OldSheet10k(double latitude, double longitude) {
        return oldNumberAt(latitude, longitude, 7);
    }

    const BaseSheet& baseSheet() const { return base_; }
    std::int32_t rowCode() const { return rowCode_; }
    std::int32_t columnCode() const { return columnCode_; }
    const SheetBounds& oldSheet100k() const { return oldSheet100k_; }
    const SheetBounds& oldSheet50k() const { return oldSheet50k_; }

  private:
    // The pre-1992 1:100,000, 1:50,000 and 1:25,000 sheets are those of the catalogue's D, E
    // and F grids.
    static constexpr int kOld100kGrid = 4;
    static constexpr int kOld50kGrid = 5;
    static constexpr int kOld25kGrid = 6;

    // The sheet of the scale that holds the point, when it lies in the computed base sheet.
    std::optional<Sheet> sheetInBase(double latitude, double longitude, int scale) const;
    std::string oldNumberAt(double latitude, double longitude, int scale);
    static SheetBounds boundsOfSheetAt(double latitude, double longitude, int scale);

    ScaleRecord scale_;
    BaseSheet base_;
    Sheet baseSheet_;
    bool baseOnSeries_ = false;  // whether the base sheet's point lies on the series (not clamped)
    std::int32_t rowCode_ = 0;
    std::int32_t columnCode_ = 0;
    SheetBounds oldSheet100k_;
    SheetBounds oldSheet50k_;
};

}  // namespace mapsheet::engine
