#pragma once

#include "engine/melodyrules.h"
#include "engine/notecandidates.h"
#include "engine/pitchscheme.h"
#include "engine/rhythmlayout.h"
#include "engine/rhythmscheme.h"
#include "engine/schemelistener.h"
#include "engine/scvariant.h"
#include "engine/turn.h"
#include "engine/turnanalysis.h"
#include "model/chord.h"
#include "model/key.h"
#include "model/measure.h"
#include "model/motive.h"
#include "model/random.h"

#include <cstdint>

// The scheme engine: the rhythm scheme and the pitch scheme from which motives are generated,
// the Motives for Contrast of the scheme panels, and generation itself. The one facade the
// panels, the effects and the shell use; the halves, the turn appliers, the candidate makers
// and motive generation are classes of their own. One instance lives as long as the main
// window. Interface thread only.
class TScheme {
public:
    // Every random decision of the engine draws from `random`.
    explicit TScheme(TRandomGenerator& random);
    TScheme(const TScheme&) = delete;
    TScheme& operator=(const TScheme&) = delete;

    // The 21 chord types the effects choose from.
    const TChordList& chords() const { return chords_; }
    std::int16_t upbeat() const { return rhythm_.upbeat(); }
    void setUpbeat(std::int16_t ticks) { rhythm_.setUpbeat(ticks); }
    TMotive& rhythmContrastMotive() { return rhythmContrastMotive_; }
    const TMotive& rhythmContrastMotive() const { return rhythmContrastMotive_; }
    TMotive& pitchContrastMotive() { return pitchContrastMotive_; }
    const TMotive& pitchContrastMotive() const { return pitchContrastMotive_; }
    TMotive& editSnapshot() { return editSnapshot_; }
    TSchemeListener* rhythmListener() const { return rhythm_.listener(); }
    void setRhythmListener(TSchemeListener* listener) { rhythm_.setListener(listener); }
    TSchemeListener* pitchListener() const { return pitch_.listener(); }
    void setPitchListener(TSchemeListener* listener) { pitch_.setListener(listener); }
    TRandomGenerator& random() const { return random_; }
    TRhythmScheme& rhythmScheme() { return rhythm_; }
    const TRhythmScheme& rhythmScheme() const { return rhythm_; }
    TPitchScheme& pitchScheme() { return pitch_; }
    const TPitchScheme& pitchScheme() const { return pitch_; }
    int durationCursor() const { return rhythm_.cursor(); }
    int turnCursor() const { return pitch_.cursor(); }
    // School harmony: every melody the engine writes keeps the melodic rules (no augmented
    // second or tritone, the closes of the period); off, generation and the effects work as
    // they always did.
    bool schoolHarmony() const { return schoolHarmony_; }
    void setSchoolHarmony(bool on) { schoolHarmony_ = on; }
    // Key and meter of the last generation or candidate query.
    const TKey& key() const { return key_; }
    const TMeasure& measure() const { return measure_; }

    // Runs one of the forty scheme commands (TSchemeCommand) on this scheme in `measure`;
    // `inOrder` is the mode of the half it writes. Returns the command whose button shows
    // pressed: for a contrast command the generator it ran, otherwise -1.
    int runCommand(int command, const TMeasure& measure, bool inOrder);

