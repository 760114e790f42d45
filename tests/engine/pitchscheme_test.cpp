#include "enginetesthelpers.h"

#include <gtest/gtest.h>

namespace {

// C major: index 20 is middle C; the tonic triad sounds on 13, 15, 17, 20, 22, 24, 27, ...
const TChord TONIC = chordOfType("TONIC_THREE_CHORD");
// G B D F: F (16) and G (17) lie one step apart.
const TChord DOMINANT_SEVENTH = chordOfType("DOMINANT_SIXTH_FIFTH_CHORD");

// `count` sixteenth notes, the first at pitch p0.
TNoteList part(int p0, int count) {
    TNoteList notes;
    for (int i = 0; i < count; ++i)
        notes.emplace_back(i * 30, i == 0 ? p0 : 0, 30);
    return notes;
}

std::vector<int> pitches(const TNoteList& notes, int from = 1) {
    std::vector<int> out;
    for (std::size_t i = std::size_t(from); i < notes.size(); ++i)
        out.push_back(notes[i].pitch());
    return out;
}

TNote flagged(int time, int pitch, bool chordTone) {
    TNote note(time, pitch, 30);
    note.setChordingNote(chordTone);
    return note;
}

TEST(TurnAppliers, ChordLeapsWalkChordTones) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TNoteList notes = part(20, 2);
    EXPECT_EQ(scheme.applyTurn(CHORD_LEAP_1, notes, TONIC, true, 1), 1);
    EXPECT_EQ(notes[1].pitch(), 22);
    EXPECT_EQ(scheme.applyTurn(CHORD_LEAP_3, notes, TONIC, true, 1), 1);
    EXPECT_EQ(notes[1].pitch(), 27);
    EXPECT_EQ(scheme.applyTurn(CHORD_LEAP_2, notes, TONIC, false, 1), 1);
    EXPECT_EQ(notes[1].pitch(), 15);
    TNoteList top = part(34, 2);
    EXPECT_EQ(scheme.applyTurn(CHORD_LEAP_1, top, TONIC, true, 1), 0);
    TNoteList bottom = part(13, 2);
    EXPECT_EQ(scheme.applyTurn(CHORD_LEAP_1, bottom, TONIC, false, 1), 0);
}

TEST(TurnAppliers, RepetitionNeverFailsAndMarksAChordNote) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TNoteList notes = part(34, 2);
    notes[1].setChordingNote(false);
    EXPECT_EQ(scheme.applyTurn(REPETITION, notes, TONIC, true, 1), 1);
    EXPECT_EQ(notes[1].pitch(), 34);
    EXPECT_TRUE(notes[1].chordingNote());
}

TEST(TurnAppliers, NeighbourReturnsOrFailsOnAnAdjacentChordTone) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TNoteList notes = part(20, 4);
    EXPECT_EQ(scheme.applyTurn(NEIGHBOUR, notes, TONIC, true, 1), 2);
    EXPECT_EQ(pitches(notes), (std::vector<int>{21, 20, 0}));
    EXPECT_FALSE(notes[1].chordingNote());
    EXPECT_TRUE(notes[2].chordingNote());

    TNoteList last = part(20, 2);
    EXPECT_EQ(scheme.applyTurn(NEIGHBOUR, last, TONIC, false, 1), 1);
    EXPECT_EQ(last[1].pitch(), 19);

    TNoteList blocked = part(16, 3);
    EXPECT_EQ(scheme.applyTurn(NEIGHBOUR, blocked, DOMINANT_SEVENTH, true, 1), 0);
}

TEST(TurnAppliers, PassingRunsToTheNextChordToneOrTheEndOfThePart) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TNoteList notes = part(17, 5);
    EXPECT_EQ(scheme.applyTurn(PASSING, notes, TONIC, true, 1), 3);
    EXPECT_EQ(pitches(notes), (std::vector<int>{18, 19, 20, 0}));
    EXPECT_FALSE(notes[1].chordingNote());
    EXPECT_TRUE(notes[3].chordingNote());

    TNoteList last = part(20, 2);
    EXPECT_EQ(scheme.applyTurn(PASSING, last, TONIC, true, 1), 1);
    EXPECT_EQ(last[1].pitch(), 21);
    EXPECT_FALSE(last[1].chordingNote());

    TNoteList top = part(34, 3);
    EXPECT_EQ(scheme.applyTurn(PASSING, top, TONIC, true, 1), 0);
}

