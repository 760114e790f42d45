#include "engine/chordlead.h"

#include <algorithm>

namespace {

// How far the soprano may move from the previous chord's soprano.
constexpr int SOPRANO_REACH = 7;
constexpr int SOPRANO_WITHOUT_PREVIOUS = 25;

bool bassRoseInto(const TLead& lead) {
    return lead.beforePrevious && isPlacedVoicing(lead.beforePrevious->voices()) &&
           lead.previous->voice(BASS) - lead.beforePrevious->voice(BASS) > 0;
}

} // namespace

TSopranoWindow sopranoWindow(const TLead& lead) {
    TSopranoWindow window;
    window.target = SOPRANO_WITHOUT_PREVIOUS;
    if (lead.leadsVoices()) {
        window.target = lead.previous->voice(SOPRANO);
        window.low = std::max(window.target - SOPRANO_REACH, MIN_MELODY_PITCH);
        window.high = std::min(window.target + SOPRANO_REACH, MAX_MELODY_PITCH);
    }
    return window;
}

void voiceAfter(TChord& chord, const TLead& lead) {
    if (lead.leadsVoices())
        chord.setBassContext(lead.previous->voice(BASS), bassRoseInto(lead));
    else
        chord.setBassContext(NO_PITCH, false);
    chord.chooseVoicing(sopranoWindow(lead).target);
}
