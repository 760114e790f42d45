#pragma once

#include "playback/midibackend.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class TFluidSession;
struct _fluid_audio_driver_t;

// The built-in synthesizer: FluidSynth with a General MIDI SoundFont, played through the
// first audio driver that opens, with a period of about 6 ms so that notes sound without lag.
// Opening fails when there is no SoundFont or no audio output.
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

    // The audio driver that opened, or "" while closed.
    std::string driverName() const;

private:
    void closeLocked();

    mutable std::mutex mutex_;
    Options options_;
    std::unique_ptr<TFluidSession> session_;
    _fluid_audio_driver_t* driver_ = nullptr;
    std::string driverName_;
};
