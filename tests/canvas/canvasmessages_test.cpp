#include "canvas/messagewindow.h"
#include "canvas/umotivecanvas.h"
#include "fakebaseservice.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

class RecordingCanvas : public TProcessPlayingInterface {
public:
    void noteStarted(int motiveId, int noteIndex) override {
        calls.push_back({true, noteIndex, 0, motiveId});
    }
    void noteFinished(int motiveId, int noteIndex) override {
        calls.push_back({false, noteIndex, 0, motiveId});
    }
    std::vector<TNoteMessage> calls;
};

TEST(NoteMessage, PacksNoteCanvasAndMotiveIntoOneParameter) {
    const TNoteMessage decoded = decodeNoteMessage(2, noteMessageParam(15, 1047, 70000));
    EXPECT_FALSE(decoded.started);
    EXPECT_EQ(decoded.noteIndex, 15);
    EXPECT_EQ(decoded.canvasId, 1047) << "the last cell of a 1,000-motive period keeps its id";
    EXPECT_EQ(decoded.motiveId, 70000) << "motive ids beyond 16 bits survive";
    EXPECT_EQ(decodeNoteMessage(1, noteMessageParam(3, 207, -1)).canvasId, 207)
        << "cell 207 is not taken for the current canvas (255)";
    EXPECT_EQ(decodeNoteMessage(1, noteMessageParam(3, 207, -1)).motiveId, -1);
}

TEST(NoteMessage, GoesOnlyToTheCanvasTheIdNames) {
    RecordingCanvas cell;
    const auto find = [&](int id) -> TProcessPlayingInterface* {
        return id == 48 ? &cell : nullptr;
    };
    EXPECT_FALSE(deliverNoteMessage(1, noteMessageParam(0, 47, 1), find));
    EXPECT_FALSE(deliverNoteMessage(1, noteMessageParam(0, CURRENT_CANVAS_ID, 1), find));
    EXPECT_TRUE(cell.calls.empty());
    EXPECT_TRUE(deliverNoteMessage(1, noteMessageParam(4, 48, 9), find));
    EXPECT_TRUE(deliverNoteMessage(2, noteMessageParam(4, 48, 9), find));
    ASSERT_EQ(cell.calls.size(), 2u);
    EXPECT_TRUE(cell.calls[0].started);
    EXPECT_FALSE(cell.calls[1].started);
    EXPECT_EQ(cell.calls[1].noteIndex, 4);
    EXPECT_EQ(cell.calls[1].motiveId, 9);
}

TEST(MessageWindow, DeliversMessagesFromAnotherThreadOnItsOwnInPostingOrder) {
    TFakeBaseService service;
    constexpr int count = 500;
    std::thread timer([&] {
        for (int i = 0; i < count; ++i)
            service.messageWindow().post(MESSAGE_NOTE, 1 + i % 2, i);
    });
    timer.join();
    EXPECT_TRUE(service.posted.empty()) << "nothing runs before the interface thread turns";
    QCoreApplication::processEvents();
    ASSERT_EQ(service.posted.size(), static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(service.posted[static_cast<std::size_t>(i)].lParam, i);
}

class PlayingCanvas : public ::testing::Test {
protected:
    void SetUp() override {
        for (int t = 0; t < 240; t += 60)
            motive.notes().push_back(TNote(t, 22, 60));
        canvas.setCanvasId(50);
        service.canvasById = [this](int id) -> TProcessPlayingInterface* {
            return id == 50 ? &canvas : nullptr;
        };
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

    TFakeBaseService service;
    TMotive motive{TKey(0, 0), TMeasure(2, 120)};
    TUMotiveCanvas canvas{nullptr, service, motive};
};

TEST_F(PlayingCanvas, LightsTheSoundingNoteThroughTheMessageWindow) {
    canvas.playMotive();
    service.motivePlayer().start();
    playUntil(15);
    EXPECT_EQ(lit(), (std::vector<bool>{true, false, false, false}));
    ASSERT_FALSE(service.posted.empty());
    EXPECT_EQ(service.posted.front().message, MESSAGE_NOTE);
    EXPECT_EQ(decodeNoteMessage(1, service.posted.front().lParam).canvasId, 50);
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

    std::vector<std::pair<bool, int>> notes;
    for (const auto& posted : service.posted) {
        ASSERT_EQ(posted.message, MESSAGE_NOTE);
        const TNoteMessage note = decodeNoteMessage(posted.wParam, posted.lParam);
        EXPECT_EQ(note.canvasId, 50);
        EXPECT_EQ(note.motiveId, motive.id());
        notes.emplace_back(note.started, note.noteIndex);
    }
    const std::vector<std::pair<bool, int>> expected{{true, 0}, {false, 0}, {true, 1}, {false, 1},
                                                     {true, 2}, {false, 2}, {true, 3}, {false, 3}};
    EXPECT_EQ(notes, expected);
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
    doomed.reset();
    EXPECT_FALSE(service.motivePlayer().isPlaying());
    playUntil(1000);
    EXPECT_TRUE(service.posted.empty());
}

} // namespace
