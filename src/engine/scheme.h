#pragma once

#include "engine/rhythmlayout.h"
#include "engine/schemegenerator.h"
#include "engine/schemelistener.h"
#include "engine/scvariant.h"
#include "engine/turn.h"
#include "engine/turnanalysis.h"
#include "model/chord.h"
#include "model/key.h"
#include "model/measure.h"
#include "model/motive.h"
#include "model/random.h"

#include <array>
#include <cstdint>

// The notes before a position of a motive, most recent first, padded with default notes.
using TTurnVector = TNoteList;

// The scheme engine: the rhythm scheme and the pitch scheme from which motives are generated,
// the Motives for Contrast of the scheme panels, and generation itself. One instance lives as
// long as the main window. Interface thread only.
class TScheme {
public:
    // Places a turn on the notes of one measure part from note `i` on; returns the number of
    // notes placed, 0 when the turn does not fit.
    using TTurnApplier = int (TScheme::*)(TNoteList& notes, const TChord& chord, bool up, int i);
    // Adds the candidate pitches a turn proposes after the preceding notes.
    using TVariantMaker = void (TScheme::*)(const TTurnVector& preceding, const TChord& chord,
                                            variant_set& candidates, int turnIndex);

    // Every random decision of the engine draws from `random`.
    explicit TScheme(TRandomGenerator& random);
    TScheme(const TScheme&) = delete;
    TScheme& operator=(const TScheme&) = delete;

    // The 21 chord types the effects choose from.
    const TChordList& chords() const { return chords_; }
    std::int16_t upbeat() const { return upbeat_; }
    void setUpbeat(std::int16_t ticks) { upbeat_ = ticks; }
    TMotive& rhythmContrastMotive() { return rhythmContrastMotive_; }
    const TMotive& rhythmContrastMotive() const { return rhythmContrastMotive_; }
    TMotive& pitchContrastMotive() { return pitchContrastMotive_; }
    const TMotive& pitchContrastMotive() const { return pitchContrastMotive_; }
    TMotive& editSnapshot() { return editSnapshot_; }
    TSchemeListener* rhythmListener() const { return rhythmListener_; }
    void setRhythmListener(TSchemeListener* listener) { rhythmListener_ = listener; }
    TSchemeListener* pitchListener() const { return pitchListener_; }
    void setPitchListener(TSchemeListener* listener) { pitchListener_ = listener; }
    TSchemeGenerator& generator() { return generator_; }
    TRandomGenerator& random() const { return random_; }
    int durationCursor() const { return durationCursor_; }
    int turnCursor() const { return turnCursor_; }
    // Key and meter of the last generation or candidate query.
    const TKey& key() const { return key_; }
    const TMeasure& measure() const { return measure_; }

    // Rhythm scheme.
    const TDurations& durations() const { return durations_; }
    bool durationsInOrder() const { return durationsInOrder_; }
    void setDurations(const TDurations& durations, bool inOrder, bool notify);
    void clearDurations();
    void defaultDurations();
    void randomDurations(const TMeasure& measure);
    void invertDurations(const TMeasure& measure);
    void mixDurations(const TMeasure& measure);
    int nextDurationIndex() const;
    void advanceDurationCursor();
    void resetCursors();
    TDurations durationsOfMotive(const TMotive& motive) const;
    TDurations rhythmContrastSource() const;
    // Chooses k durations of `source`; in order they are laid out over one measure first.
    void applyDurationChoice(const TDurations& source, int k, bool inOrder,
                             const TMeasure& measure);
    // One measure laid out with the plain filler from `allowed`.
    TDurations layOutPlain(const TDurations& allowed, const TMeasure& measure) const;

    // Pitch scheme.
    const TTurns& turns() const { return turns_; }
    bool turnsInOrder() const { return turnsInOrder_; }
    void setTurns(const TTurns& turns, bool inOrder, bool notify);
    void clearTurns();
    void defaultTurns();
    void randomTurns();
    void invertTurns();
    void mixTurns();
    int nextTurnIndex() const;
    void advanceTurnCursor();
    int applyTurn(TURN_ROUND turn, TNoteList& notes, const TChord& chord, bool up, int i);
    TTurnAnalysis turnsOfMotive(const TMotive& motive, bool lenient) const;
    TTurnAnalysis turnsOfNotes(const TNoteList& notes, const TChord& chord, const TKey& key) const;
    TTurns pitchContrastSource() const;
    void applyTurnChoice(const TTurns& source, int k, bool inOrder);

