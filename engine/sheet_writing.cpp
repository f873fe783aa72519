// The two written forms of a sheet and D°M′S″ edges.

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "engine/sheet.h"

namespace mapsheet::engine {

namespace {

// "00" to "99": a number is written two digits at a time from the right.
constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

}  // namespace

void TextAt::pushNumber(int value, int minDigits) noexcept {
    constexpr int kMostDigits = 16;
    if (value >= 0 && value < 10000 && minDigits <= 4 && size_ + 4 <= kShortTextRoom) {
        // Every code and zone: four digits built in one word, of which the last `width` are
        // kept. The word is stored whole, its spare bytes landing in the room past the text.
        const auto small = static_cast<unsigned>(value);
        const int digitCount = 1 + (small >= 10) + (small >= 100) + (small >= 1000);
        const int width = std::max(minDigits, digitCount);
        char four[4];
        std::memcpy(four, kDigitPairs.data() + 2 * (small / 100), 2);
        std::memcpy(four + 2, kDigitPairs.data() + 2 * (small % 100), 2);
        std::uint32_t word = 0;
        std::memcpy(&word, four, 4);
        // Drop the leading characters: the low bytes of a little-endian word, the high of a
        // big-endian one.
        if constexpr (std::endian::native == std::endian::little) {
            word >>= 8 * (4 - width);
        } else {
            word <<= 8 * (4 - width);
        }
        std::memcpy(data_ + size_, &word, 4);
        size_ += static_cast<std::size_t>(width);
        return;
    }
    if (value < 0) {
        // Zeros before the sign: a negative value is no code, only text to show.
        char digits[kMostDigits];
        const auto [last, error] = std::to_chars(digits, digits + sizeof digits, value);
        const auto length = error == std::errc{} ? static_cast<int>(last - digits) : 0;
        for (int pad = length; pad < minDigits; ++pad) {
            push('0');
        }
        push(std::string_view(digits, static_cast<std::size_t>(length)));
        return;
    }
    auto magnitude = static_cast<unsigned>(value);
    int digitCount = 1;
    for (unsigned rest = magnitude; rest >= 10; rest /= 10) {
        ++digitCount;
    }
    const int width = std::clamp(minDigits, digitCount, kMostDigits);
    // Written from the right, two digits at a time, the zeros before the number being the
    // digits of what is left of it; into a copy when the text would be cut.
    char spare[kMostDigits];
    const bool fits = static_cast<std::size_t>(width) <= kShortTextRoom - size_;
    char* const first = fits ? data_ + size_ : spare;
    char* at = first + width;
    for (int left = width; left >= 2; left -= 2) {
        at -= 2;
        std::memcpy(at, kDigitPairs.data() + 2 * (magnitude % 100), 2);
        magnitude /= 100;
    }
    if (at != first) {
        *--at = static_cast<char>('0' + magnitude % 10);
    }
    if (fits) {
        size_ += static_cast<std::size_t>(width);
    } else {
        push(std::string_view(spare, static_cast<std::size_t>(width)));
    }
}

namespace {

constexpr std::string_view kRowLetters = "ABCDEFGHIJKLMNOPQRSTUV";

void pushBaseSheet(TextAt& text, const Sheet& sheet, bool dashed) {
    if (sheet.southern) {
        text.push('S');
    }
    text.push(kRowLetters[static_cast<std::size_t>(sheet.row - 1)]);
    if (dashed) {
        text.push('-');
    }
    text.pushNumber(sheet.zone, 2);
}

// The cell of the sheet, 0-based from the north-west, in the grid of `cells` x `cells` that
// divides its sheet of the coarser grid `coarseDivisions`.
struct GridCell {
    int row;
    int column;
};

GridCell cellIn(const Sheet& sheet, int coarseDivisions, int cells) {
    // The sheet's grid has 1, 2, 4, 8 or 16 rows of sheets in a row of every grid its old number
    // counts in, a power of two, so they are counted off by a shift rather than a division.
    const auto ratio =
        static_cast<unsigned>(kScaleCatalogue[sheet.scale].divisions / (coarseDivisions * cells));
    const int shift = std::countr_zero(ratio);
    const int row = (sheet.rowCode - 1) >> shift;
    const int column = (sheet.columnCode - 1) >> shift;
    return {row % cells, column % cells};
}

int cellNumber(GridCell cell, int cells) {
    return cell.row * cells + cell.column + 1;
}

constexpr int kDivisions100k = 12;
constexpr int kDivisions50k = 24;
constexpr int kDivisions10k = 96;

void pushQuarter(TextAt& text, GridCell cell, std::string_view marks) {
    text.push(marks[static_cast<std::size_t>(cell.row * 2 + cell.column)]);
}

}  // namespace

InlineText newNumber(const Sheet& sheet) noexcept {
    InlineText text;
    text.write([&](TextAt& at) { writeNewNumber(at, sheet); });
    return text;
}

InlineText oldNumber(const Sheet& sheet) noexcept {
    InlineText text;
    text.write([&](TextAt& at) { writeOldNumber(at, sheet); });
    return text;
}

void writeNewNumber(TextAt& text, const Sheet& sheet) noexcept {
    pushBaseSheet(text, sheet, false);
    const ScaleRow& row = kScaleCatalogue[sheet.scale];
    if (row.codeDigits > 0) {
        text.push(row.letter);
        text.pushNumber(sheet.rowCode, row.codeDigits);
        text.pushNumber(sheet.columnCode, row.codeDigits);
    }
}

void writeOldNumber(TextAt& text, const Sheet& sheet) noexcept {
    const OldForm form = kScaleCatalogue[sheet.scale].oldForm;
    if (form == OldForm::None) {
        return;
    }
    pushBaseSheet(text, sheet, true);
    const auto push100k = [&] {
        text.push('-');
        text.pushNumber(cellNumber(cellIn(sheet, 1, kDivisions100k), kDivisions100k));
    };
    switch (form) {
        case OldForm::BaseSheet:
        case OldForm::None:
            break;
        case OldForm::LetterOfBase:
            text.push('-');
            pushQuarter(text, cellIn(sheet, 1, 2), "ABCD");
            break;
        case OldForm::BracketedOfBase:
            text.push("-[");
            text.pushNumber(cellNumber(cellIn(sheet, 1, 4), 4));
            text.push(']');
            break;
        case OldForm::ParenthesisedOfBase:
            text.push("-(");
            text.pushNumber(cellNumber(cellIn(sheet, 1, 6), 6));
            text.push(')');
            break;
        case OldForm::NumberOfBase:
            push100k();
            break;
        case OldForm::LetterOf100k:
            push100k();
            text.push('-');
            pushQuarter(text, cellIn(sheet, kDivisions100k, 2), "ABCD");
            break;
        case OldForm::DigitOf50k:
            push100k();
            text.push('-');
            pushQuarter(text, cellIn(sheet, kDivisions100k, 2), "ABCD");
            text.push('-');
            pushQuarter(text, cellIn(sheet, kDivisions50k, 2), "1234");
            break;
        case OldForm::ParenthesisedOf100k:
        case OldForm::SmallLetterOf10k:
            push100k();
            text.push("-(");
            text.pushNumber(cellNumber(cellIn(sheet, kDivisions100k, 8), 8));
            text.push(')');
            if (form == OldForm::SmallLetterOf10k) {
                text.push('-');
                pushQuarter(text, cellIn(sheet, kDivisions10k, 2), "abcd");
            }
            break;
    }
}

InlineText unitsAsDms(std::int32_t units) noexcept {
    InlineText text;
    std::int64_t magnitude = units;
    if (magnitude < 0) {
        text.push('-');
        magnitude = -magnitude;
    }
    constexpr std::int64_t kUnitsPerMinute = kUnitsPerDegree / 60;
    constexpr std::int64_t kUnitsPerSecond = kUnitsPerMinute / 60;  // 8
    text.pushNumber(static_cast<int>(magnitude / kUnitsPerDegree));
    text.push("°");
    text.pushNumber(static_cast<int>(magnitude % kUnitsPerDegree / kUnitsPerMinute));
    text.push("′");
    const std::int64_t eighths = magnitude % kUnitsPerMinute;
    text.pushNumber(static_cast<int>(eighths / kUnitsPerSecond));
    static constexpr std::string_view kEighths[] = {"",   ".125", ".25", ".375",
                                                    ".5", ".625", ".75", ".875"};
    text.push(kEighths[eighths % kUnitsPerSecond]);
    text.push("″");
    return text;
}

}  // namespace mapsheet::engine
