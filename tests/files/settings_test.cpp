#include "files/atomicfile.h"
#include "files/settings.h"
#include "periodtesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TEST(Settings, WritesTheExactLayout) {
    EXPECT_EQ(settingsDocument(0), "<CONFIG>\n    <MIDI_DEVICE VALUE=\"0\"/>\n</CONFIG>");
    TScratchFolder folder;
    writeMidiDevice(folder / "config.xml", -1);
    EXPECT_EQ(readTextFile(folder / "config.xml"),
              "<CONFIG>\n    <MIDI_DEVICE VALUE=\"-1\"/>\n</CONFIG>");
}

TEST(Settings, ReadsBackWhatWasWritten) {
    TScratchFolder folder;
    for (const int device : {0, 7, -1, 2147483647}) {
        writeMidiDevice(folder / "config.xml", device);
        EXPECT_EQ(readMidiDevice(folder / "config.xml"), device);
    }
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"config.xml"});
}

struct TSettingsCase {
    const char* text;
    int device;
};

class SettingsText : public testing::TestWithParam<TSettingsCase> {};

TEST_P(SettingsText, ReadsAsTheStoredDeviceOrMinusOne) {
    TScratchFolder folder;
    writeText(folder / "config.xml", GetParam().text);
    EXPECT_EQ(readMidiDevice(folder / "config.xml"), GetParam().device) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsText,
    testing::Values(
        TSettingsCase{"<CONFIG><MIDI_DEVICE VALUE=\"2\"/><MIDI_DEVICE VALUE=\"5\"/></CONFIG>", 5},
        TSettingsCase{"<CONFIG><MIDI_DEVICE VALUE=\"abc\"/></CONFIG>", -1},
        TSettingsCase{"<CONFIG><MIDI_DEVICE VALUE=\"3\"/><MIDI_DEVICE VALUE=\"x\"/></CONFIG>", -1},
        TSettingsCase{"<CONFIG><MIDI_DEVICE/></CONFIG>", -1},
        TSettingsCase{"<CONFIG></CONFIG>", -1},
        TSettingsCase{"<CONFIG><MIDI_DEVICE VALUE=\"4\"", -1},
        TSettingsCase{"<CONFIG><MIDI_DEVICE VALUE=\"4\"/></CONFIG>junk", -1}, TSettingsCase{"", -1},
        TSettingsCase{"<OTHER><MIDI_DEVICE NAME=\"a\" VALUE=\"1\"/><DEVICE VALUE=\"9\"/></OTHER>",
                      1},
        TSettingsCase{"<CONFIG><MIDI_DEVICE VALUE=\"99999999999\"/></CONFIG>", -1}));

TEST(Settings, AMissingFileReadsAsNoDevice) {
    TScratchFolder folder;
    EXPECT_EQ(readMidiDevice(folder / "config.xml"), NO_MIDI_DEVICE);
}

TEST(Settings, AFailedWriteSaysSoAndKeepsTheOldFile) {
    TScratchFolder folder;
    // A folder in the file's place cannot be replaced; nothing may be left behind.
    fs::create_directory(folder / "config.xml");
    EXPECT_FALSE(writeMidiDevice(folder / "config.xml", 3));
    EXPECT_TRUE(fs::is_directory(folder / "config.xml"));
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"config.xml"});
    // Nor can a file stand where its folder would have to be made.
    writeText(folder / "plain", "x");
    EXPECT_FALSE(writeMidiDevice(folder / "plain" / "config.xml", 3));
}

TEST(Settings, AMissingFolderIsCreatedOnTheFirstWrite) {
    TScratchFolder folder;
    const auto file = folder / "config" / "tonaria" / "config.xml";
    EXPECT_TRUE(writeMidiDevice(file, 4));
    EXPECT_EQ(readMidiDevice(file), 4);
}

