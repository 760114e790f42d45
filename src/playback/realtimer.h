#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "playback/timerclock.h"

// A periodic timer on a thread of its own. Events fall on absolute deadlines (start + k x
// interval on the steady clock), so lateness never accumulates into drift. After a stall longer
// than MAX_CATCH_UP the missed events are dropped: the late event goes out and the next one
// follows an interval later.
//
// The thread is created at the first start and lives until destruction; stop() only parks it,
// so stop() and start() may be called from inside the callback. stop() does not wait for a
// callback that is already running (its caller may hold a lock that callback needs): such a
// callback can ask isCurrentEvent() whether it still belongs to a running timer.
class TRealTimer {
public:
    static constexpr int DEFAULT_INTERVAL_MS = 80;
    static constexpr int RESOLUTION_MS = 10;

    static constexpr std::chrono::milliseconds MAX_CATCH_UP{250};

    explicit TRealTimer(int intervalMs = DEFAULT_INTERVAL_MS);
    // The same on a clock of the caller's making.
    TRealTimer(int intervalMs, std::unique_ptr<TTimerClockInterface> clock);
    // Never destroy the timer from inside its own callback.
    virtual ~TRealTimer();
    TRealTimer(const TRealTimer&) = delete;
    TRealTimer& operator=(const TRealTimer&) = delete;

    // Set before the first start.
    void setCallback(std::function<void()> callback);
    // Takes effect at the next start.
    void setInterval(int ms);
    int interval() const;
    int resolution() const { return RESOLUTION_MS; }

    // When the first event of a run comes.
    enum class TFirstEvent { AfterInterval, AtOnce };

    // Stops a running timer first; the first event follows one interval after this call, or
    // comes at once, and the later ones follow it an interval apart.
    // Throws TMidiError "Unable to start Multimedia Timer" when the thread cannot be created.
    // May be called on the timer thread.
    void start(TFirstEvent first = TFirstEvent::AfterInterval);
    // May be called on the timer thread.
    void stop();
    // Called on any thread.
    bool isRunning() const;
    // Called on the timer thread inside the callback: false when the timer was stopped or
    // restarted after this event fired.
    bool isCurrentEvent() const;

protected:
    // Starts the timer's thread; tests replace it to simulate a system out of threads.
    virtual std::thread launchThread(std::function<void()> body);

private:
    void run();

    std::unique_ptr<TTimerClockInterface> clock_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::thread thread_;
    std::function<void()> callback_;
    std::chrono::milliseconds interval_;
    std::chrono::milliseconds runInterval_{0};
    std::chrono::steady_clock::time_point nextDeadline_;
    bool running_ = false;
    bool quit_ = false;
    std::uint64_t run_ = 0;       // counts starts; a stop also moves it on
    std::uint64_t firingRun_ = 0; // the run whose event the callback is serving
};
