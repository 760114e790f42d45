#include "engine/scheme.h"
#include "model/chordcatalogue.h"

#include <benchmark/benchmark.h>

namespace {

const TMeasure FOUR_FOUR(4, 120);

TMotive twoPartMotive() {
    TMotive motive(TKey(-3, MINOR), FOUR_FOUR, 120);
    TChord first = chordOfType("TONIC_THREE_CHORD");
    TChord second = chordOfType("DOMINANT_SIXTH_FIFTH_CHORD");
    second.setTime(480);
    motive.chords() = {first, second};
    return motive;
}

// Default schemes: every duration and every turn, drawn at random.
void BM_GenerateMotiveTwoParts(benchmark::State& state) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    const TMotive harmonised = twoPartMotive();
    const TLights beacons{TLight(360, 27), TLight(600, 15), TLight(840, 30)};
    TMotive motive = harmonised;
    for (auto _ : state) {
        motive.notes().clear();
        scheme.generateMotive(motive, beacons);
        benchmark::DoNotOptimize(motive.notes().data());
    }
}
BENCHMARK(BM_GenerateMotiveTwoParts);

void BM_SchemeCommand(benchmark::State& state) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setUpbeat(120);
    const int command = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const bool inOrder = command < 20 ? scheme.durationsInOrder() : scheme.turnsInOrder();
        benchmark::DoNotOptimize(scheme.runCommand(command, FOUR_FOUR, inOrder));
    }
}
BENCHMARK(BM_SchemeCommand)->DenseRange(0, 39);

void BM_NoteCandidates(benchmark::State& state) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    const TKey key(-3, MINOR);
    const TChord chord = chordOfType("DOMINANT_SIXTH_FIFTH_CHORD");
    TNote previous(60, 24, 60);
    const TTurnVector preceding{previous, TNote(0, 22, 60), TNote()};
    variant_set candidates;
    for (auto _ : state) {
        scheme.noteCandidates(preceding, chord, true, true, false, candidates, FOUR_FOUR, key, 120,
                              480);
        benchmark::DoNotOptimize(candidates.size());
    }
}
BENCHMARK(BM_NoteCandidates);

} // namespace
