#include "playback/mididevices.h"
#include "playback/nullbackend.h"
#include "playback/player.h"
#include "playback/recordingbackend.h"

#include <gtest/gtest.h>

TEST(Player, IgnoresEverySendWhileClosed) {
    TRecordingBackend backend;
    TPlayer player(backend);
    EXPECT_EQ(player.deviceId(), -1);
    player.noteOn(0, 60, 105);
    player.noteOff(0, 60, 105);
    player.programChange(1, 89);
    player.sendInstrumentSetup();
    EXPECT_TRUE(backend.messages().empty());
}

TEST(Player, SendsShortMessagesAsStatusData1Data2FromTheLowestByte) {
    TRecordingBackend backend;
    TPlayer player(backend);
    player.open(0);
    player.noteOn(0, 60, 105);
    player.noteOff(9, 62, 100);
    player.programChange(2, 32);
    EXPECT_EQ(backend.messageValues(),
              (std::vector<std::uint32_t>{0x00693C90, 0x00643E89, 0x000020C2}));
}

TEST(Player, SetsUpTheInstrumentsChordsBassMelodyPreview) {
    TRecordingBackend backend;
    TPlayer player(backend);
    player.open(0);
    player.sendInstrumentSetup();
    EXPECT_EQ(backend.messageValues(), (std::vector<std::uint32_t>{0xC1 | 89 << 8, 0xC2 | 32 << 8,
                                                                   0xC0 | 1 << 8, 0xC4 | 93 << 8}));
}

TEST(Player, OpeningClosesThePreviousDeviceAndAFailureLeavesItClosed) {
    TRecordingBackend backend(2);
    TPlayer player(backend);
    player.open(0);
    player.open(1);
    EXPECT_EQ(player.deviceId(), 1);
    EXPECT_EQ(backend.history(), (std::vector<std::string>{"open 0", "close", "open 1"}));

    EXPECT_THROW(player.open(5), TMidiError);
    EXPECT_EQ(player.deviceId(), -1);
    EXPECT_EQ(backend.openDevice(), -1);
    player.noteOn(0, 60, 100);
    EXPECT_TRUE(backend.messages().empty());

    player.open(0);
    player.close();
    player.close();
    EXPECT_EQ(player.deviceId(), -1);
    EXPECT_EQ(backend.history().back(), "close");
}

TEST(MidiDevices, NumberTheBackEndsDevicesOneAfterTheOther) {
    auto firstOwned = std::make_unique<TRecordingBackend>(2);
    auto secondOwned = std::make_unique<TRecordingBackend>(1);
    TRecordingBackend& first = *firstOwned;
    TRecordingBackend& second = *secondOwned;
    std::vector<std::unique_ptr<TMidiBackendInterface>> backends;
    backends.push_back(std::move(firstOwned));
    backends.push_back(std::make_unique<TNullBackend>());
    backends.push_back(std::move(secondOwned));
    TMidiDevices devices(std::move(backends));
    EXPECT_EQ(devices.deviceNames(),
              (std::vector<std::string>{"Recorder 0", "Recorder 1", "No output", "Recorder 0"}));

    TPlayer player(devices);
    player.open(3);
    EXPECT_EQ(second.openDevice(), 0);
    player.noteOn(0, 60, 100);
    player.open(1);
    EXPECT_EQ(second.openDevice(), -1);
    EXPECT_EQ(first.openDevice(), 1);
    player.noteOn(0, 62, 100);
    EXPECT_EQ(second.messages().size(), 1u);
    EXPECT_EQ(first.messages().size(), 1u);
    EXPECT_THROW(player.open(4), TMidiError);
    EXPECT_EQ(first.openDevice(), -1);
}
