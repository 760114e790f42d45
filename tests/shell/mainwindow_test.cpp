#include "shelltesting.h"

#include "canvas/messagewindow.h"
#include "canvas/umotivecanvas.h"
#include "files/periodbuilder.h"
#include "files/periodwriter.h"
#include "files/settings.h"
#include "playback/recordingbackend.h"
#include "shell/baseactioninterface.h"
#include "shell/mainwindow.h"
#include "shell/temppanel.h"
#include "shell/topframe.h"
#include "shell/undorecorder.h"
#include "strip/periodpanel.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class MainWindow : public ::testing::Test {
protected:
    std::unique_ptr<TMainWindow> start() {
        return std::make_unique<TMainWindow>(frame, devices, folder.path(), &dialogs);
    }

    TTempFolder folder;
    TRecordingBackend devices{2};
    TScriptedDialogs dialogs;
    TTopFrame frame;
};

TEST_F(MainWindow, FirstStartAsksForADeviceAndShowsTheDefaultPeriod) {
    dialogs.deviceAnswers = {0};
    const auto window = start();
    EXPECT_EQ(dialogs.deviceDialogs.size(), 1u);
    EXPECT_EQ(window->player().deviceId(), 0);
    EXPECT_EQ(readMidiDevice(folder / "config.xml"), 0);

    EXPECT_EQ(window->period().motiveCount(), 8);
    EXPECT_EQ(window->period().name(), "Untitled");
    EXPECT_EQ(window->windowTitle(), "Untitled");
    EXPECT_EQ(frame.windowTitle(), "The Tonaria");
    EXPECT_EQ(frame.tempoPanel()->tempo(), 100);
    EXPECT_EQ(window->size(), QSize(1016, 546));
    ASSERT_NE(window->periodPanel(), nullptr);
    EXPECT_EQ(window->periodPanel()->parentWidget(), window.get());
    EXPECT_EQ(window->motiveCellCount(), 8);
    EXPECT_EQ(window->periodPanel()->pos(), QPoint(158, 287));
    EXPECT_TRUE(window->modeButtons()->button(1)->isPressed());
    for (const TUMotiveSet* cell : window->periodPanel()->motiveCells())
        EXPECT_EQ(cell->canvas()->modeNumber(), 1);
}

TEST_F(MainWindow, AStoredDeviceMayOpenOnlyOnceTheWindowHasBeenPainted) {
    ASSERT_TRUE(writeMidiDevice(folder / "config.xml", 1));
    auto window = std::make_unique<TMainWindow>(frame, devices, folder.path(), &dialogs,
                                                TMainWindow::TDeviceOpening::AfterFirstPaint);
    EXPECT_EQ(window->player().deviceId(), -1) << "nothing opens before the first paint";
    QCoreApplication::processEvents();
    EXPECT_EQ(window->player().deviceId(), -1);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->grab(); // paints, whatever the platform does on showing
    QCoreApplication::processEvents();
    EXPECT_EQ(window->player().deviceId(), 1);
    EXPECT_EQ(devices.history(), (std::vector<std::string>{"open 1"}));
    window->grab();
    QCoreApplication::processEvents();
    EXPECT_EQ(devices.history().size(), 1u) << "opened once, not at every paint";
    EXPECT_TRUE(dialogs.deviceDialogs.empty());

    // Without a stored device the dialog still comes first, before any window shows.
    window.reset();
    std::filesystem::remove(folder / "config.xml");
    dialogs.deviceAnswers = {0};
    window = std::make_unique<TMainWindow>(frame, devices, folder.path(), &dialogs,
                                           TMainWindow::TDeviceOpening::AfterFirstPaint);
    EXPECT_EQ(dialogs.deviceDialogs.size(), 1u);
    EXPECT_EQ(window->player().deviceId(), 0);
}

