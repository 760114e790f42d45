#pragma once

#include "model/key.h"
#include "model/measure.h"
#include "model/period.h"

#include <cstdint>
#include <vector>

// The shape of a new period as the new-composition dialog lays it out: phrases per sentence,
// then motives and letters per phrase, counted across all sentences in order.
struct TPeriodStructure {
    std::vector<int> phraseCounts;
    std::vector<int> motiveCounts;
    // One letter code per phrase, or none at all for phrases without letters (code 0).
    std::vector<std::uint8_t> letters;
    TKey key;
    TMeasure measure;
    std::int16_t zatakt = 0;
    int tempo = DEFAULT_TEMPO;
};

// Two sentences of two phrases (A, B, then A1, B1) of two motives each, in G minor, 2/4, with
// an upbeat of an eighth, tempo 100: what the window shows at start-up and after a failed open.
TPeriodStructure defaultPeriodStructure();

// Replaces the period by empty motives of the given shape, sets its key, meter, upbeat and tempo,
// names it "Untitled" and notifies its listener (tempo, name, then the whole period). Throws
// std::invalid_argument, leaving the period untouched, when the counts do not fit together
// (every phrase needs a motive count and, when letters are given, a letter), a count is
// negative, the period would exceed 1,000 motives or a setting is outside what a composition
// may hold (files/periodlimits.h).
void buildPeriod(TPeriodData& period, const TPeriodStructure& structure);

void buildDefaultPeriod(TPeriodData& period);
