#pragma once

#include "playback/lossreport.h"
#include "playback/midibackend.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class TJackWatch;
class TSynthEngine;

// The built-in synthesizer: FluidSynth with a General MIDI SoundFont, played through the
// first audio driver that opens, with a period of about 6 ms so that notes sound without lag.
// Opening fails when there is no SoundFont, no audio output, or FluidSynth's module cannot be
// loaded (it is loaded on the first opening, not before). Played through JACK, the
// synthesizer reports the server's end to the loss listener.
class TSynthBackend : public TMidiBackendInterface {
public:
    struct Options {
        std::string soundFont;            // empty: findSoundFont()
        std::vector<std::string> drivers; // empty: the usual desktop drivers in turn
        std::string outputFile;           // where the "file" driver writes
    };

    TSynthBackend();
    explicit TSynthBackend(Options options);
    ~TSynthBackend() override;
    TSynthBackend(const TSynthBackend&) = delete;
    TSynthBackend& operator=(const TSynthBackend&) = delete;

    std::vector<std::string> deviceNames() override { return {"Built-in synthesizer"}; }
    void open(int index) override;
    // Called on the interface thread and on the timer thread.
    void send(std::uint32_t message) override;
    void close() override;
    void setLossListener(TMidiLossListener* listener) override { loss_.setListener(listener); }

    // The audio driver that opened, or "" while closed.
    std::string driverName() const;

private:
    // Called with the lock held once the audio driver has opened.
    void watchJackLocked();
    void closeLocked();

    mutable std::mutex mutex_;
    Options options_;
    std::unique_ptr<TSynthEngine> engine_;
    std::string driverName_;
    std::unique_ptr<TJackWatch> watch_;
    TLossReport loss_;
};
