#include "effecttesthelpers.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const TMeasure FOUR_FOUR(4, 120);

TEST(SimpleEffects, SequenceUpFromAHighestPitchOf32LeavesTheThirdVariantEmpty) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TEffect effect(scheme);
    const TMotive source = melody({{0, 20, 120}, {120, 32, 120}, {240, 25, 240}});
    const TMotives variants = effect.makeVariants(TSimpleEffect::SEQUENCE_UP, source);
    ASSERT_EQ(variants.size(), 3u);
    EXPECT_EQ(pitchesOf(variants[0].notes()), (std::vector<int>{21, 33, 26}));
    EXPECT_EQ(pitchesOf(variants[1].notes()), (std::vector<int>{22, 34, 27}));
    EXPECT_TRUE(variants[2].notes().empty());

    const TMotives down =
        effect.makeVariants(TSimpleEffect::SEQUENCE_DOWN, melody({{0, 15, 240}, {240, 20, 240}}));
    EXPECT_EQ(pitchesOf(down[1].notes()), (std::vector<int>{13, 18}));
    EXPECT_TRUE(down[2].notes().empty());
}

TEST(SimpleEffects, RepeatKeepsTheMelodyThenMovesItByOctavesWithoutChords) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TEffect effect(scheme);
    TMotive source = melody({{0, 20, 120}, {120, 24, 360}}, FOUR_FOUR, 0, TKey(0, MINOR));
    source.chords() = {chordAt("TONIC_THREE_CHORD", 0)};
    source.notes()[1].setChordingNote(false);
    source.markLeadingTones(); // G sharp, the leading tone of A minor
    const TMotives variants = effect.makeVariants(TSimpleEffect::REPEAT, source);
    ASSERT_EQ(variants.size(), 3u);
    EXPECT_EQ(variants[0].notes(), source.notes());
    EXPECT_EQ(pitchesOf(variants[1].notes()), (std::vector<int>{13, 17}));
    EXPECT_EQ(pitchesOf(variants[2].notes()), (std::vector<int>{27, 31}));
    for (const TMotive& v : variants) {
        EXPECT_TRUE(v.chords().empty());
        for (const TNote& n : v.notes()) {
            EXPECT_TRUE(n.chordingNote());
            EXPECT_EQ(n.sign(), TKey(0, MINOR).isRaisedSeventh(n.pitch()) ? 1 : 0);
        }
    }
}

TEST(SimpleEffects, PieceNeedsTwoNotesAndKeepsOneOfTwo) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TEffect effect(scheme);
    EXPECT_TRUE(effect.makeVariants(TSimpleEffect::PIECE, melody({{0, 20, 480}})).empty());
    EXPECT_TRUE(effect.makeVariants(TSimpleEffect::VARIATION, melody({})).empty());
    const TMotive two = melody({{0, 20, 240}, {240, 22, 240}});
    for (int run = 0; run < 20; ++run) {
        const TMotives variants = effect.makeVariants(TSimpleEffect::PIECE, two);
        ASSERT_EQ(variants.size(), 3u);
        for (const TMotive& v : variants)
            EXPECT_EQ(v.notes().size(), 1u);
    }
}

TEST(VaryOperations, SplitNoteNeverSplitsASixteenth) {
    TRandomGenerator draws;
    const TNoteList group{{0, 20, 30}, {30, 22, 90}};
    for (int run = 0; run < 200; ++run) {
        TNoteList notes = group;
        TEffect::splitNote(notes, draws);
        ASSERT_EQ(notes.size(), 3u);
        EXPECT_EQ(notes[0], group[0]);
        EXPECT_EQ(notes[1].time(), 30);
        EXPECT_EQ(notes[1].end(), notes[2].time());
        EXPECT_EQ(notes[2].end(), 120);
        // The first half touches the unsplit note and moves a step from one of the pitches.
        const int moved = notes[1].pitch();
        EXPECT_TRUE(std::abs(moved - 20) == 1 || std::abs(moved - 22) == 1) << moved;
        EXPECT_EQ(notes[2].pitch(), 22);
    }
    const TNoteList sixteenths{{0, 20, 30}, {30, 20, 30}};
    for (TURN_ROUND turn : {REPETITION, CHORD_LEAP_1}) {
        const auto ops = TEffect::applicableOperations(sixteenths, turn);
        EXPECT_EQ(std::count(ops.begin(), ops.end(), TEffect::SPLIT_NOTE), 0);
        EXPECT_EQ(std::count(ops.begin(), ops.end(), TEffect::MERGE_NOTES), 1);
    }
    TNoteList unchanged = sixteenths;
    TEffect::splitNote(unchanged, draws);
    EXPECT_EQ(unchanged, sixteenths);
}

