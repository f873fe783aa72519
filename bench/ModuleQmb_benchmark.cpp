// The remainders of the sheet engine: latitude by 4 and longitude + 180 by the zone width,
// with 精确模式 off, two per point.

#include <benchmark/benchmark.h>

#include "library/ModuleQmb.h"
#include "library/number_text.h"

namespace {

using namespace mapsheet;

void BM_RemainderOfLatitude(benchmark::State& state) {
    ModuleQmb::清除运算信息();
    double latitude = 41.0123456789;
    for (auto _ : state) {
        benchmark::DoNotOptimize(latitude);
        benchmark::DoNotOptimize(ModuleQmb::求两数余(latitude, 4.0));
    }
}
BENCHMARK(BM_RemainderOfLatitude);

void BM_RemainderOfRepeatingLatitude(benchmark::State& state) {
    ModuleQmb::清除运算信息();
    double latitude = 39.833333333333336;  // 39°50′, 17 significant digits
    for (auto _ : state) {
        benchmark::DoNotOptimize(latitude);
        benchmark::DoNotOptimize(ModuleQmb::求两数余(latitude, 4.0));
    }
}
BENCHMARK(BM_RemainderOfRepeatingLatitude);

void BM_RemainderOfLongitude(benchmark::State& state) {
    ModuleQmb::清除运算信息();
    double longitude = 117.5 + 180;
    for (auto _ : state) {
        benchmark::DoNotOptimize(longitude);
        benchmark::DoNotOptimize(ModuleQmb::求两数余(longitude, 6.0));
    }
}
BENCHMARK(BM_RemainderOfLongitude);

void BM_RemainderThroughTexts(benchmark::State& state) {
    ModuleQmb::清除运算信息();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ModuleQmb::求两数余("41.0123456789", "4"));
    }
}
BENCHMARK(BM_RemainderThroughTexts);

void BM_DoubleText(benchmark::State& state) {
    double value = 39.833333333333336;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(doubleText(value));
    }
}
BENCHMARK(BM_DoubleText);

}  // namespace
