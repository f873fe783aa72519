#include "cover/cover_writing.h"

#include <optional>

#include "engine/sheet_area.h"
#include "text/fixed_decimals.h"

namespace mapsheet::cover {

std::optional<std::string> writeCoverRows(CoverSource& source, CoverOutput& output,
                                          const batch::ProgressListener& progress) {
    const std::optional<CoverCount> known =
        source.countsAhead() ? source.countAbove(0) : std::nullopt;
    batch::ProgressCounter counter(progress, known ? known->sheets : 0);
    while (source.next()) {
        if (!output.add(source)) {
            return output.error();
        }
        counter.add();
    }
    if (!output.finish()) {
        return output.error();
    }
    return std::nullopt;
}

std::string coverSummary(GraticuleSource& source) {
    std::uint64_t count = 0;
    long double area = 0;
    while (source.next()) {
        ++count;
        area += engine::sheetArea(source.sheet());
    }
    std::string summary = "sheets,area_m2\n" + std::to_string(count) + ",";
    text::appendFixed(summary, static_cast<double>(area), 3);
    return summary + '\n';
}

}  // namespace mapsheet::cover
