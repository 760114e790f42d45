#include "shell/mainwindow.h"

#include "files/settings.h"
#include "shell/qtdialogs.h"
#include "shell/topframe.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

// Where the main window stands below the menu frame, and the size of its working area.
constexpr int MAIN_WINDOW_TOP = 86;
constexpr int MAIN_WINDOW_WIDTH = 1016;
constexpr int MAIN_WINDOW_HEIGHT = 546;
// The period panel's place in the working area.
constexpr QRect PERIOD_VIEW_PLACE(158, 287, 856, 256);

void paintBackground(QWidget& widget) {
    const TColour colour = TColour::fromValue(BACKGROUND_COLOUR);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, QColor(colour.red, colour.green, colour.blue));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

} // namespace

TMainWindow::TMainWindow(TTopFrame& frame, TMidiBackendInterface& devices,
                         std::filesystem::path applicationFolder, TUserDialogsInterface* dialogs)
    : QWidget(nullptr), frame_(frame), player_(devices), motivePlayer_(&player_, false),
      ownDialogs_(dialogs != nullptr
                      ? nullptr
                      : std::make_unique<TQtDialogs>(this, bundle_,
                                                     [this] { return player_.deviceNames(); })),
      dialogs_(dialogs != nullptr ? *dialogs : *ownDialogs_),
      playback_(player_, motivePlayer_, bundle_, dialogs_,
                applicationFolder / std::string(SETTINGS_FILE_NAME)),
      documents_(period_, motivePlayer_, bundle_, dialogs_, applicationFolder),
      messageWindow_(*this, this) {
    setFixedSize(MAIN_WINDOW_WIDTH, MAIN_WINDOW_HEIGHT);
    move(0, MAIN_WINDOW_TOP);
    paintBackground(*this);

    playback_.openAtStartUp();

    frame_.setService(this);
    frame_.setActions(this);
    frame_.buildToolArea();

    period_.setListener(this);
    documents_.buildDefault();

    frame_.tempoPanel()->setListener(this);
    frame_.setCaption();
}

TMainWindow::~TMainWindow() {
    // Nothing queued may call back into views that are about to go.
    motivePlayer_.detachListeners();
    frame_.tempoPanel()->setListener(nullptr);
    frame_.setActions(nullptr);
    frame_.setService(nullptr);
    period_.setListener(nullptr);
    delete periodView_;
    periodView_ = nullptr;
}

TMotiveAndListenerPair TMainWindow::contextMotive(const TMotive&) {
    return {};
}

void TMainWindow::playInContext(const TMotive& motive, TMotivePlayerListener* listener) {
    std::vector<TPlayItem> items;
    const TMotiveAndListenerPair context = contextMotive(motive);
    if (context.motive != nullptr)
        items.emplace_back(context.motive, context.listener);
    items.emplace_back(&motive, listener);
    playback_.play(items);
}

void TMainWindow::resetCanvasMode(bool) {}

void TMainWindow::setCurrentCanvas(QWidget* control) {
    currentCanvas_ = dynamic_cast<TProcessPlayingInterface*>(control);
}

int TMainWindow::motiveCellCount() {
    return 0;
}

int TMainWindow::cursorDelay() {
    return 15 - frame_.cursorDelayPosition();
}

void TMainWindow::periodChanged() {
    rebuildPeriodView();
    scheme_.setUpbeat(period_.zatakt());
    resetScheme();
    // A period read from a file brings its tempo without a tempo notice.
    motivePlayer_.setTempo(period_.tempo());
    frame_.tempoPanel()->setTempo(period_.tempo());
    setWindowTitle(QString::fromStdString(period_.name()));
}

void TMainWindow::tempoChanged(int tempo) {
    motivePlayer_.setTempo(tempo);
}

void TMainWindow::nameChanged(const std::string& name) {
    setWindowTitle(QString::fromStdString(name));
}

void TMainWindow::tempoPicked(int value) {
    period_.setTempo(value);
}

void TMainWindow::open() {
    show();
    documents_.open();
}

void TMainWindow::playAll() {
    std::vector<TPlayItem> items;
    for (const TMotive* motive : std::as_const(period_).allMotives())
        items.emplace_back(motive, nullptr);
    playback_.play(items);
}

void TMainWindow::about() {
    dialogs_.showAbout();
}

void TMainWindow::showEditor() {
    show();
    raise();
    activateWindow();
}

void TMainWindow::enableInput(bool enable) {
    frame_.setEnabled(enable);
    setEnabled(enable);
    if (enable)
        frame_.setFocus();
}

void TMainWindow::placeAtMenuFrameLeft(QWidget* control) {
    control->move(frame_.geometry().topLeft());
}

void TMainWindow::placeAtMenuFrameRight(QWidget* control) {
    const QRect area = frame_.geometry();
    control->move(area.right() + 1 - control->width(), area.top());
}

void TMainWindow::handleMessage(int message, int wParam, std::int64_t lParam) {
    if (message == MESSAGE_NOTE)
        deliverNoteMessage(wParam, lParam, [this](int id) { return canvasById(id); });
}

TProcessPlayingInterface* TMainWindow::canvasById(int id) {
    if (id == CURRENT_CANVAS_ID)
        return currentCanvas_;
    return nullptr;
}

void TMainWindow::rebuildPeriodView() {
    // The old view's canvases may still be queued on the player as listeners.
    motivePlayer_.detachListeners();
    currentCanvas_ = nullptr;
    delete periodView_;
    periodView_ = new QWidget(this);
    periodView_->setGeometry(PERIOD_VIEW_PLACE);
    periodView_->show();
}

void TMainWindow::resetScheme() {
    scheme_.rhythmContrastMotive().clearAll();
    scheme_.pitchContrastMotive().clearAll();
    scheme_.editSnapshot().clearAll();
    scheme_.defaultDurations();
    scheme_.defaultTurns();
}
