#pragma once

#include "playback/midibackend.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class RtMidiOut;

// The MIDI output ports of the system, through RtMidi: every compiled API that can be set up
// (ALSA, and JACK while a JACK server runs), their ports listed one after the other.
//
// An API that cannot be set up on this machine is left out, and an API's ports are touched
// only while it reports some: RtMidi's JACK API crashes on port calls when no server runs.
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

private:
    struct Port {
        RtMidiOut* api;
        unsigned number;
        std::string name;
    };
    std::vector<Port> listPortsLocked();
    void closeLocked();

    std::mutex mutex_;
    std::vector<std::unique_ptr<RtMidiOut>> apis_;
    RtMidiOut* open_ = nullptr;
};
