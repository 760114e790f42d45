#include "engine/schemegenerator.h"
#include "enginetesthelpers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace {

const TMeasure TWO_FOUR(2, 120);
const TMeasure THREE_FOUR(3, 120);
const TMeasure FOUR_FOUR(4, 120);
const TMeasure SIX_EIGHT(6, 60);

int run(TScheme& scheme, int command, const TMeasure& measure) {
    const bool inOrder = command < 20 ? scheme.durationsInOrder() : scheme.turnsInOrder();
    return scheme.runCommand(command, measure, inOrder);
}

// The parts of a laid-out measure, or nothing when the scheme is not one.
std::vector<TDurations> partsOf(const TScheme& scheme, const TMeasure& measure) {
    const int length = measure.ticksPerMeasure();
    auto split = splitAtMeasure(scheme.durations(), length, scheme.upbeat());
    if (split.size() != measureParts(length, scheme.upbeat()).size())
        return {};
    if (totalLength(scheme.durations()) != length)
        return {};
    return split;
}

TEST(SchemeCommands, ShortDurationsInSetModeStaySorted) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    for (int round = 0; round < 50; ++round) {
        EXPECT_EQ(run(scheme, 0, FOUR_FOUR), -1);
        const TDurations& d = scheme.durations();
        EXPECT_FALSE(scheme.durationsInOrder());
        ASSERT_FALSE(d.empty());
        EXPECT_TRUE(std::is_sorted(d.begin(), d.end()));
        for (DURATION value : d)
            EXPECT_TRUE(value == 30 || value == 60 || value == 90);
        EXPECT_EQ(std::adjacent_find(d.begin(), d.end()), d.end());
    }
}

TEST(SchemeCommands, LongDurationsInOrderFitTwoFour) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setDurations({}, true, false);
    for (int round = 0; round < 50; ++round) {
        run(scheme, 1, TWO_FOUR);
        EXPECT_TRUE(scheme.durationsInOrder());
        EXPECT_EQ(totalLength(scheme.durations()), 240);
        for (DURATION value : scheme.durations())
            EXPECT_LE(std::abs(value), 240);
        EXPECT_TRUE(hasNotesPerMeasure(scheme.durations(), 1, 240, 0));
    }
}

TEST(SchemeCommands, JerkyRhythmNeverStepsByLessThanAnEighth) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    for (int upbeat : {0, 120}) {
        scheme.setUpbeat(static_cast<std::int16_t>(upbeat));
        for (int round = 0; round < 100; ++round) {
            run(scheme, 5, FOUR_FOUR);
            const auto parts = partsOf(scheme, FOUR_FOUR);
            ASSERT_FALSE(parts.empty());
            for (const TDurations& part : parts)
                for (std::size_t i = 1; i < part.size(); ++i)
                    if (part[i] > 0) {
                        EXPECT_GE(std::abs(part[i] - part[i - 1]), 60);
                    }
        }
    }
}

TEST(SchemeCommands, UniformRhythmStepsByASixteenthAtMost) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    for (int round = 0; round < 100; ++round) {
        run(scheme, 4, THREE_FOUR);
        for (const TDurations& part : partsOf(scheme, THREE_FOUR))
            for (std::size_t i = 1; i < part.size(); ++i)
                if (part[i] > 0) {
                    EXPECT_LE(std::abs(part[i] - part[i - 1]), 30);
                }
    }
}

TEST(SchemeCommands, DynamicsShrinkOrGrowWithinEachPart) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setUpbeat(60);
    for (int command : {8, 9}) {
        for (int round = 0; round < 100; ++round) {
            run(scheme, command, FOUR_FOUR);
            const auto parts = partsOf(scheme, FOUR_FOUR);
            ASSERT_EQ(parts.size(), 2u);
            for (const TDurations& part : parts) {
                for (std::size_t i = 0; i < part.size(); ++i) {
                    if (part[i] < 0) {
                        EXPECT_EQ(i + 1, part.size()) << "a rest only closes a part";
                        continue;
                    }
                    if (i > 0 && command == 8) {
                        EXPECT_LT(part[i], part[i - 1]);
                    }
                    if (i > 0 && command == 9) {
                        EXPECT_GT(part[i], part[i - 1]);
                    }
                }
            }
        }
    }
}

TEST(SchemeCommands, WithAndWithoutRests) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    for (int round = 0; round < 100; ++round) {
        run(scheme, 12, FOUR_FOUR);
        EXPECT_TRUE(containsRest(scheme.durations()));
        EXPECT_TRUE(scheme.durationsInOrder());
        run(scheme, 13, FOUR_FOUR);
        EXPECT_FALSE(containsRest(scheme.durations()));
    }
}