TEST_F(MainWindow, CancellingTheFirstDeviceDialogStartsWithoutADeviceOrMessage) {
    const auto window = start();
    EXPECT_EQ(window->player().deviceId(), -1);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MainWindow, OpeningAFileThatIsNotACompositionSaysWhyAndKeepsTheOpenOne) {
    const auto window = start();
    const auto kept = folder / "kept.tnr";
    window->period().setTempo(70);
    ASSERT_TRUE(window->saveTo(kept.string()));
    window->period().setTempo(80); // not saved yet
    const auto score = folder / "score.musicxml";
    const std::string scoreText = "<?xml version=\"1.0\"?>\n<score-partwise version=\"4.0\">"
                                  "<part-list/></score-partwise>\n";
    writeWhole(score, scoreText);
    QWidget* oldView = window->periodPanel();
    QSignalSpy destroyed(oldView, &QObject::destroyed);
    const int shownTempo = frame.tempoPanel()->tempo();
    const std::string document = periodDocument(window->period());
    QCoreApplication::processEvents();
    const int steps = window->undoRecorder().stack().count();

    dialogs.saveAnswers = {TSaveChangesAnswer::Discard};
    dialogs.fileAnswers = {score};
    window->open();

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "Unable to open file " + score.string() + ": it is not a Tonaria composition");
    EXPECT_EQ(periodDocument(window->period()), document);
    EXPECT_EQ(window->period().name(), kept.string());
    EXPECT_EQ(window->undoRecorder().stack().count(), steps) << "the steps taken stay";
    EXPECT_EQ(window->windowTitle().toStdString(), kept.string() + "*");
    EXPECT_EQ(frame.tempoPanel()->tempo(), shownTempo);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(destroyed.count(), 0) << "the open composition's views stay";

    // Save goes on writing the composition's own file, never the score.
    window->save();
    EXPECT_EQ(readWhole(score), scoreText);
    EXPECT_EQ(readWhole(kept), periodDocument(window->period()));
    EXPECT_EQ(window->windowTitle().toStdString(), kept.string());
}

TEST_F(MainWindow, OpeningAFileNamesTheWindowAndShowsItsTempo) {
    const auto window = start();
    window->period().setTempo(130);
    const auto name = folder / "song.tnr";
    ASSERT_TRUE(window->saveTo(name.string()));
    window->period().setTempo(70);

    ASSERT_TRUE(window->openFrom(name.string()));
    EXPECT_EQ(window->windowTitle(), QString::fromStdString(name.string()));
    EXPECT_EQ(frame.tempoPanel()->tempo(), 130);
}

TEST_F(MainWindow, ARebuildStartsEveryNewCanvasInSelectNotes) {
    const auto window = start();
    window->modeButtons()->pressButton(4);
    for (const TUMotiveSet* cell : window->periodPanel()->motiveCells())
        EXPECT_EQ(cell->canvas()->modeNumber(), 4);
    window->documents().buildDefault();
    EXPECT_TRUE(window->modeButtons()->button(1)->isPressed());
    for (const TUMotiveSet* cell : window->periodPanel()->motiveCells())
        EXPECT_EQ(cell->canvas()->modeNumber(), 1);

    window->resetCanvasMode(true);
    EXPECT_TRUE(window->modeButtons()->button(1)->isPressed());
    window->resetCanvasMode(false);
    EXPECT_TRUE(window->modeButtons()->button(5)->isPressed());
}

TEST_F(MainWindow, TheGuidedHelpFindsPhraseColumnsAndModeButtons) {
    const auto window = start();
    std::vector<QWidget*> columns;
    for (int n = 0; n < 4; ++n)
        columns.push_back(window->phraseNode(n));
    for (QWidget* column : columns)
        ASSERT_NE(column, nullptr);
    EXPECT_LT(columns[0]->x(), columns[1]->x());
    EXPECT_LT(columns[2]->x(), columns[3]->x());
    EXPECT_EQ(window->phraseNode(4), nullptr);
    EXPECT_EQ(window->phraseNode(-1), nullptr);

    EXPECT_EQ(window->modeButton(0), window->modeButtons()->button(1));
    EXPECT_EQ(window->modeButton(4), window->modeButtons()->button(5));
    EXPECT_EQ(window->modeButton(5), nullptr);
    EXPECT_EQ(window->motiveCells().size(), 8u);
}

