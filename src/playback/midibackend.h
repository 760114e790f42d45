#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// A MIDI output could not be opened or a playback resource could not be created.
class TMidiError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Told when the open output goes away: its sound server stopped, its port vanished.
class TMidiLossListener {
public:
    virtual ~TMidiLossListener() = default;
    // Called at most once per opening, on whichever thread found the loss (a sound library's
    // own thread, the timer thread or the interface thread). It must not call into the back end.
    virtual void outputLost() = 0;
};

// One kind of MIDI output: lists its devices, opens one of them by index and takes short
// messages. Implementations are safe to call from the interface thread and the timer thread
// at once; a message sent while nothing is open is dropped.
class TMidiBackendInterface {
public:
    virtual ~TMidiBackendInterface() = default;
    virtual std::vector<std::string> deviceNames() = 0;
    // Closes what is open, then opens device `index`; throws TMidiError when it cannot.
    virtual void open(int index) = 0;
    // Called on the interface thread and on the timer thread.
    virtual void send(std::uint32_t message) = 0;
    virtual void close() = 0;
    // The loss of an open device is told to `listener` (null: to nobody). Once this returns,
    // the listener it replaces is never called again.
    virtual void setLossListener(TMidiLossListener* listener) = 0;
};

// A short message as the wire carries it: status | data1 << 8 | data2 << 16.
constexpr std::uint32_t shortMessage(int status, int data1, int data2) {
    return static_cast<std::uint32_t>(status & 0xFF) |
           static_cast<std::uint32_t>(data1 & 0x7F) << 8 |
           static_cast<std::uint32_t>(data2 & 0x7F) << 16;
}
constexpr int messageStatus(std::uint32_t message) {
    return static_cast<int>(message & 0xFF);
}
constexpr int messageData1(std::uint32_t message) {
    return static_cast<int>(message >> 8 & 0x7F);
}
constexpr int messageData2(std::uint32_t message) {
    return static_cast<int>(message >> 16 & 0x7F);
}
// Program change and channel pressure carry one data byte, every other channel message two.
constexpr int messageLength(std::uint32_t message) {
    int kind = messageStatus(message) & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 2 : 3;
}
