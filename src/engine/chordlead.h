#pragma once

#include "model/chord.h"

#include <optional>
#include <string>

// The chord the next one is led from, and the chord before that one for the bass motion.
struct TLead {
    std::optional<TChord> previous;
    std::optional<TChord> beforePrevious;
    int order = 0;
    bool leading = false; // the next chord must follow `previous` by the voice-leading rules
    // The next chord keeps the rules of school harmony as well, with the voice ranges widened
    // by `widening` steps.
    bool school = false;
    int widening = 0;

    void advance(const TChord& chord) {
        beforePrevious = previous;
        previous = chord;
        order = chord.order();
        leading = true;
    }
    // A previous chord without a voicing (say, from a file) still gives the harmonic order, but
    // there is nothing to lead the voices from.
    bool leadsVoices() const { return leading && isPlacedVoicing(previous->voices()); }
};

// Where the soprano of the next chord may lie and which soprano its voicing aims at.
struct TSopranoWindow {
    int low = MIN_MELODY_PITCH;
    int high = MAX_MELODY_PITCH;
    int target = 0;
};

TSopranoWindow sopranoWindow(const TLead& lead);

inline const std::string CADENTIAL_SIX_FOUR = "K_SIXTH_FOURTH_CHORD";

// Whether a chord of `type` may follow the lead at all: under school harmony the cadential
// six-four goes to the dominant in root position (or its seventh chord).
bool mayFollow(const TLead& lead, const std::string& type);

// Arranges `chord` in the soprano window after the lead and tests every arrangement against the
// chord before (under school harmony when the lead asks for it, even with nothing before).
void arrangeAfter(TChord& chord, const TLead& lead, const TKey& key);

// Gives `chord` (arranged and tested against the lead) the voicing the harmonisation takes:
// the bass moving against the bass before, the soprano nearest the window's target.
void voiceAfter(TChord& chord, const TLead& lead);

// The same with the soprano exactly at `soprano`: the first valid arrangement there, in
// doubling order. False, leaving the voices alone, when there is none.
bool voiceAfterWithSoprano(TChord& chord, const TLead& lead, int soprano);
