// Exporting a full period as MusicXML: 4 sentences of 4 phrases of 4 motives, each motive with
// 2 chords and 8 notes, in a key with a raised seventh and an upbeat, so that every motive's
// notes cross a bar line.
#include "files/musicxmlexport.h"
#include "files/scorelayout.h"
#include "model/chordcatalogue.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

TPeriodData largePeriod() {
    TPeriodData period;
    period.setKey(TKey(-2, MINOR));
    period.setMeasure(TMeasure(2, QUARTER));
    period.setZatakt(EIGHTH);
    for (int s = 0; s < 4; ++s) {
        TSentenceData& sentence = period.sentences().emplace_back();
        for (int p = 0; p < 4; ++p) {
            TPhraseData& phrase =
                sentence.phrases().emplace_back(4, static_cast<std::uint8_t>(5 + p), period.key(),
                                                period.measure(), period.zatakt());
            for (TMotive& motive : phrase.motives()) {
                for (const int time : {0, 240}) {
                    TChord chord =
                        chordOfType(time == 0 ? "DOMINANT_FOUR_CHORD" : "TONIC_THREE_CHORD");
                    chord.setTime(time);
                    chord.setVoices({24, 19, 14, 10});
                    motive.chords().push_back(chord);
                }
                for (int n = 0; n < 6; ++n)
                    motive.notes().emplace_back(180 + n * 30, 18 + n, SIXTEENTH);
                motive.notes().emplace_back(360, 20, EIGHTH);
            }
        }
    }
    return period;
}

void BM_ExportMusicXml(benchmark::State& state) {
    const TPeriodData period = largePeriod();
    for (auto _ : state) {
        const std::string document = musicXmlDocument(period);
        benchmark::DoNotOptimize(document.data());
    }
}
BENCHMARK(BM_ExportMusicXml)->Unit(benchmark::kMillisecond);

// The layout alone (notes cut at bar lines, ties, accidentals), without building the XML.
void BM_LayoutScore(benchmark::State& state) {
    const TPeriodData period = largePeriod();
    for (auto _ : state) {
        const TScoreLayout layout = layoutScore(period);
        benchmark::DoNotOptimize(layout.measures.data());
    }
}
BENCHMARK(BM_LayoutScore)->Unit(benchmark::kMillisecond);

} // namespace
