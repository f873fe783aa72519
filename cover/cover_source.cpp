#include "cover/cover_source.h"

#include "library/thousands.h"

namespace mapsheet::cover {

engine::GeographicRing CoverRow::geographicOutline(std::string& /*error*/) const {
    const SheetFrame f = frame();
    return {{f.south, f.west},
            {f.south, f.east},
            {f.north, f.east},
            {f.north, f.west},
            {f.south, f.west}};
}

std::string maxSheetsRefusal(const CoverSource& source, std::uint64_t limit) {
    const std::optional<CoverCount> count = source.countAbove(limit);
    if (!count) {
        return {};
    }
    return sheetLimitRefusal(*count, limit, "--max-sheets");
}

std::string sheetLimitRefusal(const CoverCount& count, std::uint64_t limit,
                              std::string_view limitName) {
    return std::string("the cover would have ") + (count.atLeast ? "more than " : "") +
           text::withThousandsSeparators(count.atLeast ? limit : count.sheets) +
           " sheets, more than " + std::string(limitName) + " " +
           text::withThousandsSeparators(limit) + " allows";
}

}  // namespace mapsheet::cover