TEST(TurnAppliers, DoubleNeighbourCirclesAndStopsAtThePartEnd) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TNoteList notes = part(20, 4);
    EXPECT_EQ(scheme.applyTurn(DOUBLE_NEIGHBOUR, notes, TONIC, true, 1), 3);
    EXPECT_EQ(pitches(notes), (std::vector<int>{21, 19, 20}));
    TNoteList shortPart = part(20, 3);
    EXPECT_EQ(scheme.applyTurn(DOUBLE_NEIGHBOUR, shortPart, TONIC, false, 1), 2);
    EXPECT_EQ(pitches(shortPart), (std::vector<int>{19, 21}));
    TNoteList blocked = part(16, 4);
    EXPECT_EQ(scheme.applyTurn(DOUBLE_NEIGHBOUR, blocked, DOMINANT_SEVENTH, true, 1), 0);
}

TEST(TurnAppliers, AppoggiaturaLeapsPastTheNextChordToneAndResolves) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TNoteList notes = part(20, 3);
    EXPECT_EQ(scheme.applyTurn(APPOGGIATURA, notes, TONIC, true, 1), 2);
    EXPECT_EQ(pitches(notes), (std::vector<int>{23, 22}));
    EXPECT_FALSE(notes[1].chordingNote());
    EXPECT_TRUE(notes[2].chordingNote());
    TNoteList down = part(20, 3);
    EXPECT_EQ(scheme.applyTurn(APPOGGIATURA, down, TONIC, false, 1), 2);
    EXPECT_EQ(pitches(down), (std::vector<int>{16, 17}));
    TNoteList last = part(20, 2);
    EXPECT_EQ(scheme.applyTurn(APPOGGIATURA, last, TONIC, true, 1), 1);
    TNoteList top = part(34, 3);
    EXPECT_EQ(scheme.applyTurn(APPOGGIATURA, top, TONIC, true, 1), 0);
}

TEST(TurnAppliers, EscapeFallsBackToTheOtherSideButLeapsAsAsked) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TNoteList notes = part(20, 3);
    EXPECT_EQ(scheme.applyTurn(ESCAPE, notes, TONIC, true, 1), 2);
    EXPECT_EQ(pitches(notes), (std::vector<int>{21, 24}));

    // From 34 upwards the step falls back to 33; the leap two chord tones up from 33 leaves
    // the range, so only a part that ends after the step takes the turn.
    TNoteList top = part(34, 2);
    EXPECT_EQ(scheme.applyTurn(ESCAPE, top, TONIC, true, 1), 1);
    EXPECT_EQ(top[1].pitch(), 33);
    TNoteList longer = part(34, 3);
    EXPECT_EQ(scheme.applyTurn(ESCAPE, longer, TONIC, true, 1), 0);

    // From 27 downwards: 26 (B) is free, the leap lands two chord tones below it.
    TNoteList down = part(27, 3);
    EXPECT_EQ(scheme.applyTurn(ESCAPE, down, TONIC, false, 1), 2);
    EXPECT_EQ(pitches(down), (std::vector<int>{26, 22}));
}

TEST(TurnAppliers, UnknownTurnsAndPositionsPlaceNothing) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TNoteList notes = part(20, 2);
    EXPECT_EQ(scheme.applyTurn(NO_TURN, notes, TONIC, true, 1), 0);
    EXPECT_EQ(scheme.applyTurn(static_cast<TURN_ROUND>(12), notes, TONIC, true, 1), 0);
    EXPECT_EQ(scheme.applyTurn(REPETITION, notes, TONIC, true, 2), 0);
    EXPECT_EQ(scheme.applyTurn(REPETITION, notes, TONIC, true, 0), 0);
}

