// The variant view while the user picks: one pointer move (the pick, the preview written into
// the motive, both halves drawn again) and a press on a canvas up to the painted window.
#include "choicebench.h"

#include "engine/harmonisation.h"
#include "model/schemechords.h"
#include "variants/notevariantstrategy.h"

#include <QCursor>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

void BM_PointerMoveInTheNoteHalf(benchmark::State& state) {
    TChoiceBench bench;
    TMotive& motive = bench.motive;
    motive.notes() = {TNote(0, 22, 120), TNote(120, 24, 120), TNote(240, 26, 120),
                      TNote(360, 22, 120)};
    autoHarmonise(motive, nullptr, CONTEXT_FIRST, schemeChordTypeNames(),
                  bench.service.scheme().random());
    // Mode 1 at the second beat: the edit model offers notes in both halves.
    bench.send(QEvent::MouseButtonPress, QPoint(bench.canvas->canvasGeometry().timeToX(120), 60),
               Qt::LeftButton, Qt::LeftButton);
    auto* notes = dynamic_cast<TNoteVariantStrategy*>(bench.view->strategy(0));
    if (notes == nullptr || notes->candidates().empty()) {
        state.SkipWithError("no note candidates");
        return;
    }
    const std::vector<TScVariant> offered = notes->candidates();
    QImage picture(bench.view->size(), QImage::Format_RGB32);
    int step = 0;
    for (auto _ : state) {
        // Outwards from the middle line over the bands, then back to the start of the run.
        const int x = 230 - (step % 22) * 10;
        const int pitch = offered[static_cast<std::size_t>(step) % offered.size()].pitch;
        const QPoint at = bench.view->mapToGlobal(QPoint(x, noteBandCentre(pitch)));
        bench.send(QEvent::MouseMove, bench.canvas->mapFromGlobal(at), Qt::NoButton,
                   Qt::LeftButton);
        bench.view->render(&picture);
        ++step;
    }
    benchmark::DoNotOptimize(picture.constBits());
    bench.send(QEvent::MouseButtonRelease, QPoint(30, 60), Qt::LeftButton, Qt::NoButton);
}
BENCHMARK(BM_PointerMoveInTheNoteHalf)->Unit(benchmark::kMicrosecond);

void BM_PressToPaintedWindow(benchmark::State& state) {
    TChoiceBench bench;
    bench.canvas->setMode(TUMotiveCanvas::MODE_CHORD_AND_NOTE);
    QImage picture(bench.view->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        bench.send(QEvent::MouseButtonPress, QPoint(30, 60), Qt::LeftButton, Qt::LeftButton);
        bench.view->render(&picture);
        benchmark::DoNotOptimize(picture.constBits());
        state.PauseTiming();
        bench.send(QEvent::MouseButtonRelease, QPoint(30, 60), Qt::LeftButton, Qt::NoButton);
        bench.service.motivePlayer().stop();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PressToPaintedWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ensureWidgetApplication();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
