#pragma once

#include "playback/midibackend.h"
#include "playback/motiveplayerlistener.h"

#include <QObject>

#include <atomic>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

class TMessageBundle;
class TMotive;
class TMotivePlayer;
class TPlayer;
class TUserDialogsInterface;

// A motive to play and the listener that lights its notes (may be null).
using TPlayItem = std::pair<const TMotive*, TMotivePlayerListener*>;

// The MIDI device and the global play commands: opening the stored device at start-up (asking
// when there is none), choosing another device, playing a list of motives, stopping, and the
// playing flag; the loss of the open device. Interface thread only, except playingStopped and
// outputLost.
class TPlaybackControl : public TMotivePlayerStopListener, private TMidiLossListener {
public:
    TPlaybackControl(TPlayer& player, TMotivePlayer& motivePlayer, const TMessageBundle& bundle,
                     TUserDialogsInterface& dialogs, std::filesystem::path settingsFile);
    ~TPlaybackControl() override;
    TPlaybackControl(const TPlaybackControl&) = delete;
    TPlaybackControl& operator=(const TPlaybackControl&) = delete;

    // The device stored in the settings; the dialog when none is stored, and once more when the
    // stored one does not open. Cancelling starts without a device and without a message.
    void openAtStartUp();
    // The device the settings name, or NO_MIDI_DEVICE.
    int storedDevice() const;
    // Stops playback and lets the user choose a device, which is stored and opened.
    void chooseDevice();
    // Opens `device` and sends it the instrument set-up; reports a failure and returns false.
    bool openDevice(int device);

    // Queues the motives in order; reports a timer that cannot start.
    void play(const std::vector<TPlayItem>& items);
    void stop();

    void markPlaying() { playing_ = true; }
    bool playFinished() const { return !playing_; }

    // Called on the interface thread or the timer thread.
    void playingStopped() override { playing_ = false; }

private:
    // The dialog's choice, stored in the settings when it names a device. A settings file that
    // cannot be written is reported, once per run: the choice would otherwise be lost unseen.
    int askDevice();
    // Called on whichever thread found the loss: handed over to the interface thread.
    void outputLost() override;
    // Stops playback, closes the lost device and tells the user which one went. The device
    // dialog then lists the outputs as they are now.
    void closeLostDevice();

    TPlayer& player_;
    TMotivePlayer& motivePlayer_;
    const TMessageBundle& bundle_;
    TUserDialogsInterface& dialogs_;
    std::filesystem::path settingsFile_;
    bool settingsFailureReported_ = false;
    std::atomic<bool> playing_{false};
    std::string deviceName_; // of the open device, for the message when it is lost
    QObject lossContext_;    // the queued hand-over of a loss goes with it
};
