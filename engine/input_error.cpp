// The wording of every input error, in one switch.

#include "engine/input_error.h"

#include <ostream>

#include "engine/scale_catalogue.h"
#include "engine/scale_names.h"
#include "engine/square_sheet.h"
#include "library/quoted_excerpt.h"
#include "library/thousands.h"

namespace mapsheet::engine {

namespace {

// "1:100,000", as sheet-number messages name a scale.
std::string scaleName(int scale) {
    return "1:" + text::withThousandsSeparators(
                      static_cast<std::uint64_t>(kScaleCatalogue[scale].denominator));
}

// What a pre-1992 cell of the scale is called: the 1:100,000 sheets are numbered 1..144 inside
// the 1:1,000,000 sheet and are sheets in their own right; the others are cells of a grid.
std::string_view cellWord(int scale) {
    return scale == 4 ? "sheet" : "cell";
}

// The quarter's name and its four marks. The 1:5000 quarter is the historical lower-case
// letter, named as those sheets print their scale.
std::string quarterName(int scale) {
    return scale == 8 ? scaleRatioText(scale) : scaleName(scale);
}
std::string_view quarterMarks(int scale) {
    switch (scale) {
        case 5:
            return "A, B, C or D";
        case 6:
            return "1, 2, 3 or 4";
        default:
            return "a, b, c or d";
    }
}

class Message {
  public:
    Message& operator<<(std::string_view part) {
        text_.append(part);
        return *this;
    }
    Message& operator<<(std::int64_t number) {
        text_.append(std::to_string(number));
        return *this;
    }
    // The piece through the one quote rule, bare or between the marks.
    Message& piece(std::string_view value, std::string_view marks = {}) {
        text_.append(marks).append(text::excerpt(value)).append(marks);
        return *this;
    }
    std::string take() { return std::move(text_); }

