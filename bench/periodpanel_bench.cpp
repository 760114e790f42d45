// Rebuilding the period strip as the main window does after every structural change: the panel
// with all its columns and cells, then the navigation tree over it. Runs offscreen.
//
// With TONARIA_GRAB_PANEL=<file.png> set, the panel of the largest period is also painted once
// and saved there, so that it can be looked at.

#include "canvas/periodpanel.h"
#include "fakebaseservice.h"
#include "files/periodbuilder.h"

#include <QPixmap>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// Four sentences of four phrases of four motives, lettered A, B, A1, B1 in every sentence.
TPeriodStructure squareStructure(int size) {
    TPeriodStructure structure = defaultPeriodStructure();
    structure.phraseCounts.assign(static_cast<std::size_t>(size), size);
    structure.motiveCounts.assign(static_cast<std::size_t>(size * size), size);
    structure.letters.clear();
    const std::uint8_t letters[] = {5, 6, 10, 11};
    for (int i = 0; i < size * size; ++i)
        structure.letters.push_back(letters[i % 4]);
    return structure;
}

void BM_RebuildPeriodPanel(benchmark::State& state) {
    TFakeBaseService service;
    TPeriodData period;
    buildPeriod(period, squareStructure(static_cast<int>(state.range(0))));
    TNavigationTree tree(nullptr, service.messageBundle());
    for (auto _ : state) {
        TPeriodPanel panel(nullptr, 1000, service, period);
        tree.rebuild(panel.view());
        benchmark::DoNotOptimize(panel.motiveCellCount());
    }
    state.counters["cells"] = static_cast<double>(period.allMotives().size());
}
BENCHMARK(BM_RebuildPeriodPanel)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

// The first paint of the visible part of the rebuilt strip.
void BM_RebuildAndPaintPeriodPanel(benchmark::State& state) {
    TFakeBaseService service;
    TPeriodData period;
    buildPeriod(period, squareStructure(4));
    for (auto _ : state) {
        TPeriodPanel panel(nullptr, 1000, service, period);
        benchmark::DoNotOptimize(panel.grab());
    }
}
BENCHMARK(BM_RebuildAndPaintPeriodPanel)->Unit(benchmark::kMillisecond);

void grabPanel(const char* file) {
    TFakeBaseService service;
    TPeriodData period;
    buildPeriod(period, squareStructure(4));
    TPeriodPanel panel(nullptr, 1000, service, period);
    const auto& cells = panel.motiveCells();
    cells[1]->playPanel()->setPlaying(true);
    cells[2]->selectionPanel()->setSelected(true);
    panel.buttonPressed(cells[2]);
    panel.grab().save(QString::fromLocal8Bit(file));
}

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ensureCanvasApplication();
    if (const char* file = std::getenv("TONARIA_GRAB_PANEL"))
        grabPanel(file);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
