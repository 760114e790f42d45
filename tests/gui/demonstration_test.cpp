// The demonstrations run against the real main window, quickly (one millisecond a pointer
// step): each reaches its end without the error message, its choices land in its prepared
// composition, and the user's composition comes back byte for byte under its name with its
// mark of unsaved changes, whether the demonstration finished, failed, was cancelled with a key
// or was ended by the application.

#include "shelltesting.h"

#include "canvas/umotivecanvas.h"
#include "engine/schemecommand.h"
#include "engine/turn.h"
#include "files/periodreader.h"
#include "files/periodwriter.h"
#include "files/settings.h"
#include "help/democontrol.h"
#include "help/demonstrations.h"
#include "help/helpform.h"
#include "model/duration.h"
#include "model/period.h"
#include "model/random.h"
#include "panels/rythmset.h"
#include "panels/schemepanel.h"
#include "panels/turnroundset.h"
#include "playback/recordingbackend.h"
#include "shell/mainwindow.h"
#include "shell/topframe.h"
#include "variants/variantview.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

using TEnd = TDynamicHelpThread::TEnd;

// The development area's chooser the user has pressed before a demonstration.
constexpr int USERS_PANEL = 1;

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

// An empty list: the demonstration chooses none of these.
const TChoices CHOICES[] = {
    {},
    // Two eighths rising, a quarter, a quarter back on the first note.
    {0, {"0 22 EIGHTH", "60 23 EIGHTH", "120 24 QUARTER", "240 22 QUARTER"}, {}},
    {0, {"0 24 QUARTER", "120 23 EIGHTH", "180 22 EIGHTH", "240 21 QUARTER"}, {}},
    // The chord after the tonic: the subdominant; the period opens on the tonic.
    {1, {}, {"0 SUBDOMINANT_FOUR_CHORD"}},
    {0, {}, {"0 TONIC_THREE_CHORD"}},
    // The variant, the first motive a step up (the F a tritone below B taken as A, as school
    // harmony asks), gets the subdominant under its notes and is dropped into the second
    // motive.
    {1,
     {"0 23 POINTED_EIGHTH", "90 25 POINTED_EIGHTH", "180 25 POINTED_EIGHTH", "270 25 EIGHTH",
      "330 29 SIXTEENTH"},
     {"0 SUBDOMINANT_THREE_CHORD"}},
    // The relative variant gets the tonic's sixth chord, then the dominant: the design of
    // motive 1 (a leap up, a step down, a repetition, a leap up) built under it.
    {1,
     {"0 24 POINTED_EIGHTH", "90 27 POINTED_EIGHTH", "180 26 POINTED_EIGHTH", "270 26 EIGHTH",
      "330 29 SIXTEENTH"},
     {"0 DOMINANT_THREE_CHORD"}},
    // The last contour's motive: short durations, in the order of the contrasting scheme...
    {2,
     {"0 17 SIXTEENTH", "30 18 SIXTEENTH", "60 21 EIGHTH", "120 22 EIGHTH", "180 26 SIXTEENTH",
      "210 24 EIGHTH", "270 21 EIGHTH", "330 21 SIXTEENTH"},
     {}},
    // ...and a chord turn, a repeated chord tone, against the motive for contrast's steps. The
    // draws start afresh with each demonstration; the effect panels, built when first shown,
    // draw nothing before.
    {2, {"0 24 HALF", "240 24 QUARTER"}, {}},
    // The second choice replaces the first from the edit line at the measure's start.
    {0, {"0 22 QUARTER", "120 21 QUARTER", "240 22 QUARTER"}, {"0 TONIC_THREE_CHORD"}},
};

// What the scheme demonstrations teach, as the interface holds it when a page comes up: the
// state the steps of the page before left.
struct TSchemeState {
    std::vector<int> durations;
    bool durationsInOrder = false;
    std::vector<int> turns;
    bool turnsInOrder = false;
    // The category buttons lit by a contrast command (-1: none).
    int rhythmCategory = -1;
    int pitchCategory = -1;
    // The Motives for Contrast, and the motive dropped on them.
    TMotive rhythmContrast;
    TMotive pitchContrast;
    TMotive secondMotive;
    // The motive drawn with a contour.
    TMotive thirdMotive;
};

