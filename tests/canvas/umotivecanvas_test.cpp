#include "canvas/canvascursors.h"
#include "canvas/editmode.h"
#include "canvas/lightmode.h"
#include "canvas/umotivecanvas.h"
#include "fakecanvasservice.h"
#include "model/random.h"
#include "widgets/dragged.h"

#include <QDropEvent>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

const TMeasure fourFour(4, 120);

class RecordingCanvasListener : public TUMotiveCanvasListener {
public:
    void motiveHarmonised(TUMotiveCanvas*) override { ++harmonised; }
    void motiveEditStarted(TUMotiveCanvas*) override { ++editStarted; }
    void pointerMoved(TUMotiveCanvas*) override { ++moved; }
    int harmonised = 0;
    int editStarted = 0;
    int moved = 0;
};

class UMotiveCanvas : public ::testing::Test {
protected:
    TUMotiveCanvas& makeCanvas(TMotive& motive) {
        canvases.push_back(std::make_unique<TUMotiveCanvas>(nullptr, service, motive));
        canvases.back()->addCanvasListener(&listener);
        return *canvases.back();
    }
    static QPoint at(const TUMotiveCanvas& canvas, int time, int pitch) {
        return {canvas.canvasGeometry().timeToX(time), TCanvasGeometry::pitchToY(pitch)};
    }
    static std::vector<int> noteTimes(const TMotive& motive) {
        std::vector<int> times;
        for (const TNote& note : motive.notes())
            times.push_back(note.time());
        return times;
    }
    // A pointer move with no button held.
    static void hover(QWidget& widget, const QPoint& point) {
        QMouseEvent move(QEvent::MouseMove, QPointF(point), widget.mapToGlobal(QPointF(point)),
                         Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(&widget, &move);
    }
    static bool sameCursor(const QWidget& widget, int id) {
        return widget.cursor().pixmap().cacheKey() == canvasCursor(id).pixmap().cacheKey();
    }

    TFakeCanvasService service;
    RecordingCanvasListener listener;
    std::vector<std::unique_ptr<TUMotiveCanvas>> canvases;
};

TMotive quarters(const TMeasure& measure = fourFour) {
    TMotive motive(TKey(0, 0), measure);
    for (int t = 0; t < measure.ticksPerMeasure(); t += 120)
        motive.notes().push_back(TNote(t, 22 + t / 120, 120));
    return motive;
}

TEST_F(UMotiveCanvas, ContourModeHarmonisesAndGeneratesOnRelease) {
    TMotive motive(TKey(0, 0), fourFour);
    TUMotiveCanvas& canvas = makeCanvas(motive);
    canvas.setMode(TUMotiveCanvas::MODE_LIGHT);
    EXPECT_TRUE(sameCursor(canvas, CURSOR_MAYAK));

    // Raise the contour over the second and third beats.
    QTest::mousePress(&canvas, Qt::LeftButton, {}, at(canvas, 120, 28));
    QTest::mouseMove(&canvas, at(canvas, 180, 29));
    QTest::mouseMove(&canvas, at(canvas, 240, 30));
    auto& light = static_cast<TLightUMInterface&>(canvas.mode());
    EXPECT_EQ(light.activeBeacon(), 8);
    EXPECT_TRUE(motive.notes().empty()) << "nothing is generated before the release";
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, at(canvas, 240, 30));

    EXPECT_EQ(light.activeBeacon(), -1);
    ASSERT_EQ(light.beacons().size(), 16u);
    EXPECT_EQ(light.beacons()[4].pitch, 28);
    EXPECT_EQ(light.beacons()[6].pitch, 29);
    EXPECT_EQ(light.beacons()[8].pitch, 30);
    EXPECT_EQ(light.beacons()[9].pitch, TLightUMInterface::START_PITCH);

    // The first motive of a period without upbeat ends on the tonic.
    ASSERT_TRUE(motive.isHarmonised());
    EXPECT_EQ(motive.chords().front().order(), 1);
    ASSERT_FALSE(motive.notes().empty());
    int end = 0;
    for (const TNote& note : motive.notes()) {
        EXPECT_GE(note.time(), end);
        EXPECT_GE(note.pitch(), 13);
        EXPECT_LE(note.pitch(), 34);
        end = note.end();
    }
    EXPECT_LE(end, 480);
    EXPECT_EQ(listener.editStarted, 1);
    // The harmonised, still silent motive was saved before the notes came, and the new
    // melody is queued to play.
    EXPECT_EQ(canvas.history().size(), 1);
    EXPECT_TRUE(canvas.history().version(0).notes().empty());
    EXPECT_TRUE(canvas.backEnabled());
    EXPECT_GT(service.motivePlayer().queuedCount(), 0);
}

