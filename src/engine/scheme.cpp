#include "engine/scheme.h"

#include "engine/motivegenerator.h"
#include "engine/schemegenerator.h"
#include "engine/turnappliers.h"
#include "model/chordcatalogue.h"
#include "model/schemechords.h"

#include <string>

TScheme::TScheme(TRandomGenerator& random) : random_(random), rhythm_(random), pitch_(random) {
    for (const std::string& type : schemeChordTypeNames())
        chords_.push_back(chordOfType(type));
}

void TScheme::resetCursors() {
    rhythm_.resetCursor();
    pitch_.resetCursor();
}

int TScheme::runCommand(int command, const TMeasure& measure, bool inOrder) {
    return TSchemeGenerator().run(command, *this, measure, inOrder);
}

TDurations TScheme::rhythmContrastSource() const {
    if (rhythmContrastMotive_.isEmpty())
        return rhythm_.durations();
    return ::durationsOfMotive(rhythmContrastMotive_);
}

TTurns TScheme::pitchContrastSource() const {
    if (pitchContrastMotive_.isEmpty())
        return pitch_.turns();
    TTurns source;
    for (const TTurnRoundWithDir& t : ::turnsOfMotive(pitchContrastMotive_, false).turns)
        if (t.turn != NO_TURN)
            source.push_back(t.turn);
    return source;
}

int TScheme::applyTurn(TURN_ROUND turn, TNoteList& notes, const TChord& chord, bool up, int i) {
    return TTurnAppliers(key_).apply(turn, notes, chord, up, i);
}

int TScheme::startPitch(const TChord& chord, int anchor) const {
    return TMotiveGenerator::startPitch(chord, key_, anchor);
}

void TScheme::generateMotive(TMotive& motive, const TLights& beacons, const TMelodyPlace& place) {
    key_ = motive.key();
    measure_ = motive.measure();
    TMotiveGenerator(rhythm_, pitch_, key_, random_, schoolHarmony_)
        .generate(motive, beacons, place);
}

void TScheme::regenerateMotive(const TDurations& durations, const TTurnsWithDir& turnsWithDir,
                               const TLights& beaconsPerPart, TMotive& motive,
                               const TMelodyPlace& place) {
    key_ = motive.key();
    measure_ = motive.measure();
    TMotiveGenerator(rhythm_, pitch_, key_, random_, schoolHarmony_)
        .regenerate(durations, turnsWithDir, beaconsPerPart, motive, place);
}

void TScheme::noteCandidates(const TTurnVector& preceding, const TChord& chord, bool nextTurn,
                             bool nextDuration, bool chordTonesOnly, variant_set& candidates,
                             const TMeasure& measure, const TKey& key, int from, int to) {
    measure_ = measure;
    key_ = key;
    TNoteCandidates(rhythm_, pitch_, key_, measure_)
        .collect(preceding, chord, nextTurn, nextDuration, chordTonesOnly, candidates, from, to);
}
