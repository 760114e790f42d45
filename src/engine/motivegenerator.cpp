#include "engine/motivegenerator.h"

#include "engine/turnappliers.h"
#include "model/notelist.h"

#include <algorithm>
#include <cstdlib>

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

int lastPitch(const TNoteList& notes, int otherwise) {
    return notes.empty() ? otherwise : notes.back().pitch();
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

int TMotiveGenerator::applyTurn(TURN_ROUND turn, TNoteList& notes, const TChord& chord, bool up,
                                int i) const {
    const int placed = TTurnAppliers(key_).apply(turn, notes, chord, up, i);
    if (!schoolRules_)
        return placed;
    for (int j = i; j < i + placed; ++j)
        if (isForbiddenMelodicInterval(key_, notes[std::size_t(j - 1)].pitch(),
                                       notes[std::size_t(j)].pitch()))
            return 0;
    return placed;
}

int TMotiveGenerator::partStart(const TChord& chord, int anchor, int previous) const {
    const int pitch = startPitch(chord, key_, anchor);
    if (!schoolRules_ || !isForbiddenMelodicInterval(key_, previous, pitch))
        return pitch;
    // The chord tone nearest the drawn one that the note before reaches by an allowed
    // interval; the lower on a tie.
    int best = NO_PITCH;
    for (int p : chord.chordTones(key_)) {
        if (!isInMelodyRange(p) || isForbiddenMelodicInterval(key_, previous, p))
            continue;
        if (best == NO_PITCH || std::abs(p - pitch) < std::abs(best - pitch))
            best = p;
    }
    if (best != NO_PITCH)
        return best;
    reportMelodyRule("no chord tone follows the note before without a forbidden leap");
    return pitch;
}

void TMotiveGenerator::close(TMotive& motive, TMelodyClose close) const {
    TNoteList& notes = motive.notes();
    if (close == TMelodyClose::NONE || notes.empty() ||
        meetsClose(close, key_, notes.back().pitch()))
        return;
    TNote& last = notes.back();
    const int from = notes.size() > 1 ? notes[notes.size() - 2].pitch() : last.pitch();
    const TChord* chord = motive.chordOfMeasureAt(last.time());
    // A tone of the chord that meets the close first; any pitch that meets it after that.
    int target = NO_PITCH;
    for (int p = MIN_MELODY_PITCH; p <= MAX_MELODY_PITCH; ++p) {
        if (!meetsClose(close, key_, p) || isForbiddenMelodicInterval(key_, from, p) ||
            (chord && !chord->isChordTone(key_, p)))
            continue;
        if (target == NO_PITCH || std::abs(p - from) < std::abs(target - from))
            target = p;
    }
    if (target == NO_PITCH) {
        target = closingPitch(close, key_, from);
        reportMelodyRule(close == TMelodyClose::KEYNOTE
                             ? "the closing chord does not hold the keynote"
                             : "the chord ending the first sentence holds no tone of V");
    }
    if (target == NO_PITCH)
        return;
    last.setPitch(target);
    last.setChordingNote(chord && chord->isChordTone(key_, target));
}

void TMotiveGenerator::placeTurns(TNoteList& notes, const TChord& chord, const TLights& beacons) {
    const TTurns& turns = pitch_.turns();
    TTurns pool;
    for (int i = 1; i < int(notes.size());) {
        const bool up = directionAt(notes, i, beacons);
        int placed = 0;
        if (turns.empty()) {
            // repetition below
        } else if (pitch_.inOrder()) {
            placed = applyTurn(pitch_.turnAtCursor(), notes, chord, up, i);
            pitch_.advanceCursor();
        } else {
            pool = turns;
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

void TMotiveGenerator::generate(TMotive& motive, const TLights& beacons,
                                const TMelodyPlace& place) {
    rhythm_.resetCursor();
    pitch_.resetCursor();
    for (const TMeasurePart& part : measureParts(motive.ticksPerMeasure(), motive.zatakt())) {
        TNoteList notes = rhythm_.rhythmOfPart(part.from, part.to);
        const TChord* chord = motive.chordOfMeasureAt(part.from);
        // A part without its chord stays empty: nothing says which tones it may use.
        if (notes.empty() || !chord)
            continue;
        notes[0].setPitch(partStart(*chord, anchorAt(notes[0].time(), beacons),
                                    lastPitch(motive.notes(), place.previousPitch)));
        notes[0].setChordingNote(true);
        placeTurns(notes, *chord, beacons);
        motive.notes().insert(motive.notes().end(), notes.begin(), notes.end());
    }
    if (schoolRules_)
        close(motive, place.close);
    markLeadingTones(motive.notes(), key_);
    motive.notifyChanged();
}

void TMotiveGenerator::regenerate(const TDurations& durations, const TTurnsWithDir& turnsWithDir,
                                  const TLights& beaconsPerPart, TMotive& motive,
                                  const TMelodyPlace& place) const {
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
        notes[0].setPitch(partStart(*chord, anchor, lastPitch(motive.notes(), NO_PITCH)));
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
    if (schoolRules_)
        close(motive, place.close);
    markLeadingTones(motive.notes(), key_);
    motive.notifyChanged();
}
