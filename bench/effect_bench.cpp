#include "engine/effect.h"
#include "engine/relativeeffect.h"
#include "engine/scheme.h"
#include "engine/variantmodel.h"
#include "model/chordcatalogue.h"

#include <benchmark/benchmark.h>

namespace {

const TMeasure FOUR_FOUR(4, 120);

TChord chordAt(const char* type, int time) {
    TChord chord = chordOfType(type);
    chord.setTime(time);
    return chord;
}

// Eight notes over an upbeat of a quarter in 4/4, one chord per measure, in G minor.
TMotive twoPartMotive() {
    TMotive motive(TKey(-2, MINOR), FOUR_FOUR, 120);
    motive.chords() = {chordAt("TONIC_THREE_CHORD", 0), chordAt("DOMINANT_THREE_CHORD", 480)};
    motive.notes() = {{360, 22, 60}, {420, 24, 60},  {480, 26, 120}, {600, 25, 60},
                      {660, 24, 60}, {720, 23, 120}, {840, 21, 60},  {900, 22, 60}};
    motive.recomputeChordingFlags();
    motive.markLeadingTones();
    return motive;
}

void BM_SimpleEffect(benchmark::State& state) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TEffect effect(scheme);
    const TMotive source = twoPartMotive();
    const auto kind = static_cast<TSimpleEffect>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(effect.makeVariants(kind, source));
}
BENCHMARK(BM_SimpleEffect)->DenseRange(0, 6)->Unit(benchmark::kMicrosecond);

// setSource reads the design and computes the three variants under the source's chords.
void BM_RelativeEffect(benchmark::State& state) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    const auto effect =
        makeRelativeEffect(static_cast<TRelativeEffectKind>(state.range(0)), scheme);
    const TMotive source = twoPartMotive();
    for (auto _ : state) {
        effect->setSource(source);
        benchmark::DoNotOptimize(effect->variant(2).notes().data());
    }
}
BENCHMARK(BM_RelativeEffect)->DenseRange(0, 6)->Unit(benchmark::kMicrosecond);

void BM_EditModelAddNote(benchmark::State& state) {
    const TMotive source = twoPartMotive();
    TMotive motive = source;
    TEditMotiveVariantModel model(&motive, nullptr, 360, 4);
    for (auto _ : state) {
        motive.notes() = source.notes();
        model.addNote(TNote(600, 27, 180));
        benchmark::DoNotOptimize(motive.notes().data());
    }
}
BENCHMARK(BM_EditModelAddNote);

void BM_MotiveModelAddNote(benchmark::State& state) {
    const TMotive source = twoPartMotive();
    TMotive motive = source;
    TMotiveVariantModel model(&motive, nullptr, 360, 4, false, false);
    for (auto _ : state) {
        model.addNote(TNote(900, 27, 60));
        benchmark::DoNotOptimize(motive.notes().data());
    }
}
BENCHMARK(BM_MotiveModelAddNote);

void BM_ChordsForDisplay(benchmark::State& state) {
    TMotive preceding = twoPartMotive();
    preceding.chords().push_back(chordAt("SUBDOMINANT_THREE_CHORD", 960));
    TMotive motive = twoPartMotive();
    TChordMotiveVariantModel model(&motive, &preceding, 360, 4);
    for (auto _ : state)
        benchmark::DoNotOptimize(model.chordsForDisplay().data());
}
BENCHMARK(BM_ChordsForDisplay);

} // namespace
