#include "engine/schemecommand.h"
#include "enginetesthelpers.h"

#include <gtest/gtest.h>

namespace {

const TMeasure FOUR_FOUR(4, 120);

// The facade keeps the halves apart: a command writes one half only, and only that half's
// panel hears of it.
TEST(Scheme, EachCommandWritesOneHalfAndTellsOnlyItsListener) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TCountingListener rhythmPanel;
    TCountingListener pitchPanel;
    scheme.setRhythmListener(&rhythmPanel);
    scheme.setPitchListener(&pitchPanel);
    for (int command = 0; command < SCHEME_COMMAND_COUNT; ++command) {
        const bool rhythm = command < FIRST_PITCH_COMMAND;
        const TDurations durations = scheme.durations();
        const TTurns turns = scheme.turns();
        const int rhythmHeard = rhythmPanel.changed;
        const int pitchHeard = pitchPanel.changed;
        scheme.runCommand(command, FOUR_FOUR,
                          rhythm ? scheme.durationsInOrder() : scheme.turnsInOrder());
        if (rhythm) {
            EXPECT_EQ(scheme.turns(), turns) << command;
            EXPECT_EQ(pitchPanel.changed, pitchHeard) << command;
        } else {
            EXPECT_EQ(scheme.durations(), durations) << command;
            EXPECT_EQ(rhythmPanel.changed, rhythmHeard) << command;
        }
    }
    EXPECT_GT(rhythmPanel.changed, 10);
    EXPECT_GT(pitchPanel.changed, 10);
}

// Generation and candidate queries run in the key and meter they are given, which the scheme
// keeps until the next one.
TEST(Scheme, EachGenerationAndQueryRunsInItsOwnKeyAndMeter) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    const TKey cMajor(0, MAJOR);
    TMotive motive(cMajor, TMeasure(3, 120));
    motive.chords().push_back(chordAt("DOMINANT_THREE_CHORD", 0));
    scheme.generateMotive(motive, {});
    EXPECT_EQ(scheme.key(), cMajor);
    EXPECT_EQ(scheme.measure(), TMeasure(3, 120));

    // In A minor the dominant's third is the raised seventh, and the candidates say so.
    const TKey aMinor(0, MINOR);
    variant_set candidates;
    scheme.noteCandidates({TNote(), TNote(), TNote()}, chordOfType("DOMINANT_THREE_CHORD"), false,
                          false, true, candidates, FOUR_FOUR, aMinor, 0, 480);
    EXPECT_EQ(scheme.key(), aMinor);
    EXPECT_EQ(scheme.measure(), FOUR_FOUR);
    ASSERT_FALSE(candidates.empty());
    int raised = 0;
    for (const TScVariant& v : candidates) {
        EXPECT_EQ(v.sign, aMinor.isRaisedSeventh(v.pitch)) << v.pitch;
        raised += v.sign;
    }
    EXPECT_GT(raised, 0);
}

} // namespace

namespace {

// The table the scheme panel and the fast menu build their buttons from: each half has five
// categories of a pair of generators, a contrast command and a command on the whole half.
TEST(SchemeCommands, TheTableListsEveryCommandInItsCategory) {
    for (int command = 0; command < SCHEME_COMMAND_COUNT; ++command) {
        const TSchemeCommandEntry* entry = schemeCommandEntry(command);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->command, command);
        EXPECT_NE(std::string(entry->hintKey), "");
        const int local = command % FIRST_PITCH_COMMAND;
        EXPECT_EQ(entry->category, local / 4) << command;
        EXPECT_EQ(entry->row, local % 4) << command;
    }
    EXPECT_EQ(schemeCommandEntry(-1), nullptr);
    EXPECT_EQ(schemeCommandEntry(SCHEME_COMMAND_COUNT), nullptr);
    EXPECT_EQ(schemeCommandKey(SCHEME_COMMAND_COUNT), nullptr);
}

// A contrast command runs, and shows pressed, one of the two generators of its own category;
// every other command shows none.
TEST(SchemeCommands, AContrastCommandShowsAGeneratorOfItsCategory) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TMotive quarters(TKey(), FOUR_FOUR);
    quarters.notes() = {TNote(0, 20, 120), TNote(120, 22, 120), TNote(240, 24, 120),
                        TNote(360, 20, 120)};
    quarters.chords() = {chordAt("TONIC_THREE_CHORD", 0)};
    quarters.recomputeChordingFlags();
    for (const bool withMotive : {false, true}) {
        scheme.rhythmContrastMotive() = withMotive ? quarters : TMotive();
        scheme.pitchContrastMotive() = withMotive ? quarters : TMotive();
        for (const TSchemeCommandEntry& entry : SCHEME_COMMANDS) {
            const bool inOrder =
                isPitchCommand(entry.command) ? scheme.turnsInOrder() : scheme.durationsInOrder();
            const int shown = scheme.runCommand(entry.command, FOUR_FOUR, inOrder);
            if (entry.kind != TSchemeCommandKind::CONTRAST) {
                EXPECT_EQ(shown, -1) << entry.command;
                continue;
            }
            const TSchemeCommandEntry* generator = schemeCommandEntry(shown);
            ASSERT_NE(generator, nullptr) << entry.command;
            EXPECT_EQ(generator->kind, TSchemeCommandKind::GENERATOR) << entry.command;
            EXPECT_EQ(generator->category, entry.category) << entry.command;
            EXPECT_EQ(isPitchCommand(shown), isPitchCommand(entry.command)) << entry.command;
        }
    }
}

} // namespace
