// Parsing written sheet numbers: a text that parses is, after the table normalisation, the
// canonical new-standard or pre-1992 number of its sheet, and both written numbers of that
// sheet parse back to it. A text that does not parse says why. The parser takes letters in
// either case and the short numeric pieces (zone, old-number pieces) with or without leading
// zeros ("A-1" for "A-01", "K-50-[05]"); the row and column codes of a new-standard number are
// written in full.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/sheet.h"
#include "engine/sheet_number_parse.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using namespace mapsheet;
using fuzz::check;

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view withoutLeadingZeros(std::string_view digits) {
    while (digits.size() > 1 && digits.front() == '0') {
        digits.remove_prefix(1);
    }
    return digits;
}

// Whether typed spells the canonical number: the same letters and marks in either case, and
// the same digit runs, those of six digits and more (the codes) exactly, shorter ones by value.
bool spells(std::string_view typed, std::string_view canonical) {
    constexpr std::size_t kCodeDigits = 6;
    std::size_t t = 0;
    std::size_t c = 0;
    while (t < typed.size() && c < canonical.size()) {
        if (!isDigit(canonical[c])) {
            if (upper(typed[t]) != upper(canonical[c])) {
                return false;
            }
            ++t;
            ++c;
            continue;
        }
        const std::size_t typedStart = t;
        const std::size_t canonicalStart = c;
        while (t < typed.size() && isDigit(typed[t])) {
            ++t;
        }
        while (c < canonical.size() && isDigit(canonical[c])) {
            ++c;
        }
        const std::string_view typedRun = typed.substr(typedStart, t - typedStart);
        const std::string_view canonicalRun = canonical.substr(canonicalStart, c - canonicalStart);
        const bool same = canonicalRun.size() >= kCodeDigits
                              ? typedRun == canonicalRun
                              : !typedRun.empty() && withoutLeadingZeros(typedRun) ==
                                                         withoutLeadingZeros(canonicalRun);
        if (!same) {
            return false;
        }
    }
    return t == typed.size() && c == canonical.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::textOf(data, size);
    const engine::ParsedSheet parsed = engine::parseSheetNumber(text);
    check(parsed.sheet.has_value() == parsed.error.empty(), "a sheet or an error, never both",
          text);
    if (!parsed.sheet) {
        return 0;
    }
    const engine::Sheet sheet = *parsed.sheet;
    check(engine::isValid(sheet), "a parsed sheet is valid", text);
    const engine::InlineText newText = engine::newNumber(sheet);
    const engine::InlineText oldText = engine::oldNumber(sheet);
    const std::string normalised = engine::normaliseSheetNumberText(text);
    check(spells(normalised, newText.view()) || spells(normalised, oldText.view()),
          "the normalised text is the canonical number of its sheet",
          normalised + " is neither " + std::string(newText.view()) + " nor " +
              std::string(oldText.view()));
    check(engine::parseSheetNumber(newText.view()).sheet == sheet,
          "the new-standard number parses back to the sheet", newText.view());
    check(oldText.empty() || engine::parseSheetNumber(oldText.view()).sheet == sheet,
          "the pre-1992 number parses back to the sheet", oldText.view());
    return 0;
}
