#include "playback/mididevices.h"

#include "playback/synthbackend.h"
#include "playback/systemportbackend.h"

std::vector<std::string> TMidiDevices::deviceNames() {
    std::lock_guard lock(mutex_);
    std::vector<std::string> names;
    for (const auto& backend : backends_) {
        for (std::string& name : backend->deviceNames()) {
            names.push_back(std::move(name));
        }
    }
    return names;
}

void TMidiDevices::open(int index) {
    std::lock_guard lock(mutex_);
    if (open_ != nullptr) {
        open_->close();
        open_ = nullptr;
    }
    int first = 0;
    for (const auto& backend : backends_) {
        const int count = static_cast<int>(backend->deviceNames().size());
        if (index >= first && index < first + count) {
            backend->open(index - first);
            open_ = backend.get();
            return;
        }
        first += count;
    }
    throw TMidiError("There is no MIDI device " + std::to_string(index));
}

void TMidiDevices::send(std::uint32_t message) {
    std::lock_guard lock(mutex_);
    if (open_ != nullptr) {
        open_->send(message);
    }
}

void TMidiDevices::close() {
    std::lock_guard lock(mutex_);
    if (open_ != nullptr) {
        open_->close();
        open_ = nullptr;
    }
}

std::unique_ptr<TMidiDevices> makeSystemDevices() {
    std::vector<std::unique_ptr<TMidiBackendInterface>> backends;
    backends.push_back(std::make_unique<TSynthBackend>());
    backends.push_back(std::make_unique<TSystemPortBackend>());
    return std::make_unique<TMidiDevices>(std::move(backends));
}