TEST(TurnClassification, NamesTheFiguresOfTheTable) {
    auto classify = [](std::vector<std::pair<int, bool>> group) {
        TNoteList notes;
        for (auto [pitch, chordTone] : group)
            notes.push_back(flagged(int(notes.size()) * 30, pitch, chordTone));
        TTurnRoundWithDir turn;
        EXPECT_TRUE(classifyTurnGroup(notes, turn));
        return turn;
    };
    EXPECT_EQ(classify({{21, true}, {22, false}, {21, true}}),
              TTurnRoundWithDir(NEIGHBOUR, true, 3, true));
    EXPECT_EQ(classify({{21, true}, {20, false}, {22, false}, {21, true}}),
              TTurnRoundWithDir(DOUBLE_NEIGHBOUR, false, 4, true));
    EXPECT_EQ(classify({{21, true}, {25, false}, {24, true}}),
              TTurnRoundWithDir(APPOGGIATURA, true, 3, true));
    EXPECT_EQ(classify({{21, true}, {20, false}, {24, true}}),
              TTurnRoundWithDir(ESCAPE, false, 3, true));
    EXPECT_EQ(classify({{20, true}, {21, false}, {22, true}}),
              TTurnRoundWithDir(PASSING, true, 3, true));
    EXPECT_EQ(classify({{20, true}}), TTurnRoundWithDir(NO_TURN, true, 1, true));
    EXPECT_EQ(classify({{20, true}, {20, true}}), TTurnRoundWithDir(REPETITION, true, 2, true));
    EXPECT_EQ(classify({{24, true}, {21, true}}), TTurnRoundWithDir(CHORD_LEAP_1, false, 2, true));
    EXPECT_EQ(classify({{20, true}, {25, true}}), TTurnRoundWithDir(CHORD_LEAP_2, true, 2, true));
    EXPECT_EQ(classify({{20, true}, {27, true}}), TTurnRoundWithDir(CHORD_LEAP_3, true, 2, true));
    EXPECT_EQ(classify({{20, true}, {25, false}}), TTurnRoundWithDir(APPOGGIATURA, true, 2, false));

    TTurnRoundWithDir turn;
    EXPECT_FALSE(classifyTurnGroup({flagged(0, 20, true), flagged(30, 28, true)}, turn));
    EXPECT_FALSE(classifyTurnGroup({flagged(0, 20, false)}, turn));
}

TEST(TurnAnalysis, NotesUnderAChordShareTheirClosingNotes) {
    const TKey cMajor;
    TNoteList notes{TNote(0, 20, 30),  TNote(30, 21, 30),  TNote(60, 22, 30),
                    TNote(90, 24, 30), TNote(120, 25, 30), TNote(150, 24, 30)};
    const TTurnAnalysis analysis = turnsOfNotes(notes, TONIC, cMajor);
    EXPECT_TRUE(analysis.complete);
    EXPECT_EQ(analysis.turns, (TTurnsWithDir{{PASSING, true, 3, true},
                                             {CHORD_LEAP_1, true, 2, true},
                                             {NEIGHBOUR, true, 3, true}}));

    const TTurnAnalysis single = turnsOfNotes({TNote(0, 22, 120)}, TONIC, cMajor);
    EXPECT_EQ(single.turns, (TTurnsWithDir{{NO_TURN, true, 1, true}}));

    const TTurnAnalysis offChord = turnsOfNotes({TNote(0, 21, 120)}, TONIC, cMajor);
    EXPECT_FALSE(offChord.complete);
    EXPECT_TRUE(offChord.turns.empty());

    // A failure keeps what was found before it.
    const TTurnAnalysis partial = turnsOfNotes(
        {TNote(0, 20, 30), TNote(30, 22, 30), TNote(60, 30, 30), TNote(90, 22, 30)}, TONIC, cMajor);
    EXPECT_FALSE(partial.complete);
    EXPECT_EQ(partial.turns, (TTurnsWithDir{{CHORD_LEAP_1, true, 2, true}}));
}

TEST(TurnAnalysis, StrictAndLenientMotiveAnalysis) {
    TMotive motive(TKey(), TMeasure(2, 120));
    motive.notes() = {flagged(0, 21, false), flagged(60, 22, true), flagged(120, 28, true)};
    const TTurnAnalysis strict = turnsOfMotive(motive, false);
    EXPECT_FALSE(strict.complete);
    EXPECT_TRUE(strict.turns.empty());
    const TTurnAnalysis lenient = turnsOfMotive(motive, true);
    EXPECT_TRUE(lenient.complete);
    // The group that opens on the non-chord note reads as a passing step.
    EXPECT_EQ(lenient.turns,
              (TTurnsWithDir{{PASSING, true, 2, true}, {CHORD_LEAP_3, true, 2, true}}));

    TMotive unknown(TKey(), TMeasure(2, 120));
    unknown.notes() = {flagged(0, 20, true), flagged(30, 26, false), flagged(60, 25, false),
                       flagged(90, 22, true)};
    EXPECT_FALSE(turnsOfMotive(unknown, false).complete);
    EXPECT_EQ(turnsOfMotive(unknown, true).turns, (TTurnsWithDir{{CHORD_LEAP_3, true, 0, true},
                                                                 {CHORD_LEAP_1, false, 0, true},
                                                                 {CHORD_LEAP_2, false, 0, true}}));
}

