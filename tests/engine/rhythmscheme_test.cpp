#include "enginetesthelpers.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

const TMeasure FOUR_FOUR(4, 120);
const TMeasure THREE_FOUR(3, 120);

TEST(RhythmScheme, SetSortsOnlyInSetModeAndNotifiesOnRequest) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TCountingListener listener;
    scheme.setRhythmListener(&listener);
    scheme.setDurations({120, 30, 60}, false, true);
    EXPECT_EQ(scheme.durations(), (TDurations{30, 60, 120}));
    EXPECT_FALSE(scheme.durationsInOrder());
    scheme.setDurations({120, 30, 60}, true, false);
    EXPECT_EQ(scheme.durations(), (TDurations{120, 30, 60}));
    EXPECT_TRUE(scheme.durationsInOrder());
    EXPECT_EQ(listener.changed, 1);
    scheme.clearDurations();
    EXPECT_TRUE(scheme.durations().empty());
    EXPECT_EQ(listener.changed, 2);
}

TEST(RhythmScheme, StartsWithTheDefaultsAndTheTwentyOneChords) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    EXPECT_EQ(scheme.durations(), (TDurations{30, 60, 90, 120, 150, 180, 210, 240}));
    EXPECT_FALSE(scheme.durationsInOrder());
    EXPECT_EQ(scheme.turns().size(), 9u);
    EXPECT_FALSE(scheme.turnsInOrder());
    ASSERT_EQ(scheme.chords().size(), 21u);
    EXPECT_EQ(scheme.chords().front().name(), "TONIC_THREE_CHORD");
    EXPECT_EQ(scheme.chords()[12].name(), "K_SIXTH_FOURTH_CHORD");
    EXPECT_EQ(scheme.chords().back().name(), "TOPINTRO_FOUR_CHORD");
}

TEST(RhythmScheme, RhythmOfAMotiveFillsItsMeasureWithRestsSplitAtBarLines) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TMotive plain(TKey(), FOUR_FOUR);
    plain.notes() = {TNote(0, 20, 120), TNote(240, 20, 120)};
    EXPECT_EQ(scheme.durationsOfMotive(plain), (TDurations{120, -120, 120, -120}));

    // With an upbeat of 120 in 3/4 the motive runs from 240 to 600; the gap 360..600 lies in
    // measure 1 and the gap before the first note crosses nothing.
    TMotive upbeat(TKey(), THREE_FOUR, 120);
    upbeat.notes() = {TNote(300, 20, 60), TNote(480, 20, 60)};
    EXPECT_EQ(scheme.durationsOfMotive(upbeat), (TDurations{-60, 60, -120, 60, -60}));

    // A gap that crosses the bar line comes out as two rests.
    TMotive crossing(TKey(), THREE_FOUR, 120);
    crossing.notes() = {TNote(240, 20, 30), TNote(420, 20, 180)};
    EXPECT_EQ(scheme.durationsOfMotive(crossing), (TDurations{30, -90, -60, 180}));

    TMotive empty(TKey(), THREE_FOUR, 120);
    EXPECT_EQ(scheme.durationsOfMotive(empty), (TDurations{-120, -240}));
}

TEST(RhythmScheme, ContrastSourceFallsBackToTheSchemeForAnEmptyMotive) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setDurations({60, -60, 120}, true, false);
    EXPECT_EQ(scheme.rhythmContrastSource(), scheme.durations());
    scheme.rhythmContrastMotive() = TMotive(TKey(), TMeasure(2, 120));
    scheme.rhythmContrastMotive().notes() = {TNote(0, 20, 240)};
    EXPECT_EQ(scheme.rhythmContrastSource(), (TDurations{240}));
}

TEST(RhythmLayout, PartsWithAndWithoutUpbeat) {
    EXPECT_EQ(measureParts(480, 0), (std::vector<TMeasurePart>{{0, 480}}));
    EXPECT_EQ(measureParts(360, 120), (std::vector<TMeasurePart>{{240, 360}, {360, 600}}));
    EXPECT_EQ(measureParts(360, 360), (std::vector<TMeasurePart>{{0, 360}}));
}

TEST(RhythmLayout, LayoutCoversExactlyOneMeasureSplitAtTheUpbeat) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setUpbeat(120);
    for (int round = 0; round < 200; ++round) {
        const TDurations allowed =
            chooseDurations({30, 60, 90, 120, 150, 180, 210, 240}, draws.draw(8) + 1, draws);
        const TDurations laid = scheme.layOutPlain(allowed, THREE_FOUR);
        EXPECT_EQ(totalLength(laid), 360);
        const auto parts = splitAtMeasure(laid, 360, 120);
        ASSERT_EQ(parts.size(), 2u) << "round " << round;
        EXPECT_EQ(totalLength(parts[0]), 120);
        EXPECT_EQ(totalLength(parts[1]), 240);
        for (DURATION d : laid)
            EXPECT_TRUE(d < 0 || std::find(allowed.begin(), allowed.end(), d) != allowed.end());
    }
}

TEST(RhythmLayout, PlainFillerRestsWhenNothingFits) {
    TRandomGenerator draws;
    TDurations out;
    plainFill(out, 0, 90, {120, 240}, draws);
    EXPECT_EQ(out, (TDurations{-90}));
    out.clear();
    plainFill(out, 0, 150, {120}, draws);
    EXPECT_EQ(out, (TDurations{120, -30}));
}

TEST(RhythmLayout, SubsetChoiceTakesDistinctPositionsInAscendingOrder) {
    TRandomGenerator draws;
    for (int round = 0; round < 100; ++round) {
        const TDurations chosen = chooseDurations({240, 210, 180, 150, 120}, 3, draws);
        ASSERT_EQ(chosen.size(), 3u);
        EXPECT_TRUE(std::is_sorted(chosen.begin(), chosen.end()));
        EXPECT_EQ(std::adjacent_find(chosen.begin(), chosen.end()), chosen.end());
    }
    EXPECT_EQ(chooseDurations({60, 30}, 5, draws), (TDurations{30, 60}));
}

