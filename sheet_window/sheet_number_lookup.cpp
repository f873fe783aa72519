#include "sheet_window/sheet_number_lookup.h"

#include <algorithm>
#include <cmath>

#include "engine/sheet.h"
#include "library/ModuleQmb.h"
#include "library/QmbJiChuGeShi.h"
#include "library/number_text.h"
#include "sheet_window/position_filters.h"

namespace mapsheet::sheet_window {

namespace {

// The boxes pad their texts with spaces only.
std::string_view Trimmed(std::string_view text) {
    return trimmedOf(text, " ");
}

constexpr std::string_view kDigits = "0123456789";

// The row whose zones the box's text stands for. The text compares as a text, so a blank or
// any text up to the last letter of the 6-degree rows ("O") counts as a row of 6-degree zones,
// any text after it up to the last letter of the 12-degree rows ("S") as a 12-degree row.
int RowOfLetterText(std::string_view rowLetter) {
    constexpr int kFirstRowOf12 = engine::firstRowOfZoneWidth(12);
    constexpr int kFirstRowOf24 = engine::firstRowOfZoneWidth(24);
    constexpr char kLastLetterOf6[] = {char('A' + kFirstRowOf12 - 2), '\0'};
    constexpr char kLastLetterOf12[] = {char('A' + kFirstRowOf24 - 2), '\0'};
    if (rowLetter <= std::string_view(kLastLetterOf6)) {
        return kFirstRowOf12 - 1;
    }
    return rowLetter <= std::string_view(kLastLetterOf12) ? kFirstRowOf12 : kFirstRowOf24;
}

}  // namespace

int ZoneLimit(std::string_view rowLetter) {
    return engine::zoneCountOfRow(RowOfLetterText(rowLetter));
}

int ZoneWidthOfRow(std::string_view rowLetter) {
    return engine::zoneWidthOfRow(RowOfLetterText(rowLetter));
}

int RowLetterNumber(std::string_view rowLetter) {
    if (rowLetter.size() != 1) {
        return 1;
    }
    const char letter =
        rowLetter[0] >= 'a' && rowLetter[0] <= 'z' ? char(rowLetter[0] - 32) : rowLetter[0];
    return letter >= 'A' && letter <= 'V' ? letter - 'A' + 1 : 1;
}

std::string ClampedCodeText(std::string_view text, int limit, std::string_view pattern) {
    return formatDouble(ReadClampedInteger(text, 1, limit), pattern);
}

std::string TypedCodeText(std::string_view text, int limit) {
    const std::string cleaned = QmbJiChuGeShi::Dec规范数字文本(text, kDigits);
    if (cleaned < std::string_view("0")) {
        return {};
    }
    // Digits only, so nothing below 0 can be read; only the upper limit is enforced while
    // typing (a 0 may still become 05 or 10).
    if (readLeadingDouble(cleaned) > limit) {
        return std::to_string(limit);
    }
    return cleaned;
}

CentreTexts LookUpSheetCentre(const SheetNumberPieces& pieces, const engine::ScaleRecord& scale) {
    CentreTexts centre;
    const std::string_view letter = Trimmed(pieces.rowLetter);
    if (letter < std::string_view("A")) {
        return centre;
    }
    const int zoneLimit = ZoneLimit(letter);
    const int zoneWidth = ZoneWidthOfRow(letter);
    const int band = RowLetterNumber(letter);
    const bool south = pieces.hemisphere >= std::string_view("S");
    const int north = south ? 4 - 4 * band : 4 * band;

    centre.latitude = {std::to_string(north - 2), "00", "00.00"};
    if (Trimmed(pieces.zone) < std::string_view("0")) {
        return centre;
    }
    const int zone = ReadClampedInteger(pieces.zone, 1, zoneLimit);
    const int west = zoneWidth * (zone - 1) - 180;
    centre.longitude = {std::to_string(int(std::floor(west + zoneWidth / 2.0))), "00", "00.00"};

    const int row = ReadClampedInteger(pieces.rowCode, 1, scale.rowDivisions);
    const int column = ReadClampedInteger(pieces.columnCode, 1, scale.columnDivisions);
    const double latitude = north - (row - 0.5) * scale.sheetHeightDegrees;
    const double longitude = west + (double(zoneWidth) / scale.columnDivisions) * (column - 0.5);
    const double packedLatitude = PackedDegrees(latitude);
    const double packedLongitude = PackedDegrees(longitude);

    ModuleQmb::清除运算信息();
    const std::string latitudeText = MarkedTextOfPacked(packedLatitude);
    const std::string longitudeText = MarkedTextOfPacked(packedLongitude);
    // A failed conversion leaves the band and zone middles written above.
    if (!latitudeText.empty()) {
        centre.latitude = SplitMarkedText(latitudeText);
    }
    if (!longitudeText.empty()) {
        centre.longitude = SplitMarkedText(longitudeText);
    }
    return centre;
}

}  // namespace mapsheet::sheet_window
