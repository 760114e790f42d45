#pragma once

#include "playback/lossreport.h"
#include "playback/midibackend.h"

#include <chrono>
#include <mutex>
#include <string>
#include <vector>

struct TRecordedMessage {
    std::chrono::steady_clock::time_point at;
    std::uint32_t message = 0;
};

// Keeps every message sent while a device is open, with the moment it arrived; tests and
// benchmarks read the schedule back from it. It offers `deviceCount` devices, and the calls to
// open and close are logged as "open N" and "close" in history(), a loss as "lost".
class TRecordingBackend : public TMidiBackendInterface {
public:
    explicit TRecordingBackend(int deviceCount = 1) : deviceCount_(deviceCount) {}

    std::vector<std::string> deviceNames() override;
    void open(int index) override;
    // Called on the interface thread and on the timer thread.
    void send(std::uint32_t message) override;
    void close() override;
    void setLossListener(TMidiLossListener* listener) override { loss_.setListener(listener); }
    // As if the open device went away: its loss is reported, and what is sent from now on
    // is dropped until a device opens. Called on any thread.
    void loseOutput();

    std::vector<TRecordedMessage> messages() const;
    std::vector<std::uint32_t> messageValues() const;
    std::vector<std::string> history() const;
    int openDevice() const;
    void clear();

private:
    mutable std::mutex mutex_;
    int deviceCount_;
    int open_ = -1;
    std::vector<TRecordedMessage> messages_;
    std::vector<std::string> history_;
    bool lost_ = false;
    TLossReport loss_;
};
