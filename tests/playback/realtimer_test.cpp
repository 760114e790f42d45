#include "playback/midibackend.h"
#include "playback/motiveplayer.h"
#include "playback/realtimer.h"
#include "playback/recordingbackend.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <system_error>
#include <thread>

using namespace std::chrono_literals;

namespace {

// Waits until `done` holds or a generous limit passes.
template <class Pred> bool eventually(Pred done, std::chrono::milliseconds limit = 5s) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) {
            return false;
        }
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

struct ThreadlessTimer : TRealTimer {
    std::thread launchThread(std::function<void()>) override {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    }
};

} // namespace

TEST(RealTimer, StartsWithTheDefaultPeriodAndTakesANewOneAtTheNextStart) {
    TRealTimer timer;
    EXPECT_EQ(timer.interval(), 80);
    EXPECT_EQ(timer.resolution(), 10);
    EXPECT_FALSE(timer.isRunning());
    timer.setInterval(55);
    EXPECT_EQ(timer.interval(), 55);
    EXPECT_EQ(TRealTimer(120).interval(), 120);
}

TEST(RealTimer, CallsBackOnItsOwnThreadUntilStopped) {
    TRealTimer timer(2);
    std::atomic<int> calls{0};
    std::atomic<bool> otherThread{true};
    const auto self = std::this_thread::get_id();
    timer.setCallback([&] {
        otherThread = otherThread && std::this_thread::get_id() != self;
        ++calls;
    });
    timer.start();
    EXPECT_TRUE(timer.isRunning());
    EXPECT_TRUE(eventually([&] { return calls >= 5; }));
    timer.stop();
    EXPECT_FALSE(timer.isRunning());
    std::this_thread::sleep_for(20ms); // a callback already under way may still finish
    const int settled = calls;
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(calls, settled);
    EXPECT_TRUE(otherThread);
}

TEST(RealTimer, StartingTwiceLeavesOneStreamOfEvents) {
    TRealTimer timer(10);
    std::atomic<int> calls{0};
    timer.setCallback([&] { ++calls; });
    timer.start();
    timer.start();
    std::this_thread::sleep_for(205ms);
    timer.stop();
    // One stream gives about 20 events; two would give about 40.
    EXPECT_GE(calls, 10);
    EXPECT_LE(calls, 30);
}

TEST(RealTimer, TheCallbackMayStopAndRestartItsOwnTimer) {
    TRealTimer timer(1);
    std::atomic<int> calls{0};
    std::atomic<int> restarts{0};
    timer.setCallback([&] {
        if (++calls % 3 == 0) {
            timer.stop();
            if (restarts < 2) {
                ++restarts;
                timer.start();
            }
        }
    });
    timer.start();
    EXPECT_TRUE(eventually([&] { return !timer.isRunning(); }));
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(calls, 9);
    EXPECT_EQ(restarts, 2);
}

TEST(RealTimer, AnEventOvertakenByAStopKnowsItIsStale) {
    TRealTimer timer(1);
    std::promise<void> entered;
    std::promise<void> release;
    auto released = release.get_future().share();
    std::atomic<int> calls{0};
    std::atomic<bool> currentAfterStop{true};
    timer.setCallback([&] {
        if (++calls == 1) {
            entered.set_value();
            released.wait();
            currentAfterStop = timer.isCurrentEvent();
        }
    });
    timer.start();
    entered.get_future().wait();
    timer.stop();
    timer.start(); // a new run does not make the old event current again
    release.set_value();
    EXPECT_TRUE(eventually([&] { return calls >= 2; }));
    timer.stop();
    EXPECT_FALSE(currentAfterStop);
}

TEST(RealTimer, ReportsWhenNoThreadCanBeStarted) {
    ThreadlessTimer timer;
    try {
        timer.start();
        FAIL() << "start() should throw";
    } catch (const TMidiError& error) {
        EXPECT_STREQ(error.what(), "Unable to start Multimedia Timer");
    }
    EXPECT_FALSE(timer.isRunning());
}

TEST(RealTimer, APlayerWhoseTimerCannotStartDropsWhatWasQueued) {
    TRecordingBackend backend;
    TPlayer player(backend);
    player.open(0);
    TMotivePlayer motives(&player, false, std::make_unique<ThreadlessTimer>());
    TMotive motive;
    motive.setNotes({TNote(0, 21, 240)});
    EXPECT_THROW(motives.play(motive, nullptr), TMidiError);
    EXPECT_TRUE(motives.allUnits().empty());
    EXPECT_EQ(motives.queuedCount(), 0);
    EXPECT_FALSE(motives.isPlaying());
    EXPECT_TRUE(backend.messages().empty());
}
