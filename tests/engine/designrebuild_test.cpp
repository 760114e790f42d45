#include "effecttesthelpers.h"
#include "engine/designrebuild.h"
#include "engine/turnanalysis.h"

#include <gtest/gtest.h>

namespace {

// Eighths over the C major tonic in 4/4, leaping by chord tones up, up, down, down, up, up, up.
TMotive risingAndFalling() {
    TMotive motive = melody({{0, 20, 60},
                             {60, 22, 60},
                             {120, 24, 60},
                             {180, 22, 60},
                             {240, 20, 60},
                             {300, 22, 60},
                             {360, 24, 60},
                             {420, 27, 60}});
    motive.chords() = {chordAt("TONIC_THREE_CHORD", 0)};
    motive.recomputeChordingFlags();
    return motive;
}

std::vector<bool> directionsOf(const TTurnsWithDir& turns) {
    std::vector<bool> out;
    for (const TTurnRoundWithDir& turn : turns)
        out.push_back(turn.up);
    return out;
}

} // namespace

TEST(RebuildFromDesign, APitchCommandKeepsTheDesignsRhythmStartAndDirections) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TMotive motive = risingAndFalling();
    const TDesign design = readDesign(motive, scheme);
    ASSERT_EQ(directionsOf(design.turns),
              (std::vector<bool>{true, true, false, false, true, true, true}));

    // As many new turns as the design has, then fewer: the directions are taken at their places.
    for (const TTurns& newTurns : {TTurns{CHORD_LEAP_1, CHORD_LEAP_2, CHORD_LEAP_1, CHORD_LEAP_1,
                                          CHORD_LEAP_1, CHORD_LEAP_2, CHORD_LEAP_1},
                                   TTurns{CHORD_LEAP_1, CHORD_LEAP_1, CHORD_LEAP_1}}) {
        scheme.setTurns(newTurns, true, false);
        TMotive rebuilt = motive;
        rebuildFromDesign(scheme, rebuilt, design, false, {});

        EXPECT_EQ(durationsOfMotive(rebuilt), design.rhythm);
        const TNoteList& notes = rebuilt.notes();
        ASSERT_EQ(notes.size(), 8u);
        EXPECT_EQ(notes[0].pitch(), 20);
        for (std::size_t i = 1; i < notes.size(); ++i) {
            const std::size_t turn = (i - 1) % newTurns.size();
            const bool up = design.turns[turn % design.turns.size()].up;
            EXPECT_EQ(notes[i].pitch() > notes[i - 1].pitch(), up)
                << "note " << i << " of " << newTurns.size() << " turns";
            EXPECT_NE(notes[i].pitch(), notes[i - 1].pitch()) << "note " << i;
        }
        // The turns are the scheme's.
        const TTurnsWithDir read = turnsOfMotive(rebuilt, true).turns;
        ASSERT_EQ(read.size(), 7u);
        for (std::size_t i = 0; i < read.size(); ++i)
            EXPECT_EQ(read[i].turn, newTurns[i % newTurns.size()]) << "turn " << i;
    }
}

TEST(RebuildFromDesign, ARhythmCommandKeepsTheDesignsTurnsAndStartPitches) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TMotive motive = risingAndFalling();
    const TDesign design = readDesign(motive, scheme);
    const TDurations rhythm{120, 60, 60, 120, 120};
    scheme.setDurations(rhythm, true, false);
    rebuildFromDesign(scheme, motive, design, true, {});

    EXPECT_EQ(durationsOfMotive(motive), rhythm);
    ASSERT_EQ(motive.notes().size(), 5u);
    EXPECT_EQ(motive.notes()[0].pitch(), 20);
    const TTurnsWithDir read = turnsOfMotive(motive, true).turns;
    ASSERT_EQ(read.size(), 4u);
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].turn, design.turns[i].turn) << "turn " << i;
        EXPECT_EQ(read[i].up, design.turns[i].up) << "turn " << i;
    }
}

TEST(RebuildFromDesign, EachMeasurePartStartsOnItsOwnPitch) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    // An upbeat of a quarter in 3/4, the upbeat on the dominant and the measure on the tonic.
    TMotive motive = melody({{240, 26, 120}, {360, 22, 120}, {480, 24, 120}, {600, 27, 120}},
                            TMeasure(3, 120), 120);
    motive.chords() = {chordAt("DOMINANT_THREE_CHORD", 0), chordAt("TONIC_THREE_CHORD", 360)};
    motive.recomputeChordingFlags();
    const TDesign design = readDesign(motive, scheme);
    ASSERT_EQ(design.beacons.size(), 2u);
    for (const bool rhythmCommand : {true, false}) {
        scheme.setDurations({60}, true, false);
        scheme.setTurns({REPETITION}, true, false);
        TMotive rebuilt = motive;
        rebuildFromDesign(scheme, rebuilt, design, rhythmCommand, {});
        const TNoteList& notes = rebuilt.notes();
        ASSERT_FALSE(notes.empty());
        EXPECT_EQ(notes.front().pitch(), 26) << rhythmCommand;
        const auto second = std::find_if(notes.begin(), notes.end(),
                                         [](const TNote& n) { return n.time() >= 360; });
        ASSERT_NE(second, notes.end());
        EXPECT_EQ(second->time(), 360);
        EXPECT_EQ(second->pitch(), 22) << rhythmCommand;
    }
}

// With no notes to keep, the motive is generated along the contour drawn inside it.
TEST(RebuildFromDesign, AMotiveWithoutNotesFollowsTheContourInsideIt) {
    TMotive empty = risingAndFalling();
    empty.clearNotes();
    const TLights contour{{300, 30}, {-120, 14}, {0, 18}, {480, 33}, {120, 26}};
    const TLights inside{{0, 18}, {120, 26}, {300, 30}};
    for (const bool rhythmCommand : {true, false}) {
        TRandomGenerator draws;
        TScheme scheme(draws);
        TRandomGenerator twinDraws;
        TScheme twin(twinDraws);
        TMotive rebuilt = empty;
        rebuildFromDesign(scheme, rebuilt, TDesign{}, rhythmCommand, contour);
        TMotive expected = empty;
        twin.generateMotive(expected, inside);
        EXPECT_FALSE(rebuilt.notes().empty());
        EXPECT_TRUE(rebuilt.sameContent(expected)) << rhythmCommand;
    }
}