TEST_F(MainWindow, PlayAllQueuesEveryCellInStripOrder) {
    const auto window = start();
    window->playAll();
    EXPECT_EQ(window->motivePlayer().queuedCount(), 8);
    window->stopPlay();
    EXPECT_FALSE(window->motivePlayer().isPlaying());
}

TEST_F(MainWindow, TheTempoPanelSetsThePeriodsTempo) {
    const auto window = start();
    frame.tempoPanel()->number()->setValue(115);
    EXPECT_EQ(window->period().tempo(), 115);
}

TEST_F(MainWindow, CursorDelayFollowsTheTrackBar) {
    const auto window = start();
    EXPECT_EQ(window->cursorDelay(), 11);
    frame.cursorDelay()->setValue(1);
    EXPECT_EQ(window->cursorDelay(), 14);
    frame.cursorDelay()->setValue(7);
    EXPECT_EQ(window->cursorDelay(), 8);
}

struct TFakeCanvas : TUMotiveCanvas {
    TFakeCanvas(TBaseService& service, TMotive& motive)
        : TUMotiveCanvas(nullptr, service, motive) {}
    std::vector<std::string> calls;
    void noteStarted(int motiveId, int noteIndex) override {
        calls.push_back("start " + std::to_string(motiveId) + " " + std::to_string(noteIndex));
    }
    void noteFinished(int motiveId, int noteIndex) override {
        calls.push_back("stop " + std::to_string(motiveId) + " " + std::to_string(noteIndex));
    }
};

TEST_F(MainWindow, PlaybackEventsReachTheirCanvasAndLightTheCellsPlayStrip) {
    const auto window = start();
    TMotive motive = window->period().newMotive();
    TFakeCanvas extra(*window, motive);
    extra.setCanvasId(CURRENT_CANVAS_ID);
    window->setCurrentCanvas(&extra);
    // As the timer thread tells the canvases.
    extra.playerListener()->noteStarted(7, 3);
    extra.playerListener()->noteStopped(7, 3);
    QCoreApplication::processEvents();
    EXPECT_EQ(extra.calls, (std::vector<std::string>{"start 7 3", "stop 7 3"}));

    TUMotiveSet* cell = window->periodPanel()->motiveCells()[2];
    EXPECT_EQ(cell->canvas()->canvasId(), 50);
    cell->canvas()->playerListener()->motiveStarted();
    QCoreApplication::processEvents();
    EXPECT_TRUE(cell->playPanel()->isPlaying());
    cell->canvas()->playerListener()->motiveFinished();
    QCoreApplication::processEvents();
    EXPECT_FALSE(cell->playPanel()->isPlaying());
    extra.playerListener()->motiveStarted(); // no cell's canvas: no play strip lights
    QCoreApplication::processEvents();
    for (const TUMotiveSet* each : window->periodPanel()->motiveCells())
        EXPECT_FALSE(each->playPanel()->isPlaying());
}

TEST_F(MainWindow, ANoteQueuedForACellBeforeARebuildLightsNoCanvasAfterIt) {
    const auto window = start();
    TUMotiveSet* old = window->periodPanel()->motiveCells()[0];
    old->canvas()->playerListener()->noteStarted(old->canvas()->motive().id(), 0);
    old->canvas()->playerListener()->motiveStarted();
    // The same tree again: the new first cell shows the same motive under the same id.
    window->period().sentences()[0].phrases()[0].motives()[0].notes().push_back(TNote(0, 22, 120));
    window->period().notifyChanged();
    TUMotiveSet* fresh = window->periodPanel()->motiveCells()[0];
    ASSERT_NE(fresh, old);
    EXPECT_EQ(fresh->canvas()->canvasId(), 48);
    QCoreApplication::processEvents();
    for (const TUMotiveSet* cell : window->periodPanel()->motiveCells()) {
        EXPECT_FALSE(cell->playPanel()->isPlaying());
        for (const TNote& note : cell->canvas()->motive().notes())
            EXPECT_FALSE(note.highlighted());
    }
}