TEST(SchemeCommands, FillersDisagreeOnWhatFillsAnUnfillableRoom) {
    TRandomGenerator draws;
    TDurations out;
    restFill(out, 0, 15, true, draws);
    restFill(out, 0, 15, false, draws);
    EXPECT_EQ(out, (TDurations{15, 15}));
    out.clear();
    uniformityFill(out, 0, 15, true, draws);
    uniformityFill(out, 0, 15, false, draws);
    dynamicsFill(out, 0, 15, true, draws);
    dynamicsFill(out, 0, 15, false, draws);
    EXPECT_EQ(out, (TDurations{-15, -15, -15, -15}));
}

TEST(SchemeCommands, VolumeGenerators) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setDurations({}, true, false);
    for (int round = 0; round < 50; ++round) {
        run(scheme, 16, THREE_FOUR);
        std::set<DURATION> notes;
        for (DURATION d : scheme.durations())
            if (d > 0)
                notes.insert(d);
        EXPECT_EQ(notes.size(), 1u);
        run(scheme, 17, THREE_FOUR);
        EXPECT_TRUE(hasTwoNoteValues(scheme.durations()));
    }
}

TEST(SchemeCommands, RhythmContrastReadsTheSchemeWithoutAMotive) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setDurations({30, 60}, false, false);
    EXPECT_EQ(run(scheme, 2, FOUR_FOUR), 1);
    for (DURATION d : scheme.durations())
        EXPECT_GE(d, 120);

    scheme.rhythmContrastMotive() = TMotive(TKey(), FOUR_FOUR);
    scheme.rhythmContrastMotive().notes() = {TNote(0, 20, 240), TNote(240, 20, 240)};
    EXPECT_EQ(run(scheme, 2, FOUR_FOUR), 0);
    EXPECT_EQ(run(scheme, 14, FOUR_FOUR), 12);
    EXPECT_EQ(run(scheme, 18, FOUR_FOUR), 17);
    EXPECT_EQ(run(scheme, 10, FOUR_FOUR), 9);
    // 240 after 240: no jump, so the motive is uniform and the contrast jerky.
    EXPECT_EQ(run(scheme, 6, FOUR_FOUR), 5);

    scheme.rhythmContrastMotive().notes() = {TNote(0, 20, 30), TNote(30, 20, 240)};
    EXPECT_EQ(run(scheme, 6, FOUR_FOUR), 4);
    EXPECT_EQ(run(scheme, 10, FOUR_FOUR), 8);
    EXPECT_EQ(run(scheme, 14, FOUR_FOUR), 13);
    EXPECT_EQ(run(scheme, 18, FOUR_FOUR), 16);
}

TEST(SchemeCommands, PitchContrastReadsTheMotivesTurns) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TMotive& motive = scheme.pitchContrastMotive();
    motive = TMotive(TKey(), FOUR_FOUR);
    TNote neighbour(60, 21, 60);
    neighbour.setChordingNote(false);
    motive.notes() = {TNote(0, 20, 60), neighbour, TNote(120, 20, 60), TNote(180, 27, 60)};
    EXPECT_EQ(run(scheme, 34, FOUR_FOUR), 32);
    EXPECT_EQ(run(scheme, 38, FOUR_FOUR), 36);
    // Neighbour then a chord leap: one chord and one non-chord turn.
    EXPECT_EQ(run(scheme, 30, FOUR_FOUR), 29);
    // NEIGHBOUR is small, CHORD_LEAP_3 large.
    EXPECT_EQ(run(scheme, 22, FOUR_FOUR), 21);
    EXPECT_EQ(run(scheme, 26, FOUR_FOUR), 24);

    motive.clearAll();
    scheme.setTurns({}, true, false);
    EXPECT_EQ(run(scheme, 34, FOUR_FOUR), 33);
    scheme.setTurns({}, true, false);
    EXPECT_EQ(run(scheme, 26, FOUR_FOUR), 25);
    scheme.setTurns({PASSING}, true, false);
    EXPECT_EQ(run(scheme, 38, FOUR_FOUR), 37);
}

TEST(SchemeCommands, ManyTurnsInOrderChangeTurn) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setTurns({}, true, false);
    for (int round = 0; round < 100; ++round) {
        run(scheme, 37, FOUR_FOUR);
        const TTurns& t = scheme.turns();
        EXPECT_NE(std::adjacent_find(t.begin(), t.end(), std::not_equal_to<>()), t.end());
    }
}

