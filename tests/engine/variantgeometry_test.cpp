#include "engine/harmonisation.h"
#include "engine/variantgeometry.h"
#include "model/chordcatalogue.h"
#include "model/schemechords.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TScVariant candidate(int pitch, std::vector<DURATION> durations, bool chordTone = true) {
    TScVariant v(pitch, chordTone, -1);
    v.durations = std::move(durations);
    return v;
}

TMotive fourFour(std::int16_t upbeat = 0) {
    return TMotive(TKey(), TMeasure(4, 120), upbeat);
}

} // namespace

TEST(VariantSide, TheSharedColumnKeepsTheCurrentHalf) {
    EXPECT_EQ(variantSide(0, 1), 0);
    EXPECT_EQ(variantSide(238, 1), 0);
    EXPECT_EQ(variantSide(239, 0), 0);
    EXPECT_EQ(variantSide(239, 1), 1);
    EXPECT_EQ(variantSide(240, 0), 1);
    EXPECT_EQ(variantSide(479, 0), 1);
}

TEST(VariantWindowCorner, ClampedToTheRightEdgeAndTheTop) {
    EXPECT_EQ(variantWindowCorner(300, 700, 490, 480, 1280), (TCorner{300, 220}));
    // Sticking out on the right: ends at the screen's right edge.
    EXPECT_EQ(variantWindowCorner(900, 700, 490, 480, 1280), (TCorner{790, 220}));
    // Sticking out on top: starts at 0.
    EXPECT_EQ(variantWindowCorner(100, 300, 490, 480, 1280), (TCorner{100, 0}));
    EXPECT_EQ(variantWindowCorner(790, 480, 490, 480, 1280), (TCorner{790, 0}));
}

TEST(NotePick, BandsOfElevenRowsAndTheNearestBandOutsideThem) {
    const std::vector<TScVariant> offered{candidate(20, {120}), candidate(24, {120}),
                                          candidate(26, {120})};
    // Pitch 24 owns rows 199..209.
    EXPECT_EQ(candidateAtRow(offered, 199)->pitch, 24);
    EXPECT_EQ(candidateAtRow(offered, 209)->pitch, 24);
    // Row 215 lies between the bands of 24 (ends 209) and 20 (starts 239): 24 is nearer.
    EXPECT_EQ(candidateAtRow(offered, 215)->pitch, 24);
    EXPECT_EQ(candidateAtRow(offered, 235)->pitch, 20);
    // Above every band: the highest candidate; below every band: the lowest.
    EXPECT_EQ(candidateAtRow(offered, 0)->pitch, 26);
    EXPECT_EQ(candidateAtRow(offered, 449)->pitch, 20);
    // Equally far from 20 (239..249) and 24 (199..209): the lower pitch.
    EXPECT_EQ(candidateAtRow(offered, 224)->pitch, 20);
    EXPECT_EQ(candidateAtRow({}, 100), nullptr);
}

TEST(NotePick, DurationGrowsWithColumnsFromTheMiddleLine) {
    const std::vector<DURATION> durations{60, 120, 240};
    EXPECT_EQ(pickDuration(durations, 0), 60);   // at least 30
    EXPECT_EQ(pickDuration(durations, 1), 60);   // at least 60
    EXPECT_EQ(pickDuration(durations, 2), 120);  // at least 90
    EXPECT_EQ(pickDuration(durations, 4), 240);  // at least 150
    EXPECT_EQ(pickDuration(durations, 12), 240); // none reaches 390: the longest
    EXPECT_EQ(pickDuration({180}, 0), 180);      // the only one, whatever the distance
    EXPECT_EQ(pickDuration({-120}, 7), -120);    // a rest keeps its sign
    EXPECT_EQ(pickDuration({120, 60}, 0), 120);  // candidate order, not size order

    // Columns of 25 pixels from the middle line on each side.
    EXPECT_EQ(columnsFromMiddle(238, 0), 0);
    EXPECT_EQ(columnsFromMiddle(214, 0), 0);
    EXPECT_EQ(columnsFromMiddle(213, 0), 1);
    EXPECT_EQ(columnsFromMiddle(240, 1), 0);
    EXPECT_EQ(columnsFromMiddle(264, 1), 0);
    EXPECT_EQ(columnsFromMiddle(265, 1), 1);
    EXPECT_EQ(columnsFromMiddle(239, 1), 0);

    const std::vector<TScVariant> offered{candidate(22, {30, 60, 120, 240}, false)};
    const std::optional<TNotePick> left = pickNote(offered, 0, 238 - 75, 224);
    ASSERT_TRUE(left);
    EXPECT_EQ(left->pitch, 22);
    EXPECT_EQ(left->duration, 120); // three columns: at least 120
    EXPECT_FALSE(left->chordTone);
    const std::optional<TNotePick> right = pickNote(offered, 1, 240 + 30, 224);
    EXPECT_EQ(right->duration, 60); // one column: at least 60
    EXPECT_FALSE(pickNote({}, 1, 300, 200));
}

