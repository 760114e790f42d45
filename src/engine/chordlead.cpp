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

void setBassContext(TChord& chord, const TLead& lead) {
    if (lead.leadsVoices())
        chord.setBassContext(lead.previous->voice(BASS), bassRoseInto(lead));
    else
        chord.setBassContext(NO_PITCH, false);
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

bool mayFollow(const TLead& lead, const std::string& type) {
    if (!lead.school || !lead.leading || lead.previous->name() != CADENTIAL_SIX_FOUR)
        return true;
    return type == "DOMINANT_THREE_CHORD" || type == "DOMINANT_FOUR_CHORD";
}

void arrangeAfter(TChord& chord, const TLead& lead, const TKey& key) {
    const TSopranoWindow window = sopranoWindow(lead);
    chord.generateArrangements(key, window.low, window.high);
    if (lead.school)
        chord.testAgainst(
            TSchoolHarmony{lead.leadsVoices() ? &*lead.previous : nullptr, lead.widening}, key,
            window.low, window.high);
    else if (lead.leadsVoices())
        chord.testAgainst(lead.previous->voices(), key, window.low, window.high);
}

void voiceAfter(TChord& chord, const TLead& lead) {
    setBassContext(chord, lead);
    chord.chooseVoicing(sopranoWindow(lead).target);
}

bool voiceAfterWithSoprano(TChord& chord, const TLead& lead, int soprano) {
    setBassContext(chord, lead);
    for (const TChordArrangementMap& map : chord.arrangements()) {
        const auto [begin, end] = map.equal_range(soprano);
        for (auto it = begin; it != end; ++it) {
            const TChordArrangement& arrangement = it->second;
            if (!arrangement.hasValidBass())
                continue;
            chord.setVoices({arrangement.soprano, arrangement.alto, arrangement.tenor,
                             chord.chooseBass(arrangement)});
            return true;
        }
    }
    return false;
}
