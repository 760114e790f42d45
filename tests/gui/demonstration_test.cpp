// The demonstrations run against the real main window, quickly (one millisecond a pointer
// step): each reaches its end without the error message, its choices land in its prepared
// composition, and the user's composition comes back byte for byte under its name with its
// mark of unsaved changes, whether the demonstration finished, failed, was cancelled with a key
// or was ended by the application.

#include "shelltesting.h"

#include "files/periodreader.h"
#include "files/periodwriter.h"
#include "files/settings.h"
#include "help/democontrol.h"
#include "help/demonstrations.h"
#include "help/helpform.h"
#include "model/period.h"
#include "playback/recordingbackend.h"
#include "shell/mainwindow.h"
#include "shell/topframe.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

using TEnd = TDynamicHelpThread::TEnd;

const std::filesystem::path DATA_FOLDER = std::filesystem::path(TONARIA_APP_DIR) / "dynamichelp";

// The prepared composition of demonstration `number`.
const char* const SCRIPTS[] = {"",
                               "helpSelectNotes",
                               "helpSelectNotes",
                               "helpSelectChord",
                               "helpSelectChordTwo",
                               "helpSimpleEffect",
                               "helpRelEffect",
                               "helpRythmScheme",
                               "helpTurnScheme",
                               "helpTemplate"};

std::size_t countOf(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

class Demonstrations : public ::testing::Test {
protected:
    void SetUp() override {
        // A faster pace may be asked for from outside (15 is the pace a user sees).
        setenv("TONARIA_DEMO_STEP_MS", "1", 0);
        std::filesystem::copy(DATA_FOLDER, folder / "dynamichelp");
        writeMidiDevice(folder / std::string(SETTINGS_FILE_NAME), 0);
        window = std::make_unique<TMainWindow>(frame, devices, folder.path(), &dialogs);
        frame.show();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        // The user's own work: saved once, then changed without saving.
        ASSERT_TRUE(window->saveTo((folder / "mine.tnr").string()));
        window->period().setTempo(77);
        ASSERT_TRUE(window->documents().isModified());
        before = periodDocument(window->period());
        title = window->windowTitle();
    }

    TDemoControl& control() { return window->demonstrations(); }
    TDynamicHelpThread& demo() { return *control().demonstration(); }

    // Runs until the demonstration has ended, `each` called on the way.
    void runToEnd(const std::function<void()>& each = {}) {
        QElapsedTimer clock;
        clock.start();
        while (control().isRunning() && clock.elapsed() < 120000) {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
            if (each)
                each();
        }
        ASSERT_FALSE(control().isRunning()) << "the demonstration did not end";
        QApplication::processEvents();
    }

    // Runs until `done` or the demonstration's end.
    void runUntil(const std::function<bool()>& done) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && control().isRunning() && clock.elapsed() < 30000)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        ASSERT_TRUE(done());
    }

    void expectUsersCompositionBack() {
        EXPECT_EQ(periodDocument(window->period()), before);
        EXPECT_EQ(window->period().name(), (folder / "mine.tnr").string());
        EXPECT_TRUE(window->documents().isModified());
        EXPECT_EQ(window->windowTitle(), title);
        EXPECT_FALSE(demo().restoreFailed());
        EXPECT_EQ(readWhole(folder / "dynamichelp" / "temp.tnr"), before);
        // The demonstration's window and its hold on the input have gone.
        EXPECT_TRUE(window->findChildren<THelpForm*>().empty());
        EXPECT_FALSE(window->variantWindowBusy());
    }

    TTempFolder folder;
    TRecordingBackend devices{2};
    TScriptedDialogs dialogs;
    TTopFrame frame;
    std::unique_ptr<TMainWindow> window;
    std::string before;
    QString title;
};

class EachDemonstration : public Demonstrations, public ::testing::WithParamInterface<int> {};

