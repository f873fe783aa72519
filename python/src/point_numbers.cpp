#include "python/src/point_numbers.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <string>

#include "engine/scale_catalogue.h"
#include "engine/scale_names.h"
#include "engine/sheet.h"
#include "engine/sheet_id.h"
#include "python/src/array_io.h"
#include "python/src/module_error.h"
#include "python/src/parallel_chunks.h"

namespace mapsheet::python {

namespace {

// The longest numbers the engine writes: "SV15K11521152" (13) and "SK-50-144-(64)-a" (16).
constexpr std::size_t kNewNumberWidth = 13;
constexpr std::size_t kOldNumberWidth = 16;

// Lowers the shared first-missing index to index when smaller.
void noteMissing(std::atomic<std::int64_t>& first, std::int64_t index) {
    std::int64_t seen = first.load();
    while ((seen < 0 || index < seen) && !first.compare_exchange_weak(seen, index)) {
    }
}

// Runs writeRow(i, sheet) for every point, sheet nullopt where there is none, over threads with
// the GIL released; returns the first point without a sheet, or -1.
template <class WriteRow>
std::int64_t forEachPoint(const py::array_t<double>& latitudes,
                          const py::array_t<double>& longitudes, int scale, int threads,
                          WriteRow&& writeRow) {
    const StridedLayout north = layoutOf(latitudes);
    const StridedLayout east = layoutOf(longitudes);
    const auto count = static_cast<std::size_t>(latitudes.size());
    std::atomic<std::int64_t> firstMissing{-1};
    py::gil_scoped_release released;
    forEachChunk(count, threads, [&](std::size_t begin, std::size_t end) {
        StridedWalk lat(north, begin);
        StridedWalk lon(east, begin);
        for (std::size_t i = begin; i < end; ++i, lat.advance(), lon.advance()) {
            const auto sheet =
                engine::sheetOf(*reinterpret_cast<const double*>(lat.pointer()),
                                *reinterpret_cast<const double*>(lon.pointer()), scale);
            if (!sheet) {
                noteMissing(firstMissing, static_cast<std::int64_t>(i));
            }
            writeRow(i, sheet);
        }
    });
    return firstMissing.load();
}

}  // namespace

PointResult numberPoints(const py::array_t<double>& latitudes,
                         const py::array_t<double>& longitudes, int scale, PointOutput output,
                         int threads) {
    if (output == PointOutput::SheetId) {
        py::array_t<std::int64_t> ids(shapeOf(latitudes));
        std::int64_t* out = ids.mutable_data();
        const std::int64_t first =
            forEachPoint(latitudes, longitudes, scale, threads,
                         [out](std::size_t i, const std::optional<engine::Sheet>& sheet) {
                             out[i] = sheet ? engine::sheetToId(*sheet) : 0;
                         });
        return {ids, first};
    }
    const bool oldNumbering = output == PointOutput::OldNumber;
    if (oldNumbering && engine::kScaleCatalogue[scale].oldForm == engine::OldForm::None) {
        throw ModuleError(engine::scaleRatioText(scale) + " has no pre-1992 number");
    }
    const std::size_t width = oldNumbering ? kOldNumberWidth : kNewNumberWidth;
    py::array numbers = newTextArray(shapeOf(latitudes), width);
    auto* out = static_cast<char32_t*>(numbers.mutable_data());
    const std::int64_t first =
        forEachPoint(latitudes, longitudes, scale, threads,
                     [=](std::size_t i, const std::optional<engine::Sheet>& sheet) {
                         if (!sheet) {
                             writeAsciiItem(out + i * width, width, {});
                             return;
                         }
                         const engine::InlineText text =
                             oldNumbering ? engine::oldNumber(*sheet) : engine::newNumber(*sheet);
                         if (text.view().size() > width) {
                             throw std::logic_error("sheet number longer than its column");
                         }
                         writeAsciiItem(out + i * width, width, text.view());
                     });
    return {numbers, first};
}

}  // namespace mapsheet::python