TEST_F(MainWindow, SavingOverAnExistingFileAsksFirst) {
    const auto window = start();
    const auto name = folder / "taken.tnr";
    writeWhole(name, "keep me");
    dialogs.fileAnswers = {name};
    window->saveAs();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text,
              "The file\n" + name.string() + "\n already exists. Replace?");
    EXPECT_EQ(readWhole(name), "keep me");
    EXPECT_EQ(window->windowTitle(), "Untitled");
}

TEST_F(MainWindow, TheCaptionMarksUnsavedChanges) {
    const auto window = start();
    EXPECT_EQ(window->windowTitle(), "Untitled");
    frame.tempoPanel()->number()->setValue(115);
    EXPECT_EQ(window->windowTitle(), "Untitled*");

    const auto name = folder / "song.tnr";
    ASSERT_TRUE(window->saveTo(name.string()));
    EXPECT_EQ(window->windowTitle(), QString::fromStdString(name.string()));

    // An edit through a cell's canvas, as every mode and drop makes it.
    TMotive& motive = window->periodPanel()->motiveCells()[5]->canvas()->motive();
    motive.notes().push_back(TNote(0, 20, 120));
    motive.notifyChanged();
    EXPECT_EQ(window->windowTitle(), QString::fromStdString(name.string() + "*"));
    motive.notes().clear();
    motive.notifyChanged();
    EXPECT_EQ(window->windowTitle(), QString::fromStdString(name.string()));
}

TEST_F(MainWindow, NewBuildsTheLaidOutPeriodAndShowsTheWindow) {
    const auto window = start();
    TPeriodStructure structure = defaultPeriodStructure();
    structure.phraseCounts = {3, 1};
    structure.motiveCounts = {1, 2, 3, 4};
    structure.letters = {5, 6, 7, 8};
    structure.key = TKey(3, MAJOR);
    structure.tempo = 62;
    dialogs.newAnswers = {structure};
    window->period().setName("/somewhere/old.tnr");
    window->hide();

    frame.newAction()->trigger();

    EXPECT_TRUE(dialogs.saveQuestions.empty()) << "nothing was changed since the start";
    EXPECT_EQ(window->motiveCellCount(), 10);
    EXPECT_EQ(window->period().key(), TKey(3, MAJOR));
    EXPECT_EQ(frame.tempoPanel()->tempo(), 62);
    EXPECT_EQ(window->windowTitle(), "Untitled");
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindow, CancellingNewLeavesTheCompositionByteForByte) {
    const auto window = start();
    const auto name = folder / "song.tnr";
    window->period().setTempo(145);
    ASSERT_TRUE(window->saveTo(name.string()));
    TMotive& motive = window->periodPanel()->motiveCells()[0]->canvas()->motive();
    motive.notes().push_back(TNote(0, 20, 240));
    motive.notifyChanged();
    const std::string before = periodDocument(window->period());
    QWidget* view = window->periodPanel();

    dialogs.saveAnswers = {TSaveChangesAnswer::Discard};
    window->newComposition();

    EXPECT_EQ(dialogs.newDialogs, 1);
    EXPECT_EQ(periodDocument(window->period()), before);
    EXPECT_EQ(window->period().name(), name.string());
    EXPECT_EQ(window->periodPanel(), view) << "nothing was rebuilt";
    EXPECT_EQ(window->windowTitle(), QString::fromStdString(name.string() + "*"));
}

TEST_F(MainWindow, QuittingWithUnsavedWorkAsksFirst) {
    const auto window = start();
    frame.show();
    EXPECT_TRUE(window->mayQuit()) << "nothing to lose";
    EXPECT_TRUE(dialogs.saveQuestions.empty());

    frame.tempoPanel()->number()->setValue(70);
    EXPECT_FALSE(frame.close()) << "the question is cancelled: the program runs on";
    ASSERT_EQ(dialogs.saveQuestions.size(), 1u);
    EXPECT_EQ(dialogs.saveQuestions[0].text, "Save changes to Untitled?");
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(window->period().tempo(), 70);

    dialogs.saveAnswers = {TSaveChangesAnswer::Save};
    dialogs.fileAnswers = {folder / "last.tnr"};
    EXPECT_TRUE(window->mayQuit());
    EXPECT_EQ(readWhole(folder / "last.tnr"), periodDocument(window->period()));
}

