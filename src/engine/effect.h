#pragma once

#include "engine/freshretry.h"
#include "engine/rhythmlayout.h"
#include "engine/turn.h"
#include "model/chord.h"
#include "model/key.h"
#include "model/motive.h"
#include "model/random.h"

#include <cstdint>
#include <vector>

class TScheme;

// The seven development effects that transform a source motive's notes directly.
enum class TSimpleEffect : std::uint8_t {
    SEQUENCE_UP,
    SEQUENCE_DOWN,
    REPEAT,
    VARIATION,
    RHYTHM,
    PIECE,
    OTHER,
};

inline constexpr int VARIANT_COUNT = 3;

using TMotives = std::vector<TMotive>;

// The development techniques: the simple effects, the note-run transformations they are made
// of (which the relative effects reuse on regenerated motives) and the six operations on a
// motive's design. Every random decision draws from the generator it is given (the scheme's
// for the members).
// Interface thread only.
class TEffect {
public:
    // Local operations of the variation on one turn group.
    enum VARY_TYPE : std::uint8_t {
        RHYTHM_RETROGRADE = 0,
        PITCH_RETROGRADE = 1,
        RHYTHM_SHUFFLE = 2,
        PITCH_SHUFFLE = 3,
        MIRROR_NON_CHORD = 4,
        SPLIT_NOTE = 5,
        MERGE_NOTES = 6,
    };

    // Operations on a design: rhythm (0 to 2) and turns (3 to 5).
    enum REL_VARY_TYPE : std::uint8_t {
        REL_SPLIT = 0,
        REL_MERGE = 1,
        REL_SWAP_RHYTHM = 2,
        REL_CHANGE_TURN = 3,
        REL_CHANGE_TURN_DIR = 4,
        REL_SWAP_TURN = 5,
    };

    // The scheme gives the chord catalogue of the variation and regenerates relative variants.
    explicit TEffect(TScheme& scheme) : scheme_(scheme) {}

    // The three variants of a simple effect, without chords, in panel order. A sequence or
    // repeat variant that would leave the pitch range is an empty motive; variation of a
    // motive without notes and piece of fewer than two notes give no variants at all.
    TMotives makeVariants(TSimpleEffect effect, const TMotive& source);

    // Rhythm sequence of a note run: from the first onset, each gap as a rest (negative), then
    // each note's duration.
    static TDurations rhythmSequence(const TNoteList& notes);
    // The same over [from, to), with the leading and trailing rests.
    static TDurations rhythmSequence(const TNoteList& notes, int from, int to);
    // Gives the notes, in order, the onsets and durations of the positive entries, walking
    // from `from`; rests only advance. Pitches stay with their notes.
    static void reassignRhythm(TNoteList& notes, const TDurations& sequence, int from);

    // The operations of VARY_TYPE on a note run (a turn group or a measure part).
    static void retrogradeRhythm(TNoteList& notes);
    static void retrogradePitches(TNoteList& notes);
    static void shuffleRhythm(TNoteList& notes, TRandomGenerator& random);
    static void shufflePitches(TNoteList& notes, TRandomGenerator& random);
    static void mirrorNonChord(TNoteList& notes, TURN_ROUND turn);
    // Splits one note of a two-note group into two and moves the half next to the other note
    // by a step; does nothing to other groups or to two sixteenths.
    static void splitNote(TNoteList& notes, TRandomGenerator& random);
    // One note from the first onset to the end of the second note, with one of the two pitches.
    static void mergeNotes(TNoteList& notes, TRandomGenerator& random);
    static void applyVaryType(TNoteList& notes, VARY_TYPE operation, TURN_ROUND turn,
                              TRandomGenerator& random);
    // The operations the variation may apply to a group with this turn, in table order.
    static std::vector<VARY_TYPE> applicableOperations(const TNoteList& group, TURN_ROUND turn);

    // Inversion of a note run about its first pitch; a note that would leave the range keeps
    // its pitch.
    static void invertPart(TNoteList& notes);
    // Removes between one and n - 1 random notes of n >= 2; fewer notes stay as they are.
    static void removeRandomNotes(TNoteList& notes, TRandomGenerator& random);
    // New rhythm for every measure part: mode 0 shuffles the part's full rhythm sequence,
    // mode 1 redistributes lengths between pairs of entries (parts keep their lengths and
    // rests stay rests).
    static void newRhythm(TMotive& motive, int mode, TRandomGenerator& random);
    // 0 inversion, 1 rhythm retrograde, 2 pitch retrograde, 3 both retrogrades, 4 pitch
    // shuffle, 5 rhythm and pitch shuffle; each measure part on its own.
    static void otherEffect(TMotive& motive, int kind, TRandomGenerator& random);

    // Up to three random operations of the variation on the notes of one measure part, each
    // on one turn group under a catalogue chord that admits the analysis.
    void varyPart(TNoteList& notes, const TKey& key) const;

    // The six design operations; each returns whether it changed anything. `start` is the
    // motive's first tick and `measureLength` one measure in ticks.
    static bool relSplit(TDurations& rhythm, TRandomGenerator& random);
    static bool relMerge(TDurations& rhythm, int start, int measureLength,
                         TRandomGenerator& random);
    static bool relSwapRhythm(TDurations& rhythm, int start, int measureLength,
                              TRandomGenerator& random);
    static bool relChangeTurn(TTurnsWithDir& turns, TRandomGenerator& random);
    static bool relChangeTurnDir(TTurnsWithDir& turns, TRandomGenerator& random);
    static bool relSwapTurn(TTurnsWithDir& turns, TRandomGenerator& random);
    // One to three design operations, each at most once, on copies of the design; then
    // `target` (with its chords and no notes) is regenerated from the changed copies.
    void relativeVariation(const TDurations& rhythm, const TTurnsWithDir& turns,
                           const TLights& beacons, TMotive& target);

    // The rhythms one small change away from the motive's, in a fixed order: in each measure
    // part, two unequal entries of its full rhythm exchanged, then a sixteenth handed from one
    // entry to another (a rest stays a rest). Pitches stay with their notes.
    static TMotives neighbouringRhythms(const TMotive& motive);

    // Per measure part of a motive: the notes that begin in it.
    static std::vector<TNoteList> notesByPart(const TMotive& motive);
    // The notes of all parts, in order.
    static TNoteList joinParts(const std::vector<TNoteList>& parts);

private:
    TMotives sequenceVariants(const TMotive& source, const int (&shifts)[VARIANT_COUNT]) const;
    TMotives variationVariants(const TMotive& source) const;
    TMotives rhythmVariants(const TMotive& source) const;
    TMotives pieceVariants(const TMotive& source) const;
    TMotives otherVariants(const TMotive& source) const;

    TScheme& scheme_;
};

// A motive differs from the source and from every variant produced so far.
bool isFreshVariant(const TMotive& candidate, const TMotive& source, const TMotives& produced);

// Under school harmony, for rhythm variant `number` (from 1) that the draws left equal to its
// source or to an earlier variant: the first of its neighbouring rhythms that is new
// stands in; when there is none, the variant stays and the reason goes to the diagnostics.
void replaceStaleRhythm(TMotive& variant, const TMotive& source, const TMotives& earlier,
                        int number);
