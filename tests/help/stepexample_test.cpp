// The example period of the step-by-step help is checked like any composition, and every claim
// its pages make about how a motive was made is checked against the engine.

#include "engine/effect.h"
#include "engine/melodyrules.h"
#include "engine/relativeeffect.h"
#include "engine/scheme.h"
#include "files/periodreader.h"
#include "model/period.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#ifndef EXAMPLE_PERIOD_FILE
#error "EXAMPLE_PERIOD_FILE names the example period"
#endif

namespace {

class StepExample : public ::testing::Test {
protected:
    void SetUp() override {
        readPeriodFile(period, EXAMPLE_PERIOD_FILE);
        for (TMotive* motive : period.allMotives())
            motives.push_back(*motive);
        ASSERT_EQ(motives.size(), 8u);
    }

    std::vector<DURATION> rhythmOf(int k) const {
        const TRhythm r = motives[std::size_t(k)].rhythm();
        return {r.begin(), r.end()};
    }

    std::set<int> turnsOf(int k) {
        const TTurnAnalysis analysis = scheme.turnsOfMotive(motives[std::size_t(k)], false);
        EXPECT_TRUE(analysis.complete) << "motive " << k + 1 << " has turns the engine names";
        std::set<int> kinds;
        for (const TTurnRoundWithDir& t : analysis.turns)
            if (t.turn != NO_TURN)
                kinds.insert(t.turn);
        return kinds;
    }

    // The motive equals the chosen variant of a relative technique whose source is `source`,
    // once the variant takes the motive's chords, as the student does in the panel.
    void expectRelativeVariant(TRelativeEffectKind kind, int source, int variant, int k) {
        auto effect = makeRelativeEffect(kind, scheme);
        effect->setSource(motives[std::size_t(source)]);
        effect->variant(variant).chords() = motives[std::size_t(k)].chords();
        effect->variantHarmonised(variant);
        EXPECT_EQ(effect->variant(variant).notes(), motives[std::size_t(k)].notes())
            << "motive " << k + 1;
    }

