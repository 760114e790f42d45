#include "playback/player.h"

#include "model/playunit.h"

TPlayer::TPlayer(TMidiBackendInterface& backend) : backend_(backend) {
    backend_.setLossListener(this);
}

TPlayer::~TPlayer() {
    backend_.setLossListener(nullptr);
    close();
}

void TPlayer::setLossListener(TMidiLossListener* listener) {
    std::lock_guard lock(listenerMutex_);
    listener_ = listener;
}

void TPlayer::outputLost() {
    lost_ = true;
    std::lock_guard lock(listenerMutex_);
    if (listener_ != nullptr) {
        listener_->outputLost();
    }
}

void TPlayer::open(int deviceId) {
    close();
    lost_ = false;
    try {
        backend_.open(deviceId);
    } catch (...) {
        backend_.close();
        throw;
    }
    device_ = deviceId;
}

void TPlayer::close() {
    if (device_.exchange(-1) != -1) {
        backend_.close();
    }
}

void TPlayer::noteOn(int channel, int note, int velocity) {
    send(shortMessage(0x90 + channel, note, velocity));
}

void TPlayer::noteOff(int channel, int note, int velocity) {
    send(shortMessage(0x80 + channel, note, velocity));
}

void TPlayer::programChange(int channel, int program) {
    send(shortMessage(0xC0 + channel, program, 0));
}

void TPlayer::sendInstrumentSetup() {
    programChange(CHORD_CHANNEL, CHORD_PROGRAM);
    programChange(BASS_CHANNEL, BASS_PROGRAM);
    programChange(MELODY_CHANNEL, MELODY_PROGRAM);
    programChange(PREVIEW_CHANNEL, PREVIEW_PROGRAM);
}

void TPlayer::send(std::uint32_t message) {
    if (device_.load() != -1 && !lost_.load()) {
        backend_.send(message);
    }
}
