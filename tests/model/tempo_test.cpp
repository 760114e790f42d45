#include "model/tempo.h"

#include <gtest/gtest.h>

namespace {

TEST(Tempo, TheMetronomeMarkIsTheQuarterNotesPlayedAMinute) {
    // The stored default is not beats per minute: 100 plays 75 quarters a minute.
    EXPECT_EQ(quarterNoteMilliseconds(100), 800);
    EXPECT_EQ(metronomeMark(100), 75);
    // The ends of the tempo control, and of what a file may hold.
    EXPECT_EQ(metronomeMark(50), 50);
    EXPECT_EQ(metronomeMark(150), 150);
    EXPECT_EQ(metronomeMark(1), 38);
    EXPECT_EQ(metronomeMark(199), 7500);
    // Beyond the step of 1 ms playback cannot go faster, and the mark says so.
    EXPECT_EQ(metronomeMark(250), 7500);
    EXPECT_DOUBLE_EQ(quarterNotesPerMinute(145), 7500.0 / 55);
}

} // namespace
