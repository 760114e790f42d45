#include "engine/periodcomposition.h"
#include "enginetesthelpers.h"

#include <gtest/gtest.h>

namespace {

TEST(ComposeEmptyMotives, FillsOnlyTheEmptyMotivesAndTellsTheProgress) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TPeriodData period = emptyPeriod(TKey(), TMeasure(2, 120), 60, 2, 2);
    TMotive& kept = *period.allMotives()[1];
    kept.notes().emplace_back(60, 20, QUARTER);
    const TMotive before = kept;

    std::vector<std::pair<int, int>> told;
    const auto report = composeEmptyMotives(
        period, scheme, true, {}, [&](int done, int total) { told.emplace_back(done, total); });

    ASSERT_EQ(report.size(), 7u) << "every motive but the one with notes";
    EXPECT_EQ(told.front(), std::make_pair(1, 7));
    EXPECT_EQ(told.back(), std::make_pair(7, 7));
    EXPECT_TRUE(kept.sameContent(before)) << "a motive with notes stays as it was";
    EXPECT_TRUE(kept.chords().empty());
    for (const TGeneratedMotive& entry : report) {
        const TMotive& motive = *period.allMotives()[std::size_t(entry.motive)];
        EXPECT_TRUE(entry.generated);
        EXPECT_TRUE(motive.isHarmonised());
        ASSERT_FALSE(motive.notes().empty());
        EXPECT_EQ(motive.notes().front().time(), motive.upbeatStart()) << "from the first tick";
    }
}

TEST(ComposeEmptyMotives, TheDefaultContourIsOneBeaconOnEverySixteenth) {
    const TMotive motive(TKey(), TMeasure(2, 120), 60);
    const TLights contour = defaultContour(motive);
    ASSERT_EQ(contour.size(), std::size_t((motive.end() - motive.upbeatStart()) / 30));
    EXPECT_EQ(contour.front().time, motive.upbeatStart());
    EXPECT_EQ(contour.back().time, motive.end() - 30);
}

} // namespace