    // Rhythm scheme.
    const TDurations& durations() const { return rhythm_.durations(); }
    bool durationsInOrder() const { return rhythm_.inOrder(); }
    void setDurations(const TDurations& durations, bool inOrder, bool notify) {
        rhythm_.set(durations, inOrder, notify);
    }
    void clearDurations() { rhythm_.clear(); }
    void defaultDurations() { rhythm_.setDefault(); }
    void randomDurations(const TMeasure& measure) { rhythm_.randomise(measure); }
    void invertDurations(const TMeasure& measure) { rhythm_.invert(measure); }
    void mixDurations(const TMeasure& measure) { rhythm_.mix(measure); }
    int nextDurationIndex() const { return rhythm_.nextIndex(); }
    void advanceDurationCursor() { rhythm_.advanceCursor(); }
    void resetCursors();
    TDurations durationsOfMotive(const TMotive& motive) const {
        return ::durationsOfMotive(motive);
    }
    // The durations the rhythm contrasts read: those of the Motive for Contrast, or the
    // scheme's own when that motive is empty.
    TDurations rhythmContrastSource() const;
    // Chooses k durations of `source`; in order they are laid out over one measure first.
    void applyDurationChoice(const TDurations& source, int k, bool inOrder,
                             const TMeasure& measure) {
        rhythm_.applyChoice(source, k, inOrder, measure);
    }
    // One measure laid out with the plain filler from `allowed`.
    TDurations layOutPlain(const TDurations& allowed, const TMeasure& measure) const {
        return rhythm_.layOutPlain(allowed, measure);
    }

    // Pitch scheme.
    const TTurns& turns() const { return pitch_.turns(); }
    bool turnsInOrder() const { return pitch_.inOrder(); }
    void setTurns(const TTurns& turns, bool inOrder, bool notify) {
        pitch_.set(turns, inOrder, notify);
    }
    void clearTurns() { pitch_.clear(); }
    void defaultTurns() { pitch_.setDefault(); }
    void randomTurns() { pitch_.randomise(); }
    void invertTurns() { pitch_.invert(); }
    void mixTurns() { pitch_.mix(); }
    int nextTurnIndex() const { return pitch_.nextIndex(); }
    void advanceTurnCursor() { pitch_.advanceCursor(); }
    // Places a turn in the key of the last generation; see TTurnAppliers::apply.
    int applyTurn(TURN_ROUND turn, TNoteList& notes, const TChord& chord, bool up, int i);
    TTurnAnalysis turnsOfMotive(const TMotive& motive, bool lenient) const {
        return ::turnsOfMotive(motive, lenient);
    }
    TTurnAnalysis turnsOfNotes(const TNoteList& notes, const TChord& chord, const TKey& key) const {
        return ::turnsOfNotes(notes, chord, key);
    }
    // The turns the pitch contrasts read: those found in the Motive for Contrast, or the
    // scheme's own when that motive is empty.
    TTurns pitchContrastSource() const;
    void applyTurnChoice(const TTurns& source, int k, bool inOrder) {
        pitch_.applyChoice(source, k, inOrder);
    }

    // Generation.
    int startPitch(const TChord& chord, int anchor) const;
    // Appends notes along the beacons (sorted by time) to a motive with one chord per measure;
    // with school harmony the melody leads on from, and closes as, `place` asks.
    void generateMotive(TMotive& motive, const TLights& beacons, const TMelodyPlace& place = {});
    // Appends notes of the given design: durations and turns used cyclically, one start beacon
    // per measure part; with school harmony the melody closes as `place` asks.
    void regenerateMotive(const TDurations& durations, const TTurnsWithDir& turnsWithDir,
                          const TLights& beaconsPerPart, TMotive& motive,
                          const TMelodyPlace& place = {});
    // The notes the schemes allow at `from`, with `to` the end of the room.
    void noteCandidates(const TTurnVector& preceding, const TChord& chord, bool nextTurn,
                        bool nextDuration, bool chordTonesOnly, variant_set& candidates,
                        const TMeasure& measure, const TKey& key, int from, int to);

private:
    TRandomGenerator& random_;
    TChordList chords_;
    TRhythmScheme rhythm_;
    TPitchScheme pitch_;
    TMotive rhythmContrastMotive_;
    TMotive pitchContrastMotive_;
    TMotive editSnapshot_;
    // Copies rather than pointers: the motive they came from may be gone by the next query.
    TKey key_;
    TMeasure measure_;
    bool schoolHarmony_ = false;
};
