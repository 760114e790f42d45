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

void TMidiDevices::setLossListener(TMidiLossListener* listener) {
    std::lock_guard lock(mutex_);
    for (const auto& backend : backends_) {
        backend->setLossListener(listener);
    }
}

namespace {

// The system's devices, telling in one line what opened and what else was found.
class TSystemDevices : public TMidiDevices {
public:
    TSystemDevices(std::vector<std::unique_ptr<TMidiBackendInterface>> backends,
                   TSynthBackend& synth, TSystemPortBackend& ports, std::ostream* report)
        : TMidiDevices(std::move(backends)), synth_(synth), ports_(ports), report_(report) {}

    void open(int index) override {
        try {
            TMidiDevices::open(index);
        } catch (const TMidiError& error) {
            if (report_ != nullptr)
                *report_ << summary(index, error.what()) << std::endl;
            throw;
        }
        if (report_ != nullptr)
            *report_ << summary(index, {}) << std::endl;
    }

private:
    std::string summary(int index, const std::string& failure) {
        const std::vector<std::string> names = deviceNames();
        std::string line = "MIDI output: ";
        line += index >= 0 && index < static_cast<int>(names.size())
                    ? names[static_cast<std::size_t>(index)]
                    : std::to_string(index);
        const std::string audio = synth_.driverName();
        if (!failure.empty())
            line += " did not open (" + failure + ")";
        else if (!audio.empty())
            line += " (audio through " + audio + ")";
        const std::vector<std::string> ports = ports_.deviceNames();
        line += "; system MIDI ports: ";
        if (ports.empty())
            line += "none";
        for (std::size_t i = 0; i < ports.size(); ++i)
            line += (i == 0 ? "" : ", ") + ports[i];
        return line;
    }

    TSynthBackend& synth_;
    TSystemPortBackend& ports_;
    std::ostream* report_;
};

} // namespace

std::unique_ptr<TMidiDevices> makeSystemDevices(std::ostream* report) {
    auto synth = std::make_unique<TSynthBackend>();
    auto ports = std::make_unique<TSystemPortBackend>();
    TSynthBackend& synthRef = *synth;
    TSystemPortBackend& portsRef = *ports;
    std::vector<std::unique_ptr<TMidiBackendInterface>> backends;
    backends.push_back(std::move(synth));
    backends.push_back(std::move(ports));
    return std::make_unique<TSystemDevices>(std::move(backends), synthRef, portsRef, report);
}