TEST_F(UMotiveCanvas, ContourModeWithUpbeatKeepsTheBeaconsInsideTheMotive) {
    TMotive motive(TKey(0, 0), fourFour, 120);
    TUMotiveCanvas& canvas = makeCanvas(motive);
    canvas.setMode(TUMotiveCanvas::MODE_LIGHT);
    const auto& light = static_cast<TLightUMInterface&>(canvas.mode());
    ASSERT_EQ(light.beacons().size(), 16u);
    EXPECT_EQ(light.beacons().front().time, 360);
    EXPECT_EQ(light.beacons().back().time, 810);

    QTest::mouseClick(&canvas, Qt::LeftButton, {}, at(canvas, 390, 26));
    EXPECT_EQ(light.beacons()[1].pitch, 26);
    ASSERT_TRUE(motive.isHarmonised());
    // The first motive of a period with an upbeat: the dominant, then the tonic.
    EXPECT_EQ(motive.chords()[0].order(), 15);
    EXPECT_EQ(motive.chords()[1].order(), 1);
    ASSERT_FALSE(motive.notes().empty());
    EXPECT_GE(motive.notes().front().time(), 360);
    EXPECT_LE(motive.notes().back().end(), 840);
}

TEST_F(UMotiveCanvas, AQuickContourStrokeSetsTheBeaconsItPassesOnTheLineBetweenEvents) {
    TMotive motive(TKey(0, 0), fourFour);
    TUMotiveCanvas& canvas = makeCanvas(motive);
    canvas.setMode(TUMotiveCanvas::MODE_LIGHT);
    const auto& light = static_cast<TLightUMInterface&>(canvas.mode());
    auto pitches = [&](int from, int to) {
        std::vector<int> result;
        for (int i = from; i <= to; ++i)
            result.push_back(light.beacons()[static_cast<std::size_t>(i)].pitch);
        return result;
    };
    // Two pointer events eight sixteenths apart, rising by eight steps.
    QTest::mousePress(&canvas, Qt::LeftButton, {}, at(canvas, 0, 20));
    QTest::mouseMove(&canvas, at(canvas, 240, 28));
    EXPECT_EQ(pitches(0, 8), (std::vector<int>{20, 21, 22, 23, 24, 25, 26, 27, 28}));
    // Back to the left, falling by three over six sixteenths: halves round away from zero.
    QTest::mouseMove(&canvas, at(canvas, 60, 25));
    EXPECT_EQ(pitches(2, 8), (std::vector<int>{25, 26, 26, 27, 27, 28, 28}));
    // Through the chord strip, which gives no pitch, the stroke is broken: no line is drawn
    // across it.
    QTest::mouseMove(&canvas, QPoint(canvas.canvasGeometry().timeToX(300), 170));
    QTest::mouseMove(&canvas, at(canvas, 420, 25));
    EXPECT_EQ(pitches(8, 14), (std::vector<int>{28, 22, 22, 22, 22, 22, 25}));
    QTest::mouseMove(&canvas, at(canvas, 360, 23));
    EXPECT_EQ(pitches(12, 14), (std::vector<int>{23, 24, 25}));
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, at(canvas, 420, 25));
    EXPECT_EQ(light.beacons()[15].pitch, TLightUMInterface::START_PITCH);

    // A new stroke does not join the end of the last one.
    QTest::mousePress(&canvas, Qt::LeftButton, {}, at(canvas, 450, 30));
    EXPECT_EQ(pitches(13, 15), (std::vector<int>{24, 25, 30}));
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, at(canvas, 450, 30));
}

