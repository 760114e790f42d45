#pragma once

#include "engine/turn.h"
#include "model/chord.h"
#include "model/key.h"
#include "model/note.h"

// Places turns on the notes of a measure part: each placing turn has its applier, which sets
// the pitches (and chord-tone marks) of the notes after a chord tone. Bound to the key of the
// motive being generated, which must outlive it.
class TTurnAppliers {
public:
    explicit TTurnAppliers(const TKey& key) : key_(key) {}

    // Places `turn` from note `i` on, going up or down from the pitch of note i - 1; returns
    // the number of notes placed, 0 when the turn does not fit (notes it touched keep what it
    // wrote). A turn that does not place notes, or an `i` outside 1..size-1, places none.
    int apply(TURN_ROUND turn, TNoteList& notes, const TChord& chord, bool up, int i) const;

private:
    using TApplier = int (TTurnAppliers::*)(TNoteList& notes, const TChord& chord, bool up,
                                            int i) const;

    int repetition(TNoteList& notes, const TChord& chord, bool up, int i) const;
    int chordLeap1(TNoteList& notes, const TChord& chord, bool up, int i) const;
    int chordLeap2(TNoteList& notes, const TChord& chord, bool up, int i) const;
    int chordLeap3(TNoteList& notes, const TChord& chord, bool up, int i) const;
    int chordLeap(TNoteList& notes, const TChord& chord, bool up, int i, int n) const;
    int neighbour(TNoteList& notes, const TChord& chord, bool up, int i) const;
    int passing(TNoteList& notes, const TChord& chord, bool up, int i) const;
    int doubleNeighbour(TNoteList& notes, const TChord& chord, bool up, int i) const;
    int appoggiatura(TNoteList& notes, const TChord& chord, bool up, int i) const;
    int escape(TNoteList& notes, const TChord& chord, bool up, int i) const;

    const TKey& key_;
};
