#pragma once

#include "playback/lossreport.h"
#include "playback/midibackend.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class RtMidiOut;
class TJackWatch;

// The MIDI output ports of the system, through RtMidi: every compiled API that can be set up
// (ALSA, and JACK while a JACK server runs), their ports listed one after the other.
//
// The APIs are set up when the ports are first listed or opened, not when the back end is made:
// the program starts without waiting for the sequencer and the JACK server to answer.
// An API that cannot be set up on this machine is left out, and an API's ports are touched
// only while it reports some: RtMidi's JACK API crashes on port calls when no server runs.
//
// A JACK server that stops takes RtMidi's JACK client with it, and one that starts later is
// unknown to a client made before: while no JACK server is watched, the APIs are set up afresh
// whenever the ports are listed with no port open. The loss of an open port (its server
// stopped, or sending to it fails) is reported to the loss listener.
class TSystemPortBackend : public TMidiBackendInterface {
public:
    explicit TSystemPortBackend(std::string clientName = "Tonaria");
    ~TSystemPortBackend() override;
    TSystemPortBackend(const TSystemPortBackend&) = delete;
    TSystemPortBackend& operator=(const TSystemPortBackend&) = delete;

    std::vector<std::string> deviceNames() override;
    void open(int index) override;
    // Called on the interface thread and on the timer thread.
    void send(std::uint32_t message) override;
    void close() override;
    void setLossListener(TMidiLossListener* listener) override { loss_.setListener(listener); }

private:
    struct Port {
        RtMidiOut* api;
        unsigned number;
        std::string name;
    };
    // Sets the APIs up afresh when the JACK server they knew has gone or none was running.
    void refreshLocked();
    std::vector<Port> listPortsLocked();
    void closeLocked();
    // Called on libjack's thread.
    void jackServerLost();

    std::string clientName_;
    std::mutex mutex_;
    std::unique_ptr<TJackWatch> watch_;
    std::vector<std::unique_ptr<RtMidiOut>> apis_;
    RtMidiOut* open_ = nullptr;
    std::atomic<bool> openOnJack_{false};
    TLossReport loss_;
};
