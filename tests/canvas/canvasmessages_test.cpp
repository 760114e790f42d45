#include "canvas/messagewindow.h"
#include "canvas/umotivecanvas.h"
#include "fakecanvasservice.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <utility>

namespace {

// Records what reaches it on the interface thread, as the main window's canvases are told.
class RecordingCanvas : public TUMotiveCanvas {
public:
    RecordingCanvas(TCanvasService& service, TMotive& motive)
        : TUMotiveCanvas(nullptr, service, motive) {}
    void noteStarted(int motiveId, int noteIndex) override {
        calls.push_back("start " + std::to_string(motiveId) + ":" + std::to_string(noteIndex));
        TUMotiveCanvas::noteStarted(motiveId, noteIndex);
    }
    void noteFinished(int motiveId, int noteIndex) override {
        calls.push_back("stop " + std::to_string(motiveId) + ":" + std::to_string(noteIndex));
        TUMotiveCanvas::noteFinished(motiveId, noteIndex);
    }
    std::vector<std::string> calls;
};

TMotive motiveOfNotes(int count) {
    TMotive motive{TKey(0, 0), TMeasure(2, 120)};
    for (int i = 0; i < count; ++i)
        motive.notes().push_back(TNote(i % 8 * 30, 22, 30));
    return motive;
}

TEST(PlaybackEvents, ReachTheCanvasThatPostedThemOnTheInterfaceThreadInPostingOrder) {
    TFakeCanvasService service;
    TMotive firstMotive = motiveOfNotes(4);
    TMotive secondMotive = motiveOfNotes(4);
    RecordingCanvas first(service, firstMotive);
    RecordingCanvas second(service, secondMotive);
    // Owners may give two canvases the same id: the events still keep to their own canvas.
    first.setCanvasId(CURRENT_CANVAS_ID);
    second.setCanvasId(CURRENT_CANVAS_ID);
    EXPECT_NE(first.canvasSerial(), second.canvasSerial());

    constexpr int count = 200;
    std::thread timer([&] {
        for (int i = 0; i < count; ++i) {
            TMotivePlayerListener* listener =
                i % 3 == 0 ? second.playerListener() : first.playerListener();
            if (i % 2 == 0)
                listener->noteStarted(firstMotive.id(), i);
            else
                listener->noteStopped(firstMotive.id(), i);
        }
        first.playerListener()->motiveFinished();
    });
    timer.join();
    EXPECT_TRUE(first.calls.empty()) << "nothing runs before the interface thread turns";
    QCoreApplication::processEvents();

    std::vector<std::string> expectFirst;
    std::vector<std::string> expectSecond;
    for (int i = 0; i < count; ++i) {
        const std::string call = std::string(i % 2 == 0 ? "start " : "stop ") +
                                 std::to_string(firstMotive.id()) + ":" + std::to_string(i);
        (i % 3 == 0 ? expectSecond : expectFirst).push_back(call);
    }
    EXPECT_EQ(first.calls, expectFirst);
    EXPECT_EQ(second.calls, expectSecond);
    ASSERT_EQ(service.playing.size(), 1u);
    EXPECT_EQ(service.playing[0].first, &first);
    EXPECT_FALSE(service.playing[0].second);
}

TEST(PlaybackEvents, ANoteIndexAbove255ReachesItsNote) {
    TFakeCanvasService service;
    TMotive motive = motiveOfNotes(300);
    TUMotiveCanvas canvas(nullptr, service, motive);
    canvas.playerListener()->noteStarted(motive.id(), 280);
    QCoreApplication::processEvents();
    EXPECT_TRUE(motive.notes()[280].highlighted());
    EXPECT_FALSE(motive.notes()[280 % 256].highlighted()) << "the index was not cut to 8 bits";
    canvas.playerListener()->noteStopped(motive.id(), 280);
    QCoreApplication::processEvents();
    EXPECT_FALSE(motive.notes()[280].highlighted());
}

TEST(PlaybackEvents, ForACanvasThatHasGoneAreDroppedEvenWhenItsIdIsGivenAgain) {
    TFakeCanvasService service;
    TMotive motive = motiveOfNotes(4);
    auto gone = std::make_unique<TUMotiveCanvas>(nullptr, service, motive);
    gone->setCanvasId(48);
    gone->playerListener()->noteStarted(motive.id(), 1);
    gone->playerListener()->motiveStarted();
    const TCanvasSerial goneSerial = gone->canvasSerial();
    gone.reset();
    // Built in its place, on the same motive and with the same id, as a rebuilt strip does.
    TUMotiveCanvas successor(nullptr, service, motive);
    successor.setCanvasId(48);
    EXPECT_NE(successor.canvasSerial(), goneSerial);
    EXPECT_EQ(service.messageWindow().canvasBySerial(goneSerial), nullptr);
    EXPECT_EQ(service.messageWindow().canvasBySerial(successor.canvasSerial()), &successor);
    QCoreApplication::processEvents();
    for (const TNote& note : motive.notes())
        EXPECT_FALSE(note.highlighted());
    EXPECT_TRUE(service.playing.empty());
}

TEST(MessageWindow, DeliversOtherMessagesFromAnotherThreadInPostingOrder) {
    TFakeCanvasService service;
    constexpr int count = 500;
    std::thread timer([&] {
        for (int i = 0; i < count; ++i)
            service.messageWindow().post(MESSAGE_VARIANT_UPDATE, 1, i);
    });
    timer.join();
    EXPECT_TRUE(service.posted.empty()) << "nothing runs before the interface thread turns";
    QCoreApplication::processEvents();
    ASSERT_EQ(service.posted.size(), static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(service.posted[static_cast<std::size_t>(i)].value, i);
}

TEST(MessageWindow, SendingThePostedEventsOfTheWindowHandsOnEverythingPostedSoFar) {
    // As a panel does before it clears the highlights of notes that may still be on their way.
    TFakeCanvasService service;
    std::thread timer([&] {
        for (int i = 0; i < 50; ++i)
            service.messageWindow().post(MESSAGE_VARIANT_UPDATE, 1, i);
    });
    timer.join();
    QCoreApplication::sendPostedEvents(&service.messageWindow());
    ASSERT_EQ(service.posted.size(), 50u);
    EXPECT_EQ(service.posted.back().value, 49);
}

// A handler that runs an event loop of its own, as a modal dialog does, still sees the later
// posts, in order, and each post is handed on once.
class NestingHandler : public TMessageHandler {
public:
    void handleMessage(int, int, std::int64_t value) override {
        handled.emplace_back(value, depth);
        if (value == 0) {
            ++depth;
            window->post(MESSAGE_VARIANT_UPDATE, 1, 3); // posted from inside the handler
            QCoreApplication::processEvents();
            --depth;
        }
    }
    void motivePlaying(TProcessPlayingInterface&, bool) override {}

    TMessageWindow* window = nullptr;
    int depth = 0;
    std::vector<std::pair<std::int64_t, int>> handled;
};

TEST(MessageWindow, AHandlerRunningANestedEventLoopGetsTheLaterPostsInOrder) {
    TFakeCanvasService service; // for the application object
    NestingHandler handler;
    TMessageWindow window(handler);
    handler.window = &window;
    std::thread timer([&] {
        for (int i = 0; i < 3; ++i)
            window.post(MESSAGE_VARIANT_UPDATE, 1, i);
    });
    timer.join();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    const std::vector<std::pair<std::int64_t, int>> expected = {{0, 0}, {1, 1}, {2, 1}, {3, 1}};
    EXPECT_EQ(handler.handled, expected);
}

class PlayingCanvas : public ::testing::Test {
protected:
    void SetUp() override {
        for (int t = 0; t < 240; t += 60)
            motive.notes().push_back(TNote(t, 22, 60));
        canvas.setCanvasId(50);
    }
    // Runs the player's timer by hand up to `clock` and lets the interface thread catch up.
    void playUntil(int clock) {
        while (service.motivePlayer().isPlaying() && service.motivePlayer().clock() < clock)
            service.motivePlayer().tick();
        QCoreApplication::processEvents();
    }
    std::vector<bool> lit() const {
        std::vector<bool> flags;
        for (const TNote& note : motive.notes())
            flags.push_back(note.highlighted());
        return flags;
    }

    TFakeCanvasService service;
    TMotive motive{TKey(0, 0), TMeasure(2, 120)};
    RecordingCanvas canvas{service, motive};
};

TEST_F(PlayingCanvas, LightsTheSoundingNoteThroughTheMessageWindow) {
    canvas.playMotive();
    service.motivePlayer().start();
    playUntil(15);
    EXPECT_EQ(lit(), (std::vector<bool>{true, false, false, false}));
    playUntil(75);
    EXPECT_EQ(lit(), (std::vector<bool>{false, true, false, false}));
    playUntil(1000);
    EXPECT_EQ(lit(), (std::vector<bool>{false, false, false, false}));
}

TEST_F(PlayingCanvas, TheTimerThreadsNotesArriveInOrderOnTheInterfaceThread) {
    service.motivePlayer().setTempo(145);
    canvas.playMotive();
    service.motivePlayer().start(); // the real timer thread from here on
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (service.motivePlayer().isPlaying() && std::chrono::steady_clock::now() < deadline)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::processEvents();
    ASSERT_FALSE(service.motivePlayer().isPlaying());

    std::vector<std::string> expected;
    for (int i = 0; i < 4; ++i) {
        expected.push_back("start " + std::to_string(motive.id()) + ":" + std::to_string(i));
        expected.push_back("stop " + std::to_string(motive.id()) + ":" + std::to_string(i));
    }
    EXPECT_EQ(canvas.calls, expected);
    EXPECT_EQ(lit(), (std::vector<bool>{false, false, false, false}));
}

TEST_F(PlayingCanvas, FollowsThePlayedVersionUnlessItKeepsItsOwn) {
    canvas.saveVersion(); // version 0: the four notes; live id 1
    motive.notes().pop_back();
    canvas.noteStarted(0, 3);
    EXPECT_EQ(motive.notes().size(), 4u) << "shows version 0 again";
    EXPECT_TRUE(motive.notes()[3].highlighted());
    // The changed live motive was saved in front of it first.
    EXPECT_EQ(canvas.history().size(), 2);
    EXPECT_EQ(canvas.history().index(), 1);

    canvas.noteFinished(0, 3);
    EXPECT_FALSE(motive.notes()[3].highlighted());

    canvas.setKeepOwnVersion(true);
    canvas.noteStarted(1, 0);
    EXPECT_EQ(motive.notes().size(), 4u);
    EXPECT_FALSE(motive.notes()[0].highlighted());

    canvas.setKeepOwnVersion(false);
    service.variantBusy = true;
    canvas.noteStarted(0, 1);
    EXPECT_FALSE(motive.notes()[1].highlighted());

    // An id no version has, and a note index past the notes, do nothing.
    service.variantBusy = false;
    canvas.noteStarted(42, 0);
    canvas.noteStarted(0, 200);
    EXPECT_EQ(lit(), (std::vector<bool>{false, false, false, false}));
}

TEST_F(PlayingCanvas, AGoneCanvasIsNoLongerCalledByThePlayer) {
    auto doomed = std::make_unique<TUMotiveCanvas>(nullptr, service, motive);
    doomed->playMotive();
    service.motivePlayer().start();
    doomed->playerListener()->noteStarted(motive.id(), 0); // as the timer had just done
    doomed.reset();
    EXPECT_FALSE(service.motivePlayer().isPlaying());
    playUntil(1000);
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_EQ(lit(), (std::vector<bool>{false, false, false, false}));
}

} // namespace
