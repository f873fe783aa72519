// The cost of numbering one point, and of the library operations it rests on.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/china_points.h"
#include "engine/sheet.h"
#include "engine/sheet_engine.h"
#include "library/ModuleQmb.h"
#include "library/double_digits.h"
#include "text/coordinate_text.h"

namespace {

using Point = mapsheet::engine::GeographicPoint;

const std::vector<Point>& points() {
    static const std::vector<Point> all = mapsheet::bench::randomPointsInChina(4096);
    return all;
}

void numberPoints(benchmark::State& state, int scaleIndex, bool newNumbering) {
    mapsheet::engine::SheetEngine engine;
    engine.SelectScale(scaleIndex);
    std::size_t next = 0;
    for (auto _ : state) {
        const Point& point = points()[next++ % points().size()];
        benchmark::DoNotOptimize(engine.SheetNumber(point.latitude, point.longitude, newNumbering));
    }
}

// The core alone: the sheet as a value, then its text.
void numberWithCore(benchmark::State& state, int scaleIndex, bool newNumbering) {
    std::size_t next = 0;
    for (auto _ : state) {
        const Point& point = points()[next++ % points().size()];
        const auto sheet = mapsheet::engine::sheetOf(point.latitude, point.longitude, scaleIndex);
        benchmark::DoNotOptimize(newNumbering ? mapsheet::engine::newNumber(*sheet)
                                              : mapsheet::engine::oldNumber(*sheet));
    }
}

void BM_CoreNewNumber50k(benchmark::State& state) {
    numberWithCore(state, 5, true);
}
void BM_CoreOldNumber50k(benchmark::State& state) {
    numberWithCore(state, 5, false);
}
void BM_NewNumber50k(benchmark::State& state) {
    numberPoints(state, 5, true);
}
void BM_OldNumber50k(benchmark::State& state) {
    numberPoints(state, 5, false);
}
void BM_NewNumber500(benchmark::State& state) {
    numberPoints(state, 11, true);
}
void BM_OldNumber10k(benchmark::State& state) {
    numberPoints(state, 7, false);
}

// As the window's engine takes it for the diagnostics log.
void BM_DecimalRemainder(benchmark::State& state) {
    std::size_t next = 0;
    for (auto _ : state) {
        const Point& point = points()[next++ % points().size()];
        const mapsheet::ModuleQmb::Number remainder =
            mapsheet::ModuleQmb::求两数余(point.longitude + 180.0, 6);
        benchmark::DoNotOptimize(remainder.isDecimal()
                                     ? mapsheet::nearestDouble(remainder.toDecimal())
                                     : remainder.toDouble());
    }
}

void readTexts(benchmark::State& state, const std::vector<std::string>& texts) {
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(mapsheet::text::readCoordinate(texts[next++ % texts.size()]));
    }
}

void BM_ReadDecimalDegrees(benchmark::State& state) {
    readTexts(state, {"39.979123", "117.512345", "-30.5", "116.250000"});
}

void BM_ReadMarkedDegrees(benchmark::State& state) {
    readTexts(state, {"39°58′45.5″", "117°30′00″", "-30°30′", "39d58'45\""});
}

BENCHMARK(BM_CoreNewNumber50k);
BENCHMARK(BM_CoreOldNumber50k);
BENCHMARK(BM_NewNumber50k);
BENCHMARK(BM_OldNumber50k);
BENCHMARK(BM_NewNumber500);
BENCHMARK(BM_OldNumber10k);
BENCHMARK(BM_DecimalRemainder);
BENCHMARK(BM_ReadDecimalDegrees);
BENCHMARK(BM_ReadMarkedDegrees);

}  // namespace
