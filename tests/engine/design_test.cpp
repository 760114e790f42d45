#include "effecttesthelpers.h"
#include "engine/design.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using TRhythms = std::set<TDurations>;

// Every result an operation gives over many runs (with the unchanged input when it fails).
template <class Op> TRhythms outcomes(const TDurations& rhythm, const Op& op) {
    TRhythms seen;
    for (int run = 0; run < 200; ++run) {
        TDurations copy = rhythm;
        op(copy);
        seen.insert(copy);
    }
    return seen;
}

TEST(RelativeOperations, SplitCutsOneNoteAtAnySixteenth) {
    TRandomGenerator draws;
    EXPECT_EQ(
        outcomes({120}, [&draws](TDurations& r) { EXPECT_TRUE(TEffect::relSplit(r, draws)); }),
        (TRhythms{{30, 90}, {60, 60}, {90, 30}}));
    TDurations unsplittable{30, -90};
    EXPECT_FALSE(TEffect::relSplit(unsplittable, draws));
    EXPECT_EQ(unsplittable, (TDurations{30, -90}));
}

TEST(RelativeOperations, MergeJoinsNeighboursOfOneMeasureIntoANote) {
    TRandomGenerator draws;
    EXPECT_EQ(
        outcomes({120, -120, 120, 120},
                 [&draws](TDurations& r) { EXPECT_TRUE(TEffect::relMerge(r, 0, 480, draws)); }),
        (TRhythms{{240, 120, 120}, {120, 240, 120}, {120, -120, 240}}));
    TDurations rests{-120, -120};
    EXPECT_TRUE(TEffect::relMerge(rests, 0, 480, draws));
    EXPECT_EQ(rests, (TDurations{240}));
    // After an upbeat of a quarter in 4/4 the first quarter ends on the bar line.
    EXPECT_EQ(
        outcomes({120, 240, 120},
                 [&draws](TDurations& r) { EXPECT_TRUE(TEffect::relMerge(r, 360, 480, draws)); }),
        (TRhythms{{120, 360}}));
    TDurations single{480};
    EXPECT_FALSE(TEffect::relMerge(single, 0, 480, draws));
    TDurations acrossBar{120, 240};
    EXPECT_FALSE(TEffect::relMerge(acrossBar, 360, 480, draws));
}

TEST(RelativeOperations, SwapExchangesUnequalNeighboursOfOneMeasure) {
    TRandomGenerator draws;
    TDurations equal{60, 60, 60};
    EXPECT_FALSE(TEffect::relSwapRhythm(equal, 0, 240, draws));
    EXPECT_EQ(outcomes({60, 60, -120},
                       [&draws](TDurations& r) {
                           EXPECT_TRUE(TEffect::relSwapRhythm(r, 0, 240, draws));
                       }),
              (TRhythms{{60, -120, 60}}));
}

TEST(RelativeOperations, TurnOperations) {
    TRandomGenerator draws;
    const TTurnsWithDir turns{
        {CHORD_LEAP_1, true, 2, true}, {NEIGHBOUR, false, 3, true}, {NEIGHBOUR, true, 3, true}};
    for (int run = 0; run < 100; ++run) {
        TTurnsWithDir changed = turns;
        ASSERT_TRUE(TEffect::relChangeTurn(changed, draws));
        ASSERT_EQ(changed.size(), turns.size());
        int differing = 0;
        for (std::size_t i = 0; i < turns.size(); ++i) {
            if (changed[i] == turns[i])
                continue;
            ++differing;
            EXPECT_NE(changed[i].turn, turns[i].turn);
            EXPECT_TRUE(isPlacingTurn(changed[i].turn));
            EXPECT_EQ(changed[i].up, turns[i].up);
        }
        EXPECT_EQ(differing, 1);

        TTurnsWithDir reversed = turns;
        ASSERT_TRUE(TEffect::relChangeTurnDir(reversed, draws));
        int flipped = 0;
        for (std::size_t i = 0; i < turns.size(); ++i)
            flipped += reversed[i].up != turns[i].up ? 1 : 0;
        EXPECT_EQ(flipped, 1);

        // Only the first pair holds two different turns; the records travel whole.
        TTurnsWithDir swapped = turns;
        ASSERT_TRUE(TEffect::relSwapTurn(swapped, draws));
        EXPECT_EQ(swapped, (TTurnsWithDir{turns[1], turns[0], turns[2]}));
    }
    TTurnsWithDir same{{PASSING, true}, {PASSING, false}};
    EXPECT_FALSE(TEffect::relSwapTurn(same, draws));
    TTurnsWithDir none;
    EXPECT_FALSE(TEffect::relChangeTurn(none, draws));
    EXPECT_FALSE(TEffect::relChangeTurnDir(none, draws));
    EXPECT_FALSE(TEffect::relSwapTurn(none, draws));
}