TEST(VaryOperations, SplitAtTheRangeEdgeStepsInside) {
    TRandomGenerator draws;
    for (int run = 0; run < 100; ++run) {
        TNoteList notes{{0, 34, 120}, {120, 34, 120}};
        TEffect::splitNote(notes, draws);
        ASSERT_EQ(notes.size(), 3u);
        for (const TNote& n : notes)
            EXPECT_TRUE(n.pitch() == 34 || n.pitch() == 33);
    }
}

TEST(VaryOperations, OperationTableFollowsTheGroup) {
    const TNoteList passing3{{0, 20, 60}, {60, 21, 60}, {120, 22, 120}};
    EXPECT_EQ(
        TEffect::applicableOperations(passing3, PASSING),
        (std::vector<TEffect::VARY_TYPE>{TEffect::RHYTHM_RETROGRADE, TEffect::PITCH_RETROGRADE,
                                         TEffect::RHYTHM_SHUFFLE, TEffect::PITCH_SHUFFLE}));
    const TNoteList passing2{{0, 20, 60}, {60, 21, 60}};
    EXPECT_EQ(TEffect::applicableOperations(passing2, PASSING),
              (std::vector<TEffect::VARY_TYPE>{TEffect::PITCH_RETROGRADE}));
    const TNoteList appoggiatura2{{0, 20, 60}, {60, 23, 120}};
    EXPECT_EQ(
        TEffect::applicableOperations(appoggiatura2, APPOGGIATURA),
        (std::vector<TEffect::VARY_TYPE>{TEffect::RHYTHM_RETROGRADE, TEffect::PITCH_RETROGRADE}));
    EXPECT_TRUE(TEffect::applicableOperations({{0, 20, 60}}, NO_TURN).empty());
}

TEST(VaryOperations, MirrorMergeAndRetrogrades) {
    TRandomGenerator draws;
    TNoteList neighbour{{0, 20, 60}, {60, 21, 60}, {120, 20, 120}};
    TEffect::mirrorNonChord(neighbour, NEIGHBOUR);
    EXPECT_EQ(pitchesOf(neighbour), (std::vector<int>{20, 19, 20}));
    TNoteList doubleNeighbour{{0, 20, 60}, {60, 21, 60}, {120, 19, 60}, {180, 20, 60}};
    TEffect::mirrorNonChord(doubleNeighbour, DOUBLE_NEIGHBOUR);
    EXPECT_EQ(pitchesOf(doubleNeighbour), (std::vector<int>{20, 19, 21, 20}));
    TNoteList appoggiatura{{0, 20, 60}, {60, 24, 60}, {120, 23, 60}};
    TEffect::mirrorNonChord(appoggiatura, APPOGGIATURA);
    EXPECT_EQ(pitchesOf(appoggiatura), (std::vector<int>{20, 22, 23}));
    TNoteList edge{{0, 34, 60}, {60, 33, 60}, {120, 34, 60}};
    TEffect::mirrorNonChord(edge, NEIGHBOUR); // 35 is out of range
    EXPECT_EQ(pitchesOf(edge), (std::vector<int>{34, 33, 34}));

    for (int run = 0; run < 10; ++run) {
        TNoteList pair{{0, 20, 120}, {120, 24, 120}};
        TEffect::mergeNotes(pair, draws);
        ASSERT_EQ(pair.size(), 1u);
        EXPECT_EQ(pair[0].time(), 0);
        EXPECT_EQ(pair[0].duration(), 240);
        EXPECT_TRUE(pair[0].pitch() == 20 || pair[0].pitch() == 24);
    }

    // The gap travels with the rhythm: [60, -60, 120] becomes [120, -60, 60].
    TNoteList run{{0, 20, 60}, {120, 22, 120}};
    TEffect::retrogradeRhythm(run);
    EXPECT_EQ(run, (TNoteList{{0, 20, 120}, {180, 22, 60}}));
    TEffect::retrogradePitches(run);
    EXPECT_EQ(run, (TNoteList{{0, 22, 120}, {180, 20, 60}}));
}

TEST(OtherEffect, InversionMirrorsEachIntervalAndKeepsWhatWouldLeaveTheRange) {
    TNoteList notes{{0, 20, 60}, {60, 22, 60}, {120, 21, 60}};
    TEffect::invertPart(notes);
    EXPECT_EQ(pitchesOf(notes), (std::vector<int>{20, 18, 19}));
    TNoteList low{{0, 13, 60}, {60, 15, 60}, {120, 14, 60}};
    TEffect::invertPart(low);
    EXPECT_EQ(pitchesOf(low), (std::vector<int>{13, 15, 16}));
}

TEST(OtherEffect, EachMeasurePartIsTransformedOnItsOwn) {
    TRandomGenerator draws;
    // Upbeat of a quarter in 2/4: parts [120, 240) and [240, 360).
    TMotive motive =
        melody({{120, 20, 60}, {180, 24, 60}, {240, 18, 90}, {330, 16, 30}}, TMeasure(2, 120), 120);
    TEffect::otherEffect(motive, 3, draws);
    EXPECT_EQ(motive.notes(),
              (TNoteList{{120, 24, 60}, {180, 20, 60}, {240, 16, 30}, {270, 18, 90}}));
}

