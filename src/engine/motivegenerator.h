#pragma once

#include "engine/melodyrules.h"
#include "engine/pitchscheme.h"
#include "engine/rhythmlayout.h"
#include "engine/rhythmscheme.h"
#include "engine/turn.h"
#include "model/chord.h"
#include "model/key.h"
#include "model/motive.h"
#include "model/random.h"

// Turns the schemes into notes, measure part by measure part: the rhythm of a part comes from
// the rhythm scheme, its first note is a chord tone near the user's beacon and the turns of
// the pitch scheme lead on from it. Bound to the schemes, key and generator it is given,
// which must outlive it.
class TMotiveGenerator {
public:
    // With `schoolRules` the melody keeps the melodic rules of school harmony: a turn that
    // would make an augmented second or a tritone counts as not fitting, a part starts on the
    // chord tone nearest its beacon that the note before reaches without one, and the last
    // note reaches the close its place asks for.
    TMotiveGenerator(TRhythmScheme& rhythm, TPitchScheme& pitch, const TKey& key,
                     TRandomGenerator& random, bool schoolRules = false)
        : rhythm_(rhythm), pitch_(pitch), key_(key), random_(random), schoolRules_(schoolRules) {}

    // Appends notes along the beacons (sorted by time) to a motive with one chord per
    // measure; both scheme cursors start afresh. `place` counts only with school rules.
    void generate(TMotive& motive, const TLights& beacons, const TMelodyPlace& place = {});
    // Appends notes of the given design: durations and turns used cyclically, one start
    // beacon per measure part, closing as `place` asks under school rules. Draws nothing and
    // leaves the schemes alone.
    void regenerate(const TDurations& durations, const TTurnsWithDir& turnsWithDir,
                    const TLights& beaconsPerPart, TMotive& motive,
                    const TMelodyPlace& place = {}) const;

    // The first pitch of a part: the lowest chord tone at or above `anchor`, walked back
    // into the melodic range.
    static int startPitch(const TChord& chord, const TKey& key, int anchor);

private:
    // Places turns on the notes after the first of a part, in scheme order or drawn from the
    // set, each towards the next beacon; a turn that fits nowhere leaves a repetition.
    void placeTurns(TNoteList& notes, const TChord& chord, const TLights& beacons);
    // Places one turn; under school rules a turn that leaves a forbidden interval places none.
    int applyTurn(TURN_ROUND turn, TNoteList& notes, const TChord& chord, bool up, int i) const;
    // The first pitch of a part after `previous` (NO_PITCH for none).
    int partStart(const TChord& chord, int anchor, int previous) const;
    // Moves the motive's last note to the close asked for, a tone of its chord where one fits.
    void close(TMotive& motive, TMelodyClose close) const;

    TRhythmScheme& rhythm_;
    TPitchScheme& pitch_;
    const TKey& key_;
    TRandomGenerator& random_;
    bool schoolRules_ = false;
};
