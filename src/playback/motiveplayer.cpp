#include "playback/motiveplayer.h"

#include <algorithm>
#include <utility>

namespace {

// Marks the note-offs among the events not yet sent that end a note sounding now; a note-off
// whose note-on is still ahead ends a note that never started.
std::vector<bool> soundingNoteOffs(const std::vector<TPlayUnit>& rest) {
    std::vector<bool> sounding(rest.size(), false);
    std::vector<const TPlayUnit*> notYetOn;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const TPlayUnit& unit = rest[i];
        if (unit.isOn) {
            notYetOn.push_back(&unit);
            continue;
        }
        auto on = std::find_if(notYetOn.begin(), notYetOn.end(), [&](const TPlayUnit* u) {
            return u->note == unit.note && u->channel == unit.channel &&
                   u->velocity == unit.velocity;
        });
        if (on != notYetOn.end()) {
            notYetOn.erase(on);
        } else {
            sounding[i] = true;
        }
    }
    return sounding;
}

} // namespace

// Holds the player's lock. When the outermost session on a thread ends it releases the lock
// and only then tells the stop listener, however deeply the stop was nested.
class TMotivePlayer::Session {
public:
    explicit Session(const TMotivePlayer& player) : player_(player), lock_(player_.lock_) {
        ++player_.lockDepth_;
    }
    ~Session() {
        int notices = 0;
        TMotivePlayerStopListener* listener = nullptr;
        if (--player_.lockDepth_ == 0) {
            notices = std::exchange(player_.stopNotices_, 0);
            listener = player_.stopListener_;
        }
        lock_.unlock();
        for (; listener != nullptr && notices > 0; --notices) {
            listener->playingStopped();
        }
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

private:
    const TMotivePlayer& player_;
    std::unique_lock<std::recursive_mutex> lock_;
};

TMotivePlayer::TMotivePlayer(TPlayer* player, bool deferStart)
    : TMotivePlayer(player, deferStart, std::make_unique<TRealTimer>()) {}

TMotivePlayer::TMotivePlayer(TPlayer* player, bool deferStart, std::unique_ptr<TRealTimer> timer)
    : timer_(std::move(timer)), player_(player), planner_(true), deferStart_(deferStart) {
    // The callback names the timer itself: while the destructor joins the timer thread, timer_
    // is already empty, but the timer lives until the thread has ended.
    TRealTimer* const realTimer = timer_.get();
    timer_->setCallback([this, realTimer] { onTimerEvent(*realTimer); });
}

TMotivePlayer::TMotivePlayer() : planner_(false) {}

TMotivePlayer::~TMotivePlayer() {
    {
        // Release whatever sounds, telling no listener: they may be gone already.
        Session session(*this);
        forgetListenersLocked(nullptr);
        stopLocked();
        stopNotices_ = 0;
    }
    // Joins the timer thread; an event still waiting for the lock sees it is stale and returns.
    timer_.reset();
}

void TMotivePlayer::setStopListener(TMotivePlayerStopListener* listener) {
    Session session(*this);
    stopListener_ = listener;
}

void TMotivePlayer::setTempo(int tempo) {
    if (timer_) {
        timer_->setInterval(timerIntervalForTempo(tempo));
    }
}

void TMotivePlayer::play(const TMotive& motive, TMotivePlayerListener* listener) {
    Session session(*this);
    const std::vector<TPlayUnit> units = planner_.queue(motive, listener);
    schedule_.insert(schedule_.end(), units.begin(), units.end());
    ++queuedCount_;
    if (timer_ && !deferStart_ && !timer_->isRunning()) {
        try {
            // The first notes sound now: a preview follows the hand, a play button answers.
            timer_->start(TRealTimer::TFirstEvent::AtOnce);
        } catch (const TMidiError&) {
            // Nothing has sounded: forget the motive rather than leave a schedule no timer plays.
            clearLocked();
            queuedCount_ = 0;
            throw;
        }
    }
}

void TMotivePlayer::start() {
    Session session(*this);
    if (timer_ && !timer_->isRunning() && !(schedule_.empty() && planner_.pending().empty())) {
        timer_->start(TRealTimer::TFirstEvent::AtOnce);
    }
}

void TMotivePlayer::onTimerEvent(const TRealTimer& timer) {
    Session session(*this);
    // An event that fired just before a stop (or a stop and a new start) must not move the
    // clock of the schedule that replaced it.
    if (!timer.isCurrentEvent()) {
        return;
    }
    tickLocked();
}

void TMotivePlayer::tick() {
    Session session(*this);
    tickLocked();
}

void TMotivePlayer::tickLocked() {
    if (schedule_.empty() && planner_.pending().empty()) {
        return; // idle
    }
    const std::uint64_t generation = generation_;
    // Each event sends what is due and then advances the clock, so every event covers exactly
    // 15 ticks. A unit that is somehow behind the clock goes out now rather than never.
    while (current_ < schedule_.size() && schedule_[current_].time <= clock_) {
        const TPlayUnit unit = schedule_[current_++];
        send(unit);
        if (generation_ != generation) {
            return; // a listener stopped playback
        }
    }
    if (current_ >= schedule_.size()) {
        const std::vector<TPlayUnit> last = planner_.takePending();
        for (const TPlayUnit& unit : last) {
            send(unit);
            if (generation_ != generation) {
                return;
            }
        }
        if (current_ >= schedule_.size()) { // a listener may have queued more
            finishLocked();
            return;
        }
    }
    clock_ += TICKS_PER_TIMER_EVENT;
}

void TMotivePlayer::send(const TPlayUnit& unit) {
    if (player_ != nullptr) {
        if (unit.isOn) {
            player_->noteOn(unit.channel, unit.note, unit.velocity);
        } else {
            player_->noteOff(unit.channel, unit.note, unit.velocity);
        }
    }
    if (unit.listener == nullptr) {
        return;
    }
    if (unit.noteIndex != -1) {
        if (unit.isOn) {
            unit.listener->noteStarted(unit.motiveId, unit.noteIndex);
        } else {
            unit.listener->noteStopped(unit.motiveId, unit.noteIndex);
        }
    }
    if (unit.motiveStart) {
        unit.listener->motiveStarted();
    } else if (unit.motiveEnd) {
        unit.listener->motiveFinished();
    }
}

void TMotivePlayer::clearLocked() {
    schedule_.clear();
    planner_.clear();
    clock_ = 0;
    current_ = 0;
    ++generation_;
}

void TMotivePlayer::finishLocked() {
    clearLocked();
    if (timer_) {
        timer_->stop();
    }
    queuedCount_ = 0;
    ++stopNotices_;
}

int TMotivePlayer::stop() {
    Session session(*this);
    return stopLocked();
}

std::vector<TPlayUnit> TMotivePlayer::restLocked() const {
    std::vector<TPlayUnit> rest(schedule_.begin() + static_cast<std::ptrdiff_t>(current_),
                                schedule_.end());
    rest.insert(rest.end(), planner_.pending().begin(), planner_.pending().end());
    return rest;
}

int TMotivePlayer::stopLocked() {
    int sent = 0;
    const bool running = timer_ && timer_->isRunning();
    if (running || deferStart_) {
        if (timer_) {
            timer_->stop();
        }
        // Take the rest of the schedule out first: a listener called below sees an idle player.
        const std::vector<TPlayUnit> rest = restLocked();
        clearLocked();
        const std::vector<bool> sounding = soundingNoteOffs(rest);
        for (std::size_t i = 0; i < rest.size(); ++i) {
            const TPlayUnit& unit = rest[i];
            if (sounding[i]) {
                // Sent like any other note-off: its listener hears that the note stopped.
                if (player_ != nullptr) {
                    player_->noteOff(unit.channel, unit.note, unit.velocity);
                }
                if (unit.listener != nullptr && unit.noteIndex != -1) {
                    unit.listener->noteStopped(unit.motiveId, unit.noteIndex);
                }
                ++sent;
            }
            if (unit.motiveEnd && unit.listener != nullptr) {
                unit.listener->motiveFinished();
            }
        }
    }
    queuedCount_ = 0;
    ++stopNotices_;
    return sent;
}

void TMotivePlayer::detachListeners() {
    Session session(*this);
    // The listeners still hear that their sounding notes stopped, so nothing stays lit; after
    // that they hear nothing more.
    const std::vector<TPlayUnit> rest = restLocked();
    const std::vector<bool> sounding = soundingNoteOffs(rest);
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const TPlayUnit& unit = rest[i];
        if (sounding[i] && unit.listener != nullptr && unit.noteIndex != -1) {
            unit.listener->noteStopped(unit.motiveId, unit.noteIndex);
        }
    }
    forgetListenersLocked(nullptr);
    stopLocked();
}

bool TMotivePlayer::forgetListenersLocked(const TMotivePlayerListener* listener) {
    bool namedAhead = false;
    auto forget = [&](TPlayUnit& unit, bool ahead) {
        if (unit.listener != nullptr && (listener == nullptr || unit.listener == listener)) {
            unit.listener = nullptr;
            namedAhead = namedAhead || ahead;
        }
    };
    // The pending note-offs are a chord's: they never name a listener.
    for (std::size_t i = 0; i < schedule_.size(); ++i) {
        forget(schedule_[i], i >= current_);
    }
    return namedAhead;
}

void TMotivePlayer::detachListener(const TMotivePlayerListener* listener) {
    Session session(*this);
    if (listener != nullptr && forgetListenersLocked(listener)) {
        stopLocked();
    }
}

std::vector<TPlayUnit> TMotivePlayer::allUnits() const {
    Session session(*this);
    std::vector<TPlayUnit> units = schedule_;
    units.insert(units.end(), planner_.pending().begin(), planner_.pending().end());
    return units;
}

bool TMotivePlayer::isPlaying() const {
    Session session(*this);
    return timer_ && timer_->isRunning();
}

int TMotivePlayer::clock() const {
    Session session(*this);
    return clock_;
}
