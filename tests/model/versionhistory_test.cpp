#include "model/versionhistory.h"

#include <gtest/gtest.h>

namespace {

// A motive whose single note's pitch tells the versions apart.
void setPitch(TMotive& motive, int pitch) {
    motive.notes().clear();
    motive.notes().push_back(TNote(0, pitch, 120));
}

int pitchOf(const TMotive& motive) {
    return motive.notes().empty() ? -1 : motive.notes().front().pitch();
}

class VersionHistory : public ::testing::Test {
protected:
    TMotive motive{TKey(0, 0), TMeasure(2, 120)};
    TVersionHistory history{motive};

    // Saves the current content, then changes the live motive to `pitch`.
    void editTo(int pitch) {
        history.saveVersion();
        setPitch(motive, pitch);
    }
};

TEST_F(VersionHistory, SavingAnEmptyMotiveKeepsTheHistoryEmpty) {
    EXPECT_EQ(motive.id(), 0);
    EXPECT_FALSE(history.saveVersion());
    EXPECT_EQ(history.size(), 0);
    EXPECT_FALSE(history.canGoBack());
    EXPECT_FALSE(history.canGoForward());
}

TEST_F(VersionHistory, EverySaveNumbersTheLiveMotiveAfresh) {
    setPitch(motive, 20);
    ASSERT_TRUE(history.saveVersion());
    EXPECT_EQ(history.versionId(0), 0);
    EXPECT_EQ(motive.id(), 1);
    ASSERT_TRUE(history.saveVersion());
    EXPECT_EQ(history.versionId(0), 1);
    EXPECT_EQ(motive.id(), 2);
}

TEST_F(VersionHistory, TheTwentyFirstSaveDropsTheOldest) {
    for (int pitch = 13; pitch < 13 + 21; ++pitch) {
        setPitch(motive, pitch);
        history.saveVersion();
    }
    ASSERT_EQ(history.size(), TVersionHistory::CAPACITY);
    EXPECT_EQ(pitchOf(history.version(0)), 33);
    EXPECT_EQ(pitchOf(history.version(19)), 14); // 13 went
    EXPECT_EQ(history.versionId(19), 1);
}

TEST_F(VersionHistory, BackSavesTheLiveMotiveThenWalksOlderAndForwardReturns) {
    setPitch(motive, 20);
    editTo(21);
    editTo(22); // history: 21, 20; live 22
    ASSERT_EQ(history.size(), 2);
    EXPECT_TRUE(history.canGoBack());
    EXPECT_FALSE(history.canGoForward());

    ASSERT_TRUE(history.back());
    EXPECT_EQ(history.size(), 3);
    EXPECT_EQ(history.index(), 1);
    EXPECT_EQ(pitchOf(motive), 21);
    EXPECT_EQ(motive.id(), history.versionId(1));

    ASSERT_TRUE(history.back());
    EXPECT_EQ(history.index(), 2);
    EXPECT_EQ(pitchOf(motive), 20);
    EXPECT_FALSE(history.canGoBack());
    EXPECT_FALSE(history.back());

    ASSERT_TRUE(history.forward());
    EXPECT_EQ(pitchOf(motive), 21);
    ASSERT_TRUE(history.forward());
    EXPECT_EQ(history.index(), 0);
    EXPECT_EQ(pitchOf(motive), 22);
    EXPECT_FALSE(history.canGoForward());
    EXPECT_FALSE(history.forward());
    EXPECT_EQ(history.size(), 3);
}

TEST_F(VersionHistory, AChangeOfAShownVersionDoesNotSaveItAgain) {
    setPitch(motive, 20);
    editTo(21);
    history.back(); // shows 20, history 21, 20
    ASSERT_EQ(history.size(), 2);
    const int shownId = motive.id();
    EXPECT_FALSE(history.saveVersion());
    EXPECT_EQ(history.index(), -1);
    EXPECT_EQ(history.size(), 2);
    EXPECT_NE(motive.id(), shownId);
    EXPECT_NE(motive.id(), history.versionId(0));
    EXPECT_NE(motive.id(), history.versionId(1));
}

TEST_F(VersionHistory, ShowingByIdFollowsThePlayedVersion) {
    setPitch(motive, 20);
    editTo(21); // version id 0 = pitch 20; live id 1
    EXPECT_TRUE(history.showVersion(motive.id()));
    EXPECT_EQ(history.size(), 1);

    // The player plays version 0: the live motive is saved first, then 0 is shown.
    ASSERT_TRUE(history.showVersion(0));
    EXPECT_EQ(history.size(), 2);
    EXPECT_EQ(pitchOf(motive), 20);
    EXPECT_EQ(motive.id(), 0);
    // And back to the version that was live.
    ASSERT_TRUE(history.showVersion(1));
    EXPECT_EQ(pitchOf(motive), 21);
    EXPECT_EQ(history.index(), 0);

    EXPECT_FALSE(history.showVersion(99));
    EXPECT_EQ(pitchOf(motive), 21);
}

TEST_F(VersionHistory, UnknownIdAfterASaveShowsTheSavedCopy) {
    setPitch(motive, 20);
    EXPECT_FALSE(history.showVersion(42));
    EXPECT_EQ(history.size(), 1);
    EXPECT_EQ(history.index(), 0);
    EXPECT_EQ(motive.id(), history.versionId(0));
    EXPECT_EQ(pitchOf(motive), 20);
}

TEST_F(VersionHistory, ClearEmptiesEverythingAndRestartsTheIds) {
    setPitch(motive, 20);
    editTo(21);
    editTo(22);
    history.clear();
    EXPECT_EQ(history.size(), 0);
    EXPECT_EQ(history.index(), -1);
    EXPECT_EQ(history.nextId(), 0);
    EXPECT_EQ(motive.id(), 0);
    EXPECT_TRUE(motive.isEmpty());
}

} // namespace
