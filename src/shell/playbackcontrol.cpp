#include "shell/playbackcontrol.h"

#include "files/messagebundle.h"
#include "files/settings.h"
#include "playback/motiveplayer.h"
#include "playback/player.h"
#include "shell/userdialogsinterface.h"

#include <QMetaObject>

#include <exception>

TPlaybackControl::TPlaybackControl(TPlayer& player, TMotivePlayer& motivePlayer,
                                   const TMessageBundle& bundle, TUserDialogsInterface& dialogs,
                                   std::filesystem::path settingsFile)
    : player_(player), motivePlayer_(motivePlayer), bundle_(bundle), dialogs_(dialogs),
      settingsFile_(std::move(settingsFile)) {
    motivePlayer_.setStopListener(this);
    player_.setLossListener(this);
}

TPlaybackControl::~TPlaybackControl() {
    player_.setLossListener(nullptr);
    motivePlayer_.setStopListener(nullptr);
}

void TPlaybackControl::openAtStartUp() {
    int device = readMidiDevice(settingsFile_);
    const bool stored = device != NO_MIDI_DEVICE;
    if (!stored)
        device = askDevice();
    if (device == NO_MIDI_DEVICE)
        return;
    if (openDevice(device) || !stored)
        return;
    device = askDevice();
    if (device != NO_MIDI_DEVICE)
        openDevice(device);
}

int TPlaybackControl::storedDevice() const {
    return readMidiDevice(settingsFile_);
}

void TPlaybackControl::chooseDevice() {
    motivePlayer_.stop();
    const int device = askDevice();
    if (device != NO_MIDI_DEVICE)
        openDevice(device);
}

bool TPlaybackControl::openDevice(int device) {
    try {
        player_.open(device);
    } catch (const std::exception&) {
        dialogs_.showMessage(bundle_.text("open midi error"), bundle_.text("error"));
        return false;
    }
    // Every device that opens gets the instruments, not only the first one: a device chosen
    // later would otherwise play the melody, the chords and the bass all on its default piano.
    player_.sendInstrumentSetup();
    deviceName_ = "MIDI device " + std::to_string(device);
    try {
        const std::vector<std::string> names = player_.deviceNames();
        if (device < static_cast<int>(names.size()))
            deviceName_ = names[static_cast<std::size_t>(device)];
    } catch (const std::exception&) {
        // The number names it then.
    }
    return true;
}

void TPlaybackControl::outputLost() {
    QMetaObject::invokeMethod(
        &lossContext_, [this] { closeLostDevice(); }, Qt::QueuedConnection);
}

void TPlaybackControl::closeLostDevice() {
    // A device opened since the loss was found is a fresh one.
    if (!player_.lost())
        return;
    motivePlayer_.stop();
    player_.close();
    std::string text = bundle_.text("output lost");
    if (const std::size_t at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, deviceName_);
    dialogs_.showMessage(text, bundle_.text("error"));
}

void TPlaybackControl::play(const std::vector<TPlayItem>& items) {
    try {
        for (const auto& [motive, listener] : items)
            motivePlayer_.play(*motive, listener);
    } catch (const std::exception& error) {
        dialogs_.showMessage(error.what(), bundle_.text("error"));
    }
}

void TPlaybackControl::stop() {
    motivePlayer_.stop();
}

int TPlaybackControl::askDevice() {
    const int device = dialogs_.chooseMidiDevice(player_.deviceId());
    if (device != NO_MIDI_DEVICE && !writeMidiDevice(settingsFile_, device) &&
        !settingsFailureReported_) {
        settingsFailureReported_ = true;
        dialogs_.showMessage(bundle_.text("settings error") + "\n" + settingsFile_.string(),
                             bundle_.text("warning"));
    }
    return device;
}
