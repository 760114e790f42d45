#include "shell/playbackcontrol.h"

#include "files/messagebundle.h"
#include "files/settings.h"
#include "playback/motiveplayer.h"
#include "playback/player.h"
#include "shell/userdialogsinterface.h"

#include <exception>

TPlaybackControl::TPlaybackControl(TPlayer& player, TMotivePlayer& motivePlayer,
                                   const TMessageBundle& bundle, TUserDialogsInterface& dialogs,
                                   std::filesystem::path settingsFile)
    : player_(player), motivePlayer_(motivePlayer), bundle_(bundle), dialogs_(dialogs),
      settingsFile_(std::move(settingsFile)) {
    motivePlayer_.setStopListener(this);
}

TPlaybackControl::~TPlaybackControl() {
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
    return true;
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
