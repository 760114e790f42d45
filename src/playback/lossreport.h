#pragma once

#include "playback/midibackend.h"

#include <mutex>

// Passes an output's loss on to the back end's listener: once per opening, from any thread.
// It holds a lock of its own, never the back end's, so that a sound library's thread that
// reports cannot block a close that waits for that thread.
class TLossReport {
public:
    void setListener(TMidiLossListener* listener) {
        std::lock_guard lock(mutex_);
        listener_ = listener;
    }
    // A device opened: its loss is worth telling.
    void arm() {
        std::lock_guard lock(mutex_);
        armed_ = true;
    }
    void disarm() {
        std::lock_guard lock(mutex_);
        armed_ = false;
    }
    // Called on any thread.
    void report() {
        std::lock_guard lock(mutex_);
        if (armed_ && listener_ != nullptr) {
            armed_ = false;
            listener_->outputLost();
        }
    }

private:
    std::mutex mutex_;
    TMidiLossListener* listener_ = nullptr;
    bool armed_ = false;
};
