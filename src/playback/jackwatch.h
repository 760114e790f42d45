#pragma once

#include <atomic>
#include <functional>
#include <string>

struct _jack_client;

// Tells when the JACK server goes away: a client of its own that only waits for the server's
// shutdown notice. libjack's other clients in the program (the synthesizer's audio driver,
// RtMidi's ports) die with the server without a word to their owners.
class TJackWatch {
public:
    // Connects to the running server, never starting one. When the server goes, `onLoss` is
    // called once on libjack's thread; it must not destroy the watch.
    TJackWatch(const std::string& clientName, std::function<void()> onLoss);
    // Safe whether the server still runs or is gone.
    ~TJackWatch();
    TJackWatch(const TJackWatch&) = delete;
    TJackWatch& operator=(const TJackWatch&) = delete;

    // A server answered at construction and has not gone since. Called on any thread.
    bool connected() const { return client_ != nullptr && !lost_.load(); }

private:
    static void shutdown(void* watch);

    _jack_client* client_ = nullptr;
    std::atomic<bool> lost_{false};
    std::function<void()> onLoss_;
};
