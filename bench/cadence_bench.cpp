// Harmonising a whole period of four sentences of four phrases of four motives, under school
// harmony and without, as `tonaria-cli harmonise` does it.
#include "engine/periodharmonisation.h"
#include "model/schemechords.h"

#include <benchmark/benchmark.h>

namespace {

TPeriodData fourByFourByFour(std::int16_t zatakt) {
    const TKey key(-2, MINOR);
    const TMeasure measure(2, 120);
    TPeriodData period;
    period.setKey(key);
    period.setMeasure(measure);
    period.setZatakt(zatakt);
    for (int s = 0; s < 4; ++s) {
        TSentenceData sentence;
        for (int p = 0; p < 4; ++p)
            sentence.phrases().emplace_back(4, SUFFIX_A, key, measure, zatakt);
        period.sentences().push_back(sentence);
    }
    return period;
}

// Arguments: school harmony (0 or 1), upbeat in ticks.
void BM_HarmonisePeriod(benchmark::State& state) {
    const bool school = state.range(0) != 0;
    const TPeriodData empty = fourByFourByFour(static_cast<std::int16_t>(state.range(1)));
    TRandomGenerator random;
    for (auto _ : state) {
        state.PauseTiming();
        TPeriodData period = empty;
        state.ResumeTiming();
        const auto report = harmonisePeriod(period, schemeChordTypeNames(), random, school);
        benchmark::DoNotOptimize(report.data());
    }
    state.SetLabel(school ? "school harmony" : "the design's draw");
}
BENCHMARK(BM_HarmonisePeriod)
    ->ArgsProduct({{0, 1}, {0, 60}})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
