#include "shelltesting.h"

#include "playback/recordingbackend.h"
#include "shell/datacheck.h"
#include "shell/mainwindow.h"
#include "shell/topframe.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

TEST(MissingData, OneMessageNamesEveryMissingFileWithThePathLookedIn) {
    TTempFolder folder;
    TRecordingBackend devices{1};
    TScriptedDialogs dialogs;
    dialogs.deviceAnswers = {0};
    TTopFrame frame;
    TMainWindow window(frame, devices, folder.path(), &dialogs);
    window.reportMissingData();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const std::string& text = dialogs.messages[0].text;
    for (const char* name : {"glyphs.bmp", "stepbystep", "theoryhelp"})
        EXPECT_NE(text.find((folder / name).string()), std::string::npos) << name << "\n" << text;
    EXPECT_EQ(dialogs.messages[0].caption, "Warning");

    writeWhole(folder / "glyphs.bmp", "BM");
    fs::create_directory(folder / "theoryhelp");
    EXPECT_EQ(missingDataFiles(folder.path()), std::vector<fs::path>{folder / "stepbystep"});
    fs::create_directory(folder / "stepbystep");
    window.reportMissingData();
    EXPECT_EQ(dialogs.messages.size(), 1u) << "nothing is said when everything is there";

    // A folder where the sheet should be is as good as none.
    fs::remove(folder / "glyphs.bmp");
    fs::create_directory(folder / "glyphs.bmp");
    EXPECT_EQ(missingDataFiles(folder.path()), std::vector<fs::path>{folder / "glyphs.bmp"});
}

} // namespace
