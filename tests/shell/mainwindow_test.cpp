#include "shelltesting.h"

#include "canvas/messagewindow.h"
#include "canvas/periodpanel.h"
#include "canvas/temppanel.h"
#include "canvas/umotivecanvas.h"
#include "files/settings.h"
#include "playback/recordingbackend.h"
#include "shell/baseactioninterface.h"
#include "shell/mainwindow.h"
#include "shell/topframe.h"

#include <QAction>
#include <QMenuBar>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

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

TEST_F(MainWindow, OpeningABadFileShowsTheMessageAndLeavesTheDefaultPeriod) {
    const auto window = start();
    const auto name = folder / "broken.tnr";
    writeWhole(name, "<PERIOD><SENTENCE><PHRASE><MOTIVE>");
    window->period().setTempo(70);
    QWidget* oldView = window->periodPanel();
    QSignalSpy destroyed(oldView, &QObject::destroyed);

    dialogs.fileAnswers = {name};
    window->open();

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Unable to open file\n" + name.string());
    EXPECT_EQ(window->period().tempo(), 100);
    EXPECT_EQ(window->period().motiveCount(), 8);
    EXPECT_EQ(window->windowTitle(), "Untitled");
    EXPECT_EQ(frame.tempoPanel()->tempo(), 100);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(destroyed.count(), 1) << "the view is rebuilt for the default period";
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

struct TActionLog : TBaseActionInterface {
    std::vector<std::string> calls;
    void save() override { calls.push_back("save"); }
    void saveAs() override { calls.push_back("saveAs"); }
    void open() override { calls.push_back("open"); }
    void exportToMidi() override { calls.push_back("exportToMidi"); }
    void exportToMusicXml() override { calls.push_back("exportToMusicXml"); }
    void playAll() override { calls.push_back("playAll"); }
    void stopPlay() override { calls.push_back("stopPlay"); }
    void playOrStop() override { calls.push_back("playOrStop"); }
    void chooseMidiDevice() override { calls.push_back("chooseMidiDevice"); }
    void stepByStepHelp() override { calls.push_back("stepByStepHelp"); }
    void theoryHelp() override { calls.push_back("theoryHelp"); }
    void about() override { calls.push_back("about"); }
    void showEditor() override { calls.push_back("showEditor"); }
};

TEST_F(MainWindow, ToolButtonsRunTheCommandsOfTheirIds) {
    const auto window = start();
    TActionLog log;
    frame.setActions(&log);
    std::vector<int> ids;
    for (TFlatButtonWithID* button : frame.toolButtons()) {
        ids.push_back(button->id());
        QTest::mouseClick(button, Qt::LeftButton);
    }
    EXPECT_EQ(ids, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(log.calls, (std::vector<std::string>{"save", "open", "playAll", "stopPlay"}));
    EXPECT_EQ(frame.toolButtons()[0]->toolTip(), "Save");
    EXPECT_EQ(frame.toolButtons()[3]->toolTip(), "Stop play");
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
              "&File: &Open, &Save, Save &As..., &Export to (*.mid), "
              "Export to &MusicXML (*.musicxml), &Quit | &View: &Editor | "
              "&Tools: &Midi Devices... | &Help: &Theory, &Step-by-step, &About");
    EXPECT_EQ(log.calls,
              (std::vector<std::string>{"open", "save", "saveAs", "exportToMidi",
                                        "exportToMusicXml", "showEditor", "chooseMidiDevice",
                                        "theoryHelp", "stepByStepHelp", "about"}));
    EXPECT_EQ(frame.saveAction()->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(frame.saveAction()->shortcutContext(), Qt::ApplicationShortcut);
    frame.setActions(window.get());
}

} // namespace
