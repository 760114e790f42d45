#include "engine/scheme.h"

#include "model/chordcatalogue.h"
#include "model/random.h"
#include "model/schemechords.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

template <class T> void shuffleFromSecond(std::vector<T>& items, TRandomGenerator& random) {
    for (std::size_t i = 1; i < items.size(); ++i)
        std::swap(items[i], items[static_cast<std::size_t>(random.draw(int(i) + 1))]);
}

} // namespace

TScheme::TScheme(TRandomGenerator& random) : random_(random), generator_(this) {
    turnAppliers_ = {nullptr,
                     &TScheme::applyRepetition,
                     &TScheme::applyChordLeap1,
                     &TScheme::applyChordLeap2,
                     &TScheme::applyChordLeap3,
                     &TScheme::applyNeighbour,
                     &TScheme::applyPassing,
                     &TScheme::applyDoubleNeighbour,
                     &TScheme::applyAppoggiatura,
                     &TScheme::applyEscape};
    variantMakers_ = {nullptr,
                      &TScheme::offerRepetition,
                      &TScheme::offerChordLeap1,
                      &TScheme::offerChordLeap2,
                      &TScheme::offerChordLeap3,
                      &TScheme::offerNeighbour,
                      &TScheme::offerPassing,
                      &TScheme::offerDoubleNeighbour,
                      &TScheme::offerAppoggiatura,
                      &TScheme::offerEscape};
    for (const std::string& type : schemeChordTypeNames())
        chords_.push_back(chordOfType(type));
    defaultDurations();
    defaultTurns();
}

void TScheme::notifyRhythm() {
    if (rhythmListener_)
        rhythmListener_->schemeChanged();
}

void TScheme::notifyPitch() {
    if (pitchListener_)
        pitchListener_->schemeChanged();
}

void TScheme::setDurations(const TDurations& durations, bool inOrder, bool notify) {
    durations_ = durations;
    durationsInOrder_ = inOrder;
    if (!inOrder)
        std::sort(durations_.begin(), durations_.end());
    if (notify)
        notifyRhythm();
}

void TScheme::clearDurations() {
    durations_.clear();
    notifyRhythm();
}

void TScheme::defaultDurations() {
    durations_ = {30, 60, 90, 120, 150, 180, 210, 240};
    durationsInOrder_ = false;
    notifyRhythm();
}

void TScheme::randomDurations(const TMeasure& measure) {
    const TDurations source{30, 60, 90, 120, 150, 180, 210, 240};
    const int k = random_.draw(8) + 1;
    applyDurationChoice(source, k, durationsInOrder_, measure);
}

void TScheme::invertDurations(const TMeasure& measure) {
    if (!durationsInOrder_)
        return;
    TDurations result;
    for (TDurations& part : splitAtMeasure(durations_, measure.ticksPerMeasure(), upbeat_)) {
        std::reverse(part.begin(), part.end());
        result.insert(result.end(), part.begin(), part.end());
    }
    setDurations(result, true, true);
}

void TScheme::mixDurations(const TMeasure& measure) {
    if (!durationsInOrder_)
        return;
    TDurations result;
    for (TDurations& part : splitAtMeasure(durations_, measure.ticksPerMeasure(), upbeat_)) {
        shuffleFromSecond(part, random_);
        result.insert(result.end(), part.begin(), part.end());
    }
    setDurations(result, true, true);
}

int TScheme::nextDurationIndex() const {
    if (!durationsInOrder_ || durationCursor_ + 1 >= int(durations_.size()))
        return 0;
    return durationCursor_ + 1;
}

void TScheme::advanceDurationCursor() {
    durationCursor_ = durationsInOrder_ ? nextDurationIndex() : 0;
}

int TScheme::currentDurationIndex() const {
    return durationCursor_ < int(durations_.size()) ? durationCursor_ : 0;
}

void TScheme::resetCursors() {
    durationCursor_ = 0;
    turnCursor_ = 0;
}

TDurations TScheme::durationsOfMotive(const TMotive& motive) const {
    const int measureLength = motive.ticksPerMeasure();
    const int start = motive.upbeatStart();
    const int end = start + measureLength;
    TDurations out;
    auto appendRest = [&](int from, int length) {
        const int bar = (from / measureLength + 1) * measureLength;
        if (from + length > bar) {
            out.push_back(static_cast<DURATION>(from - bar));
            out.push_back(static_cast<DURATION>(bar - from - length));
        } else {
            out.push_back(static_cast<DURATION>(-length));
        }
    };
    int cursor = start;
    for (const TNote& note : motive.notes()) {
        if (note.time() > cursor) {
            appendRest(cursor, note.time() - cursor);
            cursor = note.time();
        }
        // A note that starts before the cursor overlaps its predecessor; it is taken as
        // following it.
        out.push_back(note.duration());
        cursor += std::abs(note.duration());
    }
    if (cursor < end)
        appendRest(cursor, end - cursor);
    return out;
}

