#pragma once

// The sheet-numbering engine: the sheet of the current scale that holds a point, in the
// 1993-2012 national standard numbering (K50E003005) and in the pre-1992 numbering
// (J-50-5-A-1).
//
// Legal input: latitude and longitude in decimal degrees, north and east positive, with
// -88 <= latitude < 88 and -180 <= longitude < 180; other points have no sheet (empty text).
// Membership: a point exactly on a parallel belongs to the sheet farther from the equator (a
// northern sheet holds its south edge, a southern sheet its north edge); a point exactly on a
// meridian belongs to the sheet east of it. A point within kLineToleranceDegrees of a line is on
// it (line_rule.h). The zone width follows the row the point belongs to: 6 degrees for rows A
// to O, 12 for P to S, 24 for T to V.
//
// The engine keeps the window-level state of the numbering (current scale, base sheet, codes,
// pre-1992 bounds) and writes its intermediate results into it; it is not re-entrant.

#include <cstdint>
#include <string>

#include "engine/scale_catalogue.h"

namespace mapsheet::engine {

struct BaseSheet {
    std::int32_t zoneWidth = 6;
    std::int32_t baseNorth = 0;
    std::int32_t baseSouth = 0;
    std::int32_t baseWest = 0;
    std::int32_t baseEast = 0;
    std::string rowLetterText;  // "A".."V"; "S" before the letter in the south ("SJ")
    std::string zoneText;       // "01".."60"
};

struct SheetBounds {
    double north = 0;
    double south = 0;
    double west = 0;
    double east = 0;
};

class SheetEngine {
public:
    SheetEngine() { SelectScale(1); }

    // Loads the catalogue row of the scale (0..11) into the current scale record.
    void SelectScale(int scaleIndex);
    const ScaleRecord& scale() const { return scale_; }

    // The engine's single entry: the new-standard (newNumbering) or pre-1992 number of the sheet
    // of the current scale that holds the point; empty when there is none.
    std::string SheetNumber(double latitude, double longitude, bool newNumbering);

    // Fills the base-sheet record of the 1:1,000,000 sheet that holds the point.
    void ComputeBaseSheet(double latitude, double longitude);
    // 6, 12 or 24 degrees for the row that holds the latitude.
    static std::int32_t ZoneWidthForLatitude(double latitude);
    // "J50" (compact) or "J-50".
    std::string BaseSheetNumber(double latitude, double longitude, bool compact);
    // The new-standard number, with the base sheet already computed for the point.
    std::string NewSheetNumber(double latitude, double longitude);

    void OldSheet100kBounds(double latitude, double longitude);
    void OldSheet50kBounds(double latitude, double longitude);
    std::string OldSheet500k(double latitude, double longitude);
    std::string OldSheet250k(double latitude, double longitude);
    std::string OldSheet200k(double latitude, double longitude);
    std::string OldSheet100k(double latitude, double longitude);
    std::string OldSheet50k(double latitude, double longitude);
    std::string OldSheet25k(double latitude, double longitude);
    std::string OldSheet10k(double latitude, double longitude);

    const BaseSheet& baseSheet() const { return base_; }
    std::int32_t rowCode() const { return rowCode_; }
    std::int32_t columnCode() const { return columnCode_; }
    const SheetBounds& oldSheet100k() const { return oldSheet100k_; }
    const SheetBounds& oldSheet50k() const { return oldSheet50k_; }

private:
    ScaleRecord scale_;
    BaseSheet base_;
    std::int32_t rowCode_ = 0;
    std::int32_t columnCode_ = 0;
    SheetBounds oldSheet100k_;
    SheetBounds oldSheet50k_;
};

}  // namespace mapsheet::engine
