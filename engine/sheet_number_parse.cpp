// Written sheet numbers: a normalising table, then a strict reading of the two numberings.

#include "engine/sheet_number_parse.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <vector>

#include "engine/scale_names.h"
#include "library/code_points.h"

namespace mapsheet::engine {

namespace {

struct Mapping {
    char32_t from;
    char32_t to;  // 0: the character vanishes
};

// The characters people type for the pieces of a number; full-width ASCII is handled apart.
constexpr std::array<Mapping, 20> kTable{{
    {U' ', 0},        {U'\t', 0},       {U'\u00A0', 0},   {U'\u3000', 0},  // blanks
    {U'\u2010', '-'}, {U'\u2011', '-'}, {U'\u2012', '-'}, {U'\u2013', '-'},
    {U'\u2014', '-'}, {U'\u2015', '-'}, {U'\u2212', '-'}, {U'\uFE58', '-'},
    {U'\uFE63', '-'}, {U'\u2500', '-'},  // dashes
    {U'\u3010', '['}, {U'\u3011', ']'}, {U'\u3014', '['}, {U'\u3015', ']'},
    {U'\u3016', '['}, {U'\u3017', ']'},  // brackets
}};

// An error whose piece is a number out of its range first..last.
InputError outOfRange(InputErrorCode code, int number, int first, int last, int scale = -1) {
    InputError error = inputError(code, std::to_string(number), scale);
    error.first = first;
    error.last = last;
    return error;
}

// A whole number of 1 to maxDigits digits; nullopt (and nothing taken) otherwise.
std::optional<int> takeNumber(std::string_view& text, std::size_t maxDigits) {
    std::size_t length = 0;
    while (length < text.size() && length < maxDigits + 1 && text[length] >= '0' &&
           text[length] <= '9') {
        ++length;
    }
    if (length == 0 || length > maxDigits) {
        return std::nullopt;
    }
    int value = 0;
    std::from_chars(text.data(), text.data() + length, value);
    text.remove_prefix(length);
    return value;
}

// "S" for the south, then the row letter A..V: fills the sheet's hemisphere and row.
bool takeRow(std::string_view& text, Sheet& sheet, InputError& error) {
    if (text.size() >= 2 && text[0] == 'S' && text[1] >= 'A' && text[1] <= 'Z') {
        sheet.southern = true;
        text.remove_prefix(1);
    }
    if (text.empty() || text[0] < 'A' || text[0] > 'Z') {
        error = inputError(InputErrorCode::MissingRowLetter);
        return false;
    }
    if (text[0] > 'V') {
        error = inputError(InputErrorCode::RowLetterOutOfRange, text.substr(0, 1));
        return false;
    }
    sheet.row = static_cast<std::int8_t>(text[0] - 'A' + 1);
    text.remove_prefix(1);
    return true;
}

std::string rowLabel(const Sheet& sheet) {
    return std::string(sheet.southern ? "S" : "") + static_cast<char>('A' + sheet.row - 1);
}

bool checkZone(int zone, Sheet& sheet, InputError& error) {
    const int zones = zoneCountOfRow(sheet.row);
    if (zone < 1 || zone > zones) {
        error = outOfRange(InputErrorCode::ZoneOutOfRange, zone, 1, zones);
        error.context = rowLabel(sheet);
        return false;
    }
    sheet.zone = static_cast<std::int8_t>(zone);
    return true;
}

bool checkCode(InputErrorCode what, int code, int scale, InputError& error) {
    const int divisions = kScaleCatalogue[scale].divisions;
    if (code < 1 || code > divisions) {
        error = outOfRange(what, code, 1, divisions, scale);
        return false;
    }
    return true;
}

int scaleOfLetter(char letter) {
    for (int scale = 1; scale < kScaleCount; ++scale) {
        if (kScaleCatalogue[scale].letter == std::string_view(&letter, 1)) {
            return scale;
        }
    }
    return -1;
}

std::optional<int> wholeNumber(std::string_view body, std::size_t maxDigits) {
    const auto value = takeNumber(body, maxDigits);
    return value && body.empty() ? value : std::nullopt;
}

// K50E003005, K50.
ParsedSheet parseNew(std::string_view text, Sheet sheet) {
    ParsedSheet result;
    const bool twoDigits =
        text.size() >= 2 && text[0] >= '0' && text[0] <= '9' && text[1] >= '0' && text[1] <= '9';
    const auto zone = twoDigits ? takeNumber(text, 2) : std::nullopt;
    if (!zone) {
        result.error = inputError(InputErrorCode::ZoneNotTwoDigits);
        return result;
    }
    if (!checkZone(*zone, sheet, result.error)) {
        return result;
    }
    if (text.empty()) {
        sheet.scale = 0;
        result.sheet = sheet;
        return result;
    }
    const int scale = scaleOfLetter(text[0]);
    if (scale < 0) {
        result.error = inputError(InputErrorCode::UnknownScaleLetter, text.substr(0, 1));
        return result;
    }
    text.remove_prefix(1);
    sheet.scale = static_cast<std::int8_t>(scale);
    const auto digits = static_cast<std::size_t>(kScaleCatalogue[scale].codeDigits);
    if (text.size() != 2 * digits ||
        text.find_first_not_of("0123456789") != std::string_view::npos) {
        result.error = inputError(InputErrorCode::CodeDigits, {}, scale);
        return result;
    }
    const auto rowCode = wholeNumber(text.substr(0, digits), digits);
    const auto columnCode = wholeNumber(text.substr(digits), digits);
    if (!checkCode(InputErrorCode::RowCodeOutOfRange, *rowCode, scale, result.error) ||
        !checkCode(InputErrorCode::ColumnCodeOutOfRange, *columnCode, scale, result.error)) {
        return result;
    }
    sheet.rowCode = static_cast<std::int16_t>(*rowCode);
    sheet.columnCode = static_cast<std::int16_t>(*columnCode);
    result.sheet = sheet;
    return result;
}

// Places a cell of a cells x cells grid (number 1.. from the north-west) inside the sheet so
// far, making the sheet `scale`.
void descend(Sheet& sheet, int scale, int cells, int number) {
    const int row = (number - 1) / cells;
    const int column = (number - 1) % cells;
    sheet.rowCode = static_cast<std::int16_t>((sheet.rowCode - 1) * cells + row + 1);
    sheet.columnCode = static_cast<std::int16_t>((sheet.columnCode - 1) * cells + column + 1);
    sheet.scale = static_cast<std::int8_t>(scale);
}

struct OldPiece {
    enum Kind { Plain, Bracketed, Parenthesised } kind;
    std::string_view body;
};

std::optional<OldPiece> pieceOf(std::string_view piece) {
    if (piece.size() >= 2 && piece.front() == '[' && piece.back() == ']') {
        return OldPiece{OldPiece::Bracketed, piece.substr(1, piece.size() - 2)};
    }
    if (piece.size() >= 2 && piece.front() == '(' && piece.back() == ')') {
        return OldPiece{OldPiece::Parenthesised, piece.substr(1, piece.size() - 2)};
    }
    if (piece.empty() || piece.find_first_of("[]()") != std::string_view::npos) {
        return std::nullopt;
    }
    return OldPiece{OldPiece::Plain, piece};
}

int quarterOf(std::string_view body, std::string_view marks) {
    if (body.size() != 1) {
        return 0;
    }
    const auto at = marks.find(body[0]);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

// Whether the cell number fits the cells x cells grid of the scale.
bool cellInRange(int scale, int number, int cells, InputError& error) {
    if (number < 1 || number > cells * cells) {
        error = outOfRange(InputErrorCode::CellOutOfRange, number, 1, cells * cells, scale);
        return false;
    }
    return true;
}

// K-50-104-(15)-a and its coarser forms; pieces after the zone.
ParsedSheet parseOld(const std::vector<std::string_view>& pieces, Sheet sheet) {
    ParsedSheet result;
    InputError& error = result.error;
    const auto zone = wholeNumber(pieces[1], 2);
    if (!zone) {
        error = inputError(InputErrorCode::ZoneNotDigits, pieces[1]);
        return result;
    }
    if (!checkZone(*zone, sheet, error)) {
        return result;
    }
    sheet.scale = 0;
    if (pieces.size() == 2) {
        result.sheet = sheet;
        return result;
    }
    const auto third = pieceOf(pieces[2]);
    const auto bad = [&](std::string_view piece) {
        error = inputError(InputErrorCode::UnexpectedPiece, piece);
        return result;
    };
    if (!third) {
        return bad(pieces[2]);
    }
    if (pieces.size() == 3) {
        if (third->kind == OldPiece::Bracketed) {
            const auto number = wholeNumber(third->body, 2);
            if (!number || !cellInRange(2, *number, 4, error)) {
                return error.empty() ? bad(pieces[2]) : result;
            }
            descend(sheet, 2, 4, *number);
        } else if (third->kind == OldPiece::Parenthesised) {
            const auto number = wholeNumber(third->body, 2);
            if (!number || !cellInRange(3, *number, 6, error)) {
                return error.empty() ? bad(pieces[2]) : result;
            }
            descend(sheet, 3, 6, *number);
        } else if (const int quarter = quarterOf(third->body, "ABCD")) {
            descend(sheet, 1, 2, quarter);
        } else {
            const auto number = wholeNumber(third->body, 3);
            if (!number || !cellInRange(4, *number, 12, error)) {
                return error.empty() ? bad(pieces[2]) : result;
            }
            descend(sheet, 4, 12, *number);
        }
        result.sheet = sheet;
        return result;
    }
    // Finer than 1:100,000: the third piece is the 1:100,000 sheet.
    const auto number100k =
        third->kind == OldPiece::Plain ? wholeNumber(third->body, 3) : std::nullopt;
    if (!number100k) {
        return bad(pieces[2]);
    }
    if (!cellInRange(4, *number100k, 12, error)) {
        return result;
    }
    descend(sheet, 4, 12, *number100k);
    const auto fourth = pieceOf(pieces[3]);
    if (!fourth) {
        return bad(pieces[3]);
    }
    if (fourth->kind == OldPiece::Parenthesised) {
        const auto number = wholeNumber(fourth->body, 2);
        if (!number || !cellInRange(7, *number, 8, error)) {
            return error.empty() ? bad(pieces[3]) : result;
        }
        descend(sheet, 7, 8, *number);
        if (pieces.size() == 5) {
            const int quarter = quarterOf(pieces[4], "ABCD");
            if (quarter == 0) {
                error = inputError(InputErrorCode::QuarterOutOfRange, pieces[4], 8);
                return result;
            }
            descend(sheet, 8, 2, quarter);
        } else if (pieces.size() > 5) {
            return bad(pieces[5]);
        }
        result.sheet = sheet;
        return result;
    }
    const int quarter50k = fourth->kind == OldPiece::Plain ? quarterOf(fourth->body, "ABCD") : 0;
    if (quarter50k == 0) {
        error = inputError(InputErrorCode::QuarterOutOfRange, pieces[3], 5);
        return result;
    }
    descend(sheet, 5, 2, quarter50k);
    if (pieces.size() == 5) {
        const int quarter25k = quarterOf(pieces[4], "1234");
        if (quarter25k == 0) {
            error = inputError(InputErrorCode::QuarterOutOfRange, pieces[4], 6);
            return result;
        }
        descend(sheet, 6, 2, quarter25k);
    } else if (pieces.size() > 5) {
        return bad(pieces[5]);
    }
    result.sheet = sheet;
    return result;
}

std::vector<std::string_view> splitAtDashes(std::string_view text) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t at = text.find('-'); at != std::string_view::npos;
         at = text.find('-', start)) {
        pieces.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

}  // namespace

std::string normaliseSheetNumberText(std::string_view typed) {
    std::string normal;
    normal.reserve(typed.size());
    while (!typed.empty()) {
        const text::LeadingCodePoint leading = text::leadingCodePoint(typed);
        typed.remove_prefix(leading.length);
        char32_t point = leading.value;
        if (point >= 0xFF01 && point <= 0xFF5E) {
            point = point - 0xFF01 + 0x21;  // full-width ASCII
        }
        // A typed NUL is kept (and refused by the parser): only the table makes a character vanish.
        bool vanishes = false;
        for (const Mapping& mapping : kTable) {
            if (mapping.from == point) {
                point = mapping.to;
                vanishes = point == 0;
                break;
            }
        }
        if (point >= 'a' && point <= 'z') {
            point = point - 'a' + 'A';
        }
        if (!vanishes) {
            text::appendUtf8(normal, point);
        }
    }
    return normal;
}

ParsedSheet parseSheetNumber(std::string_view typed) {
    const std::string normal = normaliseSheetNumberText(typed);
    std::string_view text = normal;
    ParsedSheet result;
    if (text.empty()) {
        result.error = inputError(InputErrorCode::EmptySheetNumber);
        return result;
    }
    Sheet sheet;
    if (!takeRow(text, sheet, result.error)) {
        return result;
    }
    if (!text.empty() && text.front() == '-') {
        std::vector<std::string_view> pieces = splitAtDashes(text);
        if (pieces.size() > 5) {
            result.error = inputError(InputErrorCode::TooManyPieces, typed);
            return result;
        }
        pieces.front() = "";  // the row letter, already read
        return parseOld(pieces, sheet);
    }
    return parseNew(text, sheet);
}

}  // namespace mapsheet::engine
