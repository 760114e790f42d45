#pragma once

#include "engine/pitchscheme.h"
#include "engine/rhythmscheme.h"
#include "engine/scvariant.h"
#include "engine/turn.h"
#include "model/chord.h"
#include "model/key.h"
#include "model/measure.h"
#include "model/note.h"

// The notes before a position of a motive, most recent first, padded with default notes.
using TTurnVector = TNoteList;

// What the schemes allow at one position of a motive during interactive entry: the pitches the
// turns of the pitch scheme propose after the preceding notes (each turn has its candidate
// maker), each offered with the durations the rhythm scheme allows in the room left. Bound to
// the schemes, key and meter it is given, which must outlive it.
class TNoteCandidates {
public:
    TNoteCandidates(const TRhythmScheme& rhythm, const TPitchScheme& pitch, const TKey& key,
                    const TMeasure& measure)
        : rhythm_(rhythm), pitch_(pitch), key_(key), measure_(measure) {}

    // Fills `candidates` with the notes allowed in the room [from, to) after `preceding`.
    // `nextTurn` and `nextDuration` look one position past the in-order cursors;
    // `chordTonesOnly` offers the chord tones instead of what the turns propose.
    void collect(const TTurnVector& preceding, const TChord& chord, bool nextTurn,
                 bool nextDuration, bool chordTonesOnly, variant_set& candidates, int from,
                 int to) const;

    // Adds the pitches `turn` proposes after `preceding`; `turnIndex` is the turn's position
    // in the pitch scheme.
    void offer(TURN_ROUND turn, const TTurnVector& preceding, const TChord& chord, variant_set& out,
               int turnIndex) const;

private:
    using TMaker = void (TNoteCandidates::*)(const TTurnVector& pre, const TChord& chord,
                                             variant_set& out, int idx) const;

    void offerRepetition(const TTurnVector& pre, const TChord& chord, variant_set& out,
                         int idx) const;
    void offerChordLeap1(const TTurnVector& pre, const TChord& chord, variant_set& out,
                         int idx) const;
    void offerChordLeap2(const TTurnVector& pre, const TChord& chord, variant_set& out,
                         int idx) const;
    void offerChordLeap3(const TTurnVector& pre, const TChord& chord, variant_set& out,
                         int idx) const;
    void offerChordLeap(const TTurnVector& pre, const TChord& chord, variant_set& out, int idx,
                        int n) const;
    void offerNeighbour(const TTurnVector& pre, const TChord& chord, variant_set& out,
                        int idx) const;
    void offerPassing(const TTurnVector& pre, const TChord& chord, variant_set& out, int idx) const;
    void offerDoubleNeighbour(const TTurnVector& pre, const TChord& chord, variant_set& out,
                              int idx) const;
    void offerAppoggiatura(const TTurnVector& pre, const TChord& chord, variant_set& out,
                           int idx) const;
    void offerEscape(const TTurnVector& pre, const TChord& chord, variant_set& out, int idx) const;
    void offerNeighbours(int p0, const TChord& chord, variant_set& out) const;
    bool offeredLeavingNeighbours(const TTurnVector& pre, int p0, const TChord& chord,
                                  variant_set& out) const;
    bool closesMeasure(const TNote& previous) const;
    // A rest at the in-order position is offered on its own (cut to the room); returns
    // whether it was.
    bool offeredRest(bool nextDuration, int room, variant_set& candidates) const;
    // The note values offered in the room, with the in-order position they come from (-1 for
    // none).
    TDurations offeredDurations(bool nextDuration, int room, int& durationIndex) const;

    const TRhythmScheme& rhythm_;
    const TPitchScheme& pitch_;
    const TKey& key_;
    const TMeasure& measure_;
};
