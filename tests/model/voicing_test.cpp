#include "model/chord.h"
#include "model/chordcatalogue.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const TKey cMajor(0, MAJOR);
const TKey aMinor(0, MINOR);

std::vector<TChordArrangement> atSoprano(const TChordArrangementMap& map, int soprano) {
    std::vector<TChordArrangement> found;
    const auto [begin, end] = map.equal_range(soprano);
    for (auto it = begin; it != end; ++it)
        found.push_back(it->second);
    return found;
}

TVoices upperWithBass(const TChordArrangement& a, int j) {
    return {a.soprano, a.alto, a.tenor, a.bassCandidates[static_cast<std::size_t>(j)]};
}

TChordArrangement arrangement(int soprano, int alto, int tenor, std::vector<int> basses,
                              std::vector<bool> valid) {
    TChordArrangement a;
    a.soprano = soprano;
    a.alto = alto;
    a.tenor = tenor;
    a.bassCount = static_cast<int>(basses.size());
    for (std::size_t j = 0; j < basses.size(); ++j) {
        a.bassCandidates[j] = basses[j];
        a.bassValid[j] = valid[j];
    }
    return a;
}

// A chord whose only arrangements are the given ones, all in its first doubling.
TChord chordWith(const std::vector<TChordArrangement>& arrangements) {
    TChord chord = chordOfType("TONIC_THREE_CHORD");
    chord.arrangements().assign(chord.doublings().size(), TChordArrangementMap{});
    for (const TChordArrangement& a : arrangements)
        chord.arrangements()[0].emplace(a.soprano, a);
    return chord;
}

} // namespace

TEST(Arrangements, TonicTriadOfCMajorStartsAsDescribedForBothDoublings) {
    TChord tonic = chordOfType("TONIC_THREE_CHORD");
    tonic.generateArrangements(cMajor, 13, 34);
    ASSERT_EQ(tonic.arrangements().size(), 2u);

    const auto& first = tonic.arrangements()[0].begin()->second;
    EXPECT_EQ(upperWithBass(first, 0), (TVoices{13, 10, 8, 6}));
    EXPECT_EQ(first.bassCount, 1);
    EXPECT_EQ(first.spacing, SPACING_CLOSE);

    // With the root doubled the soprano's own position is also the first alto tried.
    const auto doubledRoot = atSoprano(tonic.arrangements()[1], 13);
    ASSERT_EQ(doubledRoot.size(), 2u);
    EXPECT_EQ(upperWithBass(doubledRoot[0], 0), (TVoices{13, 13, 8, 6}));
    EXPECT_EQ(doubledRoot[0].spacing, SPACING_MIXED);
    // Alto a fifth below in open spacing, tenor a third below it: the other mixed option.
    EXPECT_EQ(upperWithBass(doubledRoot[1], 0), (TVoices{13, 8, 6, 6}));
    EXPECT_EQ(doubledRoot[1].spacing, SPACING_MIXED);
}

TEST(Arrangements, SameSopranoKeepsSpacingOptionOrderThenDescendingAlto) {
    TChord tonic = chordOfType("TONIC_THREE_CHORD");
    tonic.generateArrangements(cMajor, 15, 15);
    // Close first, then open: E over C G, then E over C C... in the first doubling.
    const auto plain = atSoprano(tonic.arrangements()[0], 15);
    ASSERT_EQ(plain.size(), 2u);
    EXPECT_EQ(upperWithBass(plain[0], 0), (TVoices{15, 13, 10, 6}));
    EXPECT_EQ(plain[0].spacing, SPACING_CLOSE);
    EXPECT_EQ(upperWithBass(plain[1], 0), (TVoices{15, 10, 6, 6}));
    EXPECT_EQ(plain[1].spacing, SPACING_OPEN);

    const auto doubled = atSoprano(tonic.arrangements()[1], 15);
    ASSERT_EQ(doubled.size(), 2u);
    EXPECT_EQ(doubled[0].spacing, SPACING_CLOSE);
    EXPECT_EQ(doubled[0].bassCount, 2); // tenor 13 leaves room for C at 13 and at 6
    EXPECT_EQ(doubled[0].bassCandidates[0], 13);
    EXPECT_EQ(doubled[0].bassCandidates[1], 6);
    EXPECT_EQ(doubled[1].spacing, SPACING_MIXED);

    EXPECT_EQ(tonic.maxPerSoprano(), (std::vector<int>{2, 2}));
    EXPECT_EQ(tonic.arrangementCount(), 4);
}