// The page shown when the state was taken (its number: "helpTurnScheme3.html" is 3), and
// LAST_SEEN for the state just before the demonstration gave the user's composition back.
using TLesson = std::map<int, TSchemeState>;
constexpr int LAST_SEEN = 0;

std::set<int> distinct(const std::vector<int>& values) {
    return {values.begin(), values.end()};
}

bool lessonHasPages(const TLesson& lesson, int last) {
    for (int page = 2; page <= last; ++page)
        if (!lesson.contains(page))
            return false;
    return true;
}

// The rhythm of the first motive of the relative development's composition.
const std::vector<int> RELATIVE_SOURCE_RHYTHM{POINTED_EIGHTH, POINTED_EIGHTH, POINTED_EIGHTH,
                                              EIGHTH, SIXTEENTH};

// The durations of a motive's notes, in time order.
std::vector<int> rhythmOf(const TMotive& motive) {
    std::vector<int> durations;
    for (const TNote& note : motive.notes())
        durations.push_back(note.duration());
    return durations;
}

// The rhythm demonstration, page by page: the scheme written by hand in the gatherer, the
// deleter, a motive of the scheme's one duration, the mode, a category and its contrast.
void expectRhythmLesson(const TLesson& lesson) {
    ASSERT_TRUE(lessonHasPages(lesson, 11));
    EXPECT_EQ(lesson.at(4).durations, (std::vector<int>{EIGHTH, QUARTER, HALF}));
    EXPECT_FALSE(lesson.at(4).durationsInOrder);
    // The quarter dragged onto the deleter takes the selected half along.
    EXPECT_EQ(lesson.at(6).durations, std::vector<int>{EIGHTH});
    int length = 0;
    for (const TNote& note : lesson.at(7).thirdMotive.notes()) {
        EXPECT_EQ(note.duration(), EIGHTH);
        length += note.duration();
    }
    EXPECT_EQ(length, 360) << "the contour's motive fills its measure with eighths";
    EXPECT_TRUE(lesson.at(8).durationsInOrder);
    EXPECT_EQ(lesson.at(8).durations, lesson.at(7).durations);
    EXPECT_GT(distinct(lesson.at(9).durations).size(), 1u) << "a non-uniform rhythm";
    EXPECT_TRUE(lesson.at(10).rhythmContrast.sameContent(lesson.at(10).secondMotive));
    // After the long notes of motive 2, the short durations.
    EXPECT_EQ(lesson.at(11).rhythmCategory, SHORT_DURATIONS);
    for (const int duration : lesson.at(11).durations)
        EXPECT_LE(duration, POINTED_EIGHTH);
    // The last contour's motive takes the scheme's durations in their order.
    EXPECT_EQ(rhythmOf(lesson.at(LAST_SEEN).thirdMotive), lesson.at(11).durations);
}

