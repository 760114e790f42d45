#include "panels/fastmenu.h"

#include "canvas/baseservice.h"
#include "canvas/messagewindow.h"
#include "canvas/umotivecanvas.h"
#include "engine/designrebuild.h"
#include "engine/melodyrules.h"
#include "engine/scheme.h"
#include "engine/schemecommand.h"
#include "files/messagebundle.h"
#include "model/period.h"
#include "panels/contrastmenuform.h"
#include "panels/eventtranslater.h"
#include "panels/fastschemepanel.h"
#include "panels/picturebutton.h"
#include "playback/motiveplayer.h"
#include "widgets/drawing.h"
#include "widgets/windowplacement.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QScreen>

#include <algorithm>

TFastMenu::TFastMenu(QWidget* owner, TBaseService& service)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint), service_(service),
      schemeView_(new TFastSchemePanel(this, service.scheme())) {
    setWindowTitle(QString::fromStdString(service.messageBundle().text("fast menu")));
    setObjectName("TFastMenu");
    paintBackground(*this);
    buildControls();
    refreshNavigation();
}

TFastMenu::~TFastMenu() {
    releaseAnchor();
}

QWidget* TFastMenu::control(int index) const {
    return index >= 0 && index < controlCount() ? controls_[std::size_t(index)] : nullptr;
}

TFlatButtonWithID* TFastMenu::commandButton(int command) const {
    return command >= 0 && command < COMMAND_COUNT ? commands_[std::size_t(command)] : nullptr;
}

TFlatButton* TFastMenu::flatButton(FlatButton which) const {
    return which >= 0 && which < FLAT_BUTTON_COUNT ? flatButtons_[std::size_t(which)] : nullptr;
}

TEventTranslater* TFastMenu::modeArea(ModeArea which) const {
    return which >= 0 && which < MODE_AREA_COUNT ? modeAreas_[std::size_t(which)] : nullptr;
}

void TFastMenu::showFor(TUMotiveCanvas* canvas) {
    if (canvas != anchor_) {
        releaseAnchor();
        anchor_ = canvas;
        if (anchor_ != nullptr)
            anchor_->addCanvasListener(this);
        for (TEventTranslater* area : modeAreas_)
            area->setTarget(anchor_);
        readDesign();
    }
    refreshNavigation();
    refreshContrastFigures();
    if (anchor_ == nullptr)
        return;
    placeBelowAnchor();
    show();
}

void TFastMenu::placeBelowAnchor() {
    if (anchor_ == nullptr)
        return;
    const QRect anchor(anchor_->mapToGlobal(QPoint(0, 0)), anchor_->size());
    const QScreen* screen = anchor_->screen();
    if (screen == nullptr) {
        move(anchor.bottomLeft() + QPoint(0, 1));
        return;
    }
    const QRect owner =
        parentWidget() != nullptr ? parentWidget()->window()->frameGeometry() : QRect();
    move(placeBelow(anchor, frameGeometry().size(), screen->availableGeometry(), owner));
}

void TFastMenu::releaseAnchor() {
    hideSchemeView();
    if (anchor_ != nullptr)
        anchor_->removeCanvasListener(this);
    anchor_ = nullptr;
    for (TEventTranslater* area : modeAreas_)
        area->setTarget(nullptr);
}

void TFastMenu::refreshNavigation() {
    const int id = anchor_ != nullptr ? anchor_->canvasId() : -1;
    const int last = FIRST_CELL_CANVAS_ID + service_.motiveCellCount() - 1;
    flatButtons_[MOVE_TO_LEFT]->setEnabled(id > FIRST_CELL_CANVAS_ID && id <= last);
    flatButtons_[MOVE_TO_RIGHT]->setEnabled(id >= FIRST_CELL_CANVAS_ID && id < last);
}

void TFastMenu::readDesign() {
    // Reading an unharmonised motive would re-mark its notes by drawn chords: its design waits
    // until it has its chords.
    const bool readable = anchor_ != nullptr && anchor_->motive().isHarmonised();
    design_ = readable ? ::readDesign(anchor_->motive(), service_.scheme()) : TDesign{};
}

void TFastMenu::buttonPressed(QWidget* control) {
    if (qobject_cast<TEventTranslater*>(control) != nullptr) {
        // The choice starts from the motive as it is now.
        readDesign();
        return;
    }
    auto* button = qobject_cast<TFlatButtonWithID*>(control);
    if (button == nullptr)
        return;
    if (button->id() < COMMAND_COUNT)
        commandPressed(button->id());
    else
        flatButtonPressed(button->id() - COMMAND_COUNT);
}

