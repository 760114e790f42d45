#include "playback/recordingbackend.h"

std::vector<std::string> TRecordingBackend::deviceNames() {
    std::vector<std::string> names;
    for (int i = 0; i < deviceCount_; ++i) {
        names.push_back("Recorder " + std::to_string(i));
    }
    return names;
}

void TRecordingBackend::open(int index) {
    std::lock_guard lock(mutex_);
    if (open_ != -1) {
        history_.push_back("close");
        open_ = -1;
    }
    if (index < 0 || index >= deviceCount_) {
        throw TMidiError("No recorder " + std::to_string(index));
    }
    history_.push_back("open " + std::to_string(index));
    open_ = index;
    lost_ = false;
    loss_.arm();
}

void TRecordingBackend::send(std::uint32_t message) {
    auto now = std::chrono::steady_clock::now();
    std::lock_guard lock(mutex_);
    if (open_ != -1 && !lost_) {
        messages_.push_back({now, message});
    }
}

void TRecordingBackend::loseOutput() {
    {
        std::lock_guard lock(mutex_);
        if (open_ == -1) {
            return;
        }
        lost_ = true;
        history_.push_back("lost");
    }
    loss_.report();
}

void TRecordingBackend::close() {
    loss_.disarm();
    std::lock_guard lock(mutex_);
    if (open_ != -1) {
        history_.push_back("close");
        open_ = -1;
    }
}

std::vector<TRecordedMessage> TRecordingBackend::messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

std::vector<std::uint32_t> TRecordingBackend::messageValues() const {
    std::lock_guard lock(mutex_);
    std::vector<std::uint32_t> values;
    values.reserve(messages_.size());
    for (const auto& m : messages_) {
        values.push_back(m.message);
    }
    return values;
}

std::vector<std::string> TRecordingBackend::history() const {
    std::lock_guard lock(mutex_);
    return history_;
}

int TRecordingBackend::openDevice() const {
    std::lock_guard lock(mutex_);
    return open_;
}

void TRecordingBackend::clear() {
    std::lock_guard lock(mutex_);
    messages_.clear();
    history_.clear();
}