TEST_F(UMotiveCanvas, ContourModeIgnoresTheChordStripAndDoubleClicks) {
    TMotive motive(TKey(0, 0), fourFour);
    TUMotiveCanvas& canvas = makeCanvas(motive);
    canvas.setMode(TUMotiveCanvas::MODE_LIGHT);
    QTest::mouseClick(&canvas, Qt::LeftButton, {}, QPoint(100, 160));
    EXPECT_TRUE(motive.isEmpty());
    EXPECT_EQ(listener.editStarted, 0);

    QTest::mouseClick(&canvas, Qt::LeftButton, {}, at(canvas, 0, 25));
    const TNoteList generated = motive.notes();
    ASSERT_FALSE(generated.empty());
    // The second press of a double click changes no beacon and generates nothing new.
    const QPointF second = at(canvas, 0, 30);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, second, canvas.mapToGlobal(second),
                            Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(&canvas, &doubleClick);
    QMouseEvent release(QEvent::MouseButtonRelease, second, canvas.mapToGlobal(second),
                        Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(&canvas, &release);
    EXPECT_EQ(static_cast<TLightUMInterface&>(canvas.mode()).beacons()[0].pitch, 25);
    EXPECT_EQ(motive.notes(), generated);
}

TEST_F(UMotiveCanvas, DeleteModeRemovesTheNoteStartingInEachSweptColumn) {
    TMotive motive = quarters();
    TUMotiveCanvas& canvas = makeCanvas(motive);
    canvas.setMode(TUMotiveCanvas::MODE_DELETE);
    EXPECT_TRUE(sameCursor(canvas, CURSOR_DELETE));

    // From inside the first note across the second and third; the height does not matter.
    QTest::mousePress(&canvas, Qt::LeftButton, {}, at(canvas, 90, 30));
    for (int t = 120; t <= 270; t += 30)
        QTest::mouseMove(&canvas, at(canvas, t, 14 + t / 30));
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, at(canvas, 270, 20));
    EXPECT_EQ(noteTimes(motive), (std::vector<int>{0, 360}));

    // Moving without a press deletes nothing.
    hover(canvas, at(canvas, 0, 20));
    EXPECT_EQ(noteTimes(motive), (std::vector<int>{0, 360}));
    EXPECT_EQ(service.motivePlayer().queuedCount(), 0) << "deleting plays nothing";

    // The sweep saved the motive first: back brings the notes back, forward the sweep.
    ASSERT_TRUE(canvas.backEnabled());
    QTest::mouseClick(&canvas, Qt::LeftButton, {}, QPoint(5, 140));
    EXPECT_EQ(noteTimes(motive), (std::vector<int>{0, 120, 240, 360}));
    EXPECT_TRUE(canvas.forwardEnabled());
    QTest::mouseClick(&canvas, Qt::LeftButton, {}, QPoint(24, 140));
    EXPECT_EQ(noteTimes(motive), (std::vector<int>{0, 360}));
    EXPECT_FALSE(canvas.forwardEnabled());
    // A disabled button swallows the press: the mode sees nothing.
    QTest::mouseClick(&canvas, Qt::LeftButton, {}, QPoint(24, 140));
    EXPECT_EQ(noteTimes(motive), (std::vector<int>{0, 360}));
}

TEST_F(UMotiveCanvas, EditModeFollowsThePointerOnlyOverAHarmonisedMotive) {
    TMotive motive = quarters();
    TUMotiveCanvas& canvas = makeCanvas(motive);
    auto& edit = canvas.mode();
    EXPECT_EQ(canvas.modeNumber(), TUMotiveCanvas::MODE_EDIT);
    hover(canvas, at(canvas, 60, 20));
    EXPECT_TRUE(sameCursor(canvas, CURSOR_ICHORD));
    EXPECT_EQ(listener.moved, 0);

    ASSERT_TRUE(canvas.autoHarmonise());
    motive.notes().erase(motive.notes().begin() + 1); // a gap from 120 to 240
    hover(canvas, at(canvas, 180, 20));
    EXPECT_TRUE(sameCursor(canvas, CURSOR_INOTE));
    EXPECT_EQ(listener.moved, 1);
    const auto& tracked = static_cast<const TEditUMInterface&>(edit);
    EXPECT_EQ(tracked.editPosition(), 180);
    EXPECT_EQ(tracked.gap(), -60);
    hover(canvas, at(canvas, 270, 20));
    EXPECT_EQ(tracked.gap(), 30);

    // The press of mode 1 changes nothing until the variant window exists.
    const TNoteList before = motive.notes();
    QTest::mouseClick(&canvas, Qt::LeftButton, {}, at(canvas, 270, 20));
    EXPECT_EQ(motive.notes(), before);
}

