#pragma once

#include "engine/rhythmlayout.h"
#include "engine/schemelistener.h"
#include "model/measure.h"
#include "model/motive.h"
#include "model/note.h"
#include "model/random.h"

#include <cstdint>

// The rhythm half of the scheme: the durations a generated motive may use. In in-order mode
// they are a sequence that generation walks cyclically (rests and repeated values allowed); in
// set mode a set of allowed note values, kept sorted ascending. Holds the cursor of in-order
// generation and tells its listener about every change of content.
class TRhythmScheme {
public:
    // The default scheme, in set mode; every draw comes from `random`.
    explicit TRhythmScheme(TRandomGenerator& random);

    const TDurations& durations() const { return durations_; }
    bool inOrder() const { return inOrder_; }
    // The composition's upbeat in ticks, 0 for none; in-order layouts split the measure at it.
    std::int16_t upbeat() const { return upbeat_; }
    void setUpbeat(std::int16_t ticks) { upbeat_ = ticks; }
    TSchemeListener* listener() const { return listener_; }
    void setListener(TSchemeListener* listener) { listener_ = listener; }

    // Stores the durations and the mode; set mode sorts them.
    void set(const TDurations& durations, bool inOrder, bool notify);
    void clear();
    // The eight note values 30 to 240, in set mode.
    void setDefault();
    // A random choice of note values in the current mode.
    void randomise(const TMeasure& measure);
    // In in-order mode each part of the measure is reversed (invert) or shuffled (mix);
    // in set mode nothing happens.
    void invert(const TMeasure& measure);
    void mix(const TMeasure& measure);

    // Chooses k durations of `source`; in order they are laid out over one measure first.
    void applyChoice(const TDurations& source, int k, bool inOrder, const TMeasure& measure);
    // One measure laid out with the plain filler from `allowed`.
    TDurations layOutPlain(const TDurations& allowed, const TMeasure& measure) const;

    // The cursor of in-order generation, the position after it (0 in set mode or past the
    // end) and the cursor clamped to the scheme (which may have shrunk under it).
    int cursor() const { return cursor_; }
    int nextIndex() const;
    int currentIndex() const;
    void advanceCursor();
    void resetCursor() { cursor_ = 0; }

    // The notes of the measure part [from, to), without pitches: in in-order mode the scheme
    // walked from the cursor on, in set mode note values drawn from the set.
    TNoteList rhythmOfPart(int from, int to);

private:
    void notify();

    TRandomGenerator& random_;
    TDurations durations_;
    bool inOrder_ = false;
    std::int16_t upbeat_ = 0;
    int cursor_ = 0;
    TSchemeListener* listener_ = nullptr;
};

// The rhythm of a motive over one measure from its first tick: its note values, with rests
// for the gaps; a gap that crosses the bar line is two rests.
TDurations durationsOfMotive(const TMotive& motive);

// The notes of the part [from, to) from `durations` walked cyclically from `index`, which
// stays shared by the parts of a motive. A value longer than the room is cut to the room and
// stays current for the next part; an empty sequence gives one note filling the part.
TNoteList rhythmInOrder(const TDurations& durations, int& index, int from, int to);
