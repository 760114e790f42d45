#include "shelltesting.h"

#include "files/engmessagebundle.h"
#include "files/settings.h"
#include "playback/motiveplayer.h"
#include "playback/player.h"
#include "playback/recordingbackend.h"
#include "shell/playbackcontrol.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <thread>

namespace {

class PlaybackControl : public ::testing::Test {
protected:
    std::filesystem::path settings() const { return folder / "config.xml"; }
    // The program changes the device received, as (channel, program).
    std::vector<std::pair<int, int>> programsSent() const {
        std::vector<std::pair<int, int>> programs;
        for (std::uint32_t message : backend.messageValues()) {
            if ((messageStatus(message) & 0xF0) == 0xC0)
                programs.emplace_back(messageStatus(message) & 0x0F, messageData1(message));
        }
        return programs;
    }

    TTempFolder folder;
    TEngMessageBundle bundle;
    TRecordingBackend backend{3};
    TPlayer player{backend};
    TMotivePlayer motivePlayer{&player, true};
    TScriptedDialogs dialogs;
    TPlaybackControl control{player, motivePlayer, bundle, dialogs, settings()};
};

const std::vector<std::pair<int, int>> INSTRUMENTS{{1, 89}, {2, 32}, {0, 1}, {4, 93}};

TEST_F(PlaybackControl, WithoutSettingsTheDialogAsksAndCancelStartsSilently) {
    control.openAtStartUp();
    EXPECT_EQ(dialogs.deviceDialogs, std::vector<int>{-1});
    EXPECT_EQ(player.deviceId(), -1);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(std::filesystem::exists(settings()));
}

TEST_F(PlaybackControl, TheChosenDeviceIsStoredOpenedAndGivenItsInstruments) {
    dialogs.deviceAnswers = {1};
    control.openAtStartUp();
    EXPECT_EQ(player.deviceId(), 1);
    EXPECT_EQ(readMidiDevice(settings()), 1);
    EXPECT_EQ(programsSent(), INSTRUMENTS);
}

TEST_F(PlaybackControl, AStoredDeviceOpensWithoutAsking) {
    writeMidiDevice(settings(), 2);
    control.openAtStartUp();
    EXPECT_TRUE(dialogs.deviceDialogs.empty());
    EXPECT_EQ(player.deviceId(), 2);
}

TEST_F(PlaybackControl, AStoredDeviceThatFailsIsReportedAndAskedForOnce) {
    writeMidiDevice(settings(), 7);
    dialogs.deviceAnswers = {0};
    control.openAtStartUp();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Cannot open MIDI output device");
    EXPECT_EQ(dialogs.messages[0].caption, "Error");
    EXPECT_EQ(dialogs.deviceDialogs.size(), 1u);
    EXPECT_EQ(player.deviceId(), 0);
    EXPECT_EQ(readMidiDevice(settings()), 0);
}

TEST_F(PlaybackControl, SettingsThatCannotBeWrittenAreReportedOnceAndTheDeviceStillOpens) {
    // A folder where the settings file should be: no write can succeed.
    std::filesystem::create_directory(settings());
    dialogs.deviceAnswers = {1, 2};
    control.openAtStartUp();
    EXPECT_EQ(player.deviceId(), 1);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "The chosen MIDI device cannot be remembered: the "
                                        "settings file cannot be written\n" +
                                            settings().string());
    EXPECT_EQ(dialogs.messages[0].caption, "Warning");
    control.chooseDevice();
    EXPECT_EQ(player.deviceId(), 2);
    EXPECT_EQ(dialogs.messages.size(), 1u) << "reported once, not at every choice";
}

TEST_F(PlaybackControl, ADeviceChosenFromTheDialogThatFailsIsReportedAndLeft) {
    dialogs.deviceAnswers = {9, 1};
    control.openAtStartUp();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.deviceDialogs.size(), 1u) << "no second dialog for a fresh choice";
    EXPECT_EQ(player.deviceId(), -1);
}

TEST_F(PlaybackControl, ADeviceChosenLaterGetsTheInstrumentsAsWell) {
    dialogs.deviceAnswers = {0};
    control.openAtStartUp();
    backend.clear();

    dialogs.deviceAnswers = {2};
    control.chooseDevice();
    EXPECT_EQ(dialogs.deviceDialogs.back(), 0) << "the dialog opens at the current device";
    EXPECT_EQ(player.deviceId(), 2);
    EXPECT_EQ(readMidiDevice(settings()), 2);
    EXPECT_EQ(programsSent(), INSTRUMENTS);
}

TEST_F(PlaybackControl, CancellingTheDeviceDialogKeepsTheOpenDevice) {
    dialogs.deviceAnswers = {1};
    control.openAtStartUp();
    control.chooseDevice();
    EXPECT_EQ(player.deviceId(), 1);
    EXPECT_EQ(readMidiDevice(settings()), 1);
}

TEST_F(PlaybackControl, ThePlayingFlagClearsWhenThePlayerStops) {
    EXPECT_TRUE(control.playFinished());
    control.markPlaying();
    EXPECT_FALSE(control.playFinished());
    TMotive motive;
    control.play({{&motive, nullptr}});
    motivePlayer.start();
    motivePlayer.stop();
    EXPECT_TRUE(control.playFinished());
}

TEST_F(PlaybackControl, ALostDeviceStopsPlaybackIsClosedNamedAndLeavesTheChoiceOfTheRest) {
    dialogs.deviceAnswers = {2};
    control.openAtStartUp();
    TMotive motive;
    motive.notes() = {TNote(0, 20, 120), TNote(120, 21, 120), TNote(240, 22, 120)};
    control.markPlaying();
    control.play({{&motive, nullptr}});
    ASSERT_GT(motivePlayer.queuedCount(), 0);

    // The loss is found on a sound library's thread; the interface hears of it on its own.
    std::thread([this] { backend.loseOutput(); }).join();
    EXPECT_TRUE(dialogs.messages.empty());
    QCoreApplication::processEvents();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "The MIDI output \"Recorder 2\" was lost: its sound server stopped or the "
              "device went away. Choose another output under Tools > Midi Devices.");
    EXPECT_EQ(dialogs.messages[0].caption, "Error");
    EXPECT_EQ(motivePlayer.queuedCount(), 0);
    EXPECT_TRUE(control.playFinished());
    EXPECT_EQ(player.deviceId(), -1);
    EXPECT_EQ(backend.history(), (std::vector<std::string>{"open 2", "lost", "close"}));

    backend.clear();
    dialogs.deviceAnswers = {1};
    control.chooseDevice();
    EXPECT_EQ(player.deviceId(), 1);
    EXPECT_EQ(programsSent(), INSTRUMENTS) << "the device chosen instead plays";
}

TEST_F(PlaybackControl, ALossOvertakenByAFreshDeviceIsNotReported) {
    dialogs.deviceAnswers = {2};
    control.openAtStartUp();
    backend.loseOutput();
    EXPECT_TRUE(control.openDevice(0));
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(player.deviceId(), 0);
}

} // namespace
