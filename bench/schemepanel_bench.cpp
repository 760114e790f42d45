// The scheme panel: a scheme command pressed through its button until the panel has repainted
// (the gatherer reloaded and laid out again), and a gatherer laid out with 64 items, in the
// gatherer's place in the panel and in a room where every item shows. Runs offscreen, beside
// the glyph sheet.

#include "engine/schemecommand.h"
#include "panels/gatherer.h"
#include "panels/rythmset.h"
#include "panels/schemepanel.h"
#include "panels/turnroundset.h"
#include "panelstesting.h"

#include <benchmark/benchmark.h>

namespace {

void BM_SchemeCommandThroughButton(benchmark::State& state) {
    TPanelsService service;
    TSchemePanel panel(nullptr, service, service.scheme());
    panel.show();
    QCoreApplication::processEvents();
    const int command = static_cast<int>(state.range(0));
    service.scheme().rhythmContrastMotive() = harmonisedMelody();
    service.scheme().pitchContrastMotive() = harmonisedMelody();
    TCommonSet& set = command < FIRST_PITCH_COMMAND ? static_cast<TCommonSet&>(*panel.rythmSet())
                                                    : *panel.pitchSet();
    TFlatButtonWithID* button = set.buttonOfCommand(command);
    state.SetLabel(schemeCommandKey(command));
    for (auto _ : state) {
        button->click();
        set.repaint();
        // The items the gatherer let go of are destroyed, as the event loop would.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
BENCHMARK(BM_SchemeCommandThroughButton)
    ->Arg(SHORT_DURATIONS)
    ->Arg(CONTRAST_SHORT_LONG)
    ->Arg(RANDOM_DURATIONS)
    ->Arg(MIX_DURATIONS)
    ->Arg(SMALL_TURNS)
    ->Arg(CONTRAST_CHORD_TURNS)
    ->Arg(RANDOM_TURNS)
    ->Arg(MIX_TURNS)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

void BM_GathererRelayout64(benchmark::State& state) {
    TPanelsService service;
    QWidget owner;
    TRythmGatherer gatherer(&owner, service.scheme());
    TDurations durations;
    for (int i = 0; i < 64; ++i)
        durations.push_back(DURATION(30 * (i % 8 + 1) * (i % 5 == 4 ? -1 : 1)));
    service.scheme().setDurations(durations, true, false);
    gatherer.reloadFromScheme();
    // 0: the gatherer's place in the rhythm set, where most items end in "..."; 1: room for
    // all 64.
    if (state.range(0) == 0)
        gatherer.resize(337, 55);
    else
        gatherer.resize(1000, 700);
    owner.show();
    QCoreApplication::processEvents();
    for (auto _ : state)
        gatherer.relayout();
    state.SetLabel(state.range(0) == 0 ? "in the panel" : "all shown");
}
BENCHMARK(BM_GathererRelayout64)
    ->Arg(0)
    ->Arg(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    ensurePanelsApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
