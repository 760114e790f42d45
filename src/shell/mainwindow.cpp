#include "shell/mainwindow.h"

#include "canvas/umotivecanvas.h"
#include "files/appfolders.h"
#include "files/settings.h"
#include "help/democontrol.h"
#include "help/stepform.h"
#include "help/theoryform.h"
#include "panels/developmentarea.h"
#include "panels/fastmenu.h"
#include "panels/rythmset.h"
#include "panels/schemepanel.h"
#include "panels/turnroundset.h"
#include "shell/qtdialogs.h"
#include "shell/topframe.h"
#include "shell/undorecorder.h"
#include "shell/wtonaria.h"
#include "variants/variantview.h"
#include "widgets/drawing.h"
#include "widgets/hintpanel.h"
#include "widgets/resources.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

// Where the main window stands below the menu frame, and the layout's pixel size of its working
// area, which is also its smallest size.
constexpr int MAIN_WINDOW_TOP = 86;
constexpr int MAIN_WINDOW_WIDTH = 1016;
constexpr int MAIN_WINDOW_HEIGHT = 546;
// The places of the development area, the period strip and its controls in the working area.
// The strip and the development area keep their margins to the right edge; the tree reaches
// down to the bottom.
constexpr QPoint MODE_BUTTONS_PLACE(3, 287);
constexpr QPoint NAVIGATION_TREE_PLACE(3, 336);
constexpr QPoint PERIOD_PANEL_PLACE(158, 287);
constexpr int PERIOD_PANEL_WIDTH = 856;
constexpr int RIGHT_MARGIN = MAIN_WINDOW_WIDTH - PERIOD_PANEL_PLACE.x() - PERIOD_PANEL_WIDTH;
constexpr int BOTTOM_MARGIN = 3;
constexpr const char* DEMONSTRATION_FOLDER = "dynamichelp";
constexpr const char* DEMONSTRATION_TEMP_FILE = "temp.tnr";

// The user's composition waits beside the demonstrations' data, or, where the program may not
// write (installed), in the same folder among the user's documents.
std::filesystem::path demoTempFile(const TAppFolders& folders) {
    const std::filesystem::path data = folders.data / DEMONSTRATION_FOLDER;
    if (isWritableFolder(data))
        return data / DEMONSTRATION_TEMP_FILE;
    const std::filesystem::path own = folders.documents / DEMONSTRATION_FOLDER;
    std::error_code ignored;
    std::filesystem::create_directories(own, ignored);
    return own / DEMONSTRATION_TEMP_FILE;
}

} // namespace

TMainWindow::TMainWindow(TTopFrame& frame, TMidiBackendInterface& devices,
                         const std::filesystem::path& applicationFolder,
                         TUserDialogsInterface* dialogs, TDeviceOpening opening)
    : TMainWindow(frame, devices,
                  TAppFolders{applicationFolder,
                              applicationFolder / std::string(SETTINGS_FILE_NAME),
                              applicationFolder, applicationFolder / RECOVERY_FOLDER},
                  dialogs, opening) {}