TDurations TScheme::rhythmContrastSource() const {
    if (rhythmContrastMotive_.isEmpty())
        return durations_;
    return durationsOfMotive(rhythmContrastMotive_);
}

TDurations TScheme::layOutPlain(const TDurations& allowed, const TMeasure& measure) const {
    return layOutMeasure(
        measure.ticksPerMeasure(), upbeat_,
        [&](TDurations& out, int from, int to) { plainFill(out, from, to, allowed, random_); });
}

void TScheme::applyDurationChoice(const TDurations& source, int k, bool inOrder,
                                  const TMeasure& measure) {
    const TDurations choice = chooseDurations(source, k, random_);
    if (!inOrder)
        setDurations(choice, false, true);
    else
        setDurations(layOutPlain(choice, measure), true, true);
}

void TScheme::setTurns(const TTurns& turns, bool inOrder, bool notify) {
    turns_ = turns;
    turnsInOrder_ = inOrder;
    if (notify)
        notifyPitch();
}

void TScheme::clearTurns() {
    turns_.clear();
    notifyPitch();
}

void TScheme::defaultTurns() {
    turns_ = {REPETITION, CHORD_LEAP_1,     CHORD_LEAP_2, CHORD_LEAP_3, NEIGHBOUR,
              PASSING,    DOUBLE_NEIGHBOUR, APPOGGIATURA, ESCAPE};
    turnsInOrder_ = false;
    notifyPitch();
}

void TScheme::randomTurns() {
    const TTurns source{REPETITION, CHORD_LEAP_1,     CHORD_LEAP_2, CHORD_LEAP_3, NEIGHBOUR,
                        PASSING,    DOUBLE_NEIGHBOUR, APPOGGIATURA, ESCAPE};
    const int k = random_.draw(9) + 1;
    applyTurnChoice(source, k, turnsInOrder_);
}

void TScheme::invertTurns() {
    if (!turnsInOrder_)
        return;
    TTurns result(turns_.rbegin(), turns_.rend());
    setTurns(result, true, true);
}

void TScheme::mixTurns() {
    if (!turnsInOrder_)
        return;
    TTurns result = turns_;
    shuffleFromSecond(result, random_);
    setTurns(result, true, true);
}

int TScheme::nextTurnIndex() const {
    if (!turnsInOrder_ || turnCursor_ + 1 >= int(turns_.size()))
        return 0;
    return turnCursor_ + 1;
}

void TScheme::advanceTurnCursor() {
    turnCursor_ = turnsInOrder_ ? nextTurnIndex() : 0;
}

int TScheme::currentTurnIndex() const {
    return turnCursor_ < int(turns_.size()) ? turnCursor_ : 0;
}

TTurnAnalysis TScheme::turnsOfMotive(const TMotive& motive, bool lenient) const {
    return ::turnsOfMotive(motive, lenient);
}

TTurnAnalysis TScheme::turnsOfNotes(const TNoteList& notes, const TChord& chord,
                                    const TKey& key) const {
    return ::turnsOfNotes(notes, chord, key);
}

TTurns TScheme::pitchContrastSource() const {
    if (pitchContrastMotive_.isEmpty())
        return turns_;
    TTurns source;
    for (const TTurnRoundWithDir& t : ::turnsOfMotive(pitchContrastMotive_, false).turns)
        if (t.turn != NO_TURN)
            source.push_back(t.turn);
    return source;
}

void TScheme::applyTurnChoice(const TTurns& source, int k, bool inOrder) {
    TTurns remaining = source;
    TTurns chosen;
    k = std::min<int>(k, int(remaining.size()));
    for (int i = 0; i < k; ++i) {
        const auto at = remaining.begin() + random_.draw(int(remaining.size()));
        chosen.push_back(*at);
        remaining.erase(at);
    }
    if (!inOrder) {
        setTurns(chosen, false, true);
        return;
    }
    TTurns sequence;
    for (std::size_t i = 0; i < chosen.size(); ++i)
        sequence.push_back(chosen[static_cast<std::size_t>(random_.draw(int(chosen.size())))]);
    setTurns(sequence, true, true);
}
