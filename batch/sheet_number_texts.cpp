#include "batch/sheet_number_texts.h"

#include <cstring>
#include <type_traits>

#include "engine/scale_catalogue.h"

namespace mapsheet::batch {

namespace {

constexpr int kTextPlaceBits = 16;
constexpr std::uint64_t kNoSheet = ~std::uint64_t{0};

static_assert(sizeof(engine::Sheet) == sizeof(std::uint64_t) &&
              std::has_unique_object_representations_v<engine::Sheet>);

}  // namespace

NumberTexts::NumberTexts() : entries_(std::size_t{1} << kTextPlaceBits, Entry{kNoSheet, 0, {}}) {}

void NumberTexts::append(std::string& row, const engine::Sheet& sheet) {
    std::uint64_t key = 0;
    std::memcpy(&key, &sheet, sizeof key);
    // The place of the sheet's row and column counted across the 1:1,000,000 sheets, their low
    // bits: the sheets of a row of neighbours lie side by side in the table, and an area of
    // 256 x 256 sheets has a place for each.
    const std::int32_t divisions = engine::kScaleCatalogue[sheet.scale].divisions;
    const auto line = static_cast<std::uint32_t>(sheet.row * divisions + sheet.rowCode);
    const auto column = static_cast<std::uint32_t>(sheet.zone * divisions + sheet.columnCode);
    constexpr std::uint32_t kMask = (1u << (kTextPlaceBits / 2)) - 1;
    Entry& entry = entries_[((line & kMask) << (kTextPlaceBits / 2)) | (column & kMask)];
    if (entry.key != key) {
        std::string text;
        appendNumbers(text, sheet);
        if (text.size() > sizeof entry.text) {
            row += text;
            return;
        }
        entry.key = key;
        entry.size = static_cast<std::uint8_t>(text.size());
        std::memcpy(entry.text, text.data(), text.size());
    }
    // A copy of the whole text place, whose length the compiler knows, then cut to the text:
    // quicker than a copy of the text's own length.
    const std::size_t at = row.size();
    row.resize(at + sizeof entry.text);
    std::memcpy(row.data() + at, entry.text, sizeof entry.text);
    row.resize(at + entry.size);
}

void appendNumbers(std::string& row, const engine::Sheet& sheet) {
    row += ',';
    row += engine::newNumber(sheet).view();
    row += ',';
    row += engine::oldNumber(sheet).view();
}

}  // namespace mapsheet::batch