TMainWindow::TMainWindow(TTopFrame& frame, TMidiBackendInterface& devices,
                         const TAppFolders& folders, TUserDialogsInterface* dialogs,
                         TDeviceOpening opening)
    : QWidget(nullptr), frame_(frame), applicationFolder_(folders.data), player_(devices),
      motivePlayer_(&player_, false),
      ownDialogs_(dialogs != nullptr
                      ? nullptr
                      : std::make_unique<TQtDialogs>(this, bundle_,
                                                     [this] { return player_.deviceNames(); })),
      dialogs_(dialogs != nullptr ? *dialogs : *ownDialogs_),
      playback_(player_, motivePlayer_, bundle_, dialogs_, folders.settingsFile),
      documents_(period_, motivePlayer_, bundle_, dialogs_, folders.documents),
      messageWindow_(*this, this), settingsFile_(folders.settingsFile),
      schoolHarmony_(readSchoolHarmony(folders.settingsFile)),
      fastMenuShown_(readFastMenuShown(folders.settingsFile)) {
    setMinimumSize(MAIN_WINDOW_WIDTH, MAIN_WINDOW_HEIGHT);
    resize(MAIN_WINDOW_WIDTH, MAIN_WINDOW_HEIGHT);
    move(0, MAIN_WINDOW_TOP);
    paintBackground(*this);
    // The menu frame and this window work as one: hints show whichever of them is active.
    setAttribute(Qt::WA_AlwaysShowToolTips);

    if (opening == TDeviceOpening::AfterFirstPaint && playback_.storedDevice() != NO_MIDI_DEVICE)
        deviceOpeningDue_ = true;
    else
        playback_.openAtStartUp();
    variantWindow_ = new TWTonaria(this, *this);
    fastMenu_ = new TFastMenu(this, *this);

    frame_.setService(this);
    frame_.setActions(this);
    frame_.buildToolArea();
    frame_.schoolHarmonyAction()->setChecked(schoolHarmony_);
    frame_.command("menu fast menu")->setChecked(fastMenuShown_);
    connect(fastMenu_, &TFastMenu::opened, this, [this] { fastMenuChosen(true); });
    connect(fastMenu_, &TFastMenu::closed, this, [this] { fastMenuChosen(false); });
    scheme_.setSchoolHarmony(schoolHarmony_);
    frame_.shareMenuKeys(*this);
    // Space plays or stops from every window of the program, whatever control has the focus:
    // buttons answer Enter; a text field keeps Space, and so does a modal dialog.
    auto* playKey = new QAction(this);
    playKey->setShortcut(Qt::Key_Space);
    playKey->setShortcutContext(Qt::ApplicationShortcut);
    playKey->setAutoRepeat(false);
    connect(playKey, &QAction::triggered, this, [this] {
        if (!variantWindowBusy())
            playOrStop();
    });
    addAction(playKey);

    period_.setListener(this);
    // The effect panels, each numbering its three variant canvases (0 to 41), and the choosers.
    schemePanel_ = new TSchemePanel(this, *this, scheme_);
    developmentArea_ = new TDevelopmentArea(this, *this, scheme_, schemePanel_);
    modeButtons_ = new TButtonGroupPanel(this, bundle_);
    modeButtons_->move(MODE_BUTTONS_PLACE);
    navigationTree_ = new TNavigationTree(this, bundle_);
    navigationTree_->move(NAVIGATION_TREE_PLACE);
    navigationTree_->setFixedHeight(MAIN_WINDOW_HEIGHT - NAVIGATION_TREE_PLACE.y() - BOTTOM_MARGIN);
    createUndoRecorder();
    documents_.setUnmodifiedListener([this] {
        undo_->markClean();
        refreshCaption();
    });
    documents_.buildDefault();
    undo_->reset();
    autosave_ =
        std::make_unique<TAutosave>(documents_, period_, bundle_, dialogs_, folders.recovery);

    developmentArea_->selectFirst();
    schemePanel_->reloadSets();
    variantWindow_->view()->addSelectionListener(schemePanel_->rythmSet());
    variantWindow_->view()->addSelectionListener(schemePanel_->pitchSet());
    variantWindow_->view()->addSelectionListener(fastMenu_);
    frame_.tempoPanel()->setListener(this);
    frame_.setCaption();
    TDemoSetting demoSetting;
    demoSetting.dataFolder = applicationFolder_ / DEMONSTRATION_FOLDER;
    demoSetting.tempFile = demoTempFile(folders);
    demoSetting.stepMilliseconds = demoStepFromEnvironment();
    demoSetting.showMessage = [this](const std::string& text, const std::string& caption) {
        dialogs_.showMessage(text, caption);
    };
    demos_ = std::make_unique<TDemoControl>(*this, *this, std::move(demoSetting));
}

TMainWindow::~TMainWindow() {
    // A demonstration ends first: its last steps still use the windows.
    demos_.reset();
    // A choice in progress ends before the canvases go.
    variantWindow_->view()->abandon();
    variantWindow_->view()->removeSelectionListener(schemePanel_->rythmSet());
    variantWindow_->view()->removeSelectionListener(schemePanel_->pitchSet());
    variantWindow_->view()->removeSelectionListener(fastMenu_);
    // The help windows go first, while the services they were given still stand.
    delete stepForm_;
    stepForm_ = nullptr;
    delete theoryForm_;
    theoryForm_ = nullptr;
    frame_.tempoPanel()->setListener(nullptr);
    frame_.setActions(nullptr);
    frame_.setService(nullptr);
    period_.setListener(nullptr);
    modeButtons_->setListener(nullptr);
    navigationTree_->setListener(nullptr);
    // The fast menu lets go of its anchor while the canvases still stand.
    delete fastMenu_;
    fastMenu_ = nullptr;
    periodPanel_ = nullptr;
    developmentArea_ = nullptr;
    schemePanel_ = nullptr;
    // Nothing is recorded while the views go.
    undo_.reset();
    // The views reach the player, the period and the message window, members that go after
    // this body: the child windows go first (each canvas leaves the player as it goes).
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
    TResourceFactory::shared().clearCache();
}

void TMainWindow::setSchoolHarmony(bool on) {
    if (on == schoolHarmony_)
        return;
    schoolHarmony_ = on;
    scheme_.setSchoolHarmony(on);
    reportSettingsWrite(writeSchoolHarmony(settingsFile_, on));
}

void TMainWindow::setFastMenuShown(bool on) {
    if (on == fastMenuShown_)
        return;
    fastMenuShown_ = on;
    if (!on)
        fastMenu_->hide();
    else if (!fastMenu_->isVisible())
        showFastMenuAgain();
    reportSettingsWrite(writeFastMenuShown(settingsFile_, on));
}

void TMainWindow::fastMenuChosen(bool shown) {
    if (demos_ == nullptr || demos_->isRunning())
        return;
    frame_.command("menu fast menu")->setChecked(shown);
}

void TMainWindow::reportSettingsWrite(bool written) {
    if (written || settingsFailureReported_)
        return;
    settingsFailureReported_ = true;
    dialogs_.showMessage(bundle_.text("settings error") + "\n" + settingsFile_.string(),
                         bundle_.text("warning"));
}

TMotiveAndListenerPair TMainWindow::contextMotive(const TMotive& motive) {
    return periodPanel_ != nullptr ? periodPanel_->contextMotive(motive) : TMotiveAndListenerPair{};
}

TColorPanelListener* TMainWindow::variantDisplay() {
    return variantWindow_ != nullptr ? variantWindow_->view() : nullptr;
}

bool TMainWindow::variantWindowBusy() {
    return variantWindow_ != nullptr && variantWindow_->isVisible();
}

int TMainWindow::variantWindowWidth() {
    return variantWindow_ != nullptr ? variantWindow_->outerWidth() : 0;
}

TVariantView* TMainWindow::variantView() {
    return variantWindow_ != nullptr ? variantWindow_->view() : nullptr;
}

void TMainWindow::refreshVariantView() {
    if (variantWindow_ != nullptr)
        variantWindow_->view()->refresh();
}

void TMainWindow::playInContext(const TMotive& motive, TMotivePlayerListener* listener) {
    std::vector<TPlayItem> items;
    const TMotiveAndListenerPair context = contextMotive(motive);
    if (context.motive != nullptr)
        items.emplace_back(context.motive, context.listener);
    items.emplace_back(&motive, listener);
    playback_.play(items);
}

void TMainWindow::takeRhythmFrom(const TMotive& motive) {
    schemePanel_->rythmSet()->setMotive(motive);
}

void TMainWindow::takePitchFrom(const TMotive& motive) {
    schemePanel_->pitchSet()->setMotive(motive);
}

void TMainWindow::contrastMotivesChanged() {
    // The scheme panel and the fast menu each show both Motives for Contrast.
    schemePanel_->refreshContrastFigures();
    if (fastMenu_ != nullptr)
        fastMenu_->refreshContrastFigures();
}

void TMainWindow::selectPanel(int index) {
    developmentArea_->selectPanel(index);
}

void TMainWindow::resetCanvasMode(bool keep) {
    if (!keep)
        modeButtons_->pressMode(TUMotiveCanvas::MODE_LIGHT);
}

void TMainWindow::setCurrentCanvas(QWidget* control) {
    currentCanvas_ = dynamic_cast<TUMotiveCanvas*>(control);
}

TFastMenuInterface* TMainWindow::fastMenu() {
    return fastMenu_;
}

void TMainWindow::showFastMenuForCell(int index) {
    if (fastMenu_ == nullptr || periodPanel_ == nullptr || index < 0 ||
        index >= periodPanel_->motiveCellCount())
        return;
    // The menu keeps its place on the screen: the strip brings the cell under it.
    const int menuLeft = fastMenu_->isVisible() ? fastMenu_->frameGeometry().left()
                                                : periodPanel_->mapToGlobal(QPoint(0, 0)).x();
    TUMotiveCanvas* canvas = periodPanel_->motiveCells()[std::size_t(index)]->canvas();
    fastMenu_->showFor(canvas);
    QWidget* viewport = periodPanel_->scrollArea()->viewport();
    const int viewportLeft = viewport->mapToGlobal(QPoint(0, 0)).x();
    const int canvasInStrip = canvas->mapTo(periodPanel_->strip(), QPoint(0, 0)).x();
    const int target = std::max(0, canvasInStrip - std::max(0, menuLeft - viewportLeft));
    if (!periodPanel_->scrollTo(target))
        fastMenu_->showFor(canvas);
}

void TMainWindow::showFastMenuAgain() {
    if (fastMenu_->anchor() != nullptr) {
        fastMenu_->showFor(fastMenu_->anchor());
        return;
    }
    if (periodPanel_ == nullptr || periodPanel_->motiveCells().empty())
        return;
    const TUMotiveSet* cell = periodPanel_->selectedCell() != nullptr
                                  ? periodPanel_->selectedCell()
                                  : periodPanel_->motiveCells().front();
    fastMenu_->showFor(cell->canvas());
}

void TMainWindow::scrolled() {
    if (fastMenu_ != nullptr && fastMenu_->isVisible())
        fastMenu_->placeBelowAnchor();
}

void TMainWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    scrolled();
}

void TMainWindow::closeEvent(QCloseEvent* event) {
    demos_->stop();
    QWidget::closeEvent(event);
}

void TMainWindow::startDemo(int number) {
    playback_.stop();
    demos_->start(number);
}

void TMainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The strip takes its place once the window is laid out.
    QTimer::singleShot(0, this, [this] { scrolled(); });
}

int TMainWindow::motiveCellCount() {
    return periodPanel_ != nullptr ? periodPanel_->motiveCellCount() : 0;
}

int TMainWindow::cursorDelay() {
    return 15 - frame_.cursorDelayPosition();
}

void TMainWindow::periodChanged() {
    // The menu lets go of its anchor before the strip that holds it goes.
    fastMenu_->showFor(nullptr);
    rebuildPeriodPanel();
    developmentArea_->setMeter(period_.measure(), period_.key(), period_.zatakt());
    scheme_.setUpbeat(period_.zatakt());
    resetScheme();
    // Hidden by the user, it stays hidden; a demonstration shows it.
    const bool menuWanted = fastMenuShown_ || (demos_ != nullptr && demos_->isRunning());
    if (menuWanted && !periodPanel_->motiveCells().empty())
        fastMenu_->showFor(periodPanel_->motiveCells().front()->canvas());
    // A period read from a file brings its tempo without a tempo notice.
    motivePlayer_.setTempo(period_.tempo());
    frame_.tempoPanel()->setTempo(period_.tempo());
    refreshCaption();
}

void TMainWindow::tempoChanged(int tempo) {
    motivePlayer_.setTempo(tempo);
    // An undone tempo shows too.
    if (frame_.tempoPanel() != nullptr)
        frame_.tempoPanel()->setTempo(tempo);
    refreshCaption();
}

void TMainWindow::tempoPicked(int value) {
    period_.setTempo(value);
}

void TMainWindow::playAll() {
    std::vector<TPlayItem> items;
    for (const TUMotiveSet* cell : periodPanel_->motiveCells())
        items.emplace_back(&cell->canvas()->motive(), cell->canvas()->playerListener());
    playback_.play(items);
}

void TMainWindow::stepByStepHelp() {
    playback_.stop();
    // The example replaces the open composition: unsaved work is offered for saving first, as
    // before New and Open; a saved or untouched composition is simply replaced.
    if (!documents_.maySetAside())
        return;
    if (stepForm_ == nullptr)
        stepForm_ = new TStepForm(this, *this, *this, *this, applicationFolder_);
    stepForm_->start();
}

