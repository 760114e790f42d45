#pragma once

#include "canvas/baseservice.h"
#include "canvas/messagewindow.h"
#include "engine/scheme.h"
#include "files/appfolders.h"
#include "files/engmessagebundle.h"
#include "help/forhelpservice.h"
#include "model/period.h"
#include "playback/motiveplayer.h"
#include "playback/player.h"
#include "shell/autosave.h"
#include "shell/baseactioninterface.h"
#include "shell/documentlifecycle.h"
#include "shell/periodtools.h"
#include "shell/playbackcontrol.h"
#include "shell/temppanel.h"
#include "strip/periodpanel.h"

#include <QWidget>

#include <filesystem>
#include <memory>
#include <vector>

class TDemoControl;
class TDevelopmentArea;
class TFastMenu;
class TMidiBackendInterface;
class TSchemePanel;
class TStepForm;
class TTheoryForm;
class TTopFrame;
class TUMotiveCanvas;
class TUndoRecorder;
class TUserDialogsInterface;
class TWTonaria;

// The window of the working area below the menu frame. It owns the composition, the scheme
// engine, the MIDI output and the motive player, builds the views of the period, and carries
// out the commands of the menu frame (the document commands through TDocumentLifecycle, the
// device and play commands through TPlaybackControl). Interface thread only.
class TMainWindow : public QWidget,
                    public TBaseService,
                    public TPeriodPanelScrollerListener,
                    public TPeriodDataListener,
                    public TTempPanelListener,
                    public TBaseActionInterface,
                    public TForHelpService,
                    public TMessageHandler {
    Q_OBJECT
public:
    // When the MIDI device the settings name opens: at once, or once the window has been
    // painted for the first time (opening the synthesizer takes longer than building the
    // window). Without a stored device the device dialog comes first either way.
    enum class TDeviceOpening { AtOnce, AfterFirstPaint };

    // `devices` are the outputs the user chooses from; `dialogs` null means real dialogs.
    // Opens the stored MIDI device (asking when there is none) and shows the default period.
    // The settings file and the document folders are those of `folders`.
    TMainWindow(TTopFrame& frame, TMidiBackendInterface& devices, const TAppFolders& folders,
                TUserDialogsInterface* dialogs = nullptr,
                TDeviceOpening opening = TDeviceOpening::AtOnce);
    // Everything in one folder, as a build folder keeps it.
    TMainWindow(TTopFrame& frame, TMidiBackendInterface& devices,
                const std::filesystem::path& applicationFolder,
                TUserDialogsInterface* dialogs = nullptr,
                TDeviceOpening opening = TDeviceOpening::AtOnce);
    ~TMainWindow() override;

    // TBaseService
    TPlayer& player() override { return player_; }
    TMotivePlayer& motivePlayer() override { return motivePlayer_; }
    TMotiveAndListenerPair contextMotive(const TMotive& motive) override;
    TColorPanelListener* variantDisplay() override;
    void playInContext(const TMotive& motive, TMotivePlayerListener* listener) override;
    TScheme& scheme() override { return scheme_; }
    TMessageBundle& messageBundle() override { return bundle_; }
    TPeriodData& period() override { return period_; }
    void takeRhythmFrom(const TMotive& motive) override;
    void takePitchFrom(const TMotive& motive) override;
    void contrastMotivesChanged() override;
    TFastMenuInterface* fastMenu() override;
    void selectPanel(int index) override;
    void resetCanvasMode(bool keep) override;
    TMessageWindow& messageWindow() override { return messageWindow_; }
    bool variantWindowBusy() override;
    void setCurrentCanvas(QWidget* control) override;
    void fastMenuNext(int canvasId) override {
        showFastMenuForCell(canvasId + 1 - FIRST_CELL_CANVAS_ID);
    }
    void fastMenuPrevious(int canvasId) override {
        showFastMenuForCell(canvasId - 1 - FIRST_CELL_CANVAS_ID);
    }
    int motiveCellCount() override;
    int variantWindowWidth() override;
    int cursorDelay() override;
    bool schoolHarmony() override { return schoolHarmony_; }

    // TPeriodPanelScrollerListener
    void scrolled() override;

    // TPeriodDataListener
    void periodChanged() override;
    void tempoChanged(int tempo) override;
    void nameChanged(const std::string& name) override;

    // TTempPanelListener
    void tempoPicked(int value) override;

    // TBaseActionInterface
    void newComposition() override;
    void save() override { documents_.save(); }
    void saveAs() override { documents_.saveAs(); }
    void open() override;
    std::vector<std::string> recentFiles() override;
    void openRecent(const std::string& file) override;
    void exportToMidi() override { documents_.exportToMidi(); }
    void exportToMusicXml() override { documents_.exportToMusicXml(); }
    void playAll() override;
    void stopPlay() override { playback_.stop(); }
    void playOrStop() override;
    void chooseMidiDevice() override { playback_.chooseDevice(); }
    void undo() override;
    void redo() override;
    void harmonisePeriod() override { runTool(TPeriodTool::Harmonise, "Harmonise Period"); }
    void composeEmptyMotives() override {
        runTool(TPeriodTool::ComposeEmptyMotives, "Compose Empty Motives");
    }
    // Stores the choice in the settings file; a failed write is reported once.
    void setSchoolHarmony(bool on) override;
    // Shows the fast menu (under its motive, the selected one, or the first) or hides it, and
    // stores the choice as setSchoolHarmony does. While it is off a new period does not show
    // the menu; a cell's fast-menu button still does, and turns the choice on again.
    void setFastMenuShown(bool on) override;
    void demo1() override { startDemo(1); }
    void demo2() override { startDemo(2); }
    void demo3() override { startDemo(3); }
    void demo4() override { startDemo(4); }
    void demo5() override { startDemo(5); }
    void demo6() override { startDemo(6); }
    void demo7() override { startDemo(7); }
    void demo8() override { startDemo(8); }
    void demo9() override { startDemo(9); }
    // Warns that the melody will be closed, then opens the example and its first step.
    void stepByStepHelp() override;
    void theoryHelp() override;
    void about() override;
    void showEditor() override;
    bool mayQuit() override;

    // TForHelpService
    bool saveTo(const std::string& name) override { return documents_.saveTo(name); }
    bool openFrom(const std::string& name) override;
    bool openCopyFrom(const std::string& name) override;
    // The undo steps wait while a demonstration runs and hold again once the composition is
    // taken back.
    bool setAsideTo(const std::string& name) override;
    bool takeBackFrom(const std::string& name) override;
    QWidget* mainWindowControl() override { return this; }
    void enableInput(bool enable) override;
    void enableMainWindow(bool enable) override { setEnabled(enable); }
    void markPlaying() override { playback_.markPlaying(); }
    bool playFinished() override { return playback_.playFinished(); }
    void placeAtMenuFrameLeft(QWidget* control) override;
    void placeAtMenuFrameRight(QWidget* control) override;
    std::vector<TUMotiveSet*> motiveCells() override { return periodPanel_->motiveCells(); }
    QWidget* fastMenuControl(int i) override;
    TUMotiveCanvas* fastMenuAnchor() override;
    TRealButton* modeButton(int i) override { return modeButtons_->button(i + 1); }
    QWidget* phraseNode(int n) override;
    int selectedPanel() override;
    int canvasMode() override { return modeButtons_->mode(); }
    void chooseCanvasMode(int mode) override { modeButtons_->pressMode(mode); }
    TPanelChooser* panelChooser(int i) override;
    TFlatButtonWithID* sequenceUpPlayButton() override;
    TUMotiveCanvas* sequenceUpCanvas() override;
    TUMotiveCanvas* relSequenceUpCanvas() override;
    TDragged* sequenceUpHandle() override;
    TDragged* relSequenceUpHandle() override;
    QWidget* rhythmGatherer() override;
    QWidget* pitchGatherer() override;
    QWidget* rhythmDeleter() override;
    TDragged* rhythmItemHandle(int d) override;
    TDragged* pitchItemHandle(int i) override;
    QWidget* rhythmModeChooser() override;
    QWidget* pitchDeleter() override;
    QWidget* rhythmContrastFigure() override;
    TGroupButton* rhythmGathererItem(int i) override;
    TDragged* rhythmGathererEntry(int i) override;
    QWidget* rhythmShowButton() override;
    QWidget* pitchModeChooser() override;
    QWidget* pitchContrastFigure() override;
    QWidget* schemeCommandButton(int command) override;
    void scrollToNode(int n) override { periodPanel_->scrollToNode(n); }
    void chooseEffect(int index, const TMotive& motive) override;
    void playPeriod() override { periodPanel_->playPeriod(); }
    void playMotive(int n) override { periodPanel_->playMotive(n); }
    void playSentence(int n) override { periodPanel_->playSentence(n); }
    void playPhrase(int n) override { periodPanel_->playPhrase(n); }
    TVariantView* variantView() override;
    void refreshVariantView() override;
    void setVariantViewFlag(bool scripted) override;

    // TMessageHandler: what the timer threads post besides the notes, which go to their canvas.
    void handleMessage(int message, int code, std::int64_t value) override;
    void motivePlaying(TProcessPlayingInterface& canvas, bool started) override;

    TDocumentLifecycle& documents() { return documents_; }
    // Names the glyph sheet and help folders that are missing, in one message; nothing when all
    // are there.
    void reportMissingData();
    // Offers the unsaved work that ended programs left; true when a copy was recovered.
    bool offerRecovery() { return autosave_->offerRecovery(); }
    // The program ends without asking (a signal, the session's end): the unsaved work is kept.
    void keepRecovery() { autosave_->keepNow(); }
    TAutosave& autosave() { return *autosave_; }
    TPlaybackControl& playback() { return playback_; }
    TUndoRecorder& undoRecorder() { return *undo_; }
    TPeriodPanel* periodPanel() const { return periodPanel_; }
    TButtonGroupPanel* modeButtons() const { return modeButtons_; }
    TNavigationTree* navigationTree() const { return navigationTree_; }
    // The help windows, null until first used.
    TStepForm* stepForm() const { return stepForm_; }
    TTheoryForm* theoryForm() const { return theoryForm_; }
    TWTonaria* variantWindow() const { return variantWindow_; }
    TDevelopmentArea* developmentArea() const { return developmentArea_; }
    TSchemePanel* schemePanel() const { return schemePanel_; }
    // The fast menu itself, with its controls.
    TFastMenu* fastMenuWindow() const { return fastMenu_; }
    TDemoControl& demonstrations() { return *demos_; }

signals:
    // The device stored in the settings has been opened after the first paint (or the attempt
    // has ended, with its message): from here on a note sounds.
    void startUpDeviceOpened();

protected:
    // The strip, its scroll bar and the development area take the window's width; the menu
    // frame follows it.
    void resizeEvent(QResizeEvent* event) override;
    // Escape stops, unless the focused control took the key (Space is a shortcut of the
    // whole program).
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // The fast menu follows the window.
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // A running demonstration ends and gives the user's composition back first.
    void closeEvent(QCloseEvent* event) override;

private:
    // Attaches the fast menu to the cell, scrolls the strip to bring the cell under the menu's
    // left edge and shows the menu below it; an index out of range does nothing.
    void showFastMenuForCell(int index);
    // Shows the fast menu under its anchor, or under the selected cell or the first one when it
    // has none.
    void showFastMenuAgain();
    // The fast menu was shown or closed by the user: View > Fast Menu follows (not while a
    // demonstration shows the menu).
    void fastMenuChosen(bool shown);
    // A failed write of the settings file is reported, once.
    void reportSettingsWrite(bool written);
    // Replaces the period panel after the tree changed, and wires it to the mode buttons and
    // the navigation tree.
    void rebuildPeriodPanel();
    void startDemo(int number);
    void resetScheme();
    // The period's name, with "*" while it has unsaved changes; the one place that learns of
    // every change of the document, which it hands to the undo recorder.
    void refreshCaption();
    // The undo recorder, which learns of every change of the period, bound to the Edit menu.
    void createUndoRecorder();
    // The strip's canvas of a motive of the period, or null.
    TUMotiveCanvas* cellCanvasOf(const TMotive* motive) const;
    // Runs the tool over a copy of the period and makes its result one undo step.
    void runTool(TPeriodTool tool, const std::string& stepName);

    TTopFrame& frame_;
    std::filesystem::path applicationFolder_; // the data folder: help pages and examples
    TPeriodData period_;
    TScheme scheme_{processRandom()}; // the process-wide draws of the whole program
    TPlayer player_;
    TMotivePlayer motivePlayer_;
    TEngMessageBundle bundle_;
    std::unique_ptr<TUserDialogsInterface> ownDialogs_;
    TUserDialogsInterface& dialogs_;
    TPlaybackControl playback_;
    TDocumentLifecycle documents_;
    std::unique_ptr<TUndoRecorder> undo_;
    TMessageWindow messageWindow_;
    TWTonaria* variantWindow_ = nullptr;
    TSchemePanel* schemePanel_ = nullptr;
    TFastMenu* fastMenu_ = nullptr;
    TDevelopmentArea* developmentArea_ = nullptr;
    TButtonGroupPanel* modeButtons_ = nullptr;
    TNavigationTree* navigationTree_ = nullptr;
    TPeriodPanel* periodPanel_ = nullptr;
    TUMotiveCanvas* currentCanvas_ = nullptr;
    // The stored device opens after the first paint.
    bool deviceOpeningDue_ = false;
    std::filesystem::path settingsFile_;
    bool schoolHarmony_ = true;
    bool settingsFailureReported_ = false;
    bool fastMenuShown_ = true;
    TStepForm* stepForm_ = nullptr;
    TTheoryForm* theoryForm_ = nullptr;
    std::unique_ptr<TDemoControl> demos_;
    std::unique_ptr<TAutosave> autosave_;
};
