#pragma once

#include "model/motive.h"
#include "model/playplanner.h"
#include "model/playunit.h"
#include "playback/motiveplayerlistener.h"
#include "playback/playbacktiming.h"
#include "playback/player.h"
#include "playback/realtimer.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

// Plays queued motives in real time through a TPlayer, one timer event per 15 ticks. The
// planner decides the units; motives queued while playback runs join the previous one
// seamlessly, with chords held or re-struck across the boundary.
//
// The interactive player owns a timer and plans with a pulse on channel 9. The export player has
// neither: it only builds the schedule, which allUnits() hands out.
//
// Threads: play, start, stop and detachListeners run on the interface thread, the tick on the
// timer thread; all state is guarded by one re-entrant lock. Note listeners are called on the
// timer thread with the lock held; playingStopped is called once the lock is released.
class TMotivePlayer {
public:
    // The interactive player. With deferStart, queuing does not start playback: start() does,
    // and until then the schedule can be driven by calling tick() directly.
    TMotivePlayer(TPlayer* player, bool deferStart);
    // The same with a timer of the caller's making.
    TMotivePlayer(TPlayer* player, bool deferStart, std::unique_ptr<TRealTimer> timer);
    // The export player: no timer, no device, no pulse.
    TMotivePlayer();
    // Stops like detachListeners, releasing sounding notes: the TPlayer must outlive this.
    ~TMotivePlayer();
    TMotivePlayer(const TMotivePlayer&) = delete;
    TMotivePlayer& operator=(const TMotivePlayer&) = delete;

    void setStopListener(TMotivePlayerStopListener* listener);
    // The timer period becomes 200 - tempo ms from the next start.
    void setTempo(int tempo);

    // Queues a motive after the ones already queued; starts playback unless deferred. May be
    // called on the timer thread from a listener. When the timer cannot start, the schedule is
    // dropped and TMidiError "Unable to start Multimedia Timer" reaches the caller.
    void play(const TMotive& motive, TMotivePlayerListener* listener);
    // Starts playing what is queued (for a player with deferred start).
    void start();
    // Stops at once and sends the note-offs of the notes that sound; returns how many. May be
    // called on the timer thread from a listener.
    int stop();
    // Tells the listeners of the sounding notes that they stopped, forgets every listener of
    // the queued events, then stops.
    void detachListeners();
    // Forgets `listener` in every queued event; stops playback when an event still to come
    // named it. Once it returns, the player never calls `listener` again.
    void detachListener(const TMotivePlayerListener* listener);

    // The schedule followed by the pending note-offs (for the export).
    std::vector<TPlayUnit> allUnits() const;
    // Motives queued since playback last started; 0 when idle. Called on any thread.
    int queuedCount() const { return queuedCount_.load(); }
    // Both called on any thread.
    bool isPlaying() const;
    int clock() const;

    // One timer event: sends the events due at the clock, then moves the clock on by 15 ticks.
    // Called on the timer thread; a player that defers its start may be ticked by hand.
    void tick();

private:
    class Session;
    friend class Session;

    // Called on the timer thread.
    void onTimerEvent(const TRealTimer& timer);
    // Called on the timer thread, or by hand, with the lock held.
    void tickLocked();
    // Called with the lock held, on the interface thread or from a listener on the timer thread.
    int stopLocked();
    void clearLocked();
    // The events not yet sent: the rest of the schedule, then the pending note-offs.
    std::vector<TPlayUnit> restLocked() const;
    // Forgets `listener` (every listener when null) in the queued events; returns whether an
    // event still to come named it.
    bool forgetListenersLocked(const TMotivePlayerListener* listener);
    void finishLocked();
    // Called on the timer thread with the lock held.
    void send(const TPlayUnit& unit);

    std::unique_ptr<TRealTimer> timer_;
    TPlayer* player_ = nullptr;
    std::vector<TPlayUnit> schedule_;
    TPlayPlanner planner_; // the pending note-offs and where the next motive joins
    int clock_ = 0;
    std::size_t current_ = 0;
    mutable std::recursive_mutex lock_;
    mutable int lockDepth_ = 0;
    mutable int stopNotices_ = 0;  // playingStopped calls owed once the lock is released
    std::uint64_t generation_ = 0; // moves on whenever the schedule is cleared
    std::atomic<int> queuedCount_{0};
    TMotivePlayerStopListener* stopListener_ = nullptr;
    bool deferStart_ = false;
};
