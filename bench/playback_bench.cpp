// Playback figures: timer accuracy against the ideal schedule, the MIDI export of a large
// period, and loading the built-in synthesizer's SoundFont.

#include "files/midiexport.h"
#include "playback/motiveplayer.h"
#include "playback/recordingbackend.h"
#include "playback/synthrenderer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

using Clock = std::chrono::steady_clock;

TChord voiced(int time, TVoices voices) {
    TChord chord;
    chord.setTime(time);
    chord.setVoices(voices);
    return chord;
}

struct StopWait : TMotivePlayerStopListener {
    std::mutex mutex;
    std::condition_variable done;
    bool stopped = false;
    void playingStopped() override {
        std::lock_guard lock(mutex);
        stopped = true;
        done.notify_all();
    }
    void wait() {
        std::unique_lock lock(mutex);
        done.wait(lock, [&] { return stopped; });
    }
};

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1));
    return values[at];
}

// Eight 2/4 motives at tempo 145 (55 ms per timer event) into the recording back end. Each
// message is compared with its ideal moment: timer event k at k x 55 ms after the start.
void BM_PlaybackTiming(benchmark::State& state) {
    constexpr int tempo = 145;
    const double interval = timerIntervalForTempo(tempo);
    std::vector<double> lateness;
    double drift = 0;
    for (auto _ : state) {
        TRecordingBackend backend;
        TPlayer player(backend);
        player.open(0);
        TMotivePlayer motives(&player, true);
        StopWait stop;
        motives.setStopListener(&stop);
        motives.setTempo(tempo);
        for (int i = 0; i < 8; ++i) {
            TMotive motive(TKey(), TMeasure(2, 120));
            TNoteList notes;
            for (int t = 0; t < 240; t += 60) {
                notes.emplace_back(t, 18 + (i + t / 60) % 7, DURATION(60));
            }
            motive.setNotes(notes);
            motive.setChords({voiced(0, {28, 23, 19, 7})});
            motives.play(motive, nullptr);
        }
        const std::vector<TPlayUnit> units = motives.allUnits();
        const auto start = Clock::now();
        motives.start();
        stop.wait();

        const auto messages = backend.messages();
        // The last chord's four note-offs are pending: they go out on the last unit's event.
        const std::size_t scheduled = units.size() - 4;
        lateness.clear();
        for (std::size_t i = 0; i < messages.size() && i < units.size(); ++i) {
            const int event = timerEventOfTick(units[std::min(i, scheduled - 1)].time);
            const double ideal = event * interval;
            const double actual =
                std::chrono::duration<double, std::milli>(messages[i].at - start).count();
            lateness.push_back(actual - ideal);
        }
        drift = lateness.back();
    }
    state.counters["late_median_ms"] = percentile(lateness, 0.5);
    state.counters["late_p99_ms"] = percentile(lateness, 0.99);
    state.counters["late_max_ms"] = percentile(lateness, 1.0);
    state.counters["drift_at_end_ms"] = drift;
    state.counters["messages"] = static_cast<double>(lateness.size());
}
BENCHMARK(BM_PlaybackTiming)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// 4 sentences of 4 phrases of 4 motives, each with two chords and eight notes.
TPeriodData largePeriod() {
    const TKey key(-2, MINOR);
    const TMeasure measure(4, 120);
    TPeriodData period;
    period.setKey(key);
    period.setMeasure(measure);
    period.setZatakt(240);
    period.sentences().resize(4);
    int seed = 0;
    for (auto& sentence : period.sentences()) {
        for (int p = 0; p < 4; ++p) {
            sentence.phrases().emplace_back(4, 5, key, measure, 240);
            for (TMotive& motive : sentence.phrases().back().motives()) {
                TNoteList notes;
                for (int n = 0; n < 8; ++n) {
                    notes.emplace_back(240 + 60 * n, 16 + (seed + n * 3) % 12, DURATION(60));
                }
                motive.setNotes(notes);
                motive.setChords(
                    {voiced(0, {25, 22, 18, 11}),
                     voiced(480, seed % 2 ? TVoices{24, 22, 17, 14} : TVoices{25, 22, 18, 11})});
                ++seed;
            }
        }
    }
    return period;
}

void BM_ExportLargePeriod(benchmark::State& state) {
    const TPeriodData period = largePeriod();
    for (auto _ : state) {
        benchmark::DoNotOptimize(midiFileBytes(period));
    }
}
BENCHMARK(BM_ExportLargePeriod)->Unit(benchmark::kMicrosecond);

void BM_LoadSynthesizer(benchmark::State& state) {
    for (auto _ : state) {
        TSynthRenderer synth("/usr/share/sounds/sf2/TimGM6mb.sf2");
        benchmark::DoNotOptimize(&synth);
    }
}
BENCHMARK(BM_LoadSynthesizer)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace
