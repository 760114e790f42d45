#include "shelltesting.h"

#include "files/periodwriter.h"
#include "playback/recordingbackend.h"
#include "shell/commandline.h"
#include "shell/mainwindow.h"
#include "shell/topframe.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, NamesOneCompositionOrAsksForHelpOrVersion) {
    EXPECT_FALSE(parseCommandLine({}).file);
    const TCommandLine file = parseCommandLine({"song.tnr"});
    EXPECT_EQ(file.file, "song.tnr");
    EXPECT_TRUE(file.error.empty());
    EXPECT_TRUE(parseCommandLine({"--help"}).help);
    EXPECT_TRUE(parseCommandLine({"-h"}).help);
    EXPECT_TRUE(parseCommandLine({"--version"}).version);
    EXPECT_EQ(parseCommandLine({"--", "-odd.tnr"}).file, "-odd.tnr");
    EXPECT_EQ(parseCommandLine({"-"}).file, "-") << "a lone dash is a name, not an option";

    EXPECT_EQ(parseCommandLine({"--colour"}).error, "unknown option \"--colour\"");
    EXPECT_EQ(parseCommandLine({"a.tnr", "b.tnr"}).error,
              "one composition at a time, not \"a.tnr\" and \"b.tnr\"");

    const char* help[] = {"tonaria", "song.tnr", "--help"};
    const char* ended[] = {"tonaria", "--", "--help"};
    const char* plain[] = {"tonaria", "song.tnr"};
    EXPECT_TRUE(asksForTextOnly(3, help));
    EXPECT_FALSE(asksForTextOnly(3, ended));
    EXPECT_FALSE(asksForTextOnly(2, plain));
    EXPECT_NE(commandLineUsage().find("Usage: tonaria [FILE.tnr]"), std::string::npos);
    EXPECT_EQ(versionText().rfind("tonaria ", 0), 0u);
}

class CommandLineFile : public ::testing::Test {
protected:
    std::unique_ptr<TMainWindow> start() {
        return std::make_unique<TMainWindow>(frame, devices, folder.path(), &dialogs);
    }

    TTempFolder folder;
    TRecordingBackend devices{2};
    TScriptedDialogs dialogs;
    TTopFrame frame;
};

TEST_F(CommandLineFile, AGoodFileOpensUnderItsFullName) {
    TPeriodData saved;
    TPhraseData phrase(3, SUFFIX_A, saved.key(), saved.measure(), saved.zatakt());
    saved.sentences().emplace_back().phrases().push_back(phrase);
    saved.setTempo(130);
    savePeriod(saved, folder / "song.tnr");

    const auto window = start();
    // Named relative to the current folder, as a shell passes it.
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    const bool opened = openCommandLineFile(*window, parseCommandLine({"song.tnr"}));
    std::filesystem::current_path(previous);

    EXPECT_TRUE(opened);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(window->period().motiveCount(), 3);
    EXPECT_EQ(window->period().tempo(), 130);
    EXPECT_EQ(window->period().name(), (folder / "song.tnr").string());
    EXPECT_EQ(window->windowTitle().toStdString(), (folder / "song.tnr").string());
}

TEST_F(CommandLineFile, AFileThatCannotBeReadIsReportedWithItsReasonAndLeavesTheDefaultPeriod) {
    const auto name = folder / "broken.tnr";
    writeWhole(name, "<PERIOD><TEMP VALUE=\"x\"/></PERIOD>");
    const auto window = start();
    EXPECT_FALSE(openCommandLineFile(*window, parseCommandLine({name.string()})));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "Unable to open file " + name.string() +
                  ": TEMP at offset 9: VALUE \"x\" is not a whole number");
    EXPECT_EQ(dialogs.messages[0].caption, "Error");
    EXPECT_EQ(window->period().motiveCount(), 8);
    EXPECT_EQ(window->period().name(), "Untitled");

    dialogs.messages.clear();
    EXPECT_FALSE(openCommandLineFile(*window, parseCommandLine({})));
    EXPECT_TRUE(dialogs.messages.empty()) << "no file named, nothing to report";
}

} // namespace
