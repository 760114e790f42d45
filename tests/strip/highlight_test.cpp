// However playback ends, no note of any canvas stays lit: driven by the real timer thread over a
// recording device, with the notes reaching the cells through the message window.

#include "../canvas/fakecanvasservice.h"
#include "canvas/umotivecanvas.h"
#include "files/periodbuilder.h"
#include "strip/periodpanel.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace {

enum class Ending { Stop, DetachListeners, PlayedToTheEnd };

class NoNoteStaysLit : public ::testing::TestWithParam<Ending> {
protected:
    NoNoteStaysLit() {
        buildDefaultPeriod(period); // 2/4 with an upbeat of an eighth
        for (TMotive* motive : period.allMotives())
            motive->setNotes({TNote(180, 22, 60), TNote(240, 23, 120), TNote(360, 24, 60)});
        panel = std::make_unique<TPeriodPanel>(nullptr, 1000, service, period);
        service.motivePlayer().setTempo(145);
    }

    int litNotes() const {
        int lit = 0;
        for (const TUMotiveSet* cell : panel->motiveCells())
            for (const TNote& note : cell->canvas()->motive().notes())
                lit += note.highlighted() ? 1 : 0;
        return lit;
    }
    // Lets the interface thread handle what the timer thread posts until `done` or a deadline.
    bool runUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!done() && std::chrono::steady_clock::now() < deadline)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return done();
    }

    TFakeCanvasService service{true};
    TPeriodData period;
    std::unique_ptr<TPeriodPanel> panel;
};

TEST_P(NoNoteStaysLit, WhenPlaybackEnds) {
    panel->playSentence(0);
    ASSERT_TRUE(service.motivePlayer().isPlaying()) << "the timer thread runs";
    // Into the second cell, so that a cell other than the first is lit when playback ends.
    ASSERT_TRUE(runUntil([&] {
        const auto& notes = panel->motiveCells()[1]->canvas()->motive().notes();
        return notes[1].highlighted();
    }));
    EXPECT_EQ(litNotes(), 1);

    switch (GetParam()) {
    case Ending::Stop:
        service.motivePlayer().stop();
        break;
    case Ending::DetachListeners:
        service.motivePlayer().detachListeners();
        break;
    case Ending::PlayedToTheEnd:
        ASSERT_TRUE(runUntil([&] { return !service.motivePlayer().isPlaying(); }));
        break;
    }
    EXPECT_FALSE(service.motivePlayer().isPlaying());
    QCoreApplication::processEvents();
    EXPECT_EQ(litNotes(), 0);
    // Detached listeners are not told that their motive finished; the others are.
    if (GetParam() != Ending::DetachListeners) {
        for (const TUMotiveSet* cell : panel->motiveCells())
            EXPECT_FALSE(cell->playPanel()->isPlaying());
    }
    // The device was told as much: nothing sounds.
    int sounding = 0;
    for (std::uint32_t message : service.backend().messageValues()) {
        const std::uint32_t status = message & 0xF0;
        sounding += status == 0x90 ? 1 : status == 0x80 ? -1 : 0;
    }
    EXPECT_EQ(sounding, 0);
}

INSTANTIATE_TEST_SUITE_P(AfterEveryEnding, NoNoteStaysLit,
                         ::testing::Values(Ending::Stop, Ending::DetachListeners,
                                           Ending::PlayedToTheEnd),
                         [](const auto& info) {
                             switch (info.param) {
                             case Ending::Stop:
                                 return std::string("Stop");
                             case Ending::DetachListeners:
                                 return std::string("DetachListeners");
                             default:
                                 return std::string("PlayedToTheEnd");
                             }
                         });

} // namespace