void TFastMenu::buttonReleased(QWidget* control) {
    if (qobject_cast<TEventTranslater*>(control) != nullptr) {
        // The choice changed the motive.
        readDesign();
        return;
    }
    auto* button = qobject_cast<TFlatButtonWithID*>(control);
    if (button == nullptr || button->id() >= COMMAND_COUNT)
        return;
    if (pressedCommand_ != nullptr) {
        pressedCommand_->setPressed(false);
        pressedCommand_ = nullptr;
    }
    if (!schemeViewHeld_)
        hideSchemeView();
}

void TFastMenu::commandPressed(int command) {
    service_.selectPanel(0);
    TScheme& scheme = service_.scheme();
    const int shown = scheme.runCommand(command, service_.period().measure(), true);
    pressedCommand_ = commands_[std::size_t(command)];
    if (shown >= 0 && shown < COMMAND_COUNT && shown != command) {
        pressedCommand_ = commands_[std::size_t(shown)];
        pressedCommand_->setPressed(true);
    }
    if (rebuildsMotive(command) && anchor_ != nullptr)
        regenerateAnchor(command);
}

void TFastMenu::regenerateAnchor(int command) {
    TUMotiveCanvas& canvas = *anchor_;
    TMotive& motive = canvas.motive();
    TScheme& scheme = service_.scheme();
    canvas.stopPlayer();
    if (!motive.isHarmonised()) {
        if (!canvas.autoHarmonise()) {
            canvas.update();
            return;
        }
        motive.recomputeChordingFlags();
    }
    readDesign();
    canvas.saveVersion();
    const bool rhythm = !isPitchCommand(command);
    rebuildFromDesign(scheme, motive, design_, rhythm, canvas.contour(),
                      melodyPlace(service_.period(), motive));
    showSchemeView(rhythm ? TFastSchemePanel::RHYTHM : TFastSchemePanel::PITCH);
    canvas.playMotive();
    canvas.update();
}

void TFastMenu::flatButtonPressed(int which) {
    TScheme& scheme = service_.scheme();
    switch (which) {
    case STOP:
        service_.motivePlayer().stop();
        break;
    case MOVE_TO_LEFT:
        if (anchor_ != nullptr)
            service_.fastMenuPrevious(anchor_->canvasId());
        break;
    case MOVE_TO_RIGHT:
        if (anchor_ != nullptr)
            service_.fastMenuNext(anchor_->canvasId());
        break;
    case DELETE_ALL_NOTES:
        service_.motivePlayer().stop();
        if (anchor_ != nullptr) {
            // The notes stay reachable through the canvas's back button.
            anchor_->saveVersion();
            anchor_->motive().clearNotes();
            anchor_->motive().notifyChanged();
            readDesign();
        }
        break;
    case DELETE_ALL_FROM_SCHEME:
        service_.selectPanel(0);
        scheme.clearDurations();
        scheme.clearTurns();
        break;
    case DEFAULT_SCHEME:
        service_.selectPanel(0);
        scheme.defaultDurations();
        scheme.defaultTurns();
        break;
    case RHYTHM_CONTRAST_MOTIVE:
    case PITCH_CONTRAST_MOTIVE:
    case SHOW_RHYTHM_CONTRAST_MOTIVE:
    case SHOW_PITCH_CONTRAST_MOTIVE:
        showContrastMotive(static_cast<FlatButton>(which));
        break;
    case SHOW_RHYTHM_SCHEME:
    case SHOW_PITCH_SCHEME: {
        const int kind =
            which == SHOW_RHYTHM_SCHEME ? TFastSchemePanel::RHYTHM : TFastSchemePanel::PITCH;
        if (!schemeViewHidden_ && schemeView_->kind() == kind && schemeViewHeld_) {
            hideSchemeView();
        } else {
            hideSchemeView();
            showSchemeView(kind);
            schemeViewHeld_ = !schemeViewHidden_;
        }
        break;
    }
    case DROP_FOR_RHYTHM:
    case DROP_FOR_PITCH:
        // From the keyboard: the anchor's motive stands for a dropped one.
        if (anchor_ != nullptr)
            takeScheme(static_cast<FlatButton>(which), anchor_->motive());
        break;
    default:
        break;
    }
}