    TPeriodData period;
    std::vector<TMotive> motives;
    TRandomGenerator draws;
    TScheme scheme{draws};
};

TEST_F(StepExample, IsAPeriodOfTwoSentencesOfTwoPhrasesOfTwoMotives) {
    ASSERT_EQ(period.sentences().size(), 2u);
    std::vector<std::string> letters;
    for (const TSentenceData& sentence : period.sentences()) {
        ASSERT_EQ(sentence.phrases().size(), 2u);
        for (const TPhraseData& phrase : sentence.phrases()) {
            EXPECT_EQ(phrase.motiveCount(), 2);
            letters.push_back(suffixText(phrase.suffix()));
        }
    }
    EXPECT_EQ(letters, (std::vector<std::string>{"A", "B", "A1", "B1"}));
    EXPECT_EQ(period.key(), TKey(0, MAJOR));
    EXPECT_EQ(period.measure(), TMeasure(3, 120));
    EXPECT_EQ(period.zatakt(), 0);
}

TEST_F(StepExample, HarmonyKeepsTheVoiceLeadingRulesAndTheOrderOfFunctions) {
    const TChord* previous = nullptr;
    for (std::size_t k = 0; k < motives.size(); ++k) {
        ASSERT_TRUE(motives[k].isHarmonised()) << "motive " << k + 1;
        for (const TChord& chord : motives[k].chords()) {
            ASSERT_TRUE(isPlacedVoicing(chord.voices())) << "motive " << k + 1;
            if (previous) {
                EXPECT_EQ(firstBrokenRule(previous->voices(), chord.voices(), period.key()),
                          RULE_KEPT)
                    << "from " << previous->name() << " to " << chord.name() << " in motive "
                    << k + 1;
                EXPECT_TRUE(chord.order() >= previous->order() || chord.tonicFunction())
                    << chord.name() << " may not follow " << previous->name();
            }
            previous = &chord;
        }
    }
}

TEST_F(StepExample, HarmonyAndMelodyKeepTheSchoolRules) {
    const TChord* previous = nullptr;
    for (std::size_t k = 0; k < motives.size(); ++k) {
        for (const TChord& chord : motives[k].chords()) {
            EXPECT_EQ(firstBrokenSchoolRule(previous, chord, chord.voices(), period.key()),
                      SCHOOL_KEPT)
                << chord.name() << " in motive " << k + 1;
            previous = &chord;
        }
        const TMelodyPlace place = melodyPlace(period, *period.allMotives()[k]);
        EXPECT_EQ(melodyFaults(motives[k], place).total(), 0) << "motive " << k + 1;
    }
}

TEST_F(StepExample, TheSeventhOfStepSevenFallsToTheThirdOfTheTonic) {
    // Step 7's page: the F of V7 lies on top and falls a step to E; the leading tone B rises.
    const TChord& seventh = motives[6].chords().back();
    const TChord& tonic = motives[7].chords().front();
    const TKey& key = period.key();
    EXPECT_EQ(key.degree(seventh.voice(SOPRANO)), 4);
    EXPECT_EQ(tonic.voice(SOPRANO), seventh.voice(SOPRANO) - 1);
    for (int voice = SOPRANO; voice <= BASS; ++voice) {
        if (key.degree(seventh.voice(voice)) == 7) {
            EXPECT_EQ(tonic.voice(voice), seventh.voice(voice) + 1) << "voice " << voice;
        }
    }
}

TEST_F(StepExample, RelRepeatStartsItsVariantsAsStepThreeSays) {
    // Under II6 the first variant starts on A above motive 1's G, the second on the A an octave
    // higher, the third on the A an octave lower.
    auto effect = makeRelativeEffect(TRelativeEffectKind::REPEAT, scheme);
    effect->setSource(motives[0]);
    effect->variant(0).chords() = motives[2].chords();
    effect->variantHarmonised(0);
    const int first = effect->variant(0).notes().front().pitch();
    EXPECT_EQ(first, motives[0].notes().front().pitch() + 1);
    EXPECT_EQ(effect->variant(1).notes().front().pitch(), first + 7);
    EXPECT_EQ(effect->variant(2).notes().front().pitch(), first - 7);
    std::vector<int> second;
    for (const TNote& note : effect->variant(1).notes())
        second.push_back(period.key().degree(note.pitch()));
    EXPECT_EQ(second, (std::vector<int>{6, 6, 7, 1})) << "A, A, B, C";
}

TEST_F(StepExample, SentencesCloseWithAHalfAndThenAnAuthenticCadence) {
    EXPECT_EQ(motives[3].chords().back().base(), 5);
    EXPECT_EQ(motives[6].chords().back().base(), 5);
    EXPECT_EQ(motives[7].chords().back().name(), "TONIC_THREE_CHORD");
    const TNote& last = motives[7].notes().back();
    EXPECT_EQ(period.key().degree(last.pitch()), 1);
    // Each cadence lands on a long chord tone.
    for (int k : {3, 7}) {
        const TNote& end = motives[std::size_t(k)].notes().back();
        EXPECT_TRUE(end.chordingNote()) << "motive " << k + 1;
        EXPECT_GE(end.duration(), 240) << "motive " << k + 1;
    }
}

TEST_F(StepExample, SchemeMotivesFollowTheirRhythmAndPitchSchemes) {
    // Step 1: rhythm quarter, two eighths, quarter; passing turns and chord leaps.
    EXPECT_EQ(rhythmOf(0), (std::vector<DURATION>{120, 60, 60, 120}));
    for (int turn : turnsOf(0))
        EXPECT_TRUE(turn == PASSING || turn == CHORD_LEAP_1) << turn;
    // Step 4: two eighths and a half; it falls to the dominant's root.
    EXPECT_EQ(rhythmOf(3), (std::vector<DURATION>{60, 60, 240}));
    for (int turn : turnsOf(3))
        EXPECT_TRUE(turn == PASSING || turn == NEIGHBOUR || turn == CHORD_LEAP_1) << turn;
    EXPECT_EQ(period.key().degree(motives[3].notes().back().pitch()), 5);
    // Step 8: a quarter and a half, settling on the tonic.
    EXPECT_EQ(rhythmOf(7), (std::vector<DURATION>{120, 240}));
}

TEST_F(StepExample, ContrastMotiveTakesTheOppositeCategoriesOfTheFirstMotive) {
    scheme.setUpbeat(0);
    scheme.rhythmContrastMotive() = motives[0];
    scheme.pitchContrastMotive() = motives[0];
    // The first motive has as many short as long notes and only small turns: the contrast
    // commands answer with long durations and large turns.
    EXPECT_EQ(scheme.runCommand(2, period.measure(), true), 1);
    EXPECT_EQ(scheme.runCommand(22, period.measure(), false), 21);
    for (DURATION d : rhythmOf(1))
        EXPECT_GE(d, 120);
    const std::set<int> turns = turnsOf(1);
    EXPECT_FALSE(turns.empty());
    for (int turn : turns)
        EXPECT_TRUE(isLargeTurn(turn)) << turn;
}

TEST_F(StepExample, DevelopedMotivesAreVariantsOfTheTechniquesThePagesName) {
    // Step 3: "Rel. Repeat" of motive 1, first variant, under the supertonic six.
    expectRelativeVariant(TRelativeEffectKind::REPEAT, 0, 0, 2);
    EXPECT_EQ(motives[2].chords().front().name(), "LOWINTRO_SIXTH_CHORD");
    // Step 5: "Rel. Other" of motive 1, second variant (backwards).
    expectRelativeVariant(TRelativeEffectKind::OTHER, 0, 1, 4);

    // Steps 6 and 7: "Repeat" of motives 2 and 4, first variant.
    TEffect effect(scheme);
    EXPECT_EQ(effect.makeVariants(TSimpleEffect::REPEAT, motives[1])[0].notes(),
              motives[5].notes());
    EXPECT_EQ(effect.makeVariants(TSimpleEffect::REPEAT, motives[3])[0].notes(),
              motives[6].notes());
    // The repeats keep the harmony of their models, the dominant gaining its seventh.
    EXPECT_EQ(motives[5].chords().front().name(), motives[1].chords().front().name());
    EXPECT_EQ(motives[6].chords().front().name(), "DOMINANT_FOUR_CHORD");
}

TEST_F(StepExample, StepTableSourcesNameTheStepsOwnMotives) {
    // The help opens "Rel. Repeat", "Rel. Other" and "Repeat" with the motive of the step as the
    // source: their first variant must then show that motive's melody again, so that the
    // student sees the tool reproduce it.
    TEffect effect(scheme);
    for (int k : {5, 6})
        EXPECT_EQ(effect.makeVariants(TSimpleEffect::REPEAT, motives[std::size_t(k)])[0].notes(),
                  motives[std::size_t(k)].notes());
    expectRelativeVariant(TRelativeEffectKind::REPEAT, 2, 0, 2);
    // Step 5's page: the retrograde of motive 5 under the tonic is motive 1 again.
    expectRelativeVariant(TRelativeEffectKind::OTHER, 4, 1, 0);
}

} // namespace