TEST(TurnAnalysis, BarLinesCloseGroups) {
    TMotive motive(TKey(), TMeasure(2, 120), 120);
    motive.notes() = {flagged(120, 20, true), flagged(180, 21, false), flagged(240, 22, true),
                      flagged(300, 24, true)};
    EXPECT_EQ(turnsOfMotive(motive, false).turns,
              (TTurnsWithDir{{PASSING, true, 2, false}, {CHORD_LEAP_1, true, 2, true}}));

    TMotive lone(TKey(), TMeasure(2, 120), 120);
    lone.notes() = {flagged(120, 20, true), flagged(240, 22, true)};
    EXPECT_EQ(turnsOfMotive(lone, false).turns,
              (TTurnsWithDir{{NO_TURN, true, 1, true}, {NO_TURN, true, 1, true}}));
}

TEST(PitchScheme, OperationsKeepOrderAndRespectTheMode) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TCountingListener listener;
    scheme.setPitchListener(&listener);
    scheme.setTurns({CHORD_LEAP_2, REPETITION, CHORD_LEAP_1}, false, true);
    EXPECT_EQ(scheme.turns(), (TTurns{CHORD_LEAP_2, REPETITION, CHORD_LEAP_1}));
    scheme.invertTurns();
    scheme.mixTurns();
    EXPECT_EQ(scheme.turns(), (TTurns{CHORD_LEAP_2, REPETITION, CHORD_LEAP_1}));
    EXPECT_EQ(listener.changed, 1);

    scheme.setTurns({CHORD_LEAP_2, REPETITION, CHORD_LEAP_1}, true, false);
    scheme.invertTurns();
    EXPECT_EQ(scheme.turns(), (TTurns{CHORD_LEAP_1, REPETITION, CHORD_LEAP_2}));
    scheme.mixTurns();
    TTurns sorted = scheme.turns();
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (TTurns{REPETITION, CHORD_LEAP_1, CHORD_LEAP_2}));
    EXPECT_EQ(listener.changed, 3);

    scheme.clearTurns();
    EXPECT_TRUE(scheme.turns().empty());
    scheme.defaultTurns();
    EXPECT_EQ(scheme.turns().size(), 9u);
    EXPECT_FALSE(scheme.turnsInOrder());
}

TEST(PitchScheme, TurnChoiceDrawsDistinctTurnsAndRepeatsThemInOrder) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    const TTurns source{NEIGHBOUR, PASSING, DOUBLE_NEIGHBOUR, APPOGGIATURA, ESCAPE};
    for (int round = 0; round < 100; ++round) {
        scheme.applyTurnChoice(source, 3, false);
        TTurns chosen = scheme.turns();
        ASSERT_EQ(chosen.size(), 3u);
        std::sort(chosen.begin(), chosen.end());
        EXPECT_EQ(std::adjacent_find(chosen.begin(), chosen.end()), chosen.end());

        scheme.applyTurnChoice(source, 4, true);
        EXPECT_EQ(scheme.turns().size(), 4u);
        for (TURN_ROUND t : scheme.turns())
            EXPECT_TRUE(isNonChordTurn(t));
    }
}

TEST(PitchScheme, ContrastSourceDropsLoneChordNotes) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    EXPECT_EQ(scheme.pitchContrastSource(), scheme.turns());
    TMotive& motive = scheme.pitchContrastMotive();
    motive = TMotive(TKey(), TMeasure(2, 120), 120);
    motive.notes() = {flagged(120, 20, true), flagged(240, 20, true), flagged(300, 21, false),
                      flagged(330, 20, true)};
    EXPECT_EQ(scheme.pitchContrastSource(), (TTurns{NEIGHBOUR}));
}

} // namespace