TEST(Arrangements, EmptyWindowLeavesEmptyMapsAndEveryMotionOpen) {
    TChord dominant = chordOfType("DOMINANT_FOUR_CHORD");
    dominant.generateArrangements(cMajor, 20, 19);
    ASSERT_EQ(dominant.arrangements().size(), 2u);
    for (const auto& map : dominant.arrangements())
        EXPECT_TRUE(map.empty());
    EXPECT_EQ(dominant.maxPerSoprano(), (std::vector<int>{0, 0}));
    EXPECT_EQ(dominant.arrangementCount(), 0);
    for (bool flag : dominant.motionFlags())
        EXPECT_TRUE(flag);
    EXPECT_FALSE(dominant.hasValidArrangement());
    EXPECT_FALSE(dominant.chooseVoicing(25));
    EXPECT_FALSE(dominant.isVoiced());
}

TEST(Arrangements, RegeneratingReplacesEverything) {
    TChord tonic = chordOfType("TONIC_THREE_CHORD");
    tonic.generateArrangements(cMajor, 13, 34);
    tonic.generateArrangements(cMajor, 13, 13);
    for (const auto& map : tonic.arrangements())
        for (const auto& entry : map)
            EXPECT_EQ(entry.first, 13);
}

TEST(Arrangements, DoublingWithoutTheSopranosToneGivesNoArrangementThere) {
    // The seventh chord on the tonic leaves the root out of the upper voices.
    TChord seventh = chordOfType("TONIC_FOUR_CHORD");
    seventh.generateArrangements(cMajor, 13, 34);
    EXPECT_TRUE(atSoprano(seventh.arrangements()[0], 13).empty());  // C
    EXPECT_TRUE(atSoprano(seventh.arrangements()[0], 20).empty());  // C
    EXPECT_FALSE(atSoprano(seventh.arrangements()[0], 15).empty()); // E
}

TEST(Arrangements, BassNeverFallsBelowTheRange) {
    // In E minor the six-four chord's tenor on G at 3 would need its bass B five steps lower.
    TChord sixFour = chordOfType("K_SIXTH_FOURTH_CHORD");
    sixFour.generateArrangements(TKey(1, MINOR), 0, 12);
    bool tenorHigherFound = false;
    for (const auto& [soprano, a] : sixFour.arrangements()[0]) {
        EXPECT_NE(a.tenor, 3);
        tenorHigherFound = tenorHigherFound || a.tenor == 8;
        for (int j = 0; j < a.bassCount; ++j)
            EXPECT_GE(a.bassCandidates[static_cast<std::size_t>(j)], 0);
    }
    EXPECT_TRUE(tenorHigherFound);
    EXPECT_TRUE(atSoprano(sixFour.arrangements()[0], 8).empty()); // would be 8, 5, 3 close
}

TEST(Arrangements, WindowBeyondThePitchRangeIsClipped) {
    TChord tonic = chordOfType("TONIC_THREE_CHORD");
    tonic.generateArrangements(cMajor, -10, 60);
    for (const auto& map : tonic.arrangements())
        for (const auto& [soprano, a] : map)
            EXPECT_TRUE(isValidPitch(soprano));
}

struct TRuleCase {
    const char* what;
    TKey key;
    TVoices previous;
    TVoices next;
    TVoiceLeadingRule expected;
};

class VoiceLeadingRules : public testing::TestWithParam<TRuleCase> {};

TEST_P(VoiceLeadingRules, FirstBrokenRule) {
    const TRuleCase& c = GetParam();
    EXPECT_EQ(firstBrokenRule(c.previous, c.next, c.key), c.expected) << c.what;
}