TEST(NewRhythm, ModeOneKeepsPartLengthsRestsAndNoteCounts) {
    TRandomGenerator draws;
    const TMotive source =
        melody({{120, 20, 60}, {300, 22, 120}, {480, 24, 90}, {600, 25, 30}, {660, 26, 60}},
               FOUR_FOUR, 120);
    auto signs = [](const TDurations& d) {
        std::vector<bool> out;
        for (DURATION x : d)
            out.push_back(x > 0);
        return out;
    };
    const auto ranges = measureParts(480, 120);
    const auto before = TEffect::notesByPart(source);
    for (int run = 0; run < 200; ++run) {
        TMotive varied = source;
        TEffect::newRhythm(varied, 1, draws);
        expectWellFormed(varied, "mode 1");
        const auto after = TEffect::notesByPart(varied);
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t p = 0; p < after.size(); ++p) {
            const TDurations a = TEffect::rhythmSequence(after[p], ranges[p].from, ranges[p].to);
            const TDurations b = TEffect::rhythmSequence(before[p], ranges[p].from, ranges[p].to);
            EXPECT_EQ(signs(a), signs(b));
            EXPECT_EQ(totalLength(a), totalLength(b));
            EXPECT_EQ(pitchesOf(after[p]), pitchesOf(before[p]));
        }
    }
}

TEST(NewRhythm, ModeZeroShufflesTheFullSequenceOfEachPart) {
    TRandomGenerator draws;
    const TMotive source = melody({{0, 20, 120}, {120, 22, 60}, {240, 24, 240}});
    std::set<std::vector<int>> onsets;
    for (int run = 0; run < 50; ++run) {
        TMotive varied = source;
        TEffect::newRhythm(varied, 0, draws);
        expectWellFormed(varied, "mode 0");
        ASSERT_EQ(varied.notes().size(), 3u);
        std::vector<int> times;
        for (const TNote& n : varied.notes())
            times.push_back(n.time());
        onsets.insert(times);
    }
    EXPECT_GT(onsets.size(), 3u);
}

// Every simple effect on generated motives of every shape.
TEST(SimpleEffects, VariantsOfGeneratedMotivesStayWellFormed) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TEffect effect(scheme);
    const std::vector<TMotive> sources = generatedSources(12);
    int fresh = 0;
    int variations = 0;
    for (std::size_t s = 0; s < sources.size(); ++s) {
        const TMotive& source = sources[s];
        for (TSimpleEffect kind :
             {TSimpleEffect::SEQUENCE_UP, TSimpleEffect::SEQUENCE_DOWN, TSimpleEffect::REPEAT,
              TSimpleEffect::VARIATION, TSimpleEffect::RHYTHM, TSimpleEffect::PIECE,
              TSimpleEffect::OTHER}) {
            const std::string what =
                "source " + std::to_string(s) + " effect " + std::to_string(int(kind));
            const TMotives variants = effect.makeVariants(kind, source);
            const bool none = kind == TSimpleEffect::PIECE && source.notes().size() < 2;
            ASSERT_EQ(variants.size(), none ? 0u : 3u) << what;
            for (const TMotive& v : variants) {
                expectWellFormed(v, what);
                EXPECT_TRUE(v.chords().empty()) << what;
                EXPECT_EQ(v.zatakt(), source.zatakt());
                for (const TNote& n : v.notes())
                    EXPECT_TRUE(n.chordingNote()) << what;
                const bool keepsRhythm = kind != TSimpleEffect::RHYTHM &&
                                         kind != TSimpleEffect::PIECE && !v.notes().empty();
                // Variation may split or merge notes, but every group keeps its span.
                if (keepsRhythm && kind != TSimpleEffect::VARIATION) {
                    EXPECT_EQ(partSpans(v), partSpans(source)) << what;
                }
                if (kind == TSimpleEffect::VARIATION) {
                    const auto a = partSpans(v);
                    const auto b = partSpans(source);
                    for (std::size_t p = 0; p < a.size(); ++p) {
                        EXPECT_EQ(a[p].from, b[p].from) << what;
                        EXPECT_EQ(a[p].to, b[p].to) << what;
                    }
                    ++variations;
                    fresh += v.sameContent(source) ? 0 : 1;
                }
                if (kind == TSimpleEffect::RHYTHM) {
                    EXPECT_EQ(v.notes().size(), source.notes().size()) << what;
                }
            }
        }
    }
    // Ten tries almost always find a variation that differs from the source.
    EXPECT_GT(fresh, variations * 8 / 10);
}

} // namespace
