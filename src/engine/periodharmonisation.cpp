#include "engine/periodharmonisation.h"

#include "engine/motiveform.h"

#include <algorithm>
#include <optional>

namespace {

// Sentences are labelled 1 to 4, then the labels repeat.
constexpr int SENTENCE_LABELS = 4;

int stripIndex(const TPeriodData& period, const TMotive& motive) {
    const std::vector<const TMotive*> motives = period.allMotives();
    const auto found = std::find(motives.begin(), motives.end(), &motive);
    return found == motives.end() ? -1 : static_cast<int>(found - motives.begin());
}

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

TMotiveHarmonisation harmoniseMotive(TMotive& motive, const TPeriodData& period,
                                     const TMotiveContext& stripContext,
                                     const std::vector<std::string>& chordTypes,
                                     TRandomGenerator& random, bool schoolHarmony) {
    TMotiveHarmonisation entry;
    entry.motive = stripIndex(period, motive);
    entry.alreadyHarmonised = motive.isHarmonised();
    entry.context = stripContext;
    std::optional<TMotiveForm> form;
    if (schoolHarmony && entry.motive >= 0) {
        form = motiveForm(period, motive);
        entry.context = formContext(periodCells(period), &motive);
    } else if (schoolHarmony) {
        // Outside the period no cadence is asked for, but the voicings keep the rules.
        form = TMotiveForm{};
    }
    entry.outcome = autoHarmonise(motive, entry.context.motive, entry.context.code, chordTypes,
                                  random, form ? &*form : nullptr);
    return entry;
}

std::vector<TMotiveHarmonisation> harmonisePeriod(TPeriodData& period,
                                                  const std::vector<std::string>& chordTypes,
                                                  TRandomGenerator& random, bool schoolHarmony) {
    const std::vector<TContextCell> cells = periodCells(period);
    const std::vector<TMotive*> motives = period.allMotives();
    std::vector<TMotiveHarmonisation> report;
    for (std::size_t i = 0; i < motives.size(); ++i) {
        TMotive& motive = *motives[i];
        // Earlier motives are harmonised by now, so the later ones continue from them.
        if (!motive.isHarmonised()) {
            report.push_back(harmoniseMotive(motive, period, contextMotive(cells, &motive),
                                             chordTypes, random, schoolHarmony));
            continue;
        }
        TMotiveHarmonisation kept;
        kept.motive = static_cast<int>(i);
        kept.alreadyHarmonised = true;
        kept.context = schoolHarmony ? formContext(cells, &motive) : contextMotive(cells, &motive);
        report.push_back(kept);
    }
    return report;
}
