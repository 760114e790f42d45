#pragma once

#include "model/chord.h"
#include "model/key.h"
#include "model/motive.h"
#include "model/note.h"
#include "model/period.h"

#include <string>

// The melodic rules that school harmony keeps in every melody the program writes: no
// augmented second and no tritone between neighbouring notes, the period closing on the
// keynote and its first sentence on a tone of the dominant, a chord tone on every downbeat.

// Where a melody must arrive at its last note.
enum class TMelodyClose {
    NONE,
    DOMINANT, // the end of the first sentence: a tone of V
    KEYNOTE,  // the end of the period: the tonic's root
};

// Where a motive stands in the melody of its period.
struct TMelodyPlace {
    TMelodyClose close = TMelodyClose::NONE;
    // The last note sounding before the motive (NO_PITCH at the period's start).
    int previousPitch = NO_PITCH;
};

// A step of three semitones (the harmonic minor's sixth to raised seventh).
bool isAugmentedSecond(const TKey& key, int from, int to);
// A leap of six semitones, augmented fourth or diminished fifth, in either direction.
bool isTritoneLeap(const TKey& key, int from, int to);
// Either of the two; a missing pitch on either side is never one.
bool isForbiddenMelodicInterval(const TKey& key, int from, int to);

// Whether `pitch` is a tone the close asks for (any pitch for NONE).
bool meetsClose(TMelodyClose close, const TKey& key, int pitch);
// The pitch in the melodic range nearest `from` that meets the close and is reached without a
// forbidden interval; ties go to the lower. NO_PITCH when `close` is NONE.
int closingPitch(TMelodyClose close, const TKey& key, int from);

// The place of `motive` (compared by address) in `period`: its close and the pitch before it.
// A motive outside the period has no place.
TMelodyPlace melodyPlace(const TPeriodData& period, const TMotive& motive);

// Moves single notes by a step where two neighbours form a forbidden interval, so that both
// of the moved note's intervals are allowed and it stays in range; `previousPitch` is the note
// before the run. Returns the number of forbidden intervals no step could remove.
int repairForbiddenLeaps(TNoteList& notes, const TKey& key, int previousPitch = NO_PITCH);

// A developed variant under school harmony: its forbidden leaps repaired by steps (what no
// step removes is reported), its leading tones and chord-tone marks brought up to date.
void keepMelodicRules(TMotive& variant);

// The faults of one motive's melody, counted as a teacher would read them.
struct TMelodyFaults {
    int forbiddenLeaps = 0;   // augmented seconds and tritones, the one into the motive included
    int openClose = 0;        // the last note misses the close asked for
    int downbeatNonChord = 0; // a note struck on a bar line that is no tone of its chord

    int total() const { return forbiddenLeaps + openClose + downbeatNonChord; }
};

TMelodyFaults melodyFaults(const TMotive& motive, const TMelodyPlace& place);

// One line for the diagnostic stream when a rule cannot be kept.
void reportMelodyRule(const std::string& reason);
