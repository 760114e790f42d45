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
        scheme.generator().runSchemeCommand(command, nullptr, FOUR_FOUR,
                                            rhythm ? scheme.durationsInOrder()
                                                   : scheme.turnsInOrder());
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
