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
#include <string>
#include <vector>

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

std::string attribute(const std::string& element, const std::string& name) {
    const std::string key = " " + name + "=\"";
    const std::size_t at = element.find(key);
    if (at == std::string::npos)
        return "?";
    const std::size_t from = at + key.size();
    return element.substr(from, element.find('"', from) - from);
}

// A motive of a composition's text: its notes as "TIME PITCH DURATION", its chords as
// "TIME CHORD_TYPE".
struct TMotiveText {
    std::vector<std::string> notes;
    std::vector<std::string> chords;
};

std::vector<TMotiveText> motivesOf(const std::string& document) {
    std::vector<TMotiveText> motives;
    std::size_t at = 0;
    while ((at = document.find("<MOTIVE>", at)) != std::string::npos) {
        const std::size_t end = document.find("</MOTIVE>", at);
        const std::string motive = document.substr(at, end - at);
        TMotiveText text;
        for (std::size_t e = motive.find('<'); e != std::string::npos;
             e = motive.find('<', e + 1)) {
            const std::string element = motive.substr(e, motive.find('>', e) - e);
            if (element.rfind("<NOTE ", 0) == 0)
                text.notes.push_back(attribute(element, "TIME") + " " +
                                     attribute(element, "PITCH") + " " +
                                     attribute(element, "DURATION"));
            else if (element.rfind("<CHORD ", 0) == 0)
                text.chords.push_back(attribute(element, "TIME") + " " +
                                      attribute(element, "CHORD_TYPE"));
        }
        motives.push_back(text);
        at = end;
    }
    return motives;
}

// What the recorded choices of a demonstration make of one motive of its composition: its
// notes and chords exactly (each note choice is a pitch and a duration, one after another
// through the measure).
struct TChoices {
    int motive = -1;
    std::vector<std::string> notes;
    std::vector<std::string> chords;
};

// An empty list: the demonstration chooses none of these; motive -1: its notes are generated.
const TChoices CHOICES[] = {
    {},
    // Two eighths rising, a quarter, a quarter back on the first note.
    {0, {"0 22 EIGHTH", "60 23 EIGHTH", "120 24 QUARTER", "240 22 QUARTER"}, {}},
    {0, {"0 24 QUARTER", "120 23 EIGHTH", "180 22 EIGHTH", "240 21 QUARTER"}, {}},
    // The chord after the tonic: the subdominant; the period opens on the tonic.
    {1, {}, {"0 SUBDOMINANT_FOUR_CHORD"}},
    {0, {}, {"0 TONIC_THREE_CHORD"}},
    // The variant, the first motive a step up, gets the subdominant under its notes, then notes
    // of its own over it, and is dropped into the second motive.
    {1, {"0 25 QUARTER", "120 24 QUARTER", "240 23 QUARTER"}, {"0 SUBDOMINANT_THREE_CHORD"}},
    // The relative variant gets the dominant instead of the source's tonic, then notes of its
    // own over it.
    {1, {"0 26 QUARTER", "120 25 QUARTER", "240 24 QUARTER"}, {"0 DOMINANT_THREE_CHORD"}},
    {},
    {},
    // The second choice replaces the first from the edit line at the measure's start.
    {0, {"0 22 QUARTER", "120 21 QUARTER", "240 22 QUARTER"}, {"0 TONIC_THREE_CHORD"}},
};

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
    const std::vector<TMotiveText> motives = motivesOf(changed);
    const TChoices& choices = CHOICES[number];
    if (choices.motive >= 0) {
        ASSERT_LT(std::size_t(choices.motive), motives.size());
        const TMotiveText& motive = motives[std::size_t(choices.motive)];
        if (!choices.notes.empty()) {
            EXPECT_EQ(motive.notes, choices.notes);
        }
        if (!choices.chords.empty()) {
            EXPECT_EQ(motive.chords, choices.chords);
        }
    } else {
        // Generated notes: more of them than before.
        EXPECT_GT(countOf(changed, "<NOTE "), countOf(prepared, "<NOTE "));
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
