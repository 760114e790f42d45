#pragma once

#include "engine/turn.h"
#include "model/chord.h"
#include "model/key.h"
#include "model/motive.h"
#include "model/note.h"

// The turns a melody is made of. On failure `complete` is false and `turns` holds the records
// found before the failure.
struct TTurnAnalysis {
    TTurnsWithDir turns;
    bool complete = true;
};

// Names the turn of one group of notes: a chord note, the non-chord notes after it and the
// closing chord note, if any. Each note's chordingNote flag says whether it is a chord tone.
// Returns false when the group matches no turn.
bool classifyTurnGroup(const TNoteList& group, TTurnRoundWithDir& out);

// The notes under one chord, each marked by that chord before grouping.
TTurnAnalysis turnsOfNotes(const TNoteList& notes, const TChord& chord, const TKey& key);

// The notes of a motive with their stored chord-tone flags, grouped within each measure. The
// lenient form accepts groups that open on a non-chord note and names an unknown group by the
// intervals of its consecutive pairs.
TTurnAnalysis turnsOfMotive(const TMotive& motive, bool lenient);
