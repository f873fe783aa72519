// The convert button of the sheet window as the user meets it: the click, the nine cells and
// grid-line labels rewritten, and the relayout and repaint that follow, on the offscreen
// platform (raster painting into the window's backing store).
//
// Each repetition times one click between two positions whose neighbourhoods share no text,
// so every label really changes; typing the position into the boxes is not timed. The time is
// the processor time of the window's thread, which other load on a shared machine does not
// inflate as it does wall time. The aggregates give the median and the maximum of single
// clicks; the counters split each into the handler and the layout and paint after it.
//
// Run: build-NAME/bench/window_convert_click_benchmark (QT_QPA_PLATFORM defaults to
// offscreen here).

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <array>
#include <ctime>
#include <memory>

#include "sheet_window/FormDC1.h"

namespace {

mapsheet::FormDC1* window = nullptr;
// Counts clicks across repetitions, each of which runs the benchmark function afresh.
std::size_t clicks = 0;

struct Position {
    const char* longitude[3];
    const char* latitude[3];
};

constexpr std::array<Position, 2> kPositions = {{
    {{"117", "30", "00"}, {"39", "58", "45"}},
    {{"100", "20", "00"}, {"30", "10", "00"}},
}};

// Processor time of this thread: the figure does not grow with other load on the machine.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

void TypePosition(const Position& position) {
    static const char* const kBoxes[2][3] = {{"TextJdD", "TextJdF", "TextJdM"},
                                             {"TextWdD", "TextWdF", "TextWdM"}};
    for (int i = 0; i < 3; ++i) {
        window->findChild<QLineEdit*>(kBoxes[0][i])->setText(position.longitude[i]);
        window->findChild<QLineEdit*>(kBoxes[1][i])->setText(position.latitude[i]);
    }
}

void ConvertClick(benchmark::State& state) {
    auto* convert = window->findChild<QPushButton*>("dcButZhuan");
    for (auto _ : state) {
        TypePosition(kPositions[clicks++ % kPositions.size()]);
        QApplication::processEvents();
        const double start = ThreadSeconds();
        convert->click();
        const double clicked = ThreadSeconds();
        QApplication::processEvents();
        const double painted = ThreadSeconds();
        state.SetIterationTime(painted - start);
        state.counters["handler_us"] = (clicked - start) * 1e6;
        state.counters["layout_paint_us"] = (painted - clicked) * 1e6;
    }
}

double Largest(const std::vector<double>& values) {
    return *std::max_element(values.begin(), values.end());
}

}  // namespace

BENCHMARK(ConvertClick)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(400)
    ->ComputeStatistics("max", Largest)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const auto form = std::make_unique<mapsheet::FormDC1>();
    window = form.get();
    window->show();
    QApplication::processEvents();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
