#include "files/periodbuilder.h"
#include "files/periodchange.h"

#include <gtest/gtest.h>

namespace {

// The default period with a note and a chord in its third motive.
class PeriodChange : public ::testing::Test {
protected:
    PeriodChange() {
        buildDefaultPeriod(before);
        TMotive& third = *before.allMotives()[2];
        third.notes().emplace_back(180, 20, EIGHTH);
        third.chords().emplace_back(TChord(0, 3, 0));
        after = before;
    }
    TMotive& motive(int i) { return *after.allMotives()[std::size_t(i)]; }
    TPeriodChange change() const { return comparePeriods(before, after); }

    TPeriodData before;
    TPeriodData after;
};

TEST_F(PeriodChange, FindsTheMotivesThatDifferAndWhatInThem) {
    EXPECT_TRUE(change().none());

    motive(2).notes().front().setChordingNote(!motive(2).notes().front().chordingNote());
    EXPECT_EQ(change().motives, std::vector<int>{2}) << "a flag the document keeps counts";
    EXPECT_TRUE(change().notes);
    EXPECT_FALSE(change().chords);

    motive(5).chords().emplace_back(TChord(4, 3, 0));
    EXPECT_EQ(change().motives, (std::vector<int>{2, 5}));
    EXPECT_TRUE(change().chords);
    EXPECT_FALSE(change().emptied);

    after = before;
    motive(2).clearAll();
    EXPECT_TRUE(change().emptied);
    EXPECT_TRUE(change().noNotesLeft);

    after = before;
    after.setTempo(130);
    EXPECT_TRUE(change().tempo);
    EXPECT_TRUE(change().motives.empty());
    EXPECT_FALSE(change().shape);
}

TEST_F(PeriodChange, AnotherShapeMeansTheWholePeriod) {
    TPeriodStructure structure = defaultPeriodStructure();
    structure.motiveCounts = {1, 2, 2, 2};
    buildPeriod(after, structure);
    EXPECT_TRUE(change().shape);

    buildDefaultPeriod(after);
    after.setZatakt(0);
    EXPECT_TRUE(change().shape) << "the upbeat is part of the shape";

    buildDefaultPeriod(after);
    after.sentences()[1].phrases()[0].setSuffix(0);
    EXPECT_TRUE(change().shape) << "the phrase letters are too";
}

TEST_F(PeriodChange, IsNamedByWhereTheHandWasAndWhatChanged) {
    motive(0).chords().emplace_back(TChord(0, 3, 0));
    const TPeriodChange chord = change();
    EXPECT_EQ(changeName(chord, TChangeOrigin::VariantChoice), "Choose Chord");
    EXPECT_EQ(changeName(chord, TChangeOrigin::Delete), "Delete Chord");
    EXPECT_EQ(changeName(chord, TChangeOrigin::Unknown), "Change Chords");
    EXPECT_EQ(changeName(chord, TChangeOrigin::Drop, "Sequence Up"), "Sequence Up");
    EXPECT_EQ(changeName(chord, TChangeOrigin::Drop), "Copy Motive");

    after = before;
    motive(0).notes().emplace_back(180, 21, EIGHTH);
    const TPeriodChange note = change();
    EXPECT_EQ(changeName(note, TChangeOrigin::VariantChoice), "Choose Note");
    EXPECT_EQ(changeName(note, TChangeOrigin::Delete), "Delete Note");
    EXPECT_EQ(changeName(note, TChangeOrigin::Contour), "Draw Contour");
    EXPECT_EQ(changeName(note, TChangeOrigin::Back), "Earlier Version");
    EXPECT_EQ(changeName(note, TChangeOrigin::Forward), "Later Version");
    EXPECT_EQ(changeName(note, TChangeOrigin::FastMenu), "Regenerate Motive");

    after = before;
    motive(2).notes().clear();
    EXPECT_EQ(changeName(change(), TChangeOrigin::FastMenu), "Delete All Notes");
    EXPECT_EQ(changeName(change(), TChangeOrigin::Unknown), "Change Notes");

    // The tempo and the shape say so whatever the hand did.
    after = before;
    after.setTempo(55);
    EXPECT_EQ(changeName(change(), TChangeOrigin::VariantChoice), "Change Tempo");
    buildPeriod(after, TPeriodStructure{{1}, {1}, {}, TKey(), TMeasure(), 0});
    EXPECT_EQ(changeName(change(), TChangeOrigin::Edit), "Change Structure");
}

} // namespace
