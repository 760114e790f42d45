#include "playback/synthbackend.h"

#include "playback/jackwatch.h"
#include "playback/soundlibrarymessages.h"
#include "playback/synthmodule.h"

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
    std::unique_ptr<TSynthEngine> engine = makeSynthEngine(options_.soundFont);
    TSynthAudioOptions audio{options_.drivers, options_.outputFile, PERIOD_FRAMES, PERIODS};
    if (audio.drivers.empty()) {
        audio.drivers = {"pulseaudio", "alsa", "jack", "sdl2"};
    }
    keepJackFromStartingAServer();
    routeSoundLibraryMessages();
    driverName_ = engine->startAudio(audio);
    if (!driverName_.empty()) {
        engine_ = std::move(engine);
        watchJackLocked();
        return;
    }
    throw TMidiError("The built-in synthesizer finds no audio output");
}

void TSynthBackend::send(std::uint32_t message) {
    std::lock_guard lock(mutex_);
    if (engine_) {
        engine_->send(message);
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
    engine_.reset();
    driverName_.clear();
}