void TMainWindow::theoryHelp() {
    if (theoryForm_ == nullptr)
        theoryForm_ = new TTheoryForm(this, *this, applicationFolder_);
    theoryForm_->showTheory();
}

void TMainWindow::playOrStop() {
    if (motivePlayer_.isPlaying()) {
        stopPlay();
        return;
    }
    const TUMotiveSet* selected = periodPanel_ != nullptr ? periodPanel_->selectedCell() : nullptr;
    if (selected != nullptr)
        selected->canvas()->playMotive();
    else
        playAll();
}

void TMainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The development area keeps its left margin and stretches to the right edge.
    const QRect place = developmentArea_->geometry();
    developmentArea_->resize(width() - 2 * place.left() + 1, place.height());
    if (periodPanel_ != nullptr)
        periodPanel_->resize(width() - PERIOD_PANEL_PLACE.x() - RIGHT_MARGIN, TPeriodPanel::HEIGHT);
    navigationTree_->setFixedHeight(height() - NAVIGATION_TREE_PLACE.y() - BOTTOM_MARGIN);
    frame_.followWidth(width());
    scrolled();
}

void TMainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier && handlePlayKey(event->key(), this))
        return;
    QWidget::keyPressEvent(event);
}

void TMainWindow::about() {
    dialogs_.showAbout();
}

void TMainWindow::showEditor() {
    show();
    raise();
    activateWindow();
}

void TMainWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (std::exchange(deviceOpeningDue_, false))
        QTimer::singleShot(0, this, [this] {
            playback_.openAtStartUp();
            emit startUpDeviceOpened();
        });
}

void TMainWindow::handleMessage(int message, int, std::int64_t) {
    if (message == MESSAGE_VARIANT_UPDATE)
        variantWindow_->view()->timerUpdate();
}

void TMainWindow::motivePlaying(TProcessPlayingInterface& canvas, bool started) {
    if (periodPanel_ != nullptr)
        periodPanel_->motivePlaying(canvas, started);
    if (!started && fastMenu_ != nullptr && fastMenu_->isVisible())
        fastMenu_->playbackFinished();
}

void TMainWindow::rebuildPeriodPanel() {
    currentCanvas_ = nullptr;
    modeButtons_->setListener(nullptr);
    navigationTree_->setListener(nullptr);
    if (periodPanel_ != nullptr) {
        // The rebuild may come from one of the old panel's own controls: it goes once the
        // event loop is back, and its motives, already gone with the old tree, stay untouched.
        for (TUMotiveSet* cell : periodPanel_->motiveCells())
            cell->canvas()->releaseMotive();
        periodPanel_->hide();
        periodPanel_->deleteLater();
    }
    periodPanel_ =
        new TPeriodPanel(this, width() - PERIOD_PANEL_PLACE.x() - RIGHT_MARGIN, *this, period_);
    periodPanel_->move(PERIOD_PANEL_PLACE);
    periodPanel_->setScrollerListener(this);
    navigationTree_->rebuild(periodPanel_->view());
    navigationTree_->setListener(periodPanel_);
    modeButtons_->setListener(periodPanel_);
    modeButtons_->pressMode(TUMotiveCanvas::MODE_EDIT);
    // A button that was down already is not pressed again; the new canvases need the mode too.
    periodPanel_->modeChosen(modeButtons_->mode());
    // Every edit of a motive in the strip may make the document differ from its file.
    for (const TUMotiveSet* cell : periodPanel_->motiveCells())
        connect(cell->canvas(), &TMotiveCanvas::motiveEdited, this, &TMainWindow::refreshCaption);
    periodPanel_->show();
}

void TMainWindow::resetScheme() {
    scheme_.rhythmContrastMotive().clearAll();
    scheme_.pitchContrastMotive().clearAll();
    scheme_.editSnapshot().clearAll();
    scheme_.defaultDurations();
    scheme_.defaultTurns();
    // The emptied Motives for Contrast show as empty figures.
    if (schemePanel_ != nullptr)
        schemePanel_->reloadSets();
}
