#include "model/canvasgeometry.h"
#include "model/noteview.h"

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

namespace {

std::vector<int> restLengths(const TNoteViews& views) {
    std::vector<int> rests;
    for (const TNoteView& view : views)
        if (view.isRest())
            rests.push_back(view.duration);
    return rests;
}

TEST(MeasurePictures, OneWholeMeasureWithoutUpbeat) {
    EXPECT_EQ(TCanvasGeometry(fourFour, 0).measurePictures(),
              (std::vector<TMeasurePicture>{{0, 480, 0, 0, 1}}));
}

TEST(MeasurePictures, AfterAnUpbeatTheSecondPictureEndsWithTheMotive) {
    // The default period: 2/4 with an eighth upbeat, so the motive runs from 180 to 420.
    const TMeasure twoFour(2, 120);
    const TCanvasGeometry g(twoFour, 60);
    const auto pictures = g.measurePictures();
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0], (TMeasurePicture{0, 240, 180, g.barX(), 1}));
    EXPECT_EQ(pictures[1], (TMeasurePicture{240, 420, 0, 0, g.firstWidth()}));

    const TKey gMinor(-2, MINOR);
    const TMeasurePicture& second = pictures[1];
    // An empty motive: a dotted quarter rest, not a half rest, after the bar line.
    EXPECT_EQ(restLengths(buildNoteViews({}, second.start, second.end, twoFour, gMinor)),
              std::vector<int>{180});
    // A melody that fills the motive: no stray rest after its last note.
    const TNoteList filled{TNote(180, 22, 60), TNote(240, 23, 120), TNote(360, 24, 60)};
    const TNoteViews views = buildNoteViews(filled, second.start, second.end, twoFour, gMinor);
    EXPECT_TRUE(restLengths(views).empty());
    ASSERT_FALSE(views.empty());
    EXPECT_EQ(views.back().time + views.back().duration, 420);

    // In 4/4 with a quarter upbeat the last rest runs to 840, three quarters after the bar.
    const auto quarter = TCanvasGeometry(fourFour, 120).measurePictures();
    EXPECT_EQ(quarter[1].end, 840);
    const TNoteViews lateRest = buildNoteViews({TNote(480, 22, 120)}, quarter[1].start,
                                               quarter[1].end, fourFour, TKey(0, MAJOR));
    EXPECT_EQ(restLengths(lateRest), (std::vector<int>{240}));
}

} // namespace
