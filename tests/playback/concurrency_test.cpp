// The motive player on its real timer thread. CI runs these under ThreadSanitizer.

#include "playbacktesting.h"

#include "playback/motiveplayer.h"
#include "playback/recordingbackend.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <random>

using namespace playbacktest;
using namespace std::chrono_literals;

namespace {

const TMeasure twoFour(2, 120);
const TVoices chordC{28, 23, 19, 7};

// The fastest tempo the timer allows: 1 ms per event.
constexpr int FAST = 199;

struct StopWaiter : TMotivePlayerStopListener {
    TMotivePlayer* player = nullptr;
    std::mutex mutex;
    std::condition_variable changed;
    int calls = 0;
    bool lockFree = true;
    std::thread::id thread;
    void playingStopped() override {
        // The lock is free: another thread can take it while this call runs.
        std::thread other([this] { (void)player->clock(); });
        other.join();
        std::lock_guard lock(mutex);
        ++calls;
        thread = std::this_thread::get_id();
        changed.notify_all();
    }
    bool waitFor(int n) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, 10s, [&] { return calls >= n; });
    }
};

} // namespace

TEST(TimerThread, PlaysAMotiveToTheEndAndCallsListenersOnTheTimerThread) {
    TRecordingBackend backend;
    TPlayer player(backend);
    player.open(0);
    TMotivePlayer motives(&player, false);
    StopWaiter stopped;
    stopped.player = &motives;
    motives.setStopListener(&stopped);
    motives.setTempo(FAST);
    RecordingListener listener;
    motives.play(
        makeMotive(twoFour, 0, {{0, 21, 120}, {120, 22, 120}}, {voicedChord(0, chordC)}, 1),
        &listener);
    EXPECT_TRUE(motives.isPlaying());
    ASSERT_TRUE(stopped.waitFor(1));
    EXPECT_FALSE(motives.isPlaying());
    EXPECT_EQ(stopped.calls, 1);
    EXPECT_NE(stopped.thread, std::this_thread::get_id());
    EXPECT_EQ(listener.calls().size(), 6u);
    for (auto id : listener.threads()) {
        EXPECT_EQ(id, stopped.thread);
    }
    // 16 pulses, 4 melody and 8 chord messages, all released.
    EXPECT_EQ(backend.messages().size(), 28u);
    EXPECT_EQ(soundingTotal(backend.messageValues()), 0);
}

TEST(TimerThread, QueuingAndStoppingWhileTheTimerRunsLeavesNoNoteSounding) {
    TRecordingBackend backend;
    TPlayer player(backend);
    player.open(0);
    TMotivePlayer motives(&player, false);
    StopWaiter stopped;
    stopped.player = &motives;
    motives.setStopListener(&stopped);
    motives.setTempo(FAST);
    RecordingListener listener;
    std::mt19937 random(7);
    const auto until = std::chrono::steady_clock::now() + 400ms;
    int queued = 0;
    while (std::chrono::steady_clock::now() < until) {
        const int action = static_cast<int>(random() % 10);
        if (action < 6) {
            motives.play(makeMotive(twoFour, random() % 2 ? 120 : 0,
                                    {{120, 14 + static_cast<int>(random() % 20), 120},
                                     {240, 14 + static_cast<int>(random() % 20), 120}},
                                    {voicedChord(0, chordC), voicedChord(240, chordC)}, queued++),
                         random() % 2 ? &listener : nullptr);
        } else if (action < 8) {
            motives.stop();
        } else if (action < 9) {
            motives.detachListeners();
        }
        (void)motives.queuedCount();
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
    }
    motives.stop();
    bool negative = false;
    for (const auto& [key, count] : soundingCounts(backend.messageValues(), &negative)) {
        EXPECT_EQ(count, 0) << "channel " << key.first << " note " << key.second;
    }
    EXPECT_FALSE(negative);
    EXPECT_GT(queued, 10);
}

TEST(TimerThread, DestroyingAPlayingPlayerReleasesItsNotes) {
    TRecordingBackend backend;
    TPlayer player(backend);
    player.open(0);
    {
        TMotivePlayer motives(&player, false);
        motives.setTempo(150);
        motives.play(makeMotive(twoFour, 0, {{0, 21, 240}}, {voicedChord(0, chordC)}), nullptr);
        std::this_thread::sleep_for(200ms);
    }
    EXPECT_FALSE(backend.messages().empty());
    EXPECT_EQ(soundingTotal(backend.messageValues()), 0);
}
