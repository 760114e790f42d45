#include "engine/motivegenerator.h"

#include "engine/turnappliers.h"
#include "model/notelist.h"

#include <algorithm>

namespace {

constexpr int DEFAULT_ANCHOR = 21;

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

int TMotiveGenerator::startPitch(const TChord& chord, const TKey& key, int anchor) {
    const std::vector<int> tones = chord.chordTones(key);
    if (tones.empty())
        return anchor;
    auto found = std::find_if(tones.begin(), tones.end(), [anchor](int p) { return p >= anchor; });
    int pitch = found == tones.end() ? tones[tones.size() / 2] : *found;
    // Walk back into the range by whole chord tones: one step is not always enough when the
    // anchor lies far outside it.
    if (pitch > MAX_MELODY_PITCH)
        pitch = chord.chordToneBelow(key, MAX_MELODY_PITCH + 1, 1);
    else if (pitch < MIN_MELODY_PITCH)
        pitch = chord.chordToneAbove(key, MIN_MELODY_PITCH - 1, 1);
    return pitch;
}

void TMotiveGenerator::placeTurns(TNoteList& notes, const TChord& chord, const TLights& beacons) {
    const TTurnAppliers appliers(key_);
    const TTurns& turns = pitch_.turns();
    TTurns pool;
    for (int i = 1; i < int(notes.size());) {
        const bool up = directionAt(notes, i, beacons);
        int placed = 0;
        if (turns.empty()) {
            // repetition below
        } else if (pitch_.inOrder()) {
            placed = appliers.apply(pitch_.turnAtCursor(), notes, chord, up, i);
            pitch_.advanceCursor();
        } else {
            pool = turns;
            while (placed == 0 && !pool.empty()) {
                const auto at = pool.begin() + random_.draw(int(pool.size()));
                placed = appliers.apply(*at, notes, chord, up, i);
                if (placed == 0)
                    pool.erase(at);
            }
        }
        if (placed == 0)
            placed = appliers.apply(REPETITION, notes, chord, up, i);
        i += placed;
    }
}

void TMotiveGenerator::generate(TMotive& motive, const TLights& beacons) {
    rhythm_.resetCursor();
    pitch_.resetCursor();
    for (const TMeasurePart& part : measureParts(motive.ticksPerMeasure(), motive.zatakt())) {
        TNoteList notes = rhythm_.rhythmOfPart(part.from, part.to);
        const TChord* chord = motive.chordOfMeasureAt(part.from);
        // A part without its chord stays empty: nothing says which tones it may use.
        if (notes.empty() || !chord)
            continue;
        notes[0].setPitch(startPitch(*chord, key_, anchorAt(notes[0].time(), beacons)));
        notes[0].setChordingNote(true);
        placeTurns(notes, *chord, beacons);
        motive.notes().insert(motive.notes().end(), notes.begin(), notes.end());
    }
    markLeadingTones(motive.notes(), key_);
    motive.notifyChanged();
}

void TMotiveGenerator::regenerate(const TDurations& durations, const TTurnsWithDir& turnsWithDir,
                                  const TLights& beaconsPerPart, TMotive& motive) const {
    const TTurnAppliers appliers(key_);
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
        notes[0].setPitch(startPitch(*chord, key_, anchor));
        notes[0].setChordingNote(true);
        for (int i = 1; i < int(notes.size());) {
            int placed = 0;
            if (!turnsWithDir.empty()) {
                const TTurnRoundWithDir& step = turnsWithDir[turnIndex];
                placed = appliers.apply(step.turn, notes, *chord, step.up, i);
                turnIndex = (turnIndex + 1) % turnsWithDir.size();
            }
            if (placed == 0)
                placed = appliers.apply(REPETITION, notes, *chord, true, i);
            i += placed;
        }
        motive.notes().insert(motive.notes().end(), notes.begin(), notes.end());
    }
    markLeadingTones(motive.notes(), key_);
    motive.notifyChanged();
}
