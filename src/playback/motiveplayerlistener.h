#pragma once

// Told which melody note of which motive starts and stops sounding, and when a queued motive
// begins and ends. Called on the timer thread with the player's lock held: implementations
// hand anything that touches the interface over to their own thread.
class TMotivePlayerListener {
public:
    virtual ~TMotivePlayerListener() = default;
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
    virtual void playingStopped() = 0;
};
