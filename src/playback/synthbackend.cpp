#include "playback/synthbackend.h"

#include "playback/fluidsession.h"
#include "playback/jackwatch.h"
#include "playback/soundlibrarymessages.h"

#include <cstdlib>

namespace {

// 256 frames at 44.1 kHz: a period of 5.8 ms, two periods of buffer.
constexpr int PERIOD_FRAMES = 256;
constexpr int PERIODS = 2;

// libjack would otherwise try to start a JACK server of its own when none runs, which hangs
// for seconds and then fails; a composition aid never wants that.
void keepJackFromStartingAServer() {
    static std::once_flag once;
    std::call_once(once, [] { setenv("JACK_NO_START_SERVER", "1", 0); });
}

} // namespace

TSynthBackend::TSynthBackend() = default;

TSynthBackend::TSynthBackend(Options options) : options_(std::move(options)) {}

TSynthBackend::~TSynthBackend() {
    close();
}

void TSynthBackend::open(int index) {
    std::lock_guard lock(mutex_);
    closeLocked();
    if (index != 0) {
        throw TMidiError("The built-in synthesizer has no device " + std::to_string(index));
    }
    auto session = std::make_unique<TFluidSession>(options_.soundFont);
    fluid_settings_t* settings = session->settings();
    fluid_settings_setint(settings, "audio.period-size", PERIOD_FRAMES);
    fluid_settings_setint(settings, "audio.periods", PERIODS);
    if (!options_.outputFile.empty()) {
        fluid_settings_setstr(settings, "audio.file.name", options_.outputFile.c_str());
    }
    std::vector<std::string> drivers = options_.drivers;
    if (drivers.empty()) {
        drivers = {"pulseaudio", "alsa", "jack", "sdl2"};
    }
    keepJackFromStartingAServer();
    routeSoundLibraryMessages();
    for (const std::string& name : drivers) {
        if (fluid_settings_setstr(settings, "audio.driver", name.c_str()) != FLUID_OK) {
            continue; // not compiled into this FluidSynth
        }
        driver_ = new_fluid_audio_driver(settings, session->synth());
        if (driver_ != nullptr) {
            driverName_ = name;
            session_ = std::move(session);
            watchJackLocked();
            return;
        }
    }
    throw TMidiError("The built-in synthesizer finds no audio output");
}

void TSynthBackend::send(std::uint32_t message) {
    std::lock_guard lock(mutex_);
    if (session_) {
        session_->send(message);
    }
}

void TSynthBackend::close() {
    std::lock_guard lock(mutex_);
    closeLocked();
}

std::string TSynthBackend::driverName() const {
    std::lock_guard lock(mutex_);
    return driverName_;
}

void TSynthBackend::watchJackLocked() {
    if (driverName_ != "jack") {
        return;
    }
    loss_.arm();
    watch_ = std::make_unique<TJackWatch>("Tonaria synthesizer watch", [this] { loss_.report(); });
    if (!watch_->connected()) {
        loss_.report(); // the server went while the driver opened
    }
}

void TSynthBackend::closeLocked() {
    loss_.disarm();
    watch_.reset();
    if (driver_ != nullptr) {
        delete_fluid_audio_driver(driver_); // before the synthesizer it pulls samples from
        driver_ = nullptr;
    }
    session_.reset();
    driverName_.clear();
}
