// Writing and then reading back a full period: 4 sentences of 4 phrases of 4 motives, each
// motive with 2 chords and 8 notes.
#include "files/periodreader.h"
#include "files/periodwriter.h"
#include "files/recoverywriter.h"
#include "model/chordcatalogue.h"

#include <benchmark/benchmark.h>

#include <filesystem>
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
                        chordOfType(time == 0 ? "DOMINANT_THREE_CHORD" : "TONIC_THREE_CHORD");
                    chord.setTime(time);
                    chord.setVoices({24, 19, 14, 10});
                    motive.chords().push_back(chord);
                }
                // Eight sixteenths fill the motive from its upbeat at 180 to 420.
                for (int n = 0; n < 8; ++n)
                    motive.notes().emplace_back(180 + n * 30, 18 + n, SIXTEENTH);
            }
        }
    }
    return period;
}

void BM_WriteThenReadPeriod(benchmark::State& state) {
    const TPeriodData period = largePeriod();
    for (auto _ : state) {
        const std::string text = periodDocument(period);
        TPeriodData read;
        readPeriodText(read, text);
        benchmark::DoNotOptimize(read.sentences().data());
    }
}
BENCHMARK(BM_WriteThenReadPeriod)->Unit(benchmark::kMicrosecond);

// What one autosave holds the interface thread for: the document taken twice (once to see
// whether it differs from the saved one, once for the copy) and handed to the writer, whose
// thread meanwhile writes and flushes the earlier copies to the disk.
void BM_AutosavePauseOnTheInterfaceThread(benchmark::State& state) {
    const TPeriodData period = largePeriod();
    const std::string saved = periodDocument(TPeriodData());
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "tonaria-autosave-bench.recovery";
    {
        TRecoveryWriter writer(file);
        for (auto _ : state) {
            const bool modified = periodDocument(period) != saved;
            if (modified)
                writer.write("/home/user/song.tnr", 1765350000, periodDocument(period));
            benchmark::DoNotOptimize(modified);
        }
        writer.flush();
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_AutosavePauseOnTheInterfaceThread)->Unit(benchmark::kMicrosecond);

} // namespace
