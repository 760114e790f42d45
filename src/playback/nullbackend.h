#pragma once

#include "playback/midibackend.h"

// Accepts everything and sounds nothing: the output when the user has no device at all.
class TNullBackend : public TMidiBackendInterface {
public:
    std::vector<std::string> deviceNames() override { return {"No output"}; }
    void open(int index) override {
        if (index != 0) {
            throw TMidiError("No MIDI output device " + std::to_string(index));
        }
    }
    void send(std::uint32_t) override {}
    void close() override {}
    void setLossListener(TMidiLossListener*) override {}
};