TEST(Settings, SchoolHarmonyIsOnUntilTurnedOffAndEachWriteKeepsTheOther) {
    TScratchFolder folder;
    const auto file = folder / "config.xml";
    EXPECT_TRUE(readSchoolHarmony(file)); // a new user
    EXPECT_TRUE(writeMidiDevice(file, 2));
    EXPECT_TRUE(readSchoolHarmony(file));
    EXPECT_EQ(readTextFile(file), settingsDocument(2));
    EXPECT_TRUE(writeSchoolHarmony(file, false));
    EXPECT_EQ(readTextFile(file), "<CONFIG>\n    <MIDI_DEVICE VALUE=\"2\"/>\n"
                                  "    <SCHOOL_HARMONY VALUE=\"0\"/>\n</CONFIG>");
    EXPECT_FALSE(readSchoolHarmony(file));
    EXPECT_EQ(readMidiDevice(file), 2);
    EXPECT_TRUE(writeMidiDevice(file, 5));
    EXPECT_FALSE(readSchoolHarmony(file));
    EXPECT_EQ(readMidiDevice(file), 5);
    // Switched on again, the file is again the one the device alone gives.
    EXPECT_TRUE(writeSchoolHarmony(file, true));
    EXPECT_EQ(readTextFile(file), settingsDocument(5));
    // Without a file the device stays unchosen.
    fs::remove(file);
    EXPECT_TRUE(writeSchoolHarmony(file, false));
    EXPECT_EQ(readMidiDevice(file), NO_MIDI_DEVICE);
    EXPECT_FALSE(readSchoolHarmony(file));
    fs::create_directory(folder / "taken");
    EXPECT_FALSE(writeSchoolHarmony(folder / "taken", false));
}

TEST(Settings, OnlyAnExplicitZeroTurnsSchoolHarmonyOffAndTheOldCadencesElementStillCounts) {
    TScratchFolder folder;
    const auto file = folder / "config.xml";
    for (const auto& [text, on] :
         {std::pair{"<CONFIG><SCHOOL_HARMONY VALUE=\"0\"/></CONFIG>", false},
          std::pair{"<CONFIG><SCHOOL_HARMONY VALUE=\"1\"/></CONFIG>", true},
          std::pair{"<CONFIG><SCHOOL_HARMONY VALUE=\"no\"/></CONFIG>", true},
          std::pair{"<CONFIG><SCHOOL_HARMONY/></CONFIG>", true},
          std::pair{"<CONFIG><SCHOOL_HARMONY VALUE=\"0\"/><SCHOOL_HARMONY VALUE=\"1\"/></CONFIG>",
                    true},
          // Written by earlier versions: cadences asked for, or (never written) refused.
          std::pair{"<CONFIG><CADENCES VALUE=\"1\"/></CONFIG>", true},
          std::pair{"<CONFIG><CADENCES VALUE=\"0\"/></CONFIG>", false},
          // The new element wins over the old one.
          std::pair{"<CONFIG><CADENCES VALUE=\"1\"/><SCHOOL_HARMONY VALUE=\"0\"/></CONFIG>", false},
          std::pair{"<CONFIG><CADENCES VALUE=\"0\"/><SCHOOL_HARMONY VALUE=\"1\"/></CONFIG>", true},
          std::pair{"<CONFIG><MIDI_DEVICE VALUE=\"1\"/></CONFIG>", true},
          std::pair{"<CONFIG><SCHOOL_HARMONY VALUE=\"0\"/>", true}}) { // damaged
        writeText(file, text);
        EXPECT_EQ(readSchoolHarmony(file), on) << text;
    }
    // The device reader passes over the element, and a write drops the old one.
    writeText(file, "<CONFIG><MIDI_DEVICE VALUE=\"3\"/><CADENCES VALUE=\"1\"/></CONFIG>");
    EXPECT_EQ(readMidiDevice(file), 3);
    EXPECT_TRUE(writeMidiDevice(file, 3));
    EXPECT_EQ(readTextFile(file), settingsDocument(3));
}

TEST(Settings, TheFastMenuShowsUntilHiddenAndEveryWriteKeepsTheOtherSettings) {
    TScratchFolder folder;
    const auto file = folder / "config.xml";
    const fs::path song = folder / "song.tnr";
    writeText(song, "x");
    EXPECT_TRUE(readFastMenuShown(file));                         // a new user
    writeText(file, settingsDocument(4, false, {song.string()})); // an earlier version's file
    EXPECT_TRUE(readFastMenuShown(file));

    ASSERT_TRUE(writeFastMenuShown(file, false));
    EXPECT_EQ(readTextFile(file), "<CONFIG>\n    <MIDI_DEVICE VALUE=\"4\"/>\n"
                                  "    <SCHOOL_HARMONY VALUE=\"0\"/>\n"
                                  "    <FAST_MENU VALUE=\"0\"/>\n"
                                  "    <RECENT FILE=\"" +
                                      song.string() + "\"/>\n</CONFIG>");
    EXPECT_FALSE(readFastMenuShown(file));
    EXPECT_EQ(readMidiDevice(file), 4) << "readers of the device pass over the element";
    ASSERT_TRUE(writeMidiDevice(file, 1));
    ASSERT_TRUE(writeSchoolHarmony(file, true));
    ASSERT_TRUE(writeRecentFiles(file, {}));
    EXPECT_FALSE(readFastMenuShown(file)) << "the other settings' writes keep it";
    ASSERT_TRUE(writeFastMenuShown(file, true));
    EXPECT_EQ(readTextFile(file), settingsDocument(1)) << "shown is the default, not written";

    for (const auto& [text, shown] :
         {std::pair{"<CONFIG><FAST_MENU VALUE=\"1\"/></CONFIG>", true},
          std::pair{"<CONFIG><FAST_MENU VALUE=\"0\"/><FAST_MENU VALUE=\"1\"/></CONFIG>", true},
          std::pair{"<CONFIG><FAST_MENU VALUE=\"0\"/>", true}}) { // damaged
        writeText(file, text);
        EXPECT_EQ(readFastMenuShown(file), shown) << text;
    }
    fs::create_directory(folder / "taken");
    EXPECT_FALSE(writeFastMenuShown(folder / "taken", false));
}

