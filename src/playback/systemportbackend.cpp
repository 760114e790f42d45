#include "playback/systemportbackend.h"

#include "playback/jackwatch.h"
#include "playback/soundlibrarymessages.h"

#include <RtMidi.h>

namespace {

void noteFailure(RtMidiError::Type type, const std::string&, void* failed) {
    if (type != RtMidiError::DEBUG_WARNING) {
        *static_cast<bool*>(failed) = true;
    }
}

} // namespace

TSystemPortBackend::TSystemPortBackend(std::string clientName)
    : clientName_(std::move(clientName)) {
    routeSoundLibraryMessages();
}

TSystemPortBackend::~TSystemPortBackend() {
    close();
}

void TSystemPortBackend::refreshLocked() {
    if (watch_ && watch_->connected()) {
        return;
    }
    // The clients of a server that has gone are closed before anything new connects.
    apis_.clear();
    watch_ = std::make_unique<TJackWatch>(clientName_ + " watch", [this] { jackServerLost(); });
    const TCerrToDiagnostics quiet;
    std::vector<RtMidi::Api> compiled;
    RtMidi::getCompiledApi(compiled);
    for (RtMidi::Api api : compiled) {
        if (api == RtMidi::RTMIDI_DUMMY) {
            continue;
        }
        try {
            apis_.push_back(std::make_unique<RtMidiOut>(api, clientName_));
        } catch (const RtMidiError&) {
            // This API has no service on this machine (no ALSA sequencer, say).
        }
    }
}

void TSystemPortBackend::jackServerLost() {
    if (openOnJack_.load()) {
        loss_.report();
    }
}

std::vector<TSystemPortBackend::Port> TSystemPortBackend::listPortsLocked() {
    const TCerrToDiagnostics quiet;
    std::vector<Port> ports;
    for (const auto& api : apis_) {
        try {
            const unsigned count = api->getPortCount();
            for (unsigned i = 0; i < count; ++i) {
                ports.push_back({api.get(), i, api->getPortName(i)});
            }
        } catch (const RtMidiError&) {
            // A service that went away while listing offers no ports.
        }
    }
    return ports;
}

std::vector<std::string> TSystemPortBackend::deviceNames() {
    std::lock_guard lock(mutex_);
    if (open_ == nullptr) {
        refreshLocked();
    }
    std::vector<std::string> names;
    for (const Port& port : listPortsLocked()) {
        names.push_back(port.name);
    }
    return names;
}

void TSystemPortBackend::open(int index) {
    std::lock_guard lock(mutex_);
    closeLocked();
    refreshLocked();
    const std::vector<Port> ports = listPortsLocked();
    if (index < 0 || static_cast<std::size_t>(index) >= ports.size()) {
        throw TMidiError("There is no MIDI port " + std::to_string(index));
    }
    const Port& port = ports[static_cast<std::size_t>(index)];
    const TCerrToDiagnostics quiet;
    try {
        port.api->openPort(port.number, "Tonaria Output");
    } catch (const RtMidiError& error) {
        throw TMidiError("Cannot open the MIDI port " + port.name + ": " + error.getMessage());
    }
    if (!port.api->isPortOpen()) {
        throw TMidiError("Cannot open the MIDI port " + port.name);
    }
    open_ = port.api;
    openOnJack_ = port.api->getCurrentApi() == RtMidi::UNIX_JACK;
    loss_.arm();
    if (openOnJack_.load() && !watch_->connected()) {
        loss_.report(); // the server went while the port opened
    }
}

void TSystemPortBackend::send(std::uint32_t message) {
    const unsigned char bytes[3] = {static_cast<unsigned char>(messageStatus(message)),
                                    static_cast<unsigned char>(messageData1(message)),
                                    static_cast<unsigned char>(messageData2(message))};
    std::lock_guard lock(mutex_);
    if (open_ == nullptr) {
        return;
    }
    // RtMidi reports a message the port refuses (its ALSA client ended, say) as a warning on
    // the terminal, not as an exception: the callback catches it for the time of the send.
    bool failed = false;
    open_->setErrorCallback(&noteFailure, &failed);
    try {
        open_->sendMessage(bytes, static_cast<std::size_t>(messageLength(message)));
    } catch (const RtMidiError&) {
        failed = true;
    }
    open_->setErrorCallback(nullptr, nullptr);
    if (failed) {
        loss_.report();
    }
}

void TSystemPortBackend::close() {
    std::lock_guard lock(mutex_);
    closeLocked();
}

void TSystemPortBackend::closeLocked() {
    loss_.disarm();
    openOnJack_ = false;
    if (open_ != nullptr) {
        open_->closePort();
        open_ = nullptr;
    }
}
