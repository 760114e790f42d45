#pragma once

#include "playback/motiveplayer.h"

// Keeps a player listener known to a motive player only while the guard lives: when it goes,
// the player forgets the listener (and stops when events still to come named it), so the timer
// thread never calls a listener that has gone. Declare it after the listener it guards, so that
// it goes first.
class TPlayerListenerGuard {
public:
    // `player` may be null: then there is nothing to guard.
    TPlayerListenerGuard(TMotivePlayer* player, const TMotivePlayerListener* listener)
        : player_(player), listener_(listener) {}
    ~TPlayerListenerGuard() {
        if (player_ != nullptr)
            player_->detachListener(listener_);
    }
    TPlayerListenerGuard(const TPlayerListenerGuard&) = delete;
    TPlayerListenerGuard& operator=(const TPlayerListenerGuard&) = delete;

private:
    TMotivePlayer* player_;
    const TMotivePlayerListener* listener_;
};