TEST_P(EachDemonstration, RunsToItsEndChangesItsOwnCompositionAndGivesTheUsersBack) {
    const int number = GetParam();
    const QString key = QString("demo%1").arg(number);
    QAction* command = frame.command(key.toStdString());
    ASSERT_NE(command, nullptr);
    command->trigger();
    ASSERT_TRUE(control().isRunning());
    bool helpShown = false;
    runToEnd([&] {
        for (const THelpForm* form : window->findChildren<THelpForm*>())
            helpShown = helpShown ||
                        (form->isVisible() && form->windowTitle() == "PRESS ANY KEY TO CANCEL");
    });
    for (const auto& message : dialogs.messages)
        ADD_FAILURE() << message.caption << ": " << message.text;
    EXPECT_EQ(demo().end(), TEnd::Finished);
    EXPECT_TRUE(helpShown);
    // The choices of its paths and drops changed its prepared composition.
    const std::string prepared =
        readWhole(folder / "dynamichelp" / (std::string(SCRIPTS[number]) + ".tnr"));
    const std::string& changed = demo().demonstrationDocument();
    EXPECT_NE(changed, prepared);
    // Chords were chosen for an empty motive, or notes were chosen, developed or generated.
    const std::string what = number == 3 || number == 4 ? "<CHORD " : "<NOTE ";
    if (number != 9) {
        EXPECT_GT(countOf(changed, what), countOf(prepared, what)) << what;
    }
    expectUsersCompositionBack();
}

INSTANTIATE_TEST_SUITE_P(AllNine, EachDemonstration, ::testing::Range(1, DEMONSTRATION_COUNT + 1));

TEST_F(Demonstrations, AKeyDuringAWaitCancelsWithoutAMessage) {
    window->demo5();
    bool pressed = false;
    runToEnd([&] {
        // Once the demonstration's composition is open, a key anywhere cancels.
        if (!pressed && window->period().name() == "Untitled") {
            QTest::keyClick(window.get(), Qt::Key_A);
            pressed = true;
            for (const THelpForm* form : window->findChildren<THelpForm*>())
                EXPECT_EQ(form->windowTitle(), "CANCELLING");
        }
    });
    EXPECT_TRUE(pressed);
    EXPECT_EQ(demo().end(), TEnd::Cancelled);
    EXPECT_TRUE(dialogs.messages.empty());
    expectUsersCompositionBack();
}

TEST_F(Demonstrations, APathOfAnotherRootEndsWithTheErrorMessage) {
    writeWhole(folder / "dynamichelp" / "helpSelectNotes.xml",
               "<HELP>\n    <MOVE X=\"300\" Y=\"200\"/>\n</HELP>\n");
    window->demo1();
    runToEnd();
    EXPECT_EQ(demo().end(), TEnd::Failed);
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(dialogs.messages[0].text,
              "There was an error. To execute given demonstration script it is impossible");
    EXPECT_EQ(dialogs.messages[0].caption, "Error");
    expectUsersCompositionBack();
}

TEST_F(Demonstrations, AMissingPreparedCompositionEndsWithTheErrorMessage) {
    std::filesystem::remove(folder / "dynamichelp" / "helpTemplate.tnr");
    window->demo9();
    runToEnd();
    EXPECT_EQ(demo().end(), TEnd::Failed);
    // The open names the missing file, then the demonstration says it cannot go on.
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.back().caption, "Error");
    EXPECT_EQ(periodDocument(window->period()), before);
    EXPECT_EQ(window->period().name(), (folder / "mine.tnr").string());
    EXPECT_TRUE(window->documents().isModified());
}

TEST_F(Demonstrations, StartingAnotherOrClosingTheWindowEndsTheRunningOneFirst) {
    window->demo5();
    runUntil([&] { return window->period().name() == "Untitled"; });
    const QPointer<TDynamicHelpThread> first = control().demonstration();
    window->demo1();
    EXPECT_TRUE(first.isNull()) << "the first has ended and gone";
    EXPECT_TRUE(control().isRunning());
    EXPECT_EQ(periodDocument(window->period()), before) << "the first gave the composition back";
    runUntil([&] { return window->period().name() == "Untitled"; });
    ASSERT_TRUE(control().isRunning());
    window->close();
    EXPECT_FALSE(control().isRunning());
    EXPECT_EQ(demo().end(), TEnd::Cancelled);
    expectUsersCompositionBack();
}

TEST_F(Demonstrations, AFailedReturnSaysWhereTheUsersWorkIs) {
    window->demo5();
    runUntil([&] { return window->period().name() == "Untitled"; });
    // The composition set aside is damaged behind the demonstration's back.
    writeWhole(folder / "dynamichelp" / "temp.tnr", "<PERIOD>");
    window->close();
    EXPECT_TRUE(demo().restoreFailed());
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_NE(dialogs.messages[0].text.find((folder / "dynamichelp" / "temp.tnr").string()),
              std::string::npos);
}

} // namespace