struct TActionLog : TBaseActionInterface {
    std::vector<std::string> calls;
    bool quitAnswer = true;
    void newComposition() override { calls.push_back("newComposition"); }
    void save() override { calls.push_back("save"); }
    void saveAs() override { calls.push_back("saveAs"); }
    void open() override { calls.push_back("open"); }
    std::vector<std::string> recentFiles() override { return recent; }
    void openRecent(const std::string& file) override { calls.push_back("openRecent " + file); }
    std::vector<std::string> recent;
    void exportToMidi() override { calls.push_back("exportToMidi"); }
    void exportToMusicXml() override { calls.push_back("exportToMusicXml"); }
    void playAll() override { calls.push_back("playAll"); }
    void stopPlay() override { calls.push_back("stopPlay"); }
    void playOrStop() override { calls.push_back("playOrStop"); }
    void chooseMidiDevice() override { calls.push_back("chooseMidiDevice"); }
    void undo() override { calls.push_back("undo"); }
    void redo() override { calls.push_back("redo"); }
    void harmonisePeriod() override { calls.push_back("harmonisePeriod"); }
    void composeEmptyMotives() override { calls.push_back("composeEmptyMotives"); }
    void setSchoolHarmony(bool on) override {
        calls.push_back(on ? "school harmony on" : "school harmony off");
    }
    void setFastMenuShown(bool on) override {
        calls.push_back(on ? "fast menu on" : "fast menu off");
    }
    void demo1() override { calls.push_back("demo1"); }
    void demo2() override { calls.push_back("demo2"); }
    void demo3() override { calls.push_back("demo3"); }
    void demo4() override { calls.push_back("demo4"); }
    void demo5() override { calls.push_back("demo5"); }
    void demo6() override { calls.push_back("demo6"); }
    void demo7() override { calls.push_back("demo7"); }
    void demo8() override { calls.push_back("demo8"); }
    void demo9() override { calls.push_back("demo9"); }
    void stepByStepHelp() override { calls.push_back("stepByStepHelp"); }
    void theoryHelp() override { calls.push_back("theoryHelp"); }
    void about() override { calls.push_back("about"); }
    void showEditor() override { calls.push_back("showEditor"); }
    bool mayQuit() override {
        calls.push_back("mayQuit");
        return quitAnswer;
    }
};

TEST_F(MainWindow, OpenRecentOffersTheCompositionsOpenedAndSavedLastAndOpensThem) {
    auto window = start();
    QMenu* recent = nullptr;
    for (QMenu* menu : frame.findChildren<QMenu*>())
        if (menu->title() == "Open &Recent")
            recent = menu;
    ASSERT_NE(recent, nullptr);
    emit recent->aboutToShow();
    ASSERT_EQ(recent->actions().size(), 1);
    EXPECT_FALSE(recent->actions()[0]->isEnabled()) << "nothing yet";

    ASSERT_TRUE(window->saveTo((folder / "first.tnr").string()));
    window->period().setTempo(140);
    ASSERT_TRUE(window->saveTo((folder / "second.tnr").string()));
    window->openCopyFrom((folder / "first.tnr").string()); // an untitled copy is not recent
    emit recent->aboutToShow();
    ASSERT_EQ(recent->actions().size(), 2);
    EXPECT_EQ(recent->actions()[0]->text(), "&1 second.tnr");
    EXPECT_EQ(recent->actions()[1]->toolTip(),
              QString::fromStdString((folder / "first.tnr").string()));

    recent->actions()[0]->trigger();
    EXPECT_EQ(window->period().name(), (folder / "second.tnr").string());
    EXPECT_EQ(window->period().tempo(), 140);
    EXPECT_EQ(window->recentFiles(), (std::vector<std::string>{(folder / "second.tnr").string(),
                                                               (folder / "first.tnr").string()}));
}