TEST(RhythmLayout, SplitFailsOnWrongTotalsOrParts) {
    EXPECT_EQ(splitAtMeasure({120, 240}, 480, 0).size(), 1u);
    EXPECT_EQ(splitAtMeasure({60, 60, 240, 120}, 480, 120),
              (std::vector<TDurations>{{60, 60}, {240, 120}}));
    // 90 + 60 runs past the upbeat of 120.
    EXPECT_EQ(splitAtMeasure({90, 60, 330}, 480, 120), (std::vector<TDurations>{{90, 60, 330}}));
}

TEST(RhythmLayout, FilterAndNotesPerMeasure) {
    EXPECT_EQ(filterByMeasure({240, 210, 180, 150, 120}, 240, 0),
              (TDurations{240, 210, 180, 150, 120}));
    EXPECT_EQ(filterByMeasure({240, 210, 180, 150, 120}, 240, 60), (TDurations{180, 150, 120}));
    EXPECT_EQ(filterByMeasure({240, 30}, 360, 240), (TDurations{240, 30}));

    // Upbeat 120 in 4/4: the -120 fills the upbeat measure, the second measure holds 2 notes.
    EXPECT_TRUE(hasNotesPerMeasure({-120, 120, 240}, 2, 480, 120));
    EXPECT_FALSE(hasNotesPerMeasure({-120, 120, 240}, 3, 480, 120));
    EXPECT_FALSE(hasNotesPerMeasure({120, -360}, 2, 480, 0));
    EXPECT_FALSE(hasNotesPerMeasure({-480}, 1, 480, 0));
}

TEST(RhythmScheme, InvertReversesEachPartOfTheMeasure) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setDurations({120, 60, 60, 240}, true, false);
    scheme.invertDurations(FOUR_FOUR);
    EXPECT_EQ(scheme.durations(), (TDurations{240, 60, 60, 120}));

    scheme.setUpbeat(120);
    scheme.setDurations({120, 60, 60, 240}, true, false);
    scheme.invertDurations(FOUR_FOUR);
    EXPECT_EQ(scheme.durations(), (TDurations{120, 240, 60, 60}));
}

TEST(RhythmScheme, MixKeepsEachPartsValues) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setUpbeat(120);
    for (int round = 0; round < 50; ++round) {
        scheme.setDurations({60, 60, 30, 90, 180, -60}, true, false);
        scheme.mixDurations(FOUR_FOUR);
        const auto parts = splitAtMeasure(scheme.durations(), 480, 120);
        ASSERT_EQ(parts.size(), 2u);
        TDurations first = parts[0];
        TDurations second = parts[1];
        std::sort(first.begin(), first.end());
        std::sort(second.begin(), second.end());
        EXPECT_EQ(first, (TDurations{60, 60}));
        EXPECT_EQ(second, (TDurations{-60, 30, 90, 180}));
    }
}

TEST(RhythmScheme, InvertAndMixLeaveASetModeSchemeAlone) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TCountingListener listener;
    scheme.setRhythmListener(&listener);
    scheme.setDurations({240, 60}, false, false);
    scheme.invertDurations(FOUR_FOUR);
    scheme.mixDurations(FOUR_FOUR);
    EXPECT_EQ(scheme.durations(), (TDurations{60, 240}));
    EXPECT_EQ(listener.changed, 0);
}

TEST(RhythmScheme, RandomSchemeInOrderIsOneMeasureOfDrawnValues) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setDurations({}, true, false);
    for (int round = 0; round < 100; ++round) {
        scheme.randomDurations(THREE_FOUR);
        EXPECT_TRUE(scheme.durationsInOrder());
        EXPECT_EQ(totalLength(scheme.durations()), 360);
    }
    scheme.setDurations({}, false, false);
    scheme.randomDurations(THREE_FOUR);
    EXPECT_FALSE(scheme.durations().empty());
    EXPECT_TRUE(std::is_sorted(scheme.durations().begin(), scheme.durations().end()));
}

TEST(RhythmScheme, CursorsWrapAndSurviveAShrunkScheme) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setDurations({60, 120, 60}, true, false);
    EXPECT_EQ(scheme.nextDurationIndex(), 1);
    scheme.advanceDurationCursor();
    scheme.advanceDurationCursor();
    EXPECT_EQ(scheme.durationCursor(), 2);
    EXPECT_EQ(scheme.nextDurationIndex(), 0);
    scheme.advanceDurationCursor();
    EXPECT_EQ(scheme.durationCursor(), 0);

    scheme.advanceDurationCursor();
    scheme.advanceDurationCursor();
    scheme.setDurations({60}, true, false); // cursor 2 now points past the end
    EXPECT_EQ(scheme.nextDurationIndex(), 0);
    scheme.setDurations({60, 120, 60}, false, false);
    EXPECT_EQ(scheme.nextDurationIndex(), 0);
    scheme.advanceDurationCursor();
    EXPECT_EQ(scheme.durationCursor(), 0);
}

TEST(RhythmScheme, ExactSequenceFromTheInitialGeneratorState) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setDurations({}, true, false);
    scheme.randomDurations(FOUR_FOUR);
    const TDurations first = scheme.durations();
    draws = TRandomGenerator();
    scheme.randomDurations(FOUR_FOUR);
    EXPECT_EQ(scheme.durations(), first);
    // draw(8) of the first output (346) is 2: three values are chosen, then laid out.
    EXPECT_EQ(first, (TDurations{180, 180, 90, -30}));
}

} // namespace
