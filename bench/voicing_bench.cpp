// Voicing one chord against its predecessor, and harmonising a motive, as the canvas does it.
#include "engine/harmonisation.h"
#include "model/chordcatalogue.h"
#include "model/schemechords.h"

#include <benchmark/benchmark.h>

namespace {

const TKey cMajor(0, MAJOR);
const TVoices tonic{20, 17, 15, 6};

// Argument: the catalogue row; the soprano window is the one harmonisation uses after `tonic`.
void BM_ArrangeAndTestOneChord(benchmark::State& state) {
    const TChord type = chordOfType(chordTypeNames()[static_cast<std::size_t>(state.range(0))]);
    for (auto _ : state) {
        TChord chord = type;
        chord.generateArrangements(cMajor, 13, 27);
        chord.testAgainst(tonic, cMajor, 13, 27);
        benchmark::DoNotOptimize(chord.canFollow());
    }
    state.SetLabel(type.name());
}
BENCHMARK(BM_ArrangeAndTestOneChord)->DenseRange(0, 28)->Unit(benchmark::kMicrosecond);

// The widest window, used without a previous chord: the most arrangements to test.
void BM_ArrangeAndTestWholeRange(benchmark::State& state) {
    const TChord type = chordOfType("DOMINANT_FOUR_CHORD");
    for (auto _ : state) {
        TChord chord = type;
        chord.generateArrangements(cMajor, MIN_MELODY_PITCH, MAX_MELODY_PITCH);
        chord.testAgainst(tonic, cMajor, MIN_MELODY_PITCH, MAX_MELODY_PITCH);
        benchmark::DoNotOptimize(chord.canFollow());
    }
}
BENCHMARK(BM_ArrangeAndTestWholeRange)->Unit(benchmark::kMicrosecond);

// A two-measure motive (upbeat) continuing a harmonised one: the carried chord and one new
// chord chosen from the 21 scheme types.
void BM_HarmoniseUpbeatMotive(benchmark::State& state) {
    TMotive before(cMajor, TMeasure(2, 120), 120);
    TRandomGenerator setup;
    autoHarmonise(before, nullptr, CONTEXT_FIRST_WITH_UPBEAT, schemeChordTypeNames(), setup);
    TRandomGenerator random;
    for (auto _ : state) {
        TMotive motive(cMajor, TMeasure(2, 120), 120);
        const THarmonisation result =
            autoHarmonise(motive, &before, CONTEXT_CONTINUES, schemeChordTypeNames(), random);
        benchmark::DoNotOptimize(result.firstUnharmonised);
    }
}
BENCHMARK(BM_HarmoniseUpbeatMotive)->Unit(benchmark::kMicrosecond);

// The first motive with an upbeat: two segments chosen, the first without a previous chord.
void BM_HarmoniseFirstUpbeatMotive(benchmark::State& state) {
    TRandomGenerator random;
    for (auto _ : state) {
        TMotive motive(cMajor, TMeasure(2, 120), 120);
        const THarmonisation result = autoHarmonise(motive, nullptr, CONTEXT_FIRST_WITH_UPBEAT,
                                                    schemeChordTypeNames(), random);
        benchmark::DoNotOptimize(result.firstUnharmonised);
    }
}
BENCHMARK(BM_HarmoniseFirstUpbeatMotive)->Unit(benchmark::kMicrosecond);

} // namespace
