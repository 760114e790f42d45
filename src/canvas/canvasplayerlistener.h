#pragma once

#include "canvas/playbackevent.h"
#include "playback/motiveplayerlistener.h"

#include <atomic>

class TMessageWindow;

// A canvas as the motive player sees it. It is called on the timer thread and touches nothing
// of the canvas: an editing canvas has it post each note and each start and end of its motive
// to the message window as a TPlaybackEvent; the start and end also go to an optional play
// listener, on the timer thread.
class TCanvasPlayerListener : public TMotivePlayerListener {
public:
    explicit TCanvasPlayerListener(TCanvasSerial serial) : serial_(serial) {}

    TCanvasSerial serial() const { return serial_; }
    // From now on the events are posted to `window`, which must outlive the listener.
    void postTo(TMessageWindow* window) { window_.store(window); }
    void setCanvasId(int id) { canvasId_.store(id); }
    int canvasId() const { return canvasId_.load(); }
    void setPlayListener(TMotivePlayerListener* listener) { playListener_.store(listener); }

    // Called on the timer thread with the player's lock held, or by stop() on the thread that
    // stops.
    void noteStarted(int motiveId, int noteIndex) override;
    void noteStopped(int motiveId, int noteIndex) override;
    void motiveStarted() override;
    void motiveFinished() override;

private:
    void post(TPlaybackEventKind kind, int noteIndex, int motiveId);

    const TCanvasSerial serial_;
    std::atomic<TMessageWindow*> window_{nullptr};
    std::atomic<int> canvasId_{0};
    std::atomic<TMotivePlayerListener*> playListener_{nullptr};
};
