#pragma once

#include "model/chord.h"
#include "model/duration.h"
#include "model/key.h"
#include "model/measure.h"
#include "model/note.h"

#include <cstdint>
#include <ostream>
#include <vector>

// Observer of one motive; canvases and views redraw when it fires.
class TMotiveListener {
public:
    virtual ~TMotiveListener() = default;
    virtual void motiveChanged() = 0;
};

using TRhythm = std::vector<DURATION>;

// Appends a rest of `length` ticks that starts at `start`, split at the last bar line before
// its end (if it crosses one) and written as rest values, largest first.
void appendRestSplitAtBar(TRhythm& out, int start, int length, int measureLength);

// The durations of `notes` from `start` to `end`: positive for notes, negative for the gaps
// between them, which are written as rests split at bar lines.
TRhythm rhythmOf(const TNoteList& notes, int start, int measureLength, int end);

// One measure of melody with its harmony, in a key and a meter. With an upbeat of z ticks the
// motive covers the last z ticks of measure 0 and the rest of measure 1.
//
// Copies never carry the listener or the id: a copy is a new motive that nobody observes yet.
class TMotive {
public:
    TMotive() = default;
    TMotive(const TKey& key, const TMeasure& measure) : key_(key), measure_(measure) {}
    TMotive(const TKey& key, const TMeasure& measure, std::int16_t zatakt)
        : key_(key), measure_(measure), zatakt_(zatakt) {}
    TMotive(const TMotive& other);
    // Keeps this motive's listener and id and does not notify.
    TMotive& operator=(const TMotive& other);

    // Replaces notes and chords by copies of the other's; does not notify.
    void copyContent(const TMotive& other);

    const TKey& key() const { return key_; }
    const TMeasure& measure() const { return measure_; }
    std::int16_t zatakt() const { return zatakt_; }
    // Direct edits of the lists must be followed by notifyChanged().
    TNoteList& notes() { return notes_; }
    const TNoteList& notes() const { return notes_; }
    TChordList& chords() { return chords_; }
    const TChordList& chords() const { return chords_; }
    int id() const { return id_; }
    void setId(int id) { id_ = id; }
    TMotiveListener* listener() const { return listener_; }
    void setListener(TMotiveListener* listener) { listener_ = listener; }

    // Each of these notifies the listener exactly once. The lists are taken as they come; the
    // producer supplies them in time order.
    void setNotes(const TNoteList& notes);
    void clearNotes();
    void setChords(const TChordList& chords);
    void clearChords();
    void clearAll();
    void setZatakt(std::int16_t ticks);
    void notifyChanged();

    int ticksPerMeasure() const { return measure_.ticksPerMeasure(); }
    int upbeatStart() const { return zatakt_ > 0 ? ticksPerMeasure() - zatakt_ : 0; }
    int end() const { return upbeatStart() + ticksPerMeasure(); }
    int measureCount() const { return zatakt_ > 0 ? 2 : 1; }
    bool isHarmonised() const { return static_cast<int>(chords_.size()) == measureCount(); }
    bool isEmpty() const { return notes_.empty() && chords_.empty(); }
    // Same notes and same chord voicings; key, meter, upbeat and chord types are not compared.
    bool sameContent(const TMotive& other) const;

    TRhythm rhythm() const;
    // Copies of the notes that lie in the measure containing time t.
    TNoteList notesOfMeasure(int t) const;

    // The chord standing at the start of measure `index` (the first one at or after it), or
    // nullptr when there is none. The pointer is valid until the chord list changes.
    const TChord* chordOfMeasure(int index) const;
    const TChord* chordOfMeasureAt(int t) const {
        return chordOfMeasure(measure_.measureIndexOf(t));
    }

    // Marks each note as chord tone or not by the chord of its measure, then notifies. Without
    // chords nothing changes and nobody is told; at the first note whose measure has no chord
    // the walk stops (and notifies).
    void recomputeChordingFlags();
    // Re-marks the raised sevenths of a minor key; does not notify.
    void markLeadingTones();

    void dump(std::ostream& out) const;

private:
    TKey key_;
    TMeasure measure_;
    std::int16_t zatakt_ = 0;
    TNoteList notes_;
    TChordList chords_;
    TMotiveListener* listener_ = nullptr;
    int id_ = -1;
};
