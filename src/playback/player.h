#pragma once

#include "playback/midibackend.h"

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

// The one open MIDI output. Devices are numbered as the back end lists them. Sends while no
// device is open, or once the open one was lost, are ignored; the back end guards itself, so
// the player needs no lock for them. The loss of the open device is passed on to the player's
// loss listener; the device stays open until the interface closes it.
class TPlayer : private TMidiLossListener {
public:
    explicit TPlayer(TMidiBackendInterface& backend);
    ~TPlayer() override;
    TPlayer(const TPlayer&) = delete;
    TPlayer& operator=(const TPlayer&) = delete;

    std::vector<std::string> deviceNames() const { return backend_.deviceNames(); }
    // Closes the open device first. On failure the player stays closed and TMidiError is thrown.
    void open(int deviceId);
    void close();
    // Called on the interface thread and on the timer thread.
    int deviceId() const { return device_.load(); }
    // The open device went away. Called on any thread.
    bool lost() const { return lost_.load(); }
    // Told of the open device's loss (null: nobody). Once this returns, the listener it
    // replaces is never called again.
    void setLossListener(TMidiLossListener* listener);

    // Called on the interface thread (previews) and on the timer thread (playback).
    void noteOn(int channel, int note, int velocity);
    // Called on the interface thread (previews) and on the timer thread (playback).
    void noteOff(int channel, int note, int velocity);
    void programChange(int channel, int program);
    // The instruments of playback: chord pad, bass, melody piano and the preview pad.
    void sendInstrumentSetup();

private:
    void send(std::uint32_t message);
    // Called on whichever thread found the loss.
    void outputLost() override;

    TMidiBackendInterface& backend_;
    std::atomic<int> device_{-1};
    std::atomic<bool> lost_{false};
    std::mutex listenerMutex_;
    TMidiLossListener* listener_ = nullptr;
};
