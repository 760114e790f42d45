// From a pointer move in the variant view to the preview's note-on at the MIDI back end: the
// move goes through the canvas and the view as in the program, the motive player's real timer
// thread sends the note, and a recording back end stamps it. Reports the median, the 99th
// percentile and the largest delay over the moves. What an output adds on top of this (the
// built-in synthesizer's audio period, a system port's synthesizer) is not part of it.
#include "choicebench.h"

#include "engine/harmonisation.h"
#include "engine/variantgeometry.h"
#include "model/schemechords.h"
#include "variants/notevariantstrategy.h"

#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// The choice bench with a motive player whose timer thread starts as soon as something is
// queued, and a look at what the back end received.
struct TPreviewBench : TChoiceBench {
    TPreviewBench() : TChoiceBench(true) {}

    // The first note-on the back end received at or after `since`, waiting up to a second.
    std::optional<Clock::time_point> noteOnAfter(Clock::time_point since) {
        const auto giveUp = since + std::chrono::seconds(1);
        while (Clock::now() < giveUp) {
            for (const TRecordedMessage& sent : service.backend().messages()) {
                if ((messageStatus(sent.message) & 0xF0) == 0x90 &&
                    messageData2(sent.message) > 0 && sent.at >= since)
                    return sent.at;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
        return std::nullopt;
    }
};

double percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1));
    return values[at];
}

void BM_PointerMoveToPreviewNoteOn(benchmark::State& state) {
    TPreviewBench bench;
    bench.motive.notes() = {TNote(0, 22, 120), TNote(120, 24, 120), TNote(240, 26, 120),
                            TNote(360, 22, 120)};
    autoHarmonise(bench.motive, nullptr, CONTEXT_FIRST, schemeChordTypeNames(),
                  bench.service.scheme().random());
    // Mode 1 at the second beat: the edit model offers notes in both halves.
    bench.send(QEvent::MouseButtonPress, QPoint(bench.canvas->canvasGeometry().timeToX(120), 60),
               Qt::LeftButton, Qt::LeftButton);
    auto* notes = dynamic_cast<TNoteVariantStrategy*>(bench.view->strategy(0));
    if (notes == nullptr || notes->candidates().size() < 2) {
        state.SkipWithError("fewer than two note candidates");
        return;
    }
    // Between the lowest and the highest candidate, far from the middle line: every move picks
    // another note and previews it.
    const int rows[] = {noteBandCentre(notes->candidates().front().pitch),
                        noteBandCentre(notes->candidates().back().pitch)};
    std::vector<double> delays;
    int missed = 0;
    int step = 0;
    for (auto _ : state) {
        // Outwards from the middle line, one band up or down at each move; back to the middle
        // line, untimed, after each run.
        const int outwards = step % 20;
        if (outwards == 0) {
            state.PauseTiming();
            bench.send(QEvent::MouseMove,
                       bench.canvas->mapFromGlobal(bench.view->mapToGlobal(QPoint(230, rows[0]))),
                       Qt::NoButton, Qt::LeftButton);
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
        const QPoint at = bench.view->mapToGlobal(QPoint(220 - outwards * 10, rows[step % 2]));
        ++step;
        bench.service.backend().clear();
        const Clock::time_point moved = Clock::now();
        bench.send(QEvent::MouseMove, bench.canvas->mapFromGlobal(at), Qt::NoButton,
                   Qt::LeftButton);
        const std::optional<Clock::time_point> sounded = bench.noteOnAfter(moved);
        if (!sounded) {
            ++missed;
            state.SetIterationTime(0);
            continue;
        }
        const std::chrono::duration<double> delay = *sounded - moved;
        delays.push_back(delay.count());
        state.SetIterationTime(delay.count());
        // What the timer thread posted (lit notes) is handled between moves, as the program's
        // event loop would.
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    bench.send(QEvent::MouseButtonRelease, QPoint(30, 60), Qt::LeftButton, Qt::NoButton);
    bench.service.motivePlayer().stop();
    if (delays.empty()) {
        state.SkipWithError("no preview sounded");
        return;
    }
    state.counters["median_ms"] = percentile(delays, 0.5) * 1000;
    state.counters["p99_ms"] = percentile(delays, 0.99) * 1000;
    state.counters["max_ms"] = percentile(delays, 1.0) * 1000;
    state.counters["missed"] = missed;
}
BENCHMARK(BM_PointerMoveToPreviewNoteOn)
    ->UseManualTime()
    ->Iterations(500)
    ->Unit(benchmark::kMicrosecond);

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