// C major: 6 C, 8 E, 10 G, 13 C, 15 E, 17 G, 20 C. A minor: 2 F, 3 G sharp, 9 F, 10 G sharp.
INSTANTIATE_TEST_SUITE_P(
    PassingAndFailingPairs, VoiceLeadingRules,
    testing::Values(
        TRuleCase{"two leaping voices pass", cMajor, {20, 17, 15, 6}, {21, 17, 12, 3}, RULE_KEPT},
        TRuleCase{"three leaping voices fail", cMajor, {13, 10, 8, 6}, {19, 14, 10, 3}, RULE_LEAPS},
        TRuleCase{"soprano onto the previous alto and bass onto the previous tenor pass",
                  cMajor,
                  {17, 13, 8, 6},
                  {13, 13, 10, 8},
                  RULE_KEPT},
        TRuleCase{"bass above the previous tenor fails",
                  cMajor,
                  {13, 10, 8, 6},
                  {14, 12, 10, 10},
                  RULE_OVERLAP},
        TRuleCase{
            "all voices up fail", cMajor, {15, 13, 10, 6}, {17, 14, 12, 10}, RULE_ONE_DIRECTION},
        TRuleCase{
            "all voices down fail", cMajor, {15, 13, 10, 6}, {13, 11, 9, 2}, RULE_ONE_DIRECTION},
        TRuleCase{"the identical voicing fails",
                  cMajor,
                  {20, 17, 15, 6},
                  {20, 17, 15, 6},
                  RULE_ONE_DIRECTION},
        TRuleCase{"a fifth held in two voices passes",
                  cMajor,
                  {17, 15, 13, 6},
                  {17, 13, 10, 6},
                  RULE_KEPT},
        TRuleCase{"fifth to fifth between soprano and bass fails",
                  cMajor,
                  {17, 15, 13, 6},
                  {18, 14, 11, 7},
                  RULE_PARALLELS},
        TRuleCase{"octave to octave between alto and bass fails",
                  cMajor,
                  {15, 13, 10, 6},
                  {15, 11, 6, 4},
                  RULE_PARALLELS},
        TRuleCase{"F to E passes", aMinor, {16, 14, 11, 7}, {15, 12, 10, 8}, RULE_KEPT},
        TRuleCase{"F to G sharp fails", aMinor, {16, 14, 11, 7}, {17, 12, 8, 8}, RULE_AUGMENTED},
        TRuleCase{"outer voices in contrary motion into a fifth pass",
                  cMajor,
                  {20, 17, 15, 6},
                  {21, 17, 14, 3},
                  RULE_KEPT},
        TRuleCase{"outer voices both down into a fifth fail",
                  cMajor,
                  {15, 13, 10, 6},
                  {14, 12, 10, 3},
                  RULE_HIDDEN}));

TEST(TestAgainst, MarksCandidatesAndMotionsOfTheDominantAfterTheTonic) {
    TChord dominant = chordOfType("DOMINANT_THREE_CHORD");
    const TVoices tonic{20, 17, 15, 6};
    dominant.generateArrangements(cMajor, 13, 27);
    dominant.testAgainst(tonic, cMajor, 13, 27);
    bool sawInvalid = false;
    for (const auto& map : dominant.arrangements())
        for (const auto& [soprano, a] : map)
            for (int j = 0; j < a.bassCount; ++j) {
                const bool kept = firstBrokenRule(tonic, upperWithBass(a, j), cMajor) == RULE_KEPT;
                EXPECT_EQ(a.bassValid[static_cast<std::size_t>(j)], kept);
                sawInvalid = sawInvalid || !kept;
            }
    EXPECT_TRUE(sawInvalid);
    // B (19) and D (21) are a step away from C (20); G (17, 24) a leap.
    EXPECT_TRUE(dominant.motionFlags()[MOTION_STEP_DOWN]);
    EXPECT_TRUE(dominant.motionFlags()[MOTION_STEP_UP]);
    EXPECT_FALSE(dominant.motionFlags()[MOTION_SAME]);
    EXPECT_FALSE(dominant.motionFlags()[MOTION_TONIC_SOPRANO]);
    EXPECT_TRUE(dominant.canFollow());
}

