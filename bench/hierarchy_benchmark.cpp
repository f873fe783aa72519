// The hierarchy's costs: points to ids against points to written numbers, the compact cover of
// China at 1:10,000, and ten rings of neighbours around 100,000 sheets.

#include <benchmark/benchmark.h>

#include <vector>

#include "bench/china_points.h"
#include "engine/compact_cover.h"
#include "engine/sheet.h"
#include "engine/sheet_hierarchy.h"
#include "engine/sheet_id.h"

namespace {

using namespace mapsheet::engine;

constexpr int k50k = 5;
constexpr int k10k = 7;

using Point = mapsheet::engine::GeographicPoint;

const std::vector<Point>& points() {
    static const std::vector<Point> all = mapsheet::bench::randomPointsInChina(100'000);
    return all;
}

void BM_PointToId50k(benchmark::State& state) {
    std::size_t next = 0;
    for (auto _ : state) {
        const Point& point = points()[next++ % points().size()];
        benchmark::DoNotOptimize(sheetToId(*sheetOf(point.latitude, point.longitude, k50k)));
    }
}
BENCHMARK(BM_PointToId50k);

void BM_PointToNewNumber50k(benchmark::State& state) {
    std::size_t next = 0;
    for (auto _ : state) {
        const Point& point = points()[next++ % points().size()];
        benchmark::DoNotOptimize(newNumber(*sheetOf(point.latitude, point.longitude, k50k)));
    }
}
BENCHMARK(BM_PointToNewNumber50k);

void BM_IdToSheet(benchmark::State& state) {
    std::vector<std::int64_t> ids;
    for (const Point& point : points()) {
        ids.push_back(sheetToId(*sheetOf(point.latitude, point.longitude, k50k)));
    }
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(idToSheet(ids[next++ % ids.size()]));
    }
}
BENCHMARK(BM_IdToSheet);

// The whole compact cover of 18..54 N, 73..135 E at 1:10,000, streamed.
void BM_CompactCoverChina10k(benchmark::State& state) {
    std::size_t sheets = 0;
    for (auto _ : state) {
        CompactCover cover({18, 73, 54, 135}, k10k);
        sheets = 0;
        while (const auto sheet = cover.next()) {
            benchmark::DoNotOptimize(*sheet);
            ++sheets;
        }
    }
    state.counters["sheets"] = static_cast<double>(sheets);
}
BENCHMARK(BM_CompactCoverChina10k)->Unit(benchmark::kMillisecond);

// The sheets within the area just inside it: the edge rows and columns drop out, so the walk runs
// down to 1:10,000 along every side.
void BM_CompactCoverChinaWithin10k(benchmark::State& state) {
    std::size_t sheets = 0;
    for (auto _ : state) {
        CompactCover cover({18.001, 73.001, 53.999, 134.999}, k10k, CoverMode::Within);
        sheets = 0;
        while (const auto sheet = cover.next()) {
            benchmark::DoNotOptimize(*sheet);
            ++sheets;
        }
    }
    state.counters["sheets"] = static_cast<double>(sheets);
}
BENCHMARK(BM_CompactCoverChinaWithin10k)->Unit(benchmark::kMillisecond);

// Ten rings (441 sheets each) around each of 100,000 1:50,000 sheets: one iteration is all.
void BM_TenRingsAround100kSheets(benchmark::State& state) {
    std::vector<Sheet> sheets;
    for (const Point& point : points()) {
        sheets.push_back(*sheetOf(point.latitude, point.longitude, k50k));
    }
    for (auto _ : state) {
        std::size_t found = 0;
        for (const Sheet& sheet : sheets) {
            found += neighbours(sheet, 10).size();
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_TenRingsAround100kSheets)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
