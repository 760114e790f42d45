#pragma once

#include "playback/midibackend.h"

#include <memory>
#include <mutex>
#include <ostream>
#include <vector>

// The devices the user chooses from: the back ends' devices one after the other, so that list
// index i is device i. The application lists the built-in synthesizer first, then the system
// ports (makeSystemDevices).
class TMidiDevices : public TMidiBackendInterface {
public:
    explicit TMidiDevices(std::vector<std::unique_ptr<TMidiBackendInterface>> backends)
        : backends_(std::move(backends)) {}

    std::vector<std::string> deviceNames() override;
    void open(int index) override;
    // Called on the interface thread and on the timer thread.
    void send(std::uint32_t message) override;
    void close() override;
    void setLossListener(TMidiLossListener* listener) override;

private:
    std::mutex mutex_;
    std::vector<std::unique_ptr<TMidiBackendInterface>> backends_;
    TMidiBackendInterface* open_ = nullptr;
};

// The built-in synthesizer, then the system's MIDI ports. Each device that opens is reported
// on `report` (when not null) in one line: the device, the synthesizer's audio output and the
// system ports found.
std::unique_ptr<TMidiDevices> makeSystemDevices(std::ostream* report = nullptr);