// The pitch demonstration, page by page, as the rhythm one.
void expectPitchLesson(const TLesson& lesson) {
    ASSERT_TRUE(lessonHasPages(lesson, 10));
    EXPECT_EQ(lesson.at(4).turns, (std::vector<int>{REPETITION, CHORD_LEAP_2, PASSING}));
    EXPECT_FALSE(lesson.at(4).turnsInOrder);
    EXPECT_EQ(lesson.at(5).turns, (std::vector<int>{CHORD_LEAP_2, PASSING}));
    EXPECT_TRUE(lesson.at(6).turnsInOrder);
    EXPECT_EQ(lesson.at(6).turns, lesson.at(5).turns);
    const std::set<int> small{REPETITION, CHORD_LEAP_1, NEIGHBOUR, PASSING, DOUBLE_NEIGHBOUR};
    ASSERT_FALSE(lesson.at(7).turns.empty());
    for (const int turn : lesson.at(7).turns)
        EXPECT_TRUE(small.contains(turn)) << turn;
    EXPECT_FALSE(lesson.at(8).thirdMotive.notes().empty());
    EXPECT_TRUE(lesson.at(9).pitchContrast.sameContent(lesson.at(9).secondMotive));
    // Motive 2 steps to a non-chord tone: the contrast is made of chord turns.
    EXPECT_EQ(lesson.at(10).pitchCategory, CHORD_TURNS);
    ASSERT_FALSE(lesson.at(10).turns.empty());
    for (const int turn : lesson.at(10).turns)
        EXPECT_TRUE(isChordTurn(turn)) << turn;
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
        // The user works with the contrast chooser pressed; the demonstrations press others.
        window->selectPanel(USERS_PANEL);
        // ...and the canvases in the mode that deletes notes, where no demonstration works.
        window->chooseCanvasMode(TUMotiveCanvas::MODE_DELETE);
        ASSERT_EQ(window->canvasMode(), TUMotiveCanvas::MODE_DELETE);
        // The user's own work: saved once, then changed without saving.
        ASSERT_TRUE(window->saveTo((folder / "mine.tnr").string()));
        window->period().setTempo(77);
        ASSERT_TRUE(window->documents().isModified());
        before = periodDocument(window->period());
        title = window->windowTitle();
    }

    TSchemeState schemeState() {
        TSchemeState state;
        TScheme& scheme = window->scheme();
        state.durations.assign(scheme.durations().begin(), scheme.durations().end());
        state.durationsInOrder = scheme.durationsInOrder();
        state.turns.assign(scheme.turns().begin(), scheme.turns().end());
        state.turnsInOrder = scheme.turnsInOrder();
        const TFlatButtonWithID* rhythm = window->schemePanel()->rythmSet()->pressedButton();
        const TFlatButtonWithID* pitch = window->schemePanel()->pitchSet()->pressedButton();
        state.rhythmCategory = rhythm != nullptr ? rhythm->id() : -1;
        state.pitchCategory = pitch != nullptr ? pitch->id() : -1;
        state.rhythmContrast = scheme.rhythmContrastMotive();
        state.pitchContrast = scheme.pitchContrastMotive();
        const std::vector<TMotive*> motives = window->period().allMotives();
        if (motives.size() > 2) {
            state.secondMotive = *motives[1];
            state.thirdMotive = *motives[2];
        }
        return state;
    }
    // Keeps the state each time another page comes up.
    void followLesson(TLesson& lesson) {
        for (const THelpForm* form : window->findChildren<THelpForm*>()) {
            const std::string page = form->pageView()->source().fileName().toStdString();
            const std::size_t digits = page.find_first_of("0123456789");
            if (digits == std::string::npos)
                continue;
            const int number = std::atoi(page.c_str() + digits);
            if (!lesson.contains(number))
                lesson[number] = schemeState();
        }
        lesson[LAST_SEEN] = schemeState();
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
        // The demonstration's window and its hold on the input have gone, and the window
        // looks as the user left it: their panel, no category lit for schemes that are not
        // the demonstration's any more.
        EXPECT_TRUE(window->findChildren<THelpForm*>().empty());
        EXPECT_FALSE(window->variantWindowBusy());
        EXPECT_EQ(window->selectedPanel(), USERS_PANEL);
        EXPECT_EQ(window->canvasMode(), TUMotiveCanvas::MODE_DELETE);
        EXPECT_EQ(window->schemePanel()->rythmSet()->pressedButton(), nullptr);
        EXPECT_EQ(window->schemePanel()->pitchSet()->pressedButton(), nullptr);
    }

    // Counts the moments when the page lies under the variant window and when the pointer
    // stands at the screen's edge, off the program's windows.
    void watchHelpAndPointer() {
        const QWidget* variants = window->variantView()->window();
        const QRect screen = window->screen()->geometry();
        for (const THelpForm* form : window->findChildren<THelpForm*>()) {
            if (form->isVisible() && variants->isVisible() &&
                form->frameGeometry().intersects(variants->frameGeometry()))
                ++pageCovered;
        }
        const QPoint pointer = QCursor::pos();
        if (pointer.x() <= screen.left() || pointer.x() >= screen.right())
            ++pointerAtEdge;
    }
    int pageCovered = 0;
    int pointerAtEdge = 0;

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
    // The draws start afresh, so that what a demonstration generates does not hang on the
    // tests that ran before.
    processRandom() = TRandomGenerator();
    command->trigger();
    ASSERT_TRUE(control().isRunning());
    bool helpShown = false;
    TLesson lesson;
    // The relative variant as its first chord left it, when the page of the second comes up.
    std::optional<TMotive> firstRelativeVariant;
    // The simple variant before it gets its chord.
    std::optional<TMotive> sequenceVariant;
    // The first motive's notes while the page about the back and forward buttons shows.
    std::vector<std::vector<std::string>> backAndForth;
    runToEnd([&] {
        for (const THelpForm* form : window->findChildren<THelpForm*>()) {
            const QString page = form->pageView()->source().fileName();
            const bool ownComposition = window->period().name() == "Untitled";
            if (ownComposition &&
                (page == "helpRythmScheme1.html" || page == "helpTurnScheme1.html")) {
                EXPECT_EQ(window->selectedPanel(), 0) << "the page says the scheme panel shows";
            }
            if (ownComposition && page == "helpTemplate3.html") {
                const auto notes = motivesOf(periodDocument(window->period()))[0].notes;
                if (backAndForth.empty() || backAndForth.back() != notes)
                    backAndForth.push_back(notes);
            }
            if (!firstRelativeVariant && page == "helpRelEffect75.html")
                firstRelativeVariant = window->relSequenceUpCanvas()->motive();
            if (!sequenceVariant && page == "helpSimpleEffect7.html")
                sequenceVariant = window->sequenceUpCanvas()->motive();
        }
        for (const THelpForm* form : window->findChildren<THelpForm*>())
            helpShown = helpShown ||
                        (form->isVisible() && form->windowTitle() == "PRESS ANY KEY TO CANCEL");
        if (control().isRunning() && window->period().name() == "Untitled") {
            followLesson(lesson);
            watchHelpAndPointer();
        }
    });
    for (const auto& message : dialogs.messages)
        ADD_FAILURE() << message.caption << ": " << message.text;
    EXPECT_EQ(pageCovered, 0) << "the page lay under the variant window";
    EXPECT_EQ(pointerAtEdge, 0) << "the pointer went to the screen's edge";
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
    }
    if (number == 5) {
        // The chord chosen under the variant leaves its notes, which grew from motive 1.
        ASSERT_TRUE(sequenceVariant.has_value());
        EXPECT_EQ(rhythmOf(*sequenceVariant), RELATIVE_SOURCE_RHYTHM);
        const std::vector<TMotiveText> placed = motivesOf(demo().demonstrationDocument());
        ASSERT_GT(placed.size(), 1U);
        std::vector<std::string> grown;
        for (const TNote& note : sequenceVariant->notes())
            grown.push_back(std::to_string(note.time()) + " " + std::to_string(note.pitch()));
        std::vector<std::string> kept;
        for (const std::string& note : placed[1].notes)
            kept.push_back(note.substr(0, note.rfind(' ')));
        EXPECT_EQ(kept, grown);
    }
    if (number == 6) {
        // Under each chord chosen, the variant keeps the rhythm of motive 1 (its design).
        ASSERT_TRUE(firstRelativeVariant.has_value());
        ASSERT_EQ(firstRelativeVariant->chords().size(), 1U);
        EXPECT_EQ(firstRelativeVariant->chords()[0].name(), "TONIC_SIXTH_CHORD");
        EXPECT_EQ(rhythmOf(*firstRelativeVariant), RELATIVE_SOURCE_RHYTHM);
    }
    if (number == 9) {
        // The back button took the first choice back, the forward button made it again.
        const std::vector<std::string> prepared0 = motivesOf(prepared)[0].notes;
        ASSERT_EQ(backAndForth.size(), 3U);
        EXPECT_NE(backAndForth[0], prepared0);
        EXPECT_EQ(backAndForth[1], prepared0);
        EXPECT_EQ(backAndForth[2], backAndForth[0]);
    }
    if (number == 7)
        expectRhythmLesson(lesson);
    if (number == 8)
        expectPitchLesson(lesson);
    expectUsersCompositionBack();
}

INSTANTIATE_TEST_SUITE_P(AllNine, EachDemonstration, ::testing::Range(1, DEMONSTRATION_COUNT + 1));

TEST_F(Demonstrations, AKeyDuringAWaitCancelsWithoutAMessage) {
    const QPoint usersPointer = window->mapToGlobal(QPoint(300, 200));
    QCursor::setPos(usersPointer);
    window->demo5();
    bool pressed = false;
    runToEnd([&] {
        // Once the demonstration's composition is open, a key anywhere cancels.
        if (!pressed && window->period().name() == "Untitled") {
            EXPECT_EQ(QCursor::pos(), usersPointer) << "the opening wait keeps the pointer";
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
