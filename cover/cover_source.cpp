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
    return std::string("the cover would have ") + (count->atLeast ? "more than " : "") +
           text::withThousandsSeparators(count->atLeast ? limit : count->sheets) +
           " sheets, more than --max-sheets " + text::withThousandsSeparators(limit) + " allows";
}

}  // namespace mapsheet::cover
