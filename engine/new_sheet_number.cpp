// The engine's entry and the 1993-2012 national standard number.

#include "engine/sheet_engine.h"
#include "engine/sheet_geometry.h"
#include "engine/sheet_text.h"
#include "library/ModuleQmb.h"
#include "library/double_digits.h"

namespace mapsheet::engine {

namespace {

// The decimal remainder of the value's 15-digit text by a whole number of degrees, as the
// published numbering takes it, back as a double. The divisor goes in as a double: a whole
// number reads the same either way, and a double skips the decimal's conversion.
double decimalRemainder(double value, double divisor) {
    const ModuleQmb::Number remainder = ModuleQmb::求两数余(value, divisor);
    return remainder.isDecimal() ? nearestDouble(remainder.toDecimal()) : remainder.toDouble();
}

}  // namespace

std::string SheetEngine::SheetNumber(double latitude, double longitude, bool newNumbering) {
    if (!geometry::hasSheetRow(latitude) || !geometry::hasSheetColumn(longitude)) {
        return {};
    }
    ComputeBaseSheet(latitude, longitude);
    if (newNumbering) {
        if (scale_.scaleIndex == 0) {
            return (SheetText{} << base_.rowLetterText << base_.zoneText).str();
        }
        return NewSheetNumber(latitude, longitude);
    }
    switch (scale_.scaleIndex) {
        case 0:
            return (SheetText{} << base_.rowLetterText << "-" << base_.zoneText).str();
        case 1:
            return OldSheet500k(latitude, longitude);
        case 2:
            return OldSheet250k(latitude, longitude);
        case 3:
            return OldSheet200k(latitude, longitude);
        case 4:
            return OldSheet100k(latitude, longitude);
        case 5:
            return OldSheet50k(latitude, longitude);
        case 6:
            return OldSheet25k(latitude, longitude);
        case 7:
            return OldSheet10k(latitude, longitude);
        default:
            return {};
    }
}

std::string SheetEngine::NewSheetNumber(double latitude, double longitude) {
    if (!geometry::hasSheetRow(latitude) || !baseSheetHolds(latitude, longitude)) {
        return {};
    }
    const int rows = scale_.rowDivisions;
    const int columns = scale_.columnDivisions;
    const bool southern = isSouthern(latitude);

    // Rows are counted from the base sheet's edge nearer the equator: the remainder of |latitude|
    // by 4 is the distance from it, in both hemispheres.
    const double fromEquatorEdge =
        decimalRemainder(southern ? -latitude : latitude, geometry::kBaseSheetHeight);
    const double besideEquatorEdge =
        southern ? base_.baseNorth - latitude : latitude - base_.baseSouth;
    const int rowAway =
        geometry::cellWithinSheet(fromEquatorEdge, besideEquatorEdge, geometry::kBaseSheetHeight,
                                  scale_.sheetHeightDegrees, rows);
    rowCode_ = southern ? rowAway + 1 : rows - rowAway;

    // The exact quotient, not one rounded to 12 decimals: at 1:2000 and finer that rounding
    // would shift the eastern column lines by more than the line tolerance.
    const double columnWidth = static_cast<double>(base_.zoneWidth) / columns;
    const double fromWestEdge = decimalRemainder(longitude + 180.0, base_.zoneWidth);
    const double besideWestEdge = longitude - base_.baseWest;
    const int column = geometry::cellWithinSheet(fromWestEdge, besideWestEdge, base_.zoneWidth,
                                                 columnWidth, columns);
    columnCode_ = column + 1;

    const int digits = kScaleCatalogue[scale_.scaleIndex].codeDigits;
    SheetText text;
    text << base_.rowLetterText << base_.zoneText << scaleLetter(scale_.scaleIndex);
    text.number(rowCode_, digits).number(columnCode_, digits);
    return text.str();
}

}  // namespace mapsheet::engine
