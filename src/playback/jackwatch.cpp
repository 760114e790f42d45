#include "playback/jackwatch.h"

#include "playback/soundlibrarymessages.h"

#include <jack/jack.h>

TJackWatch::TJackWatch(const std::string& clientName, std::function<void()> onLoss)
    : onLoss_(std::move(onLoss)) {
    routeSoundLibraryMessages();
    jack_status_t status;
    client_ = jack_client_open(clientName.c_str(), JackNoStartServer, &status);
    if (client_ == nullptr) {
        return;
    }
    jack_on_shutdown(client_, &TJackWatch::shutdown, this);
    // Active, as the clients it stands for are.
    if (jack_activate(client_) != 0) {
        jack_client_close(client_);
        client_ = nullptr;
    }
}

TJackWatch::~TJackWatch() {
    if (client_ != nullptr) {
        jack_client_close(client_);
    }
}

void TJackWatch::shutdown(void* watch) {
    auto* self = static_cast<TJackWatch*>(watch);
    if (!self->lost_.exchange(true) && self->onLoss_) {
        self->onLoss_();
    }
}
