// The timer's deadlines on a scripted clock: the timer thread runs, but no time passes except
// what the clock says, so nothing here sleeps.

#include "playbacktesting.h"

#include "playback/motiveplayer.h"
#include "playback/player.h"
#include "playback/realtimer.h"
#include "playback/recordingbackend.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

// Every wait ends at its deadline plus a lateness, and the clock jumps ahead by a stall at
// chosen waits, as a busy or frozen machine would make it.
class ScriptedClock : public TTimerClockInterface {
public:
    ScriptedClock(std::chrono::milliseconds lateness,
                  std::map<int, std::chrono::milliseconds> stalls)
        : lateness_(lateness), stalls_(std::move(stalls)) {}

    TimePoint now() override { return TimePoint(std::chrono::milliseconds(now_.load())); }
    bool waitUntil(std::condition_variable&, std::unique_lock<std::mutex>&, TimePoint deadline,
                   const std::function<bool()>& stopWaiting) override {
        if (stopWaiting()) {
            return true;
        }
        auto woken = std::max(now(), deadline) + lateness_;
        if (auto stall = stalls_.find(++waits_); stall != stalls_.end()) {
            woken += stall->second;
        }
        now_ =
            std::chrono::duration_cast<std::chrono::milliseconds>(woken.time_since_epoch()).count();
        return stopWaiting();
    }

private:
    std::atomic<long long> now_{0};
    std::chrono::milliseconds lateness_;
    std::map<int, std::chrono::milliseconds> stalls_;
    int waits_ = 0;
};

// The clock times (ms from the start) at which the first `count` events fired.
std::vector<long long>
eventTimes(int intervalMs, std::chrono::milliseconds lateness,
           std::map<int, std::chrono::milliseconds> stalls, int count,
           TRealTimer::TFirstEvent first = TRealTimer::TFirstEvent::AfterInterval) {
    auto clock = std::make_unique<ScriptedClock>(lateness, std::move(stalls));
    ScriptedClock& time = *clock;
    TRealTimer timer(intervalMs, std::move(clock));
    std::vector<long long> times;
    std::promise<void> done;
    timer.setCallback([&] {
        times.push_back(
            std::chrono::duration_cast<std::chrono::milliseconds>(time.now().time_since_epoch())
                .count());
        if (static_cast<int>(times.size()) == count) {
            timer.stop();
            done.set_value();
        }
    });
    timer.start(first);
    EXPECT_EQ(done.get_future().wait_for(10s), std::future_status::ready);
    return times;
}

} // namespace

TEST(TimerDeadlines, LatenessOfEachEventDoesNotAddUpIntoDrift) {
    // Every wake comes 7 ms late; event k still falls 7 ms after k x 100 ms, not k x 107 ms.
    const auto times = eventTimes(100, 7ms, {}, 20);
    ASSERT_EQ(times.size(), 20u);
    for (std::size_t k = 0; k < times.size(); ++k) {
        EXPECT_EQ(times[k], 100 * static_cast<long long>(k + 1) + 7) << "event " << k + 1;
    }
}

TEST(TimerDeadlines, AShortStallIsCaughtUpSoTheTempoHolds) {
    // The fifth wait stalls 200 ms: events 5 to 7 go out together at 700, then on schedule.
    const auto times = eventTimes(100, 0ms, {{5, 200ms}}, 10);
    const std::vector<long long> want{100, 200, 300, 400, 700, 700, 700, 800, 900, 1000};
    EXPECT_EQ(times, want);
}

TEST(TimerDeadlines, AfterAStallOverTheCatchUpLimitPlaybackResumesWithoutABurst) {
    // The fifth wait stalls 400 ms: the late event goes out at 900 and the missed ones are
    // dropped, so the next follows one interval later.
    const auto times = eventTimes(100, 0ms, {{5, 400ms}}, 8);
    const std::vector<long long> want{100, 200, 300, 400, 900, 1000, 1100, 1200};
    EXPECT_EQ(times, want);
}

TEST(TimerDeadlines, AStartAtOnceFiresNowAndKeepsTheIntervalAfterwards) {
    // A preview must not wait a whole interval for its first note; the tempo is unchanged.
    const auto times = eventTimes(100, 2ms, {}, 4, TRealTimer::TFirstEvent::AtOnce);
    const std::vector<long long> want{2, 102, 202, 302};
    EXPECT_EQ(times, want);
}

TEST(TimerDeadlines, APlayerSendsItsFirstNotesAsItStartsNotAnIntervalLater) {
    // The device notes the scripted time of each note-on.
    class TClockedBackend : public TRecordingBackend {
    public:
        explicit TClockedBackend(TTimerClockInterface& clock) : clock_(clock) {}
        void send(std::uint32_t message) override {
            if ((messageStatus(message) & 0xF0) == 0x90 && messageData2(message) > 0) {
                std::lock_guard lock(mutex_);
                noteOns_.push_back(clock_.now());
            }
            TRecordingBackend::send(message);
        }
        std::optional<TTimerClockInterface::TimePoint> firstNoteOn() {
            std::lock_guard lock(mutex_);
            return noteOns_.empty() ? std::nullopt : std::optional(noteOns_.front());
        }

    private:
        TTimerClockInterface& clock_;
        std::mutex mutex_;
        std::vector<TTimerClockInterface::TimePoint> noteOns_;
    };
    auto clock = std::make_unique<ScriptedClock>(0ms, std::map<int, std::chrono::milliseconds>{});
    TClockedBackend backend(*clock);
    TPlayer player(backend);
    player.open(0);
    TMotivePlayer motivePlayer(&player, false, std::make_unique<TRealTimer>(100, std::move(clock)));
    motivePlayer.play(playbacktest::makeMotive(TMeasure(2, 120), 0, {{0, 21, 120}}, {}), nullptr);
    std::optional<TTimerClockInterface::TimePoint> first;
    for (int wait = 0; wait < 1000 && !(first = backend.firstNoteOn()); ++wait)
        std::this_thread::sleep_for(1ms);
    motivePlayer.stop();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->time_since_epoch(), 0ms);
}
