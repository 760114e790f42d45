// Motive generation of TScheme: rhythm from the rhythm scheme, pitches from the pitch scheme.
#include "engine/scheme.h"

#include "model/notelist.h"
#include "model/random.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int DEFAULT_ANCHOR = 21;

void appendNote(TNoteList& notes, int time, int length) {
    notes.emplace_back(time, 0, static_cast<DURATION>(length));
}

// Walks `durations` cyclically from `index`, which is shared by the parts of a motive. A value
// longer than the room is cut to the room and stays current for the next part.
TNoteList rhythmInOrder(const TDurations& durations, int& index, int from, int to) {
    TNoteList notes;
    const int count = int(durations.size());
    if (count == 0) {
        appendNote(notes, from, to - from);
        return notes;
    }
    int idle = 0; // zero values met in a row; a scheme of zeros alone would never fill
    for (int t = from; t < to;) {
        index = index < count ? index : 0;
        const int d = durations[static_cast<std::size_t>(index)];
        const int room = to - t;
        if (d == 0) {
            index = (index + 1) % count;
            if (++idle >= count) {
                appendNote(notes, t, room);
                break;
            }
            continue;
        }
        idle = 0;
        int length = std::abs(d);
        if (length > room)
            length = room;
        else
            index = (index + 1) % count;
        if (d > 0)
            appendNote(notes, t, length);
        t += length;
    }
    return notes;
}

// Draws from the note values of the set that fit; when none fits, one note fills the room.
TNoteList rhythmFromSet(const TDurations& durations, int from, int to, TRandomGenerator& random) {
    TNoteList notes;
    for (int t = from; t < to;) {
        const int room = to - t;
        int fitting = 0;
        const DURATION* first = nullptr;
        for (const DURATION& d : durations) {
            if (d <= 0 || d > room)
                continue;
            if (!first)
                first = &d;
            ++fitting;
        }
        if (fitting == 0) {
            appendNote(notes, t, room);
            break;
        }
        const int d = first[random.draw(fitting)];
        appendNote(notes, t, d);
        t += d;
    }
    return notes;
}

// The direction of the turn at note i: towards the next beacon at or after the note.
bool directionAt(const TNoteList& notes, int i, const TLights& beacons) {
    const int time = notes[static_cast<std::size_t>(i)].time();
    auto beacon = std::find_if(beacons.begin(), beacons.end(),
                               [time](const TLight& b) { return b.time >= time; });
    return beacon == beacons.end() ||
           notes[static_cast<std::size_t>(i - 1)].pitch() < beacon->pitch;
}

int anchorAt(int time, const TLights& beacons) {
    auto beacon = std::find_if(beacons.begin(), beacons.end(),
                               [time](const TLight& b) { return b.time >= time; });
    return beacon == beacons.end() ? DEFAULT_ANCHOR : beacon->pitch;
}

} // namespace

int TScheme::startPitch(const TChord& chord, int anchor) const {
    const std::vector<int> tones = chord.chordTones(key_);
    if (tones.empty())
        return anchor;
    auto found = std::find_if(tones.begin(), tones.end(), [anchor](int p) { return p >= anchor; });
    int pitch = found == tones.end() ? tones[tones.size() / 2] : *found;
    // Walk back into the range by whole chord tones: one step is not always enough when the
    // anchor lies far outside it.
    if (pitch > MAX_MELODY_PITCH)
        pitch = chord.chordToneBelow(key_, MAX_MELODY_PITCH + 1, 1);
    else if (pitch < MIN_MELODY_PITCH)
        pitch = chord.chordToneAbove(key_, MIN_MELODY_PITCH - 1, 1);
    return pitch;
}

TNoteList TScheme::rhythmOfPart(int from, int to) {
    if (durationsInOrder_)
        return rhythmInOrder(durations_, durationCursor_, from, to);
    return rhythmFromSet(durations_, from, to, random_);
}

void TScheme::placeTurns(TNoteList& notes, const TChord& chord, const TLights& beacons) {
    TTurns pool;
    for (int i = 1; i < int(notes.size());) {
        const bool up = directionAt(notes, i, beacons);
        int placed = 0;
        if (turns_.empty()) {
            // repetition below
        } else if (turnsInOrder_) {
            turnCursor_ = currentTurnIndex();
            placed = applyTurn(turns_[static_cast<std::size_t>(turnCursor_)], notes, chord, up, i);
            advanceTurnCursor();
        } else {
            pool = turns_;
            while (placed == 0 && !pool.empty()) {
                const auto at = pool.begin() + random_.draw(int(pool.size()));
                placed = applyTurn(*at, notes, chord, up, i);
                if (placed == 0)
                    pool.erase(at);
            }
        }
        if (placed == 0)
            placed = applyTurn(REPETITION, notes, chord, up, i);
        i += placed;
    }
}

void TScheme::generateMotive(TMotive& motive, const TLights& beacons) {
    key_ = motive.key();
    measure_ = motive.measure();
    resetCursors();
    for (const TMeasurePart& part : measureParts(motive.ticksPerMeasure(), motive.zatakt())) {
        TNoteList notes = rhythmOfPart(part.from, part.to);
        const TChord* chord = motive.chordOfMeasureAt(part.from);
        // A part without its chord stays empty: nothing says which tones it may use.
        if (notes.empty() || !chord)
            continue;
        notes[0].setPitch(startPitch(*chord, anchorAt(notes[0].time(), beacons)));
        notes[0].setChordingNote(true);
        placeTurns(notes, *chord, beacons);
        motive.notes().insert(motive.notes().end(), notes.begin(), notes.end());
    }
    markLeadingTones(motive.notes(), key_);
    motive.notifyChanged();
}

void TScheme::regenerateMotive(const TDurations& durations, const TTurnsWithDir& turnsWithDir,
                               const TLights& beaconsPerPart, TMotive& motive) {
    key_ = motive.key();
    measure_ = motive.measure();
    int durationIndex = 0;
    std::size_t turnIndex = 0;
    std::size_t partIndex = 0;
    for (const TMeasurePart& part : measureParts(motive.ticksPerMeasure(), motive.zatakt())) {
        TNoteList notes = rhythmInOrder(durations, durationIndex, part.from, part.to);
        const TChord* chord = motive.chordOfMeasureAt(part.from);
        // A missing beacon anchors where generation without beacons does.
        const int anchor =
            partIndex < beaconsPerPart.size() ? beaconsPerPart[partIndex].pitch : DEFAULT_ANCHOR;
        ++partIndex;
        if (notes.empty() || !chord)
            continue;
        notes[0].setPitch(startPitch(*chord, anchor));
        notes[0].setChordingNote(true);
        for (int i = 1; i < int(notes.size());) {
            int placed = 0;
            if (!turnsWithDir.empty()) {
                const TTurnRoundWithDir& step = turnsWithDir[turnIndex];
                placed = applyTurn(step.turn, notes, *chord, step.up, i);
                turnIndex = (turnIndex + 1) % turnsWithDir.size();
            }
            if (placed == 0)
                placed = applyTurn(REPETITION, notes, *chord, true, i);
            i += placed;
        }
        motive.notes().insert(motive.notes().end(), notes.begin(), notes.end());
    }
    markLeadingTones(motive.notes(), key_);
    motive.notifyChanged();
}