TEST(RecentFiles, NewestFirstAtMostEightEachOnceAndKeptByTheOtherSettingsWrites) {
    TScratchFolder folder;
    const fs::path settings = folder / "config.xml";
    std::vector<std::string> recent;
    for (int i = 0; i < 10; ++i) {
        const fs::path file = folder / ("song " + std::to_string(i) + " & \"x\".tnr");
        writeText(file, "x");
        recent = withRecentFile(recent, file.string());
    }
    recent = withRecentFile(recent, (folder / "song 5 & \"x\".tnr").string());
    ASSERT_EQ(recent.size(), RECENT_FILE_COUNT);
    EXPECT_EQ(recent[0], (folder / "song 5 & \"x\".tnr").string());
    EXPECT_EQ(recent[1], (folder / "song 9 & \"x\".tnr").string());
    EXPECT_EQ(std::count(recent.begin(), recent.end(), recent[0]), 1);

    writeText(settings, settingsDocument(3, false)); // a file of an earlier version
    EXPECT_TRUE(readRecentFiles(settings).empty());
    ASSERT_TRUE(writeRecentFiles(settings, recent));
    EXPECT_EQ(readRecentFiles(settings), recent);
    EXPECT_EQ(readMidiDevice(settings), 3);
    EXPECT_FALSE(readSchoolHarmony(settings));
    ASSERT_TRUE(writeMidiDevice(settings, 1));
    ASSERT_TRUE(writeSchoolHarmony(settings, true));
    EXPECT_EQ(readRecentFiles(settings), recent) << "the other settings' writes keep the list";

    // A composition that went, or became a folder, is not offered.
    fs::remove(recent[2]);
    fs::remove(recent[3]);
    fs::create_directory(recent[3]);
    std::vector<std::string> left = recent;
    left.erase(left.begin() + 2, left.begin() + 4);
    EXPECT_EQ(readRecentFiles(settings), left);
}

TEST(AtomicFile, ReplacesTheWholeFile) {
    TScratchFolder folder;
    writeText(folder / "song.tnr", std::string(10000, 'x'));
    writeFileAtomically(folder / "song.tnr", "short");
    EXPECT_EQ(readTextFile(folder / "song.tnr"), "short");
    writeFileAtomically(folder / "new.tnr", "");
    EXPECT_EQ(readTextFile(folder / "new.tnr"), "");
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"new.tnr", "song.tnr"}));
}

TEST(AtomicFile, FailsWithoutTouchingTheTargetOrLeavingATemporaryFile) {
    TScratchFolder folder;
    EXPECT_THROW(writeFileAtomically(folder / "nowhere" / "song.tnr", "text"), TFileWriteError);
    fs::create_directory(folder / "song.tnr");
    writeText(folder / "song.tnr" / "inside", "kept");
    EXPECT_THROW(writeFileAtomically(folder / "song.tnr", "text"), TFileWriteError);
    EXPECT_EQ(readTextFile(folder / "song.tnr" / "inside"), "kept");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"song.tnr"});
}

TEST(AtomicFile, ReplacesTheFileALinkPointsAtAndKeepsTheLink) {
    TScratchFolder folder;
    writeText(folder / "real.tnr", "old");
    fs::create_symlink("real.tnr", folder / "link.tnr");
    writeFileAtomically(folder / "link.tnr", "new");
    EXPECT_TRUE(fs::is_symlink(folder / "link.tnr"));
    EXPECT_EQ(readTextFile(folder / "real.tnr"), "new");
}

} // namespace
