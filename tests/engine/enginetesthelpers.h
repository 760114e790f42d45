#pragma once

#include "engine/scheme.h"
#include "model/chordcatalogue.h"
#include "model/period.h"
#include "model/random.h"

#include <cstdint>
#include <string>

inline TChord chordAt(const std::string& type, int time) {
    TChord chord = chordOfType(type);
    chord.setTime(time);
    return chord;
}

// Counts the scheme notifications a panel would receive.
class TCountingListener : public TSchemeListener {
public:
    void schemeChanged() override { ++changed; }
    void schemeModeChanged() override { ++modeChanged; }
    int changed = 0;
    int modeChanged = 0;
};

// An empty period of `sentences` sentences of two phrases of `motives` motives each.
inline TPeriodData emptyPeriod(const TKey& key, const TMeasure& measure, std::int16_t upbeat,
                               int sentences, int motives) {
    TPeriodData p;
    p.setKey(key);
    p.setMeasure(measure);
    p.setZatakt(upbeat);
    for (int s = 0; s < sentences; ++s) {
        TSentenceData sentence;
        for (int ph = 0; ph < 2; ++ph)
            sentence.phrases().emplace_back(motives, SUFFIX_A, key, measure, upbeat);
        p.sentences().push_back(sentence);
    }
    return p;
}
