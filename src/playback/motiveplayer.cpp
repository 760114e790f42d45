#include "playback/motiveplayer.h"

#include <algorithm>
#include <utility>

namespace {

void addChord(std::vector<TPlayUnit>& out, const TChord& chord, const TKey& key, int time,
              bool on) {
    for (int voice : {SOPRANO, ALTO, TENOR, BASS}) {
        const int pitch = chord.voice(voice);
        if (!isValidPitch(pitch)) {
            continue; // an unvoiced chord has nothing to sound
        }
        TPlayUnit unit;
        unit.note = key.midiNote(pitch);
        unit.time = time;
        unit.channel = voice == BASS ? BASS_CHANNEL : CHORD_CHANNEL;
        unit.velocity = voice == BASS ? BASS_VELOCITY : CHORD_VELOCITY;
        unit.isOn = on ? 1 : 0;
        out.push_back(unit);
    }
}

// The chord a motive leaves sounding at its end, if any: the chord of its last measure. A
// motive with more chords than measures sounds only the first ones.
const TChord* lastChordOf(const TMotive& motive) {
    const auto& chords = motive.chords();
    const std::size_t last = static_cast<std::size_t>(motive.measureCount()) - 1;
    return last < chords.size() ? &chords[last] : nullptr;
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
    : timer_(std::move(timer)), player_(player), noPulse_(false), deferStart_(deferStart) {
    timer_->setCallback([this] { onTimerEvent(); });
}

TMotivePlayer::TMotivePlayer() = default;

TMotivePlayer::~TMotivePlayer() {
    {
        // Release whatever sounds, telling no listener: they may be gone already.
        Session session(*this);
        for (auto& unit : schedule_) {
            unit.listener = nullptr;
        }
        for (auto& unit : pending_) {
            unit.listener = nullptr;
        }
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

std::vector<TPlayUnit> TMotivePlayer::plan(const TMotive& motive, TMotivePlayerListener* listener) {
    const int measure = motive.ticksPerMeasure();
    const int measures = motive.measureCount();
    const int zatakt = motive.zatakt();
    const TKey& key = motive.key();
    const auto& chords = motive.chords();
    const int base = offset_ / measure * measure;
    std::vector<TPlayUnit> units;
    int start = base;
    bool firstChordDone = false;

    // Where the first chord ends: inside this motive when it has two measures, else it sounds
    // on past the motive's end until the next motive or the end of playback.
    auto firstChordOffs = [&](int time) {
        addChord(measures == 2 ? units : pending_, chords.front(), key, time, false);
    };

    if (previous_) {
        pending_.clear(); // the previous chord's note-offs are planned again below
        const TChord* last = lastChordOf(*previous_);
        if (previous_->zatakt() == zatakt) {
            if (chords.empty()) {
                if (last) {
                    addChord(units, *last, key, offset_, false);
                }
            } else {
                const TChord& first = chords.front();
                const bool held = last && first.sameVoices(*last) && zatakt != 0;
                if (!held) {
                    if (last) {
                        addChord(units, *last, previous_->key(), offset_, false);
                    }
                    addChord(units, first, key, offset_, true);
                }
                firstChordOffs(base + measure);
            }
            firstChordDone = true;
        } else {
            const int t = offset_ % measure == 0 ? offset_ : base + measure;
            if (last) {
                addChord(units, *last, previous_->key(), t, false);
            }
            start = t;
        }
    }

    const int span = measures == 1 ? measure : 2 * measure - zatakt;
    const int end = start + span;
    if (!firstChordDone && !chords.empty()) {
        addChord(units, chords.front(), key, start, true);
        firstChordOffs(start + measure);
    }
    if (measures == 2 && chords.size() >= 2) {
        addChord(units, chords[1], key, start + measure, true);
        addChord(pending_, chords[1], key, end, false);
    }

    if (!noPulse_) {
        for (int c = offset_; c < end; c += PULSE_STEP) {
            const bool bar = c % measure == 0;
            TPlayUnit on;
            on.note = bar ? PULSE_NOTE_BAR : PULSE_NOTE;
            on.time = c;
            on.channel = PULSE_CHANNEL;
            on.velocity = bar ? PULSE_VELOCITY_BAR : PULSE_VELOCITY;
            on.isOn = 1;
            TPlayUnit off = on;
            off.time = c + PULSE_STEP;
            off.isOn = 0;
            units.push_back(on);
            units.push_back(off);
        }
    }

    const auto& notes = motive.notes();
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const TNote& note = notes[i];
        if (!isValidPitch(note.pitch()) || note.duration() <= 0) {
            continue; // rests and notes without pitch sound nothing
        }
        TPlayUnit on;
        on.note = key.midiNote(note.pitch());
        on.time = start + note.time();
        on.channel = MELODY_CHANNEL;
        on.velocity = on.time % measure == 0 ? MELODY_VELOCITY_BAR : MELODY_VELOCITY;
        on.isOn = 1;
        on.noteIndex = static_cast<int>(i);
        on.motiveId = motive.id();
        on.listener = listener;
        TPlayUnit off = on;
        off.time = on.time + note.duration();
        off.isOn = 0;
        units.push_back(on);
        units.push_back(off);
    }

    offset_ = end;
    std::stable_sort(units.begin(), units.end(), playsBefore);
    if (listener != nullptr && !units.empty() && !noPulse_) {
        units.front().motiveStart = true;
        units.front().listener = listener;
        units.back().motiveEnd = true;
        units.back().listener = listener;
    }
    return units;
}

void TMotivePlayer::play(const TMotive& motive, TMotivePlayerListener* listener) {
    Session session(*this);
    std::vector<TPlayUnit> units = plan(motive, listener);
    schedule_.insert(schedule_.end(), units.begin(), units.end());
    previous_.emplace(motive);
    ++queuedCount_;
    if (timer_ && !deferStart_ && !timer_->isRunning()) {
        try {
            timer_->start();
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
    if (timer_ && !timer_->isRunning() && !(schedule_.empty() && pending_.empty())) {
        timer_->start();
    }
}

void TMotivePlayer::onTimerEvent() {
    Session session(*this);
    // An event that fired just before a stop (or a stop and a new start) must not move the
    // clock of the schedule that replaced it.
    if (!timer_->isCurrentEvent()) {
        return;
    }
    tickLocked();
}

void TMotivePlayer::tick() {
    Session session(*this);
    tickLocked();
}

void TMotivePlayer::tickLocked() {
    if (schedule_.empty() && pending_.empty()) {
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
        const std::vector<TPlayUnit> last = std::exchange(pending_, {});
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
    pending_.clear();
    previous_.reset();
    offset_ = 0;
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

int TMotivePlayer::stopLocked() {
    int sent = 0;
    const bool running = timer_ && timer_->isRunning();
    if (running || deferStart_) {
        if (timer_) {
            timer_->stop();
        }
        // Take the rest of the schedule out first: a listener called below sees an idle player.
        std::vector<TPlayUnit> rest(schedule_.begin() + static_cast<std::ptrdiff_t>(current_),
                                    schedule_.end());
        rest.insert(rest.end(), pending_.begin(), pending_.end());
        clearLocked();
        std::vector<TPlayUnit> notYetOn;
        for (const TPlayUnit& unit : rest) {
            if (unit.motiveEnd && unit.listener != nullptr) {
                unit.listener->motiveFinished();
            }
            if (unit.isOn) {
                notYetOn.push_back(unit);
                continue;
            }
            auto on = std::find_if(notYetOn.begin(), notYetOn.end(), [&](const TPlayUnit& u) {
                return u.note == unit.note && u.channel == unit.channel &&
                       u.velocity == unit.velocity;
            });
            if (on != notYetOn.end()) {
                notYetOn.erase(on); // this note never started
            } else {
                if (player_ != nullptr) {
                    player_->noteOff(unit.channel, unit.note, unit.velocity);
                }
                ++sent;
            }
        }
    }
    queuedCount_ = 0;
    ++stopNotices_;
    return sent;
}

void TMotivePlayer::detachListeners() {
    Session session(*this);
    for (auto& unit : schedule_) {
        unit.listener = nullptr;
    }
    for (auto& unit : pending_) {
        unit.listener = nullptr;
    }
    stopLocked();
}

std::vector<TPlayUnit> TMotivePlayer::allUnits() const {
    Session session(*this);
    std::vector<TPlayUnit> units = schedule_;
    units.insert(units.end(), pending_.begin(), pending_.end());
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

std::vector<TPlayUnit> periodPlayUnits(const TPeriodData& period) {
    TMotivePlayer exporter;
    for (const TMotive* motive : period.allMotives()) {
        exporter.play(*motive, nullptr);
    }
    return exporter.allUnits();
}
