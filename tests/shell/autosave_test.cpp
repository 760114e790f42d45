#include "shelltesting.h"

#include "files/periodbuilder.h"
#include "files/periodwriter.h"
#include "files/recoverycopy.h"
#include "playback/recordingbackend.h"
#include "shell/endsignals.h"
#include "shell/mainwindow.h"
#include "shell/topframe.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

namespace {

namespace fs = std::filesystem;

constexpr int QUIET = 150;
constexpr int LONGEST = 400;

class Autosave : public ::testing::Test {
protected:
    Autosave() { dialogs.deviceAnswers = {0}; }

    std::unique_ptr<TMainWindow> start() {
        auto window = std::make_unique<TMainWindow>(frame, devices, folder.path(), &dialogs);
        window->autosave().setDelays(QUIET, LONGEST);
        return window;
    }
    fs::path recoveryFolder() const { return folder / "recovery"; }
    // The copy's document once the writer is done, or "" when there is no copy.
    std::string copied(TMainWindow& window) {
        window.autosave().writer().flush();
        const fs::path file = window.autosave().copyFile();
        return fs::exists(file) ? readRecoveryCopy(file).document : std::string();
    }
    // A copy an ended program left, of `period` named `original`.
    fs::path leftCopy(const std::string& original, int tempo) {
        TPeriodData period;
        buildDefaultPeriod(period);
        period.setTempo(tempo);
        fs::create_directories(recoveryFolder());
        const fs::path file = recoveryFolder() / "session-1-1.recovery";
        writeRecoveryCopy(file, original, 1765350000, periodDocument(period));
        return file;
    }

    TTempFolder folder;
    TRecordingBackend devices{2};
    TScriptedDialogs dialogs;
    TTopFrame frame;
};

TEST_F(Autosave, ACopyFollowsTheLastChangeAfterAQuietSpellAndAtLeastEveryFewSecondsOfChanges) {
    auto window = start();
    window->period().setTempo(131);
    EXPECT_EQ(copied(*window), "") << "no copy at once: the change may be one of many";
    QTest::qWait(QUIET * 3);
    EXPECT_EQ(copied(*window), periodDocument(window->period()));

    // Changes that never pause for the quiet spell are still copied.
    QElapsedTimer clock;
    clock.start();
    int tempo = 90;
    int changes = 0;
    const int before = window->autosave().writer().writesDone();
    while (clock.elapsed() < LONGEST * 3) {
        window->period().setTempo(++tempo);
        ++changes;
        QTest::qWait(QUIET / 5);
    }
    window->autosave().writer().flush();
    const int written = window->autosave().writer().writesDone() - before;
    EXPECT_GE(written, 2);
    EXPECT_LT(written, changes / 2) << "one copy for many changes";
    QTest::qWait(QUIET * 3);
    EXPECT_EQ(copied(*window), periodDocument(window->period()));
}

TEST_F(Autosave, ASaveADiscardAtQuittingAndACleanEndRemoveTheCopyASignalKeepsIt) {
    auto window = start();
    const fs::path own = folder / "own.tnr";
    ASSERT_TRUE(window->saveTo(own.string()));
    const std::string saved = readWhole(own);
    window->period().setTempo(131);
    window->keepRecovery();
    EXPECT_EQ(readRecoveryCopy(window->autosave().copyFile()).original, own.string());
    EXPECT_EQ(readWhole(own), saved) << "the copy never goes into the user's file";

    window->save();
    EXPECT_EQ(copied(*window), "") << "saved: nothing to recover";

    window->period().setTempo(132);
    window->keepRecovery();
    dialogs.saveAnswers = {TSaveChangesAnswer::Discard};
    EXPECT_TRUE(window->mayQuit());
    EXPECT_EQ(copied(*window), "") << "the changes were let go at the question";

    window->period().setTempo(133);
    window->keepRecovery(); // as a signal does before the end
    const fs::path copy = window->autosave().copyFile();
    window.reset();
    EXPECT_TRUE(fs::exists(copy)) << "an end without the question keeps the work";
    EXPECT_EQ(findRecoveryCopies(recoveryFolder()), std::vector<fs::path>{copy});
}

TEST_F(Autosave, RecoverOpensTheCopyModifiedUnderItsOriginalNameSoThatSaveWritesTheUsersFile) {
    const fs::path own = folder / "song.tnr";
    writeWhole(own, "the user's last save");
    const fs::path left = leftCopy(own.string(), 144);
    auto window = start();
    dialogs.recoverAnswers = {TRecoverAnswer::Recover};
    EXPECT_TRUE(window->offerRecovery());
    ASSERT_EQ(dialogs.recoverQuestions.size(), 1u);
    EXPECT_EQ(
        dialogs.recoverQuestions[0].text.rfind("Recover the unsaved changes to song.tnr from ", 0),
        0u)
        << dialogs.recoverQuestions[0].text;
    EXPECT_EQ(window->period().tempo(), 144);
    EXPECT_EQ(window->period().name(), own.string());
    EXPECT_TRUE(window->documents().isModified());
    EXPECT_TRUE(window->windowTitle().endsWith("*"));
    EXPECT_FALSE(fs::exists(left)) << "the work moved into this program's own copy";
    EXPECT_EQ(copied(*window), periodDocument(window->period()));

    window->save();
    EXPECT_EQ(readWhole(own), periodDocument(window->period()));
    EXPECT_EQ(copied(*window), "");
}

TEST_F(Autosave, LaterKeepsTheCopyDiscardRemovesItAndADamagedOneIsReportedAndSetAside) {
    const fs::path left = leftCopy("", 150);
    auto window = start();
    const std::string untouched = periodDocument(window->period());
    dialogs.recoverAnswers = {TRecoverAnswer::Later};
    EXPECT_FALSE(window->offerRecovery());
    EXPECT_EQ(
        dialogs.recoverQuestions.back().text.rfind("Recover the unsaved changes to Untitled", 0),
        0u);
    EXPECT_TRUE(fs::exists(left));
    EXPECT_EQ(periodDocument(window->period()), untouched);

    dialogs.recoverAnswers = {TRecoverAnswer::Discard};
    EXPECT_FALSE(window->offerRecovery());
    EXPECT_FALSE(fs::exists(left));

    writeWhole(left, "TONARIA RECOVERY 1\nORIGINAL /x.tnr\nTIME 1\n\n<PERIOD><SENTENCE>");
    const std::size_t asked = dialogs.recoverQuestions.size();
    EXPECT_FALSE(window->offerRecovery());
    EXPECT_EQ(dialogs.recoverQuestions.size(), asked) << "a damaged copy is never offered";
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].text.find("cannot be read"), std::string::npos);
    EXPECT_TRUE(fs::exists(fs::path(left.string() + ".damaged")));
    EXPECT_EQ(periodDocument(window->period()), untouched);
    EXPECT_FALSE(window->offerRecovery());
    EXPECT_EQ(dialogs.messages.size(), 1u) << "reported once, then kept aside";
}

TEST(EndSignals, TermHupAndIntArriveOnTheInterfaceThreadAndTheProgramLives) {
    TEndSignals ends;
    QSignalSpy spy(&ends, &TEndSignals::endRequested);
    for (const int number : {SIGTERM, SIGHUP, SIGINT}) {
        ASSERT_EQ(std::raise(number), 0);
        ASSERT_TRUE(spy.wait(2000)) << number;
        EXPECT_EQ(spy.takeFirst().at(0).toInt(), number);
    }
}

} // namespace