TEST(NotePick, EntryPointOnTheMiddleLineLevelWithTheNoteTheMelodyContinuesFrom) {
    EXPECT_TRUE(inMiddleBand(VARIANT_ENTRY_COLUMN, 0));
    EXPECT_TRUE(inMiddleBand(VARIANT_ENTRY_COLUMN, 1));
    // The band is narrower than a duration column on each side, and belongs to its half.
    EXPECT_TRUE(inMiddleBand(232, 0));
    EXPECT_FALSE(inMiddleBand(231, 0));
    EXPECT_FALSE(inMiddleBand(240, 0));
    EXPECT_TRUE(inMiddleBand(246, 1));
    EXPECT_FALSE(inMiddleBand(247, 1));
    EXPECT_FALSE(inMiddleBand(238, 1));
    EXPECT_EQ(entryRow(20), 244);
    EXPECT_EQ(entryRow(NO_PITCH), 225);
    EXPECT_EQ(entryRow(0), 444);
}

TEST(PreviewFits, OnlyMelodyPitchesInsideOneMeasurePart) {
    const TMotive plain = fourFour();
    EXPECT_TRUE(previewFits(plain, TNote(0, 13, 120)));
    EXPECT_TRUE(previewFits(plain, TNote(360, 34, 120)));
    EXPECT_FALSE(previewFits(plain, TNote(0, 12, 120)));
    EXPECT_FALSE(previewFits(plain, TNote(0, 35, 120)));
    EXPECT_FALSE(previewFits(plain, TNote(420, 20, 120))); // past the motive's end
    EXPECT_FALSE(previewFits(plain, TNote(0, 20, -120)));  // rests are not written

    // Quarter upbeat: parts [360, 480) and [480, 840).
    const TMotive upbeat = fourFour(120);
    EXPECT_FALSE(previewFits(upbeat, TNote(300, 20, 60))); // before the upbeat
    EXPECT_TRUE(previewFits(upbeat, TNote(360, 20, 120)));
    EXPECT_FALSE(previewFits(upbeat, TNote(420, 20, 120))); // across the bar line
    EXPECT_TRUE(previewFits(upbeat, TNote(600, 20, 240)));
    EXPECT_FALSE(previewFits(upbeat, TNote(720, 20, 240)));
}

TEST(PrecedingNotes, MostRecentFirstWithinTheMeasurePadded) {
    TMotive upbeat = fourFour(120);
    upbeat.notes() = {TNote(360, 20, 120), TNote(480, 22, 60), TNote(540, 23, 60),
                      TNote(600, 24, 120)};
    const TNoteList before = precedingNotes(upbeat.notes(), 600, 480);
    ASSERT_EQ(before.size(), 3u);
    EXPECT_EQ(before[0].pitch(), 23);
    EXPECT_EQ(before[1].pitch(), 22);
    EXPECT_EQ(before[2].pitch(), NO_PITCH); // the upbeat note lies in the measure before
    const TNoteList first = precedingNotes(upbeat.notes(), 480, 480);
    EXPECT_EQ(first[0].pitch(), NO_PITCH);
}

TEST(StartingSide, RightOnlyWhenTheChoiceGoesOnWherePreviousSwitchedOnce) {
    TChoiceMemory previous{true, 120, 0, 1, 0};
    EXPECT_EQ(startingSide(previous, 120, 0, true, false), 1);
    EXPECT_EQ(startingSide(previous, 240, 0, true, false), 0);   // another edit position
    EXPECT_EQ(startingSide(previous, 120, 480, true, false), 0); // another start
    EXPECT_EQ(startingSide(previous, 120, 0, false, false), 0);  // no notes offered
    EXPECT_EQ(startingSide(previous, 120, 0, true, true), 0);    // nothing left to choose
    previous.sideSwitches = 2;
    EXPECT_EQ(startingSide(previous, 120, 0, true, false), 0);
    previous = {true, 120, 0, 1, 1}; // started right
    EXPECT_EQ(startingSide(previous, 120, 0, true, false), 0);
    EXPECT_EQ(startingSide(TChoiceMemory{}, 0, 0, true, false), 0);
}

