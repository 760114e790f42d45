#pragma once

// Told which melody note of which motive starts and stops sounding, and when a queued motive
// begins and ends. Implementations hand anything that touches the interface over to their own
// thread.
class TMotivePlayerListener {
public:
    virtual ~TMotivePlayerListener() = default;
    // Called on the timer thread with the player's lock held; motiveFinished also by stop(),
    // on the thread that stops.
    virtual void noteStarted(int motiveId, int noteIndex) = 0;
    virtual void noteStopped(int motiveId, int noteIndex) = 0;
    virtual void motiveStarted() = 0;
    virtual void motiveFinished() = 0;
};

// Told once each time playback ends or is stopped, after the player's lock is released, on
// whichever thread ended it.
class TMotivePlayerStopListener {
public:
    virtual ~TMotivePlayerStopListener() = default;
    // Called on the interface thread or on the timer thread, with the lock released.
    virtual void playingStopped() = 0;
};
