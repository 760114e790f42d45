// Rebuilding the period strip as the main window does after every structural change: the panel
// with all its columns and cells, then the navigation tree over it. Runs offscreen.
//
// With TONARIA_GRAB_PANEL=<folder> set, the panel of the largest period, its outline and the
// mode buttons are also painted once and saved there as PNG files, so that they can be looked
// at. The glyph sheet is taken from beside the executable.

#include "canvas/umotivecanvas.h"
#include "fakecanvasservice.h"
#include "files/periodbuilder.h"
#include "strip/periodpanel.h"

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
    TFakeCanvasService service;
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
    TFakeCanvasService service;
    TPeriodData period;
    buildPeriod(period, squareStructure(4));
    for (auto _ : state) {
        TPeriodPanel panel(nullptr, 1000, service, period);
        benchmark::DoNotOptimize(panel.grab());
    }
}
BENCHMARK(BM_RebuildAndPaintPeriodPanel)->Unit(benchmark::kMillisecond);

void grabPanel(const QString& folder) {
    TFakeCanvasService service;
    TPeriodData period;
    buildPeriod(period, squareStructure(4));
    TPeriodPanel panel(nullptr, 1000, service, period);
    const auto& cells = panel.motiveCells();
    for (TUMotiveSet* cell : cells)
        cell->canvas()->autoHarmonise();
    cells[1]->playPanel()->setPlaying(true);
    cells[2]->selectionPanel()->setSelected(true);
    panel.buttonPressed(cells[2]);
    panel.grab().save(folder + "/periodpanel.png");

    TNavigationTree tree(nullptr, service.messageBundle());
    tree.rebuild(panel.view());
    tree.resize(220, 400);
    tree.setCurrentItem(tree.topLevelItem(0)->child(0)); // a selected node keeps its diamond
    tree.grab().save(folder + "/navigationtree.png");

    TButtonGroupPanel buttons(nullptr, service.messageBundle());
    buttons.pressButton(4);
    buttons.grab().save(folder + "/modebuttons.png");
}

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ensureWidgetApplication();
    if (const char* folder = std::getenv("TONARIA_GRAB_PANEL"))
        grabPanel(QString::fromLocal8Bit(folder));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
