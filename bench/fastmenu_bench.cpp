// The fast menu: from a press on a command button to the anchor canvas regenerated and painted
// again, for a rhythm and a pitch command. Runs offscreen, beside the glyph sheet.

#include "canvas/umotivecanvas.h"
#include "engine/schemecommand.h"
#include "panels/fastmenu.h"
#include "panelstesting.h"

#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void BM_CommandPressToRepaintedAnchor(benchmark::State& state) {
    TPanelsService service;
    const TMotive original = harmonisedMelody();
    TMotive motive = original;
    TUMotiveCanvas canvas(nullptr, service, motive);
    canvas.show();
    TFastMenu menu(nullptr, service);
    menu.showFor(&canvas);
    QCoreApplication::processEvents();
    const int command = static_cast<int>(state.range(0));
    QWidget* button = menu.commandButton(command);
    state.SetLabel(command < FIRST_PITCH_COMMAND ? "rhythm command" : "pitch command");
    for (auto _ : state) {
        QTest::mousePress(button, Qt::LeftButton);
        canvas.repaint();
        state.PauseTiming();
        QTest::mouseRelease(button, Qt::LeftButton);
        service.motivePlayer().stop();
        motive.copyContent(original);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CommandPressToRepaintedAnchor)
    ->Arg(SHORT_DURATIONS)
    ->Arg(RANDOM_DURATIONS)
    ->Arg(CHORD_TURNS)
    ->Arg(MANY_TURNS)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Painting runs offscreen unless a display is asked for.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ensurePanelsApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
