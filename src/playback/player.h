#pragma once

#include "playback/midibackend.h"

#include <atomic>
#include <string>
#include <vector>

// The one open MIDI output. Devices are numbered as the back end lists them. Sends while no
// device is open are ignored; the back end guards itself, so the player needs no lock.
class TPlayer {
public:
    explicit TPlayer(TMidiBackendInterface& backend) : backend_(backend) {}
    ~TPlayer();
    TPlayer(const TPlayer&) = delete;
    TPlayer& operator=(const TPlayer&) = delete;

    std::vector<std::string> deviceNames() const { return backend_.deviceNames(); }
    // Closes the open device first. On failure the player stays closed and TMidiError is thrown.
    void open(int deviceId);
    void close();
    // Called on the interface thread and on the timer thread.
    int deviceId() const { return device_.load(); }

    // Called on the interface thread (previews) and on the timer thread (playback).
    void noteOn(int channel, int note, int velocity);
    // Called on the interface thread (previews) and on the timer thread (playback).
    void noteOff(int channel, int note, int velocity);
    void programChange(int channel, int program);
    // The instruments of playback: chord pad, bass, melody piano and the preview pad.
    void sendInstrumentSetup();

private:
    void send(std::uint32_t message);

    TMidiBackendInterface& backend_;
    std::atomic<int> device_{-1};
};