TEST_F(UMotiveCanvas, PlayModePlaysThePressedMotive) {
    TMotive motive = quarters();
    TUMotiveCanvas& canvas = makeCanvas(motive);
    canvas.setMode(TUMotiveCanvas::MODE_PLAY);
    QTest::mouseClick(&canvas, Qt::LeftButton, {}, at(canvas, 0, 20));
    EXPECT_EQ(service.motivePlayer().queuedCount(), 1);
    EXPECT_EQ(motive.notes().size(), 4u);
}

TEST_F(UMotiveCanvas, SetModeSelectsTheModeAndItsCursor) {
    TMotive motive = quarters();
    TUMotiveCanvas& canvas = makeCanvas(motive);
    const std::pair<int, int> expected[] = {{TUMotiveCanvas::MODE_CHORD_AND_NOTE, CURSOR_ICHNOTE},
                                            {TUMotiveCanvas::MODE_NEW_CHORD, CURSOR_ICHORD},
                                            {TUMotiveCanvas::MODE_CHORD, CURSOR_ICHFNOTE},
                                            {TUMotiveCanvas::MODE_DELETE, CURSOR_DELETE},
                                            {TUMotiveCanvas::MODE_LIGHT, CURSOR_MAYAK},
                                            {TUMotiveCanvas::MODE_PLAY, CURSOR_PLAY}};
    for (const auto& [mode, cursor] : expected) {
        canvas.setMode(mode);
        EXPECT_EQ(canvas.modeNumber(), mode);
        EXPECT_TRUE(sameCursor(canvas, cursor)) << mode;
        // The variant-choosing modes wait for the variant window: a press changes nothing.
        QTest::mouseClick(&canvas, Qt::LeftButton, {}, at(canvas, 120, 20));
    }
    canvas.setMode(99);
    EXPECT_EQ(canvas.modeNumber(), TUMotiveCanvas::MODE_PLAY);
}

class DropOnto : public UMotiveCanvas {
protected:
    // Drags `handle` over `target` and drops it there; returns whether the drop was accepted.
    static std::pair<bool, bool> dragAndDrop(TDragged& handle, QWidget& target) {
        TDraggedMimeData data(&handle);
        const QPointF point(50, 50);
        QDragEnterEvent enter(point.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&target, &enter);
        QDropEvent drop(point, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&target, &drop);
        return {enter.isAccepted(), drop.isAccepted()};
    }
};

TEST_F(DropOnto, AnEditingCanvasCopiesTheDraggedMotiveAfterSavingItsOwn) {
    TMotive source = quarters();
    TMotive target(TKey(0, 0), fourFour);
    target.notes().push_back(TNote(0, 20, 480));
    TUMotiveCanvas& from = makeCanvas(source);
    TUMotiveCanvas& to = makeCanvas(target);
    TDragged handle(nullptr, &from);

    EXPECT_EQ(dragAndDrop(handle, to), std::make_pair(false, false)) << "drop not enabled";
    EXPECT_EQ(target.notes().size(), 1u);

    to.enableDrop(true);
    EXPECT_EQ(dragAndDrop(handle, to), std::make_pair(true, true));
    EXPECT_TRUE(target.sameContent(source));
    EXPECT_EQ(listener.editStarted, 1);
    ASSERT_EQ(to.history().size(), 1);
    EXPECT_EQ(to.history().version(0).notes().size(), 1u);
}

TEST_F(DropOnto, ADisplayCanvasIsAcceptedButGivesNothing) {
    TMotive source = quarters();
    TMotive target(TKey(0, 0), fourFour);
    TMotiveCanvas display(nullptr, source, nullptr);
    TUMotiveCanvas& to = makeCanvas(target);
    to.enableDrop(true);
    TDragged handle(nullptr, &display);
    EXPECT_EQ(dragAndDrop(handle, to).first, true);
    EXPECT_TRUE(target.isEmpty());
    EXPECT_EQ(listener.editStarted, 0);

    // Anything but a canvas is refused.
    QWidget other;
    TDragged foreign(nullptr, &other);
    EXPECT_EQ(dragAndDrop(foreign, to).first, false);
    // A handle takes a drag over itself only from itself.
    EXPECT_EQ(dragAndDrop(handle, handle).first, true);
    EXPECT_EQ(dragAndDrop(foreign, handle).first, false);
}

} // namespace
