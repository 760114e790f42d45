#pragma once

#include "engine/scheme.h"
#include "model/chordcatalogue.h"
#include "model/random.h"

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