TEST(SchemeCommands, FiguresAndAlternationsFollowTheirCategories) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    for (int round = 0; round < 100; ++round) {
        run(scheme, 24, FOUR_FOUR);
        const TTurns uniform = scheme.turns();
        EXPECT_TRUE(scheme.turnsInOrder());
        ASSERT_GE(uniform.size(), 2u);
        ASSERT_LE(uniform.size(), 7u);
        for (std::size_t i = 1; i < uniform.size(); ++i)
            EXPECT_EQ(isSmallTurn(uniform[i]), isSmallTurn(uniform[i - 1]));
        run(scheme, 25, FOUR_FOUR);
        const TTurns jerky = scheme.turns();
        for (std::size_t i = 1; i < jerky.size(); ++i)
            EXPECT_NE(isSmallTurn(jerky[i]), isSmallTurn(jerky[i - 1]));
        for (int command : {32, 33}) {
            run(scheme, command, FOUR_FOUR);
            const TTurns& t = scheme.turns();
            for (std::size_t i = 0; i < t.size(); ++i)
                EXPECT_EQ(isChordTurn(t[i]), (i % 2 == 0) == (command == 32));
        }
    }
}

TEST(SchemeCommands, OutsideTheRangeNothingHappens) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TCountingListener listener;
    scheme.setRhythmListener(&listener);
    scheme.setPitchListener(&listener);
    EXPECT_EQ(run(scheme, -1, FOUR_FOUR), -1);
    EXPECT_EQ(run(scheme, 40, FOUR_FOUR), -1);
    EXPECT_EQ(listener.changed, 0);
}

// Every command from varied schemes, meters and upbeats keeps the schemes well-formed.
TEST(SchemeCommands, InvariantsOverManyRuns) {
    const TMeasure meters[] = {TWO_FOUR, THREE_FOUR, FOUR_FOUR, SIX_EIGHT};
    TRandomGenerator draws;
    TScheme scheme(draws);
    for (int round = 0; round < 40; ++round) {
        for (int command = 0; command < SCHEME_COMMAND_COUNT; ++command) {
            const TMeasure& meter = meters[draws.draw(4)];
            const int length = meter.ticksPerMeasure();
            scheme.setUpbeat(static_cast<std::int16_t>(
                draws.draw(3) == 0 ? 0 : 30 * (1 + draws.draw(length / 30 - 1))));
            // Start from a laid-out in-order scheme, the default, or an empty scheme.
            switch (draws.draw(3)) {
            case 0:
                scheme.setDurations(scheme.layOutPlain({60, 120, 90}, meter), true, false);
                break;
            case 1:
                scheme.defaultDurations();
                break;
            default:
                scheme.setDurations({}, draws.draw(2) == 0, false);
            }
            scheme.setTurns({CHORD_LEAP_1, PASSING}, draws.draw(2) == 0, false);
            scheme.rhythmContrastMotive().clearAll();
            if (draws.draw(2) == 0) {
                scheme.rhythmContrastMotive() = TMotive(TKey(), meter);
                scheme.rhythmContrastMotive().notes() = {TNote(0, 20, 60), TNote(120, 22, 30)};
            }
            const int shown = run(scheme, command, meter);
            if (command % 4 == 2) {
                EXPECT_TRUE(shown == command - 1 || shown == command - 2)
                    << command << " -> " << shown;
            } else {
                EXPECT_EQ(shown, -1);
            }

            const TDurations& d = scheme.durations();
            if (scheme.durationsInOrder() && !d.empty()) {
                EXPECT_FALSE(partsOf(scheme, meter).empty())
                    << "command " << command << " upbeat " << scheme.upbeat();
            } else if (!scheme.durationsInOrder()) {
                EXPECT_TRUE(std::is_sorted(d.begin(), d.end()));
                EXPECT_FALSE(containsRest(d));
            }
            for (DURATION value : d)
                EXPECT_EQ(value % 30, 0);
            for (TURN_ROUND t : scheme.turns())
                EXPECT_TRUE(isPlacingTurn(t));
        }
    }
}

TEST(SchemeCommands, ExactSequencesFromTheInitialGeneratorState) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    draws = TRandomGenerator();
    run(scheme, 24, FOUR_FOUR);
    const std::vector<int> figures(scheme.turns().begin(), scheme.turns().end());
    draws = TRandomGenerator();
    scheme.setDurations({}, true, false);
    run(scheme, 5, FOUR_FOUR);
    const TDurations jerky = scheme.durations();
    EXPECT_EQ(figures, (std::vector<int>{6, 1, 2, 6, 1, 1}));
    EXPECT_EQ(jerky, (TDurations{90, 150, 240}));

    draws = TRandomGenerator();
    scheme.setTurns({}, false, false);
    run(scheme, 37, FOUR_FOUR);
    const std::vector<int> many(scheme.turns().begin(), scheme.turns().end());
    EXPECT_EQ(many, (std::vector<int>{5, 8, 7, 6}));
}

} // namespace