TEST(TestAgainst, TonicInTheSopranoIsFlaggedOnlyForChordsOnTheTonic) {
    TChord tonic = chordOfType("TONIC_THREE_CHORD");
    const TVoices dominant{19, 17, 14, 10};
    tonic.generateArrangements(cMajor, 13, 26);
    tonic.testAgainst(dominant, cMajor, 13, 26);
    EXPECT_TRUE(tonic.motionFlags()[MOTION_TONIC_SOPRANO]);
    EXPECT_TRUE(tonic.motionFlags()[MOTION_STEP_UP]); // B to C

    // The subdominant may carry C in the soprano, but it is not a tonic chord.
    TChord subdominant = chordOfType("SUBDOMINANT_THREE_CHORD");
    subdominant.generateArrangements(cMajor, 13, 27);
    subdominant.testAgainst({20, 17, 15, 6}, cMajor, 13, 27);
    bool validOnC = false;
    for (const auto& map : subdominant.arrangements())
        for (const auto& [soprano, a] : map)
            validOnC = validOnC || (cMajor.degree(soprano) == 1 && a.hasValidBass());
    EXPECT_TRUE(validOnC);
    EXPECT_FALSE(subdominant.motionFlags()[MOTION_TONIC_SOPRANO]);
}

TEST(TestAgainst, ArrangementsOutsideTheTestedWindowAreNotOffered) {
    TChord tonic = chordOfType("TONIC_THREE_CHORD");
    tonic.generateArrangements(cMajor, 13, 34);
    tonic.testAgainst({19, 17, 14, 10}, cMajor, 20, 20);
    for (const auto& map : tonic.arrangements()) {
        for (const auto& [soprano, a] : map) {
            if (soprano != 20) {
                EXPECT_FALSE(a.hasValidBass()) << soprano;
            }
        }
    }
    ASSERT_TRUE(tonic.chooseVoicing(13));
    EXPECT_EQ(tonic.voice(SOPRANO), 20);
}

TEST(TestAgainst, NoLegalContinuationLeavesTheChordUnableToFollow) {
    // From the lowest close tonic the supertonic triad finds no voicing within a fifth.
    TChord supertonic = chordOfType("LOWINTRO_THREE_CHORD");
    const TVoices tonic{13, 10, 8, 6};
    supertonic.generateArrangements(cMajor, 13, 20);
    ASSERT_GT(supertonic.arrangementCount(), 0);
    supertonic.testAgainst(tonic, cMajor, 13, 20);
    EXPECT_FALSE(supertonic.canFollow());
    EXPECT_FALSE(supertonic.hasValidArrangement());
    EXPECT_FALSE(supertonic.chooseVoicing(13));
    EXPECT_FALSE(supertonic.isVoiced());
}

TEST(TestAgainst, UnvoicedPreviousChordConstrainsNothing) {
    TChord tonic = chordOfType("TONIC_THREE_CHORD");
    tonic.generateArrangements(cMajor, 13, 34);
    tonic.testAgainst({NO_PITCH, NO_PITCH, NO_PITCH, NO_PITCH}, cMajor, 13, 34);
    for (bool flag : tonic.motionFlags())
        EXPECT_TRUE(flag);
    for (const auto& map : tonic.arrangements())
        for (const auto& [soprano, a] : map)
            for (int j = 0; j < a.bassCount; ++j)
                EXPECT_TRUE(a.bassValid[static_cast<std::size_t>(j)]);
    // A voicing read from a file with a voice out of range is treated the same.
    tonic.testAgainst({50, 17, 15, 6}, cMajor, 13, 34);
    EXPECT_TRUE(tonic.canFollow());
}

