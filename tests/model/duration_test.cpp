#include "model/duration.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(DurationNames, NamedValuesRoundTripAndOthersAreDecimal) {
    for (int ticks : {30, 60, 90, 120, 150, 180, 210, 240})
        EXPECT_EQ(durationOfName(durationName(ticks)), ticks);
    EXPECT_EQ(durationName(150), "QUARTER_AND_SIXTEENTH");
    EXPECT_EQ(durationName(270), "270");
    EXPECT_EQ(durationName(-60), "-60");
    EXPECT_EQ(durationOfName(""), 0);
    EXPECT_EQ(durationOfName("75"), 75);
    EXPECT_EQ(durationOfName("-30"), -30);
}

TEST(DurationNames, TextThatIsNoNumberIsAnError) {
    EXPECT_THROW(durationOfName("quarter"), std::invalid_argument);
    EXPECT_THROW(durationOfName("12x"), std::invalid_argument);
    EXPECT_THROW(durationOfName("-"), std::invalid_argument);
    EXPECT_THROW(durationOfName("99999999999"), std::invalid_argument);
}

TEST(RestDecomposition, GreedyLargestFirst) {
    EXPECT_EQ(decomposeRest(30), (std::vector<DURATION>{-30}));
    EXPECT_EQ(decomposeRest(510), (std::vector<DURATION>{-480, -30}));
    EXPECT_EQ(decomposeRest(330), (std::vector<DURATION>{-240, -90}));
    EXPECT_EQ(decomposeRest(1020), (std::vector<DURATION>{-480, -480, -60}));
    EXPECT_TRUE(decomposeRest(0).empty());
    EXPECT_TRUE(decomposeRest(-60).empty());
}

TEST(RestDecomposition, AppendsAfterExistingValues) {
    std::vector<DURATION> out{60};
    appendRestValues(out, 300);
    EXPECT_EQ(out, (std::vector<DURATION>{60, -240, -60}));
}

TEST(Duration, OnlyNinetyAndOneEightyAreDotted) {
    EXPECT_TRUE(isDotted(90));
    EXPECT_TRUE(isDotted(180));
    EXPECT_FALSE(isDotted(150));
    EXPECT_FALSE(isDotted(-90));
}