TEST(ChordBoxes, RowsOfThreeThatStayInsideTheHalfAndNeverOverlap) {
    for (int count = 0; count <= 30; ++count) {
        const std::vector<TRectWithCheck> boxes = chordBoxLayout(count);
        ASSERT_EQ(static_cast<int>(boxes.size()), count);
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const TRectWithCheck& b = boxes[i];
            EXPECT_GE(b.left, 0);
            EXPECT_LE(b.right, VARIANT_HALF_WIDTH);
            EXPECT_GE(b.top, 30);
            EXPECT_LE(b.bottom, VARIANT_VIEW_HEIGHT - 26) << count;
            EXPECT_FALSE(b.isEmpty());
            for (std::size_t j = i + 1; j < boxes.size(); ++j) {
                const TRectWithCheck& o = boxes[j];
                const bool apart = b.right <= o.left || o.right <= b.left || b.bottom <= o.top ||
                                   o.bottom <= b.top;
                EXPECT_TRUE(apart) << count << ": " << i << " and " << j;
            }
            EXPECT_EQ(boxAt(boxes, (b.left + b.right) / 2, (b.top + b.bottom) / 2),
                      static_cast<int>(i));
        }
        // No box reaches the middle band of either half (the right half is drawn from 239).
        for (int x = 0; x < VARIANT_VIEW_WIDTH; ++x) {
            for (int side : {0, 1}) {
                if (!inMiddleBand(x, side))
                    continue;
                for (int y = 0; y < VARIANT_VIEW_HEIGHT; y += 3)
                    ASSERT_EQ(boxAt(boxes, side == 0 ? x : x - VARIANT_RIGHT_HALF_X, y), -1)
                        << count << " at " << x << "," << y;
            }
        }
    }
    // Contains: left and top inclusive, right and bottom exclusive.
    const TRectWithCheck r{10, 20, 30, 40};
    EXPECT_TRUE(r.contains(10, 20));
    EXPECT_FALSE(r.contains(30, 20));
    EXPECT_FALSE(r.contains(10, 40));
    EXPECT_EQ(boxAt(chordBoxLayout(3), 0, 0), -1);
}

TEST(ClampInto, TheNearestPointInsideAndWhetherItMoved) {
    const TClamped inside = clampInto(50, 60, 10, 20, 480, 450);
    EXPECT_FALSE(inside.moved);
    const TClamped outside = clampInto(600, -5, 10, 20, 480, 450);
    EXPECT_TRUE(outside.moved);
    EXPECT_EQ(outside.x, 489);
    EXPECT_EQ(outside.y, 20);
}

TEST(ChordVariants, TheChordAutomaticHarmonisationPicksIsAlwaysOnOffer) {
    // The chord half and automatic harmonisation draw from one source with one set of rules.
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        TMotive previous(TKey(1, MAJOR), TMeasure(3, 120));
        TRandomGenerator random;
        for (std::uint32_t i = 0; i < seed * 7; ++i)
            random.next();
        autoHarmonise(previous, nullptr, CONTEXT_FIRST, schemeChordTypeNames(), random);
        ASSERT_TRUE(previous.isHarmonised());
        TMotive motive(TKey(1, MAJOR), TMeasure(3, 120));
        autoHarmonise(motive, &previous, CONTEXT_CONTINUES, schemeChordTypeNames(), random);
        if (!motive.isHarmonised())
            continue;
        TMotive empty(TKey(1, MAJOR), TMeasure(3, 120));
        const std::vector<TChord> offered =
            chordVariantsAt(empty, 0, &previous, CONTEXT_CONTINUES, schemeChordTypeNames());
        const TChord& chosen = motive.chords().front();
        const bool found = std::any_of(offered.begin(), offered.end(), [&](const TChord& c) {
            return c.name() == chosen.name() && c.sameVoices(chosen) && c.time() == 0;
        });
        EXPECT_TRUE(found) << "seed " << seed << ": " << chosen.name();
    }
}