    // Generation.
    int startPitch(const TChord& chord, int anchor) const;
    // Appends notes along the beacons (sorted by time) to a motive with one chord per measure.
    void generateMotive(TMotive& motive, const TLights& beacons);
    // Appends notes of the given design: durations and turns used cyclically, one start beacon
    // per measure part.
    void regenerateMotive(const TDurations& durations, const TTurnsWithDir& turnsWithDir,
                          const TLights& beaconsPerPart, TMotive& motive);
    // The notes the schemes allow at `from`, with `to` the end of the room.
    void noteCandidates(const TTurnVector& preceding, const TChord& chord, bool nextTurn,
                        bool nextDuration, bool chordTonesOnly, variant_set& candidates,
                        const TMeasure& measure, const TKey& key, int from, int to);

private:
    void notifyRhythm();
    void notifyPitch();
    // The cursor positions clamped to the current schemes (a scheme may shrink under them).
    int currentDurationIndex() const;
    int currentTurnIndex() const;

    TNoteList rhythmOfPart(int from, int to);
    void placeTurns(TNoteList& notes, const TChord& chord, const TLights& beacons);

    // Turn appliers.
    int applyRepetition(TNoteList& notes, const TChord& chord, bool up, int i);
    int applyChordLeap1(TNoteList& notes, const TChord& chord, bool up, int i);
    int applyChordLeap2(TNoteList& notes, const TChord& chord, bool up, int i);
    int applyChordLeap3(TNoteList& notes, const TChord& chord, bool up, int i);
    int applyChordLeap(TNoteList& notes, const TChord& chord, bool up, int i, int n);
    int applyNeighbour(TNoteList& notes, const TChord& chord, bool up, int i);
    int applyPassing(TNoteList& notes, const TChord& chord, bool up, int i);
    int applyDoubleNeighbour(TNoteList& notes, const TChord& chord, bool up, int i);
    int applyAppoggiatura(TNoteList& notes, const TChord& chord, bool up, int i);
    int applyEscape(TNoteList& notes, const TChord& chord, bool up, int i);

    // Candidate makers.
    void offerRepetition(const TTurnVector& pre, const TChord& chord, variant_set& out, int idx);
    void offerChordLeap1(const TTurnVector& pre, const TChord& chord, variant_set& out, int idx);
    void offerChordLeap2(const TTurnVector& pre, const TChord& chord, variant_set& out, int idx);
    void offerChordLeap3(const TTurnVector& pre, const TChord& chord, variant_set& out, int idx);
    void offerChordLeap(const TTurnVector& pre, const TChord& chord, variant_set& out, int idx,
                        int n);
    void offerNeighbour(const TTurnVector& pre, const TChord& chord, variant_set& out, int idx);
    void offerPassing(const TTurnVector& pre, const TChord& chord, variant_set& out, int idx);
    void offerDoubleNeighbour(const TTurnVector& pre, const TChord& chord, variant_set& out,
                              int idx);
    void offerAppoggiatura(const TTurnVector& pre, const TChord& chord, variant_set& out, int idx);
    void offerEscape(const TTurnVector& pre, const TChord& chord, variant_set& out, int idx);
    void offerNeighbours(int p0, const TChord& chord, variant_set& out) const;
    bool offeredLeavingNeighbours(const TTurnVector& pre, int p0, const TChord& chord,
                                  variant_set& out) const;
    bool closesMeasure(const TNote& previous) const;

    TRandomGenerator& random_;
    TChordList chords_;
    TDurations durations_;
    bool durationsInOrder_ = false;
    TTurns turns_;
    bool turnsInOrder_ = false;
    std::int16_t upbeat_ = 0;
    TMotive rhythmContrastMotive_;
    TMotive pitchContrastMotive_;
    TMotive editSnapshot_;
    std::array<TVariantMaker, TURN_KIND_COUNT> variantMakers_{};
    std::array<TTurnApplier, TURN_KIND_COUNT> turnAppliers_{};
    int turnCursor_ = 0;
    int durationCursor_ = 0;
    // Copies rather than pointers: the motive they came from may be gone by the next query.
    TKey key_;
    TMeasure measure_;
    TSchemeListener* rhythmListener_ = nullptr;
    TSchemeListener* pitchListener_ = nullptr;
    TSchemeGenerator generator_;
};