TEST(BassChoice, FollowsTheValidCandidatesAndTheBassContext) {
    TChord chord = chordOfType("TONIC_THREE_CHORD");
    // A single valid candidate is taken whatever the context.
    EXPECT_EQ(chord.chooseBass(arrangement(20, 17, 15, {13, 6}, {true, false})), 13);
    EXPECT_EQ(chord.chooseBass(arrangement(20, 17, 15, {13, 6}, {false, false})), NO_PITCH);
    // Without a previous bass the lowest of those within two octaves of the tenor.
    EXPECT_EQ(chord.chooseBass(arrangement(27, 24, 20, {20, 13, 6}, {true, true, true})), 6);
    EXPECT_EQ(chord.chooseBass(arrangement(30, 27, 22, {20, 13, 6}, {true, true, true})), 13);
    EXPECT_EQ(chord.chooseBass(arrangement(30, 27, 22, {13, 6}, {true, true})), 13);
    // When every candidate lies lower than that, all of them count again.
    EXPECT_EQ(chord.chooseBass(arrangement(34, 31, 30, {13, 6}, {true, true})), 6);

    chord.setBassContext(8, true);
    EXPECT_EQ(chord.chooseBass(arrangement(20, 17, 15, {13, 6}, {true, true})), 6);
    chord.setBassContext(8, false);
    EXPECT_EQ(chord.chooseBass(arrangement(20, 17, 15, {13, 6}, {true, true})), 13);
    // Nothing moves against the motion: the lowest near candidate.
    chord.setBassContext(20, false);
    EXPECT_EQ(chord.chooseBass(arrangement(20, 17, 15, {13, 6}, {true, true})), 6);
    // A held bass counts as not rising.
    chord.setBassContext(13, true);
    EXPECT_EQ(chord.chooseBass(arrangement(20, 17, 15, {20, 13, 6}, {true, true, true})), 6);
    chord.setBassContext(6, true);
    EXPECT_EQ(chord.chooseBass(arrangement(20, 17, 15, {20, 13, 6}, {true, true, true})), 6);
}

TEST(ChooseVoicing, TakesTheNearestValidSopranoLowerOnTies) {
    TChord chord =
        chordWith({arrangement(17, 15, 13, {6}, {true}), arrangement(24, 20, 17, {13}, {true}),
                   arrangement(20, 17, 15, {6}, {false})});
    ASSERT_TRUE(chord.chooseVoicing(20));
    EXPECT_EQ(chord.voices(), (TVoices{17, 15, 13, 6}));

    TChord tied =
        chordWith({arrangement(17, 15, 13, {6}, {true}), arrangement(23, 20, 17, {13}, {true})});
    ASSERT_TRUE(tied.chooseVoicing(20));
    EXPECT_EQ(tied.voice(SOPRANO), 17);
    ASSERT_TRUE(tied.chooseVoicing(21));
    EXPECT_EQ(tied.voice(SOPRANO), 23);
}

TEST(ChooseVoicing, TakesTheFirstValidArrangementOfTheFirstUsableDoubling) {
    TChord chord =
        chordWith({arrangement(20, 17, 15, {6}, {false}), arrangement(20, 15, 13, {6}, {true}),
                   arrangement(20, 13, 10, {6}, {true})});
    // The second doubling is used only when the first has nothing valid in 13..34.
    chord.arrangements()[1].emplace(20, arrangement(20, 20, 15, {6}, {true}));
    ASSERT_TRUE(chord.chooseVoicing(25));
    EXPECT_EQ(chord.voices(), (TVoices{20, 15, 13, 6}));

    TChord second =
        chordWith({arrangement(20, 17, 15, {6}, {false}), arrangement(35, 30, 27, {20}, {true})});
    second.arrangements()[1].emplace(20, arrangement(20, 20, 15, {6}, {true}));
    ASSERT_TRUE(second.chooseVoicing(25));
    EXPECT_EQ(second.voices(), (TVoices{20, 20, 15, 6}));
}

TEST(ChooseVoicing, KeepsTheVoicesWhenNothingIsValid) {
    TChord chord = chordWith({arrangement(20, 17, 15, {6}, {false})});
    chord.setVoices({13, 10, 8, 6});
    EXPECT_FALSE(chord.chooseVoicing(20));
    EXPECT_EQ(chord.voices(), (TVoices{13, 10, 8, 6}));
}
