#include "files/pointerpath.h"
#include "files/tracesink.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(SmoothMove, EachAxisTakesAtMostThirtyStepsAndBothStartTogether) {
    const auto steps = smoothMoveSteps({10, 20}, {110, 23});
    ASSERT_EQ(steps.size(), 30U);
    // y is done after its three steps of one pixel; x goes on in steps of 100/30 pixels.
    EXPECT_EQ(steps[0], (TPathPoint{13, 21}));
    EXPECT_EQ(steps[1], (TPathPoint{17, 22}));
    EXPECT_EQ(steps[2], (TPathPoint{20, 23}));
    for (std::size_t i = 3; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].y, 23);
        EXPECT_EQ(steps[i].x, 10 + int(std::lround(100.0 * double(i + 1) / 30.0)));
    }
    EXPECT_EQ(steps.back(), (TPathPoint{110, 23}));

    // Short moves go pixel by pixel, backwards as well; the longer axis sets the count.
    const auto back = smoothMoveSteps({50, 50}, {45, 40});
    ASSERT_EQ(back.size(), 10U);
    EXPECT_EQ(back.front(), (TPathPoint{49, 49}));
    EXPECT_EQ(back[4], (TPathPoint{45, 45}));
    EXPECT_EQ(back.back(), (TPathPoint{45, 40}));
}

TEST(SmoothMove, AMoveOfZeroLengthHasNoSteps) {
    EXPECT_TRUE(smoothMoveSteps({7, 8}, {7, 8}).empty());
}

TEST(PointerPath, ReadsWhatTheVariantViewRecords) {
    const std::string recorded = traceOpenLine() + traceMoveLine(190, 225) +
                                 traceMoveLine(150, 60) + traceMoveLine(-3, 449) + traceCloseLine();
    EXPECT_EQ(parsePointerPath(recorded),
              (std::vector<TPathPoint>{{190, 225}, {150, 60}, {-3, 449}}));
}

TEST(PointerPath, AMissingCoordinateKeepsThePreviousOneAndOtherNodesAreIgnored) {
    const auto points = parsePointerPath("<DYNAMIC_HELP note=\"x\">"
                                         "<MOVE Y=\"5\"/>" // X from the start: 0
                                         "<MOVE X=\"10\" Y=\"20\"/>"
                                         "<PAUSE X=\"99\" Y=\"99\"/>"
                                         "<MOVE X=\"30\" Z=\"1\"/>" // Y stays 20
                                         "<MOVE/>"
                                         "</DYNAMIC_HELP>");
    EXPECT_EQ(points, (std::vector<TPathPoint>{{0, 5}, {10, 20}, {30, 20}, {30, 20}}));
    EXPECT_TRUE(parsePointerPath("<DYNAMIC_HELP/>").empty());
}

TEST(PointerPath, RefusesAnotherRootBadNumbersAndBrokenDocuments) {
    for (const char* text : {"<HELP><MOVE X=\"1\" Y=\"2\"/></HELP>",
                             "<DYNAMIC_HELP><MOVE X=\"1x\" Y=\"2\"/></DYNAMIC_HELP>",
                             "<DYNAMIC_HELP><MOVE X=\"\" Y=\"2\"/></DYNAMIC_HELP>",
                             "<DYNAMIC_HELP><MOVE X=\"99999999999\"/></DYNAMIC_HELP>",
                             "<DYNAMIC_HELP><MOVE X=\"1\" Y=\"2\"/>", ""})
        EXPECT_THROW(parsePointerPath(text), TPointerPathError) << text;
    EXPECT_THROW(readPointerPath("/nonexistent-folder/path.xml"), TPointerPathError);
}