TEST_F(MainWindow, SchoolHarmonyIsACheckableToolsItemOnForANewUserAndRememberedBetweenRuns) {
    auto window = start();
    QAction* school = frame.schoolHarmonyAction();
    ASSERT_NE(school, nullptr);
    EXPECT_TRUE(school->isCheckable());
    EXPECT_TRUE(school->isChecked());
    EXPECT_TRUE(window->schoolHarmony());
    EXPECT_TRUE(window->scheme().schoolHarmony()) << "the melodies keep the rules too";
    window.reset();

    ASSERT_TRUE(writeMidiDevice(folder / "config.xml", 1));
    window = start();
    EXPECT_TRUE(frame.schoolHarmonyAction()->isChecked()) << "on for an existing user too";
    frame.schoolHarmonyAction()->trigger();
    EXPECT_FALSE(window->schoolHarmony());
    EXPECT_FALSE(window->scheme().schoolHarmony());
    EXPECT_FALSE(readSchoolHarmony(folder / "config.xml"));
    EXPECT_EQ(readMidiDevice(folder / "config.xml"), 1) << "the device is kept";

    // The next run starts with the item unchecked.
    window.reset();
    window = start();
    EXPECT_FALSE(frame.schoolHarmonyAction()->isChecked());
    EXPECT_FALSE(window->schoolHarmony());
    EXPECT_FALSE(window->scheme().schoolHarmony());
    frame.schoolHarmonyAction()->trigger();
    EXPECT_TRUE(window->schoolHarmony());
    EXPECT_EQ(readWhole(folder / "config.xml"), settingsDocument(1));
    EXPECT_TRUE(dialogs.messages.empty());

    // A settings file that cannot be written is reported once; the choice still holds.
    std::filesystem::remove(folder / "config.xml");
    std::filesystem::create_directory(folder / "config.xml");
    frame.schoolHarmonyAction()->trigger();
    frame.schoolHarmonyAction()->trigger();
    frame.schoolHarmonyAction()->trigger();
    EXPECT_FALSE(window->schoolHarmony());
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(MainWindow, ToolButtonsRunTheCommandsOfTheirIds) {
    const auto window = start();
    TActionLog log;
    frame.setActions(&log);
    std::vector<int> ids;
    for (TFlatButtonWithID* button : frame.toolButtons()) {
        ids.push_back(button->id());
        QTest::mouseClick(button, Qt::LeftButton);
    }
    EXPECT_EQ(ids, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(log.calls,
              (std::vector<std::string>{"newComposition", "save", "open", "playAll", "stopPlay"}));
    EXPECT_EQ(frame.toolButtons()[0]->toolTip(), "New");
    EXPECT_EQ(frame.toolButtons()[0]->geometry(), QRect(5, 0, 28, 28));
    EXPECT_EQ(frame.toolButtons()[2]->geometry(), QRect(61, 0, 28, 28));
    EXPECT_EQ(frame.toolButtons()[4]->toolTip(), "Stop play");

    // The seven demonstrations in two rows, each with its title as the hint.
    log.calls.clear();
    QStringList hints;
    for (QToolButton* button : frame.demoButtons()) {
        hints << button->toolTip();
        QTest::mouseClick(button, Qt::LeftButton);
    }
    EXPECT_EQ(log.calls, (std::vector<std::string>{"demo1", "demo3", "demo4", "demo5", "demo6",
                                                   "demo7", "demo8"}));
    EXPECT_EQ(hints.front(), "How to select the notes for motive");
    EXPECT_EQ(hints.back(), "Pitch scheme description");
    // Five in the first row and two in the second, right of the cursor delay, each as wide as
    // its caption with a gap between neighbours.
    const QRect first = frame.demoButtons()[0]->geometry();
    EXPECT_GT(first.left(), frame.cursorDelay()->geometry().right());
    for (std::size_t i = 0; i < frame.demoButtons().size(); ++i) {
        const QToolButton* button = frame.demoButtons()[i];
        const QRect place = button->geometry();
        EXPECT_EQ(place.top(), i < 5 ? 0 : 21);
        EXPECT_EQ(place.height(), 21);
        EXPECT_GE(place.width(), button->fontMetrics().horizontalAdvance(button->text()) + 6)
            << button->text().toStdString();
        if (i % 5 == 0)
            EXPECT_EQ(place.left(), first.left());
        else
            EXPECT_GT(place.left(), frame.demoButtons()[i - 1]->geometry().right() + 1);
    }
    EXPECT_LT(frame.demoButtons()[4]->geometry().right(),
              frame.helpButtons()[0]->geometry().left());
    // The second and the ninth are commands only.
    frame.command("demo2")->trigger();
    frame.command("demo9")->trigger();
    EXPECT_EQ(log.calls.back(), "demo9");
    frame.setActions(window.get());
}

TEST_F(MainWindow, MenusOfferOnlyTheCommandsThatWork) {
    const auto window = start();
    TActionLog log;
    frame.setActions(&log);
    QStringList menus;
    for (QAction* menu : frame.menuBar()->actions()) {
        QStringList items;
        for (QAction* item : menu->menu()->actions()) {
            if (item->isSeparator())
                continue;
            items << item->text();
            if (item != frame.command("menu quit"))
                item->trigger();
        }
        menus << menu->text() + ": " + items.join(", ");
    }
    EXPECT_EQ(menus.join(" | ").toStdString(),
              "&File: &New, &Open, Open &Recent, &Save, Save &As..., &Export to MIDI (*.mid), "
              "Export to &MusicXML (*.musicxml), &Quit | &Edit: &Undo, &Redo | "
              "&View: &Editor, &Fast Menu | "
              "&Tools: &Midi Devices..., &School harmony, &Harmonise Period, "
              "&Compose Empty Motives | "
              "&Demo: How to select the &notes for motive, How to select a &chord and its "
              "location, How to select a chord and its location through &Fast Menu, How to use "
              "&simple (without Rel. prefix) ways of motive development, How to use &relative "
              "(with Rel. prefix) ways of motive development, How to customize &the rhythm "
              "scheme, &Pitch scheme description | "
              "&Help: &Theory, &Step-by-step, &About");
    EXPECT_EQ(log.calls, (std::vector<std::string>{"newComposition",
                                                   "open",
                                                   "save",
                                                   "saveAs",
                                                   "exportToMidi",
                                                   "exportToMusicXml",
                                                   "showEditor",
                                                   "fast menu off",
                                                   "chooseMidiDevice",
                                                   "school harmony off",
                                                   "harmonisePeriod",
                                                   "composeEmptyMotives",
                                                   "demo1",
                                                   "demo3",
                                                   "demo4",
                                                   "demo5",
                                                   "demo6",
                                                   "demo7",
                                                   "demo8",
                                                   "theoryHelp",
                                                   "stepByStepHelp",
                                                   "about"}));
    EXPECT_EQ(frame.saveAction()->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(frame.saveAction()->shortcutContext(), Qt::ApplicationShortcut);
    EXPECT_EQ(frame.newAction()->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(frame.newAction()->shortcutContext(), Qt::ApplicationShortcut);
    frame.setActions(window.get());
}

TEST_F(MainWindow, EachMenuShowsTheGlyphIconsOfItsCommandsWhenItOpens) {
    const auto window = start();
    QStringList withIcons;
    for (int round = 0; round < 2; ++round) {
        withIcons.clear();
        for (QAction* menu : frame.menuBar()->actions()) {
            menu->menu()->popup(QPoint(0, 0));
            QCoreApplication::processEvents();
            for (QAction* item : menu->menu()->actions()) {
                if (item->icon().isNull())
                    continue;
                withIcons << item->text();
                // A picture at the menu's icon size (the glyph sheet lies beside the program).
                EXPECT_FALSE(item->icon().pixmap(QSize(16, 16)).isNull())
                    << item->text().toStdString();
            }
            menu->menu()->hide();
        }
    }
    // Opened a second time, each menu keeps the same items with their icons.
    EXPECT_EQ(withIcons.join(", ").toStdString(),
              "&New, &Open, &Save, &Export to MIDI (*.mid), &Midi Devices..., &About");
}

} // namespace
