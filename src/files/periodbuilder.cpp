#include "files/periodbuilder.h"

#include "files/periodlimits.h"

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>

namespace {

void require(const std::optional<std::string>& problem) {
    if (problem)
        throw std::invalid_argument(*problem);
}

void checkStructure(const TPeriodStructure& s) {
    if (s.phraseCounts.size() > static_cast<std::size_t>(MAX_PERIOD_SENTENCES))
        throw std::invalid_argument("a period holds at most " +
                                    std::to_string(MAX_PERIOD_SENTENCES) + " sentences");
    std::size_t phrases = 0;
    for (const int count : s.phraseCounts) {
        if (count < 0)
            throw std::invalid_argument("a sentence cannot hold " + std::to_string(count) +
                                        " phrases");
        phrases += static_cast<std::size_t>(count);
    }
    if (phrases > static_cast<std::size_t>(MAX_PERIOD_PHRASES))
        throw std::invalid_argument("a period holds at most " + std::to_string(MAX_PERIOD_PHRASES) +
                                    " phrases");
    if (s.motiveCounts.size() != phrases)
        throw std::invalid_argument(std::to_string(phrases) + " phrases but " +
                                    std::to_string(s.motiveCounts.size()) + " motive counts");
    if (!s.letters.empty() && s.letters.size() != phrases)
        throw std::invalid_argument(std::to_string(phrases) + " phrases but " +
                                    std::to_string(s.letters.size()) + " letters");
    long long motives = 0;
    for (const int count : s.motiveCounts) {
        if (count < 0)
            throw std::invalid_argument("a phrase cannot hold " + std::to_string(count) +
                                        " motives");
        motives += count;
    }
    if (motives > MAX_PERIOD_MOTIVES)
        throw std::invalid_argument("a period holds at most " + std::to_string(MAX_PERIOD_MOTIVES) +
                                    " motives");

    require(keySignProblem(s.key.sign()));
    require(meterProblem(s.measure.beatsPerMeasure(), s.measure.beatValue()));
    require(upbeatProblem(s.zatakt, s.measure.ticksPerMeasure()));
    require(tempoProblem(s.tempo));
}

} // namespace

TPeriodStructure defaultPeriodStructure() {
    TPeriodStructure structure;
    structure.phraseCounts = {2, 2};
    structure.motiveCounts = {2, 2, 2, 2};
    structure.letters = {5, 6, 10, 11}; // A, B, A1, B1
    structure.key = TKey(-2, MINOR);
    structure.measure = TMeasure(2, QUARTER);
    structure.zatakt = EIGHTH;
    structure.tempo = DEFAULT_TEMPO;
    return structure;
}

void buildPeriod(TPeriodData& period, const TPeriodStructure& structure) {
    checkStructure(structure);

    std::vector<TSentenceData> sentences;
    std::size_t phrase = 0;
    for (const int phraseCount : structure.phraseCounts) {
        TSentenceData& sentence = sentences.emplace_back();
        for (int i = 0; i < phraseCount; ++i, ++phrase) {
            const std::uint8_t letter =
                structure.letters.empty() ? SUFFIX_NONE : structure.letters[phrase];
            sentence.phrases().emplace_back(structure.motiveCounts[phrase], letter, structure.key,
                                            structure.measure, structure.zatakt);
        }
    }

    period.clearSentences();
    period.sentences() = std::move(sentences);
    period.setKey(structure.key);
    period.setMeasure(structure.measure);
    period.setZatakt(structure.zatakt);
    period.setTempo(structure.tempo);
    period.setName("Untitled");
    period.notifyChanged();
}

void buildDefaultPeriod(TPeriodData& period) {
    buildPeriod(period, defaultPeriodStructure());
}
