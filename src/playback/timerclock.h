#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

// Where the periodic timer reads the time and waits for its deadlines: the steady clock in the
// program; tests script one to see the deadlines without sleeping.
class TTimerClockInterface {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~TTimerClockInterface() = default;
    virtual TimePoint now() = 0;
    // Waits on `wake`, whose mutex `lock` holds, until `deadline` passes or `stopWaiting`
    // holds; returns stopWaiting(). Called on the timer thread.
    virtual bool waitUntil(std::condition_variable& wake, std::unique_lock<std::mutex>& lock,
                           TimePoint deadline, const std::function<bool()>& stopWaiting) = 0;
};

// The steady clock, waiting on the condition variable itself.
class TSteadyTimerClock final : public TTimerClockInterface {
public:
    TimePoint now() override { return std::chrono::steady_clock::now(); }
    bool waitUntil(std::condition_variable& wake, std::unique_lock<std::mutex>& lock,
                   TimePoint deadline, const std::function<bool()>& stopWaiting) override {
        return wake.wait_until(lock, deadline, stopWaiting);
    }
};
