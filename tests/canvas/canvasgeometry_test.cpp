#include "canvas/canvasgeometry.h"

#include <gtest/gtest.h>

namespace {

const TMeasure fourFour(4, 120);
const TMeasure threeFour(3, 120);

TEST(CanvasGeometry, MeasurePictureWidthFollowsTheMeter) {
    EXPECT_EQ(TCanvasGeometry(fourFour, 0).measureWidth(), 387);
    EXPECT_EQ(TCanvasGeometry(fourFour, 0).canvasWidth(), 408);
    EXPECT_EQ(TCanvasGeometry(threeFour, 0).measureWidth(), 295);
    EXPECT_EQ(TCanvasGeometry(TMeasure(6, 60), 0).measureWidth(), 295);
}

TEST(CanvasGeometry, PointerWithoutUpbeatMapsToItsSixteenthWithinTheMeasure) {
    const TCanvasGeometry g(fourFour, 0);
    EXPECT_EQ(g.xToTime(-20), 0);
    EXPECT_EQ(g.xToTime(0), 0);
    EXPECT_EQ(g.xToTime(7), 0);
    EXPECT_EQ(g.xToTime(30), 0);
    EXPECT_EQ(g.xToTime(31), 30);
    // Every column maps back to the time drawn in it.
    for (int t = 0; t < 480; t += 30)
        EXPECT_EQ(g.xToTime(g.timeToX(t)), t) << t;
    // Right of the last sixteenth, up to the canvas edge and beyond.
    EXPECT_EQ(g.xToTime(g.timeToX(450) + 22), 450);
    EXPECT_EQ(g.xToTime(g.canvasWidth() - 1), 450);
    EXPECT_EQ(g.xToTime(5000), 450);
}

TEST(CanvasGeometry, QuarterUpbeatInFourFour) {
    const TCanvasGeometry g(fourFour, 120);
    EXPECT_EQ(g.barX(), 276);
    EXPECT_EQ(g.firstWidth(), 112);
    // The second sixteenth of the upbeat.
    EXPECT_EQ(g.xToTime(50), 390);
    // Left edge: the upbeat start, never the hidden part of the first measure.
    EXPECT_EQ(g.xToTime(0), 360);
    EXPECT_EQ(g.xToTime(-40), 360);
    // Just left of the second picture: the last sixteenth before the bar line.
    EXPECT_EQ(g.xToTime(g.firstWidth() - 1), 450);
    EXPECT_EQ(g.xToTime(g.firstWidth()), 480);
    // The motive ends at 2M - U = 840: its last sixteenth is 810.
    EXPECT_EQ(g.xToTime(g.canvasWidth() + 200), 810);
    for (int t = 360; t < 840; t += 30)
        EXPECT_EQ(g.xToTime(g.timeToX(t)), t) << t;
    EXPECT_EQ(g.timeToX(360), 19);
    EXPECT_EQ(g.timeToX(480), 19 + 112);
}

TEST(CanvasGeometry, PointerHeightMapsToAnEditablePitchOrNone) {
    EXPECT_EQ(TCanvasGeometry::yToPitch(154), -1);
    EXPECT_EQ(TCanvasGeometry::yToPitch(179), -1);
    EXPECT_EQ(TCanvasGeometry::yToPitch(153), 13); // index 6, clamped
    EXPECT_EQ(TCanvasGeometry::yToPitch(150), 13);
    EXPECT_EQ(TCanvasGeometry::yToPitch(0), 34); // index 36, clamped
    EXPECT_EQ(TCanvasGeometry::yToPitch(-30), 34);
    // Middle C and the treble staff lines map to themselves.
    EXPECT_EQ(TCanvasGeometry::yToPitch(TCanvasGeometry::pitchToY(20)), 20);
    EXPECT_EQ(TCanvasGeometry::yToPitch(TCanvasGeometry::pitchToY(30)), 30);
    EXPECT_EQ(TCanvasGeometry::pitchToY(22), 70);
}

} // namespace
