#include "engine/square_sheet.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "library/number_text.h"

namespace mapsheet::engine {

namespace {

constexpr int kFirstSquareScale = 8;  // 1:5000
constexpr int kSizes[] = {2000, 1000, 500, 250};
// Decimals of the kilometres in the number: enough to write every corner of the scale exactly.
constexpr int kDecimals[] = {0, 1, 1, 2};
// The corners that error messages show as the form of a number: "3810-502" .. "3810.25-501.50".
constexpr std::int64_t kExampleCorners[][2] = {
    {3810000, 502000}, {3810000, 501000}, {3810500, 501500}, {3810250, 501500}};

// Kilometres and metres alike are written with at most this many integer digits; more would
// leave kSquareCoordinateLimitMetres.
constexpr int kMaxKilometreDigits = 6;

int decimalsOf(int scale) {
    return kDecimals[scale - kFirstSquareScale];
}

// The index of the sheet line at or below the coordinate, with a coordinate within the
// tolerance of a line taken as on it. The quotient is only a first guess: the comparisons with
// the exact line positions decide.
std::int64_t lineAtOrBelow(double coordinate, int size) {
    auto line = static_cast<std::int64_t>(std::floor(coordinate / size));
    const auto position = [size](std::int64_t index) { return static_cast<double>(index) * size; };
    if (position(line + 1) - coordinate <= kSquareLineToleranceMetres) {
        ++line;
    } else if (coordinate - position(line) < -kSquareLineToleranceMetres) {
        --line;
    }
    return line;
}

void appendKilometres(std::string& text, std::int64_t metres, int decimals) {
    if (metres < 0) {
        text.push_back('-');
        metres = -metres;
    }
    char digits[24];
    text.append(digits, std::to_chars(digits, digits + sizeof digits, metres / 1000).ptr);
    if (decimals == 0) {
        return;
    }
    const auto fraction = static_cast<int>(metres % 1000);
    text.push_back('.');
    text.push_back(static_cast<char>('0' + fraction / 100));
    if (decimals > 1) {
        text.push_back(static_cast<char>('0' + fraction / 10 % 10));
    }
    if (decimals > 2) {
        text.push_back(static_cast<char>('0' + fraction % 10));
    }
}

// Reads "-3810.25" at the front of text into metres and drops it from text; nullopt when the
// front is not kilometres with at most three decimals.
std::optional<std::int64_t> takeKilometres(std::string_view& text) {
    std::size_t at = 0;
    const bool negative = at < text.size() && text[at] == '-';
    at += negative ? 1 : 0;
    std::int64_t metres = 0;
    int integerDigits = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        if (++integerDigits > kMaxKilometreDigits) {
            return std::nullopt;
        }
        metres = metres * 10 + (text[at++] - '0');
    }
    if (integerDigits == 0) {
        return std::nullopt;
    }
    metres *= 1000;
    if (at < text.size() && text[at] == '.') {
        ++at;
        int place = 100;
        int decimals = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            if (++decimals > 3) {
                return std::nullopt;
            }
            metres += (text[at++] - '0') * place;
            place /= 10;
        }
        if (decimals == 0) {
            return std::nullopt;
        }
    }
    text.remove_prefix(at);
    return negative ? -metres : metres;
}

}  // namespace

std::string kilometreText(std::int64_t metres) {
    std::string text;
    appendKilometres(text, metres, 3);
    while (text.back() == '0') {
        text.pop_back();
    }
    if (text.back() == '.') {
        text.pop_back();
    }
    return text;
}

int squareSizeMetres(int scale) noexcept {
    if (scale < kFirstSquareScale || scale >= kFirstSquareScale + 4) {
        return 0;
    }
    return kSizes[scale - kFirstSquareScale];
}

std::optional<SquareSheet> squareSheetOf(double x, double y, int scale) noexcept {
    const int size = squareSizeMetres(scale);
    if (size == 0 || !(std::fabs(x) < kSquareCoordinateLimitMetres) ||
        !(std::fabs(y) < kSquareCoordinateLimitMetres)) {
        return std::nullopt;
    }
    return SquareSheet{static_cast<std::int8_t>(scale), lineAtOrBelow(x, size) * size,
                       lineAtOrBelow(y, size) * size};
}

SquareBounds squareBounds(const SquareSheet& sheet) noexcept {
    const int size = squareSizeMetres(sheet.scale);
    return {sheet.south, sheet.west, sheet.south + size, sheet.west + size};
}

std::string squareNumber(const SquareSheet& sheet) {
    std::string text;
    const int decimals = decimalsOf(sheet.scale);
    appendKilometres(text, sheet.south, decimals);
    text.push_back('-');
    appendKilometres(text, sheet.west, decimals);
    return text;
}

ParsedSquareSheet parseSquareNumber(std::string_view text, int scale) {
    const int size = squareSizeMetres(scale);
    if (size == 0) {
        return {std::nullopt, inputError(InputErrorCode::NoSquareSheets, {}, scale)};
    }
    const std::string_view given = trimSpacesAndTabs(text);
    std::string_view rest = given;
    const std::optional<std::int64_t> x = takeKilometres(rest);
    std::optional<std::int64_t> y;
    if (x && rest.starts_with('-')) {
        rest.remove_prefix(1);
        y = takeKilometres(rest);
    }
    const auto error = [&](InputErrorCode code, std::string context) {
        ParsedSquareSheet parsed{std::nullopt, inputError(code, given, scale)};
        parsed.error.context = std::move(context);
        parsed.error.last = size;
        return parsed;
    };
    if (!y || !rest.empty()) {
        const auto& corner = kExampleCorners[scale - kFirstSquareScale];
        return error(InputErrorCode::SquareNumberForm,
                     squareNumber({static_cast<std::int8_t>(scale), corner[0], corner[1]}));
    }
    if (*x % size != 0) {
        return error(InputErrorCode::SquareXOffSheetLine, kilometreText(*x));
    }
    if (*y % size != 0) {
        return error(InputErrorCode::SquareYOffSheetLine, kilometreText(*y));
    }
    return {SquareSheet{static_cast<std::int8_t>(scale), *x, *y}, {}};
}

}  // namespace mapsheet::engine
