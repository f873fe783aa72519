// The cost of the square-sheet grid alone: the sheet of a plane point, its number, and a number
// read back. (The projection in front of it is timed end to end by bench/square_points.sh.)

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "engine/square_sheet.h"

namespace {

struct PlanePoint {
    double x;
    double y;
};

// Random plane points of 3-degree zones over China, the same every run.
const std::vector<PlanePoint>& points() {
    static const std::vector<PlanePoint> all = [] {
        std::mt19937_64 random(1);
        std::uniform_real_distribution<double> northings(2'000'000.0, 5'950'000.0);
        std::uniform_real_distribution<double> eastings(330'000.0, 670'000.0);
        std::vector<PlanePoint> result(4096);
        for (PlanePoint& point : result) {
            point = {northings(random), eastings(random)};
        }
        return result;
    }();
    return all;
}

constexpr int k500 = 11;

void sheetOfPoint(benchmark::State& state) {
    std::size_t next = 0;
    for (auto _ : state) {
        const PlanePoint& point = points()[next++ & 4095];
        benchmark::DoNotOptimize(mapsheet::engine::squareSheetOf(point.x, point.y, k500));
    }
}
BENCHMARK(sheetOfPoint);

void numberOfPoint(benchmark::State& state) {
    std::size_t next = 0;
    for (auto _ : state) {
        const PlanePoint& point = points()[next++ & 4095];
        const auto sheet = mapsheet::engine::squareSheetOf(point.x, point.y, k500);
        benchmark::DoNotOptimize(mapsheet::engine::squareNumber(*sheet));
    }
}
BENCHMARK(numberOfPoint);

void parseNumber(benchmark::State& state) {
    std::vector<std::string> numbers;
    for (const PlanePoint& point : points()) {
        numbers.push_back(mapsheet::engine::squareNumber(
            *mapsheet::engine::squareSheetOf(point.x, point.y, k500)));
    }
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(mapsheet::engine::parseSquareNumber(numbers[next++ & 4095], k500));
    }
}
BENCHMARK(parseNumber);

}  // namespace