void TFastMenu::showContrastMotive(FlatButton button) {
    TScheme& scheme = service_.scheme();
    const bool rhythm = button == RHYTHM_CONTRAST_MOTIVE || button == SHOW_RHYTHM_CONTRAST_MOTIVE;
    TMotive& motive = rhythm ? scheme.rhythmContrastMotive() : scheme.pitchContrastMotive();
    QWidget* place = flatButtons_[std::size_t(button)];
    ::showContrastMotive(this, place->mapToGlobal(place->rect().center()), service_, motive);
    refreshContrastFigures();
}

void TFastMenu::motiveDropped(FlatButton target, const TMotiveCanvas* source) {
    if (source == nullptr)
        return;
    const TMotive& motive = source->motive();
    switch (target) {
    case DROP_FOR_RHYTHM:
    case DROP_FOR_PITCH:
        takeScheme(target, motive);
        break;
    case RHYTHM_CONTRAST_MOTIVE:
        service_.scheme().rhythmContrastMotive().copyContent(motive);
        service_.scheme().rhythmContrastMotive().notifyChanged();
        service_.contrastMotivesChanged();
        break;
    case PITCH_CONTRAST_MOTIVE:
        service_.scheme().pitchContrastMotive().copyContent(motive);
        service_.scheme().pitchContrastMotive().notifyChanged();
        service_.contrastMotivesChanged();
        break;
    default:
        break;
    }
    refreshContrastFigures();
}

void TFastMenu::takeScheme(FlatButton target, const TMotive& motive) {
    service_.selectPanel(0);
    if (target == DROP_FOR_RHYTHM)
        service_.takeRhythmFrom(motive);
    else
        service_.takePitchFrom(motive);
}

void TFastMenu::showSchemeView(int kind) {
    if (anchor_ == nullptr)
        return;
    schemeView_->showScheme(kind, &anchor_->motive());
    schemeView_->show();
    schemeView_->raise();
    if (!schemeViewHidden_)
        return;
    schemeViewHidden_ = false;
    anchor_->setPlayingListener(this);
    anchor_->setKeepOwnVersion(true);
    savedMode_ = anchor_->modeNumber();
    anchor_->setMode(TUMotiveCanvas::MODE_EDIT);
}

void TFastMenu::hideSchemeView() {
    schemeViewHeld_ = false;
    if (schemeViewHidden_)
        return;
    schemeViewHidden_ = true;
    schemeView_->hide();
    schemeView_->showScheme(schemeView_->kind(), nullptr);
    if (anchor_ == nullptr)
        return;
    anchor_->setPlayingListener(nullptr);
    anchor_->setKeepOwnVersion(false);
    anchor_->setMode(savedMode_);
}

void TFastMenu::noteStarted(int noteIndex) {
    if (!schemeViewHidden_)
        schemeView_->lightNote(noteIndex);
}

void TFastMenu::motiveStarted() {
    schemeView_->lightElement(-1);
}

void TFastMenu::motiveFinished() {
    schemeView_->lightElement(-1);
}

void TFastMenu::playbackFinished() {
    schemeView_->lightElement(-1);
}

void TFastMenu::showRhythmSelection(int, int) {
    // A choice is writing the anchor's notes: the view follows them.
    if (!schemeViewHidden_)
        schemeView_->showScheme(schemeView_->kind(), schemeView_->motive());
}

void TFastMenu::showTurnSelection(int) {
    if (!schemeViewHidden_)
        schemeView_->showScheme(schemeView_->kind(), schemeView_->motive());
}

void TFastMenu::motiveHarmonised(TUMotiveCanvas* canvas) {
    if (canvas == anchor_)
        readDesign();
}

void TFastMenu::motiveEditStarted(TUMotiveCanvas* canvas) {
    if (canvas == anchor_)
        readDesign();
}

void TFastMenu::mousePressEvent(QMouseEvent* event) {
    // A click on the scheme view put up by a show button takes it away.
    if (!schemeViewHidden_ && schemeView_->geometry().contains(event->position().toPoint())) {
        hideSchemeView();
        return;
    }
    QWidget::mousePressEvent(event);
}

void TFastMenu::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshContrastFigures();
    // Its frame is known once shown: the menu stays whole on the screen.
    placeBelowAnchor();
    emit opened();
}

void TFastMenu::hideEvent(QHideEvent* event) {
    hideSchemeView();
    QWidget::hideEvent(event);
}

void TFastMenu::closeEvent(QCloseEvent* event) {
    hideSchemeView();
    QWidget::closeEvent(event);
    // The program's own closing (the session's end) is no choice of the user's.
    if (event->spontaneous())
        emit closed();
}
