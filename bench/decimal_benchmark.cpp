// Cost of the everyday decimal operations on operands such as the angle window types: a few
// integer digits with a handful to all 28 decimals.

#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "library/decimal.h"

namespace mapsheet {
namespace {

constexpr std::array<const char*, 8> kTexts = {
    "39.5845",
    "117.3",
    "0.333333333333333",
    "57.295779513082320876798154814",
    "-12.75",
    "3.1415926535897932384626433833",
    "0.0174532925199432957692369077",
    "1234567.891",
};

std::array<Decimal, kTexts.size()> operands() {
    std::array<Decimal, kTexts.size()> values;
    for (std::size_t i = 0; i < kTexts.size(); ++i) {
        values[i] = Decimal::parse(kTexts[i]);
    }
    return values;
}

// Runs `operation` over all pairs of operands, so that no single fast or slow case dominates.
template <typename Operation>
void overPairs(benchmark::State& state, Operation operation) {
    const auto values = operands();
    std::size_t i = 0;
    for (auto _ : state) {
        const Decimal& a = values[i % values.size()];
        const Decimal& b = values[(i / values.size()) % values.size()];
        benchmark::DoNotOptimize(operation(a, b));
        ++i;
    }
}

void BM_Add(benchmark::State& state) {
    overPairs(state, [](const Decimal& a, const Decimal& b) { return a + b; });
}
BENCHMARK(BM_Add);

void BM_Multiply(benchmark::State& state) {
    overPairs(state, [](const Decimal& a, const Decimal& b) { return a * b; });
}
BENCHMARK(BM_Multiply);

void BM_Divide(benchmark::State& state) {
    overPairs(state, [](const Decimal& a, const Decimal& b) { return a / b; });
}
BENCHMARK(BM_Divide);

void BM_Parse(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Decimal::parse(kTexts[i % kTexts.size()]));
        ++i;
    }
}
BENCHMARK(BM_Parse);

void BM_ToString(benchmark::State& state) {
    const auto values = operands();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(values[i % values.size()].toString());
        ++i;
    }
}
BENCHMARK(BM_ToString);

}  // namespace
}  // namespace mapsheet
