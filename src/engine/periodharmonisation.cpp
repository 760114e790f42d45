#include "engine/periodharmonisation.h"

#include "engine/motiveform.h"

namespace {

// Sentences are labelled 1 to 4, then the labels repeat.
constexpr int SENTENCE_LABELS = 4;

} // namespace

std::vector<TContextCell> periodCells(const TPeriodData& period) {
    std::vector<TContextCell> cells;
    int sentenceIndex = 0;
    for (const TSentenceData& sentence : period.sentences()) {
        const int group = sentenceIndex % SENTENCE_LABELS + 1;
        for (const TPhraseData& phrase : sentence.phrases())
            for (const TMotive& motive : phrase.motives())
                cells.push_back({&motive, group, false});
        ++sentenceIndex;
    }
    return cells;
}

std::vector<TMotiveHarmonisation> harmonisePeriod(TPeriodData& period,
                                                  const std::vector<std::string>& chordTypes,
                                                  TRandomGenerator& random, bool cadences) {
    const std::vector<TContextCell> cells = periodCells(period);
    const std::vector<TMotive*> motives = period.allMotives();
    const std::vector<TMotiveForm> forms =
        cadences ? periodForms(period) : std::vector<TMotiveForm>{};
    std::vector<TMotiveHarmonisation> report;
    for (std::size_t i = 0; i < motives.size(); ++i) {
        TMotive& motive = *motives[i];
        TMotiveHarmonisation entry;
        entry.motive = static_cast<int>(i);
        entry.alreadyHarmonised = motive.isHarmonised();
        // Earlier motives are harmonised by now, so the later ones continue from them.
        entry.context = cadences ? formContext(cells, &motive) : contextMotive(cells, &motive);
        if (!entry.alreadyHarmonised)
            entry.outcome = autoHarmonise(motive, entry.context.motive, entry.context.code,
                                          chordTypes, random, cadences ? &forms[i] : nullptr);
        report.push_back(entry);
    }
    return report;
}
