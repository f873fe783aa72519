#include "python/src/sheet_relations.h"

#include <pybind11/numpy.h>

#include <vector>

#include "cover/cover_source.h"
#include "engine/compact_cover.h"
#include "engine/scale_names.h"
#include "engine/sheet_cover.h"
#include "engine/sheet_hierarchy.h"
#include "library/quoted_excerpt.h"
#include "python/src/module_error.h"

namespace mapsheet::python {

namespace {

// count is exact, or with atLeast the count so far of a cover not yet produced whole.
void refuseAbove(std::uint64_t count, std::uint64_t maxSheets, bool atLeast = false) {
    if (count > maxSheets) {
        throw ModuleError(cover::sheetLimitRefusal({count, atLeast}, maxSheets, "max_sheets"));
    }
}

// The first row, which the caller has checked is a sheet.
const engine::Sheet& firstSheet(const SheetArray& one) {
    if (one.size() < 1 || !one.valid(0)) {
        throw ModuleError(one.size() < 1 ? "no sheet given" : one.firstError());
    }
    return one.sheets().front();
}

std::vector<engine::Sheet> drain(engine::SheetCover& cover) {
    std::vector<engine::Sheet> sheets;
    sheets.reserve(cover.count());
    while (const auto sheet = cover.next()) {
        sheets.push_back(*sheet);
    }
    return sheets;
}

}  // namespace

SheetArray coverBox(double south, double west, double north, double east, int scale,
                    const std::string& modeName, bool compact, std::uint64_t maxSheets) {
    const engine::LatLonBox box{south, west, north, east};
    if (const engine::InputError error = engine::boxError(box); !error.empty()) {
        throw ModuleError(engine::describeInputError(error));
    }
    const std::optional<engine::CoverMode> mode = engine::coverModeFromName(modeName);
    if (!mode) {
        throw ModuleError("unknown cover mode " + text::singleQuotedExcerpt(modeName) +
                          ": expected meets, centre or within");
    }
    if (compact) {
        engine::CompactCover cover(box, scale, *mode);
        std::vector<engine::Sheet> sheets;
        while (const auto sheet = cover.next()) {
            sheets.push_back(*sheet);
            refuseAbove(sheets.size(), maxSheets, true);
        }
        return SheetArray::fromSheets(std::move(sheets));
    }
    engine::SheetCover cover(box, scale, *mode);
    refuseAbove(cover.count(), maxSheets);
    return SheetArray::fromSheets(drain(cover));
}

py::tuple neighboursOf(const SheetArray& one, int rings) {
    if (rings < 1 || rings > engine::kMaxRings) {
        throw ModuleError("rings must lie in 1.." + std::to_string(engine::kMaxRings) + ", got " +
                          std::to_string(rings));
    }
    const std::vector<engine::RingSheet> found = engine::neighbours(firstSheet(one), rings);
    std::vector<engine::Sheet> sheets;
    py::array_t<std::int32_t> ringArray(static_cast<py::ssize_t>(found.size()));
    std::int32_t* ringOut = ringArray.mutable_data();
    for (std::size_t i = 0; i < found.size(); ++i) {
        sheets.push_back(found[i].sheet);
        ringOut[i] = found[i].ring;
    }
    return py::make_tuple(SheetArray::fromSheets(std::move(sheets)), ringArray);
}

SheetArray parentsOf(const SheetArray& sheets, int coarserScale) {
    std::vector<std::optional<engine::Sheet>> parents(static_cast<std::size_t>(sheets.size()));
    std::string firstMissing;
    for (std::size_t i = 0; i < parents.size(); ++i) {
        if (!sheets.valid(i)) {
            firstMissing = firstMissing.empty() ? sheets.firstError() : firstMissing;
            continue;
        }
        parents[i] = engine::parentOf(sheets.sheets()[i], coarserScale);
        if (!parents[i] && firstMissing.empty()) {
            firstMissing = "no sheet of " + engine::scaleRatioText(coarserScale) +
                           " contains a sheet of " +
                           engine::scaleRatioText(sheets.sheets()[i].scale) + ": " +
                           engine::describeInputError(
                               engine::parentScaleError(sheets.sheets()[i], coarserScale));
        }
    }
    return SheetArray::fromOptionalSheets(parents, firstMissing);
}

SheetArray childrenOfFirst(const SheetArray& one, int finerScale, std::uint64_t maxSheets) {
    const engine::Sheet& sheet = firstSheet(one);
    if (const engine::InputError error = engine::childScaleError(sheet, finerScale);
        !error.empty()) {
        throw ModuleError(engine::describeInputError(error));
    }
    engine::SheetCover children = engine::childrenOf(sheet, finerScale);
    refuseAbove(children.count(), maxSheets);
    return SheetArray::fromSheets(drain(children));
}

}  // namespace mapsheet::python
