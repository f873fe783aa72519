// The id's fields packed into fixed bit ranges under a tag, and unpacked with every range checked.

#include "engine/sheet_id.h"

namespace mapsheet::engine {

namespace {

constexpr int kColumnShift = 0;
constexpr int kRowCodeShift = 12;
constexpr int kZoneShift = 24;
constexpr int kBaseRowShift = 30;
constexpr int kSouthernShift = 35;
constexpr int kScaleShift = 36;
constexpr int kTagShift = 40;
constexpr std::int64_t kTag = 1;

constexpr std::int64_t field(std::int64_t id, int shift, int bits) {
    return (id >> shift) & ((std::int64_t{1} << bits) - 1);
}

}  // namespace

std::int64_t sheetToId(const Sheet& sheet) noexcept {
    if (!isValid(sheet)) {
        return 0;
    }
    return kTag << kTagShift | std::int64_t{sheet.scale} << kScaleShift |
           std::int64_t{sheet.southern} << kSouthernShift |
           std::int64_t{sheet.row} << kBaseRowShift | std::int64_t{sheet.zone} << kZoneShift |
           std::int64_t{sheet.rowCode} << kRowCodeShift |
           std::int64_t{sheet.columnCode} << kColumnShift;
}

std::optional<Sheet> idToSheet(std::int64_t id) noexcept {
    if (id < 0 || id >> kTagShift != kTag) {
        return std::nullopt;
    }
    Sheet sheet;
    sheet.scale = static_cast<std::int8_t>(field(id, kScaleShift, 4));
    sheet.southern = field(id, kSouthernShift, 1) != 0;
    sheet.row = static_cast<std::int8_t>(field(id, kBaseRowShift, 5));
    sheet.zone = static_cast<std::int8_t>(field(id, kZoneShift, 6));
    sheet.rowCode = static_cast<std::int16_t>(field(id, kRowCodeShift, 12));
    sheet.columnCode = static_cast<std::int16_t>(field(id, kColumnShift, 12));
    if (!isValid(sheet)) {
        return std::nullopt;
    }
    return sheet;
}

}  // namespace mapsheet::engine