TEST(ReadDesign, HarmonisedMotiveKeepsItsMarksAndDrawsNothing) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    // C major tonic: pitch 20 is a chord tone (C), 21 is not.
    TMotive motive = melody({{0, 20, 120}, {120, 21, 120}, {240, 20, 120}, {360, 22, 120}});
    motive.chords() = {chordAt("TONIC_THREE_CHORD", 0)};
    motive.recomputeChordingFlags();
    const std::uint32_t state = draws.state();
    const TDesign design = readDesign(motive, scheme);
    EXPECT_EQ(draws.state(), state);
    EXPECT_EQ(design.rhythm, (TDurations{120, 120, 120, 120}));
    EXPECT_EQ(design.turns,
              (TTurnsWithDir{{NEIGHBOUR, true, 3, true}, {CHORD_LEAP_1, true, 2, true}}));
    EXPECT_EQ(design.beacons.size(), 1u);
    EXPECT_EQ(design.beacons[0].pitch, 20);
    EXPECT_EQ(design.beacons[0].time, 0);
}

TEST(ReadDesign, LoneChordNotesGiveOneRepetitionAndEmptyPartsPitch20) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    // Upbeat of a quarter in 2/4: the upbeat part is empty, the other holds one note.
    TMotive motive = melody({{240, 25, 120}}, TMeasure(2, 120), 120);
    const std::uint32_t state = draws.state();
    const TDesign design = readDesign(motive, scheme);
    // A chord is drawn for the marks.
    EXPECT_NE(draws.state(), state);
    EXPECT_EQ(design.turns, (TTurnsWithDir{{REPETITION, true, 0, true}}));
    ASSERT_EQ(design.beacons.size(), 2u);
    EXPECT_EQ(design.beacons[0].pitch, EMPTY_PART_BEACON_PITCH);
    EXPECT_EQ(design.beacons[1].pitch, 25);
    EXPECT_EQ(design.rhythm, (TDurations{-120, 120}));
}

TEST(RelativeVariation, RegeneratesUnderTheTargetsChordsFromAChangedDesign) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TEffect effect(scheme);
    int changed = 0;
    const std::vector<TMotive> sources = generatedSources(6);
    for (std::size_t s = 0; s < sources.size(); ++s) {
        TMotive source = sources[s];
        const TDesign design = readDesign(source, scheme);
        TMotive plain = source;
        plain.clearNotes();
        scheme.regenerateMotive(design.rhythm, design.turns, design.beacons, plain);
        TMotive target = source;
        target.clearNotes();
        effect.relativeVariation(design.rhythm, design.turns, design.beacons, target);
        const std::string what = "source " + std::to_string(s);
        expectWellFormed(target, what);
        EXPECT_EQ(target.chords().size(), source.chords().size());
        const auto parts = TEffect::notesByPart(target);
        for (std::size_t p = 0; p < parts.size(); ++p) {
            if (parts[p].empty())
                continue;
            const TChord* own = target.chordOfMeasureAt(parts[p].front().time());
            ASSERT_NE(own, nullptr);
            EXPECT_TRUE(own->isChordTone(target.key(), parts[p].front().pitch())) << what;
        }
        changed += target.sameContent(plain) ? 0 : 1;
    }
    EXPECT_GT(changed, int(sources.size()) / 2);
}

} // namespace