  private:
    std::string text_;
};

void word(Message& m, const InputError& e) {
    using enum InputErrorCode;
    switch (e.code) {
        case None:
            return;
        case LatitudeNotAnAngle:
        case LongitudeNotAnAngle:
        case LatitudeBeyondDecimalRange:
        case LongitudeBeyondDecimalRange: {
            const bool latitude =
                e.code == LatitudeNotAnAngle || e.code == LatitudeBeyondDecimalRange;
            const bool notAnAngle = e.code == LatitudeNotAnAngle || e.code == LongitudeNotAnAngle;
            m << (latitude ? "latitude " : "longitude ");
            m.piece(e.piece, "\"")
                << ": " << (notAnAngle ? kNotAnAngleReason : kBeyondDecimalRangeReason);
            return;
        }
        case PointOutsideSeries:
            m << "no sheet: the latitude must lie in -88 < LAT < 88 and the longitude in -180 <= "
                 "LON < 180";
            return;
        case PlaneXNotMetres:
        case PlaneYNotMetres:
            m << (e.code == PlaneXNotMetres ? "x " : "y ");
            m.piece(e.piece, "'") << ": expected metres as a decimal number (4374033.21)";
            return;
        case BoxNotFourValues:
            m.piece(e.piece, "'")
                << ": expected four values SOUTH,WEST,NORTH,EAST separated by commas";
            return;
        case BoxEdgeNotAnAngle:
        case BoxEdgeBeyondDecimalRange:
            m.piece(e.context) << " ";
            m.piece(e.piece, "'") << ": "
                                  << (e.code == BoxEdgeNotAnAngle ? kNotAnAngleReason
                                                                  : kBeyondDecimalRangeReason);
            return;
        case BoxEdgeNotANumber:
            m << "the box edges must be numbers, not ";
            m.piece(e.piece);
            return;
        case BoxLatitudeOutOfRange:
        case BoxLongitudeOutOfRange:
            m << (e.code == BoxLatitudeOutOfRange ? "latitude " : "longitude ");
            m.piece(e.piece) << " is outside " << e.first << ".." << e.last;
            return;
        case BoxSouthAboveNorth:
            m << "south ";
            m.piece(e.piece) << " is above north ";
            m.piece(e.context);
            return;
        case BoxWestEastOfEast:
            m << "west ";
            m.piece(e.piece) << " is east of east ";
            m.piece(e.context);
            return;
        case UnknownScale:
            m << "scale ";
            m.piece(e.piece, "'") << ": the scales are 1:1000000 to 1:500, written as 1:50000, "
                                     "50000, 1:5万 or the letter E";
            return;
        case UnknownScaleDenominator:
            m << "scale denominator ";
            m.piece(e.piece) << ": the denominators are 1000000, 500000, 250000, 200000, 100000, "
                                "50000, 25000, 10000, 5000, 2000, 1000 and 500";
            return;
        case UnknownCoverMode:
            m << "mode ";
            m.piece(e.piece, "'") << ": the modes are meets, centre and within";
            return;
        case RingsOutOfRange:
            m << "rings ";
            m.piece(e.piece) << ": from " << e.first << " to " << e.last;
            return;
        case NotAGaussKrugerSrid:
            m << "srid ";
            m.piece(e.piece) << ": not a CGCS2000 Gauss-Kruger system (" << e.first << " to "
                             << e.last << "), nor 0 for the nearest 3-degree zone";
            return;
        case ParentScaleFiner:
            m << scaleRatioText(e.scale) << " is finer than the sheet's scale "
              << scaleRatioText(static_cast<int>(e.first));
            return;
        case ScalesDoNotNest: {
            // Why, in the grids that divide the 1:1,000,000 sheet: 6 x 6 and 4 x 4.
            const int own = static_cast<int>(e.first);
            const std::int64_t ownGrid = kScaleCatalogue[own].divisions;
            const std::int64_t askedGrid = kScaleCatalogue[e.scale].divisions;
            m << scaleRatioText(own) << " does not nest in " << scaleRatioText(e.scale) << ": "
              << ownGrid << " x " << ownGrid << " and " << askedGrid << " x " << askedGrid
              << " grids do not nest";
        }
            return;
        case ChildScaleCoarser:
            m << scaleRatioText(e.scale) << " is coarser than the sheet's scale "
              << scaleRatioText(static_cast<int>(e.first));
            return;
        case NotASheetId:
            m << "id ";
            m.piece(e.piece) << " is no sheet id";
            return;
        case EmptySheetNumber:
            m << "empty sheet number";
            return;
        case MissingRowLetter:
            m << "missing row letter: expected A to V, with S before it in the south";
            return;
        case RowLetterOutOfRange:
            m << "row letter ";
            m.piece(e.piece, "'") << ": rows run from A to V";
            return;
        case ZoneNotTwoDigits:
            m << "zone: expected two digits after the row letter";
            return;
        case ZoneNotDigits:
            m << "zone ";
            m.piece(e.piece, "'") << ": expected one or two digits";
            return;
        case ZoneOutOfRange:
            m << "zone ";
            m.piece(e.piece) << ": row ";
            m.piece(e.context) << " has zones " << e.first << " to " << e.last;
            return;
        case UnknownScaleLetter:
            m << "unknown scale letter ";
            m.piece(e.piece, "'");
            return;
        case CodeDigits:
            m << scaleName(e.scale) << " numbers end in two codes of "
              << std::int64_t{kScaleCatalogue[e.scale].codeDigits} << " digits, row then column";
            return;
        case RowCodeOutOfRange:
        case ColumnCodeOutOfRange: {
            const std::string_view what = e.code == RowCodeOutOfRange ? "row" : "column";
            m << what << " code ";
            m.piece(e.piece) << ": " << scaleName(e.scale) << " has " << what << "s " << e.first
                             << " to " << e.last;
            return;
        }
        case TooManyPieces:
            m << "too many pieces for a pre-1992 number: ";
            m.piece(e.piece, "'");
            return;
        case UnexpectedPiece:
            m << "unexpected piece ";
            m.piece(e.piece, "'") << " in a pre-1992 number";
            return;
        case CellOutOfRange:
            m << scaleName(e.scale) << " " << cellWord(e.scale) << " ";
            m.piece(e.piece) << ": runs from " << e.first << " to " << e.last;
            return;
        case QuarterOutOfRange:
            m << quarterName(e.scale) << " quarter ";
            m.piece(e.piece, "'") << ": expected " << quarterMarks(e.scale);
            return;
        case NoSquareSheets:
            m << "scale " << scaleRatioText(e.scale)
              << " has no square sheets; those are 1:5000, 1:2000, 1:1000 and 1:500";
            return;
        case SquareNumberForm:
            m.piece(e.piece, "'")
                << ": expected x-y in kilometres with at most three decimals, as ";
            m.piece(e.context);
            return;
        case SquareXOffSheetLine:
        case SquareYOffSheetLine:
            m.piece(e.piece, "'") << ": " << (e.code == SquareXOffSheetLine ? "x " : "y ");
            m.piece(e.context) << " km is not a " << scaleRatioText(e.scale)
                               << " sheet line (they lie every " << kilometreText(e.last) << " km)";
            return;
    }
}

}  // namespace

InputError inputError(InputErrorCode code, std::string_view piece, int scale) {
    InputError error;
    error.code = code;
    error.scale = static_cast<std::int8_t>(scale);
    error.piece = piece;
    return error;
}

std::string describeInputError(const InputError& error) {
    Message message;
    word(message, error);
    return message.take();
}

InputError::operator std::string() const {
    return describeInputError(*this);
}

bool operator==(const InputError& error, std::string_view message) {
    return describeInputError(error) == message;
}

std::ostream& operator<<(std::ostream& out, const InputError& error) {
    return out << describeInputError(error);
}

}  // namespace mapsheet::engine
