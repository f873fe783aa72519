// The scale selection and the 1:1,000,000 sheet that every number starts from.

#include <algorithm>

#include "engine/sheet_engine.h"
#include "engine/sheet_geometry.h"
#include "engine/sheet_text.h"

namespace mapsheet::engine {

namespace {

constexpr char kRowLetters[] = "ABCDEFGHIJKLMNOPQRSTUV";
constexpr int kRowsOfWidth6 = 15;   // A..O
constexpr int kRowsOfWidth12 = 19;  // P..S

// The 1:1,000,000 sheet of a point on the series (clamped or checked beforehand).
struct BaseCell {
    int row;  // 1 = A .. 22 = V, counted from the equator
    bool southern;
    int zoneWidth;
    int zone;
    int north, south, west, east;
};

BaseCell baseCellOf(double latitude, double longitude) {
    BaseCell cell;
    cell.row = static_cast<int>(geometry::baseRowIndex(latitude)) + 1;
    cell.southern = isSouthern(latitude);
    cell.zoneWidth = SheetEngine::ZoneWidthForLatitude(latitude);
    cell.zone = static_cast<int>(floorOnGrid(longitude + 180.0, cell.zoneWidth)) + 1;
    const int farEdge = std::min(4 * cell.row, 90);
    const int nearEdge = std::min(4 * cell.row - 4, 88);
    cell.north = cell.southern ? -nearEdge : farEdge;
    cell.south = cell.southern ? -farEdge : nearEdge;
    cell.west = cell.zoneWidth * (cell.zone - 1) - 180;
    cell.east = cell.zoneWidth * cell.zone - 180;
    return cell;
}

}  // namespace

void SheetEngine::SelectScale(int scaleIndex) {
    scale_ = scaleRecord(scaleIndex);
}

std::int32_t SheetEngine::ZoneWidthForLatitude(double latitude) {
    const double row = geometry::baseRowIndex(latitude) + 1;
    if (row <= kRowsOfWidth6) {
        return 6;
    }
    return row <= kRowsOfWidth12 ? 12 : 24;
}

void SheetEngine::ComputeBaseSheet(double latitude, double longitude) {
    // Both numberings of a point start here; the second finds the record filled already. A
    // zero of either sign gives the same sheet, and NaN never compares equal, so it is always
    // computed afresh.
    if (latitude == basePoint_.latitude && longitude == basePoint_.longitude) {
        return;
    }
    basePoint_ = {latitude, longitude};
    baseOnSeries_ = geometry::hasSheetRow(latitude) && geometry::hasSheetColumn(longitude);
    latitude = geometry::clampLatitude(latitude);
    longitude = geometry::clampLongitude(longitude);
    const BaseCell cell = baseCellOf(latitude, longitude);
    base_.zoneWidth = cell.zoneWidth;
    base_.baseNorth = cell.north;
    base_.baseSouth = cell.south;
    base_.baseWest = cell.west;
    base_.baseEast = cell.east;
    const char rowLetter[] = {'S', kRowLetters[cell.row - 1]};
    base_.rowLetterText.assign(cell.southern ? rowLetter : rowLetter + 1, cell.southern ? 2 : 1);
    base_.zoneText.assign((SheetText{}.number(cell.zone, 2)).str());
}

std::string SheetEngine::BaseSheetNumber(double latitude, double longitude, bool compact) {
    ComputeBaseSheet(latitude, longitude);
    SheetText text;
    text << base_.rowLetterText << (compact ? "" : "-") << base_.zoneText;
    return text.str();
}

// The same decisions as ComputeBaseSheet, so that a point within the tolerance of an edge is
// held by exactly the sheet that ComputeBaseSheet gave it.
bool SheetEngine::baseSheetHolds(double latitude, double longitude) const {
    if (latitude == basePoint_.latitude && longitude == basePoint_.longitude) {
        return baseOnSeries_;  // the sheet was computed for this point, clamped if off the series
    }
    if (!geometry::hasSheetRow(latitude) || !geometry::hasSheetColumn(longitude)) {
        return false;
    }
    const BaseCell cell = baseCellOf(latitude, longitude);
    return cell.north == base_.baseNorth && cell.south == base_.baseSouth &&
           cell.west == base_.baseWest && cell.east == base_.baseEast;
}

}  // namespace mapsheet::engine
