#include "playback/realtimer.h"

#include "playback/midibackend.h"

#include <system_error>

#if defined(__unix__)
#include <pthread.h>
#include <sched.h>
#endif

TRealTimer::TRealTimer(int intervalMs)
    : TRealTimer(intervalMs, std::make_unique<TSteadyTimerClock>()) {}

TRealTimer::TRealTimer(int intervalMs, std::unique_ptr<TTimerClockInterface> clock)
    : clock_(std::move(clock)), interval_(intervalMs) {}

TRealTimer::~TRealTimer() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
        running_ = false;
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void TRealTimer::setCallback(std::function<void()> callback) {
    std::lock_guard lock(mutex_);
    callback_ = std::move(callback);
}

void TRealTimer::setInterval(int ms) {
    std::lock_guard lock(mutex_);
    interval_ = std::chrono::milliseconds(ms < 1 ? 1 : ms);
}

int TRealTimer::interval() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(interval_.count());
}

void TRealTimer::start(TFirstEvent first) {
    std::unique_lock lock(mutex_);
    if (!thread_.joinable()) {
        try {
            thread_ = launchThread([this] { run(); });
        } catch (const std::system_error&) {
            throw TMidiError("Unable to start Multimedia Timer");
        }
    }
    ++run_;
    running_ = true;
    runInterval_ = interval_;
    nextDeadline_ = clock_->now();
    if (first == TFirstEvent::AfterInterval)
        nextDeadline_ += runInterval_;
    lock.unlock();
    wake_.notify_all();
}

void TRealTimer::stop() {
    {
        std::lock_guard lock(mutex_);
        if (!running_) {
            return;
        }
        running_ = false;
        ++run_;
    }
    wake_.notify_all();
}

bool TRealTimer::isRunning() const {
    std::lock_guard lock(mutex_);
    return running_;
}

bool TRealTimer::isCurrentEvent() const {
    std::lock_guard lock(mutex_);
    return running_ && firingRun_ == run_;
}

std::thread TRealTimer::launchThread(std::function<void()> body) {
    return std::thread(std::move(body));
}

namespace {

// Asks for real-time scheduling, so that a busy machine does not delay the events by the
// length of another thread's time slice. Without the privilege the thread keeps its normal
// priority, and the absolute deadlines still keep the tempo free of drift.
void raiseTimerThreadPriority() {
#if defined(__unix__)
    sched_param param{};
    param.sched_priority = sched_get_priority_min(SCHED_FIFO) + 1;
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
#endif
}

} // namespace

void TRealTimer::run() {
    raiseTimerThreadPriority();
    std::unique_lock lock(mutex_);
    while (!quit_) {
        if (!running_) {
            wake_.wait(lock, [this] { return quit_ || running_; });
            continue;
        }
        const std::uint64_t run = run_;
        const auto deadline = nextDeadline_;
        if (clock_->waitUntil(wake_, lock, deadline, [&] { return quit_ || run_ != run; })) {
            continue; // stopped, restarted or quitting before the deadline
        }
        nextDeadline_ += runInterval_;
        // Late events are caught up so that the tempo does not drift; after a stall of the
        // whole machine, though, a burst of every missed event would be worse than a pause.
        const auto now = clock_->now();
        if (now - nextDeadline_ > MAX_CATCH_UP) {
            nextDeadline_ = now + runInterval_;
        }
        firingRun_ = run;
        auto callback = callback_;
        lock.unlock();
        if (callback) {
            callback();
        }
        lock.lock();
    }
}
