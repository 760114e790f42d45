#pragma once

#include "engine/rhythmlayout.h"
#include "engine/turn.h"
#include "model/chord.h"
#include "model/motive.h"

class TScheme;

// What the relative effects keep of a motive: its rhythm, its chain of turns with their
// directions, and the pitch each measure part begins on.
struct TDesign {
    TDurations rhythm;
    TTurnsWithDir turns;
    TLights beacons; // one per measure part, at time 0

    bool isEmpty() const { return rhythm.empty() && turns.empty() && beacons.empty(); }
    bool operator==(const TDesign&) const = default;
};

// The pitch of a beacon for a measure part without notes.
inline constexpr int EMPTY_PART_BEACON_PITCH = 20;

// Reads the design of a motive. A motive without one chord per measure has its notes re-marked
// as chord notes or not by a chord drawn from the catalogue for each measure part (the drawn
// chords are not kept), so that its turns can be read. The scheme gives the catalogue (its 21
// chords) and the rhythm of a motive.
TDesign readDesign(TMotive& motive, const TScheme& scheme);
