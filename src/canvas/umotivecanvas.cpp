#include "canvas/umotivecanvas.h"

#include "canvas/canvascursors.h"
#include "canvas/editmode.h"
#include "canvas/fastmenuinterface.h"
#include "canvas/lightmode.h"
#include "canvas/messagewindow.h"
#include "canvas/umotivemodes.h"
#include "engine/periodharmonisation.h"
#include "engine/scheme.h"
#include "engine/variantmodel.h"
#include "model/glyphatlas.h"
#include "model/notelist.h"
#include "model/schemechords.h"
#include "playback/midibackend.h"
#include "playback/motiveplayer.h"
#include "widgets/dragged.h"

#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {

TShiftState shiftOf(const QMouseEvent* event, bool doubleClick = false) {
    return {(event->buttons() | event->button()).testFlag(Qt::RightButton), doubleClick,
            event->modifiers()};
}

TRealButton* smallButton(QWidget* owner, TGlyph enabled, TGlyph disabled, const QRect& at) {
    auto* button = new TRealButton(owner, glyphRect(enabled), glyphRect(disabled), false,
                                   TRealButton::GLYPH_TRANSPARENT);
    button->setGeometry(at);
    // Painted into the canvas picture and hit-tested by the canvas.
    button->hide();
    return button;
}

} // namespace

TUMotiveCanvas::TUMotiveCanvas(QWidget* parent, TCanvasService& service, TMotive& motive)
    : TMotiveCanvas(parent, motive, &service.motivePlayer()), service_(service), history_(motive),
      messageEntry_(service.messageWindow(), *this, canvasSerial()) {
    canvasPlayerListener().postTo(&service.messageWindow());
    modes_[MODE_CHORD_AND_NOTE] = std::make_unique<TChordAndNoteUMInterface>(*this);
    modes_[MODE_EDIT] = std::make_unique<TEditUMInterface>(*this);
    modes_[MODE_NEW_CHORD] = std::make_unique<TNewChordUMInterface>(*this);
    modes_[MODE_CHORD] = std::make_unique<TChordUMInterface>(*this);
    modes_[MODE_DELETE] = std::make_unique<TDeleteUMInterface>(*this);
    modes_[MODE_LIGHT] = std::make_unique<TLightUMInterface>(*this);
    modes_[MODE_PLAY] = std::make_unique<TPlayUMInterface>(*this);
    noteMode_ = std::make_unique<TNoteUMInterface>(*this);

    backButton_ = smallButton(this, TGlyph::Back, TGlyph::BackDisabled, BACK_BUTTON);
    forwardButton_ = smallButton(this, TGlyph::Forward, TGlyph::ForwardDisabled, FORWARD_BUTTON);
    fastMenuButton_ =
        smallButton(this, TGlyph::FastMenu, TGlyph::FastMenuDisabled, FAST_MENU_BUTTON);
    for (TRealButton* button : {backButton_, forwardButton_, fastMenuButton_})
        button->setListener(this);

    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    selectMode(MODE_EDIT);
}

TUMotiveCanvas::~TUMotiveCanvas() {
    // A choice still open must not outlive its model.
    if (variantModel_ != nullptr) {
        if (TColorPanelListener* display = service_.variantDisplay())
            display->close();
    }
}

void TUMotiveCanvas::setVariantModel(std::unique_ptr<TVariantModel> model) {
    variantModel_ = std::move(model);
}

void TUMotiveCanvas::destroyVariantModel() {
    variantModel_.reset();
}

QPoint TUMotiveCanvas::variantPopupPoint() const {
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    const int screenWidth = shown ? shown->geometry().right() + 1 : 1024;
    return variantPopupPosition(QRect(mapToGlobal(QPoint(0, 0)), size()),
                                service_.variantWindowWidth(), screenWidth);
}

void TUMotiveCanvas::choiceAbandoned() {
    if (!pointerPressed_)
        return;
    pressedMode().mouseUp();
    endPress();
    if (modeNumber_ == MODE_EDIT)
        refreshCursor();
}

void TUMotiveCanvas::choiceCancelled() {
    if (!pointerPressed_)
        return;
    pressedMode().cancelPress();
    endPress();
    if (variantModel_ != nullptr) {
        if (TColorPanelListener* display = service_.variantDisplay())
            display->close();
        destroyVariantModel();
    }
    stopPlayer();
    if (beforePress_) {
        history_.restore(*beforePress_);
        beforePress_.reset();
        motive().notifyChanged();
    }
    refreshCursor();
    update();
}

void TUMotiveCanvas::selectMode(int number) {
    if (number == MODE_NOTE)
        mode_ = noteMode_.get();
    else if (number >= 0 && number < MODE_COUNT)
        mode_ = modes_[static_cast<std::size_t>(number)].get();
    else
        return;
    modeNumber_ = number;
    cursorId_ = mode_->cursorId();
    setCursor(canvasCursor(cursorId_));
}

void TUMotiveCanvas::setMode(int number) {
    if (number == modeNumber_ || ((number < 0 || number >= MODE_COUNT) && number != MODE_NOTE))
        return;
    selectMode(number);
    update();
}

void TUMotiveCanvas::addCanvasListener(TUMotiveCanvasListener* listener) {
    canvasListeners_.push_back(listener);
}

void TUMotiveCanvas::removeCanvasListener(TUMotiveCanvasListener* listener) {
    std::erase(canvasListeners_, listener);
}

void TUMotiveCanvas::setShowSmallButtons(bool show) {
    showSmallButtons_ = show;
    update();
}

void TUMotiveCanvas::setShowFastMenuButton(bool show) {
    showFastMenuButton_ = show;
    update();
}

void TUMotiveCanvas::enableDrop(bool enable) {
    dropEnabled_ = enable;
    setAcceptDrops(enable);
    update();
}

bool TUMotiveCanvas::saveVersion() {
    const bool saved = history_.saveVersion();
    afterHistoryChange();
    return saved;
}

void TUMotiveCanvas::clearHistory() {
    history_.clear();
    afterHistoryChange();
}

bool TUMotiveCanvas::showVersion(int id) {
    const bool shown = history_.showVersion(id);
    afterHistoryChange();
    return shown;
}

void TUMotiveCanvas::afterHistoryChange() {
    // The buttons read their enabled state from the history when they are drawn.
    update();
}

bool TUMotiveCanvas::autoHarmonise() {
    const TMotiveAndListenerPair strip = service_.contextMotive(motive());
    const TMotiveContext context{strip.motive, -1, strip.code};
    harmoniseMotive(motive(), service_.period(), context, schemeChordTypeNames(),
                    service_.scheme().random(), service_.schoolHarmony());
    return motive().isHarmonised();
}

void TUMotiveCanvas::noteStarted(int motiveId, int noteIndex) {
    if (motiveReleased() || pointerPressed_ || service_.variantWindowBusy())
        return;
    if (keepOwnVersion_ && motiveId != motive().id())
        return;
    if (!showVersion(motiveId))
        return;
    TNoteList& notes = motive().notes();
    if (noteIndex >= 0 && noteIndex < static_cast<int>(notes.size()))
        notes[static_cast<std::size_t>(noteIndex)].setHighlighted(true);
    update();
    if (playingListener_)
        playingListener_->noteStarted(noteIndex);
}

void TUMotiveCanvas::noteFinished(int motiveId, int noteIndex) {
    if (motiveReleased() || motiveId != motive().id())
        return;
    TNoteList& notes = motive().notes();
    if (noteIndex >= 0 && noteIndex < static_cast<int>(notes.size()))
        notes[static_cast<std::size_t>(noteIndex)].setHighlighted(false);
    update();
}

void TUMotiveCanvas::buttonPressed(QWidget* button) {
    if (button == fastMenuButton_) {
        if (TFastMenuInterface* menu = service_.fastMenu())
            menu->showFor(this);
        return;
    }
    bool moved = false;
    if (button == backButton_)
        moved = history_.back();
    else if (button == forwardButton_)
        moved = history_.forward();
    if (moved)
        motive().notifyChanged();
    afterHistoryChange();
}

void TUMotiveCanvas::fireMotiveHarmonised() {
    for (TUMotiveCanvasListener* listener : canvasListeners_)
        listener->motiveHarmonised(this);
}

void TUMotiveCanvas::fireMotiveEditStarted() {
    for (TUMotiveCanvasListener* listener : canvasListeners_)
        listener->motiveEditStarted(this);
}

void TUMotiveCanvas::firePointerMoved() {
    for (TUMotiveCanvasListener* listener : canvasListeners_)
        listener->pointerMoved(this);
}

void TUMotiveCanvas::refreshCursor() {
    cursorId_ = mode_->cursorId();
    setCursor(canvasCursor(cursorId_));
}

void TUMotiveCanvas::refreshCursorAt(const QPoint& at) {
    const int id = modeForPress(at).cursorId();
    if (id == cursorId_)
        return;
    cursorId_ = id;
    setCursor(canvasCursor(id));
}

TUMotiveInterface& TUMotiveCanvas::modeForPress(const QPoint& at) {
    if (staffChoosesNotes_ && at.y() < TCanvasGeometry::CHORD_STRIP_TOP && motive().isHarmonised())
        return *noteMode_;
    return *mode_;
}

void TUMotiveCanvas::endPress() {
    pointerPressed_ = false;
    pressMode_ = nullptr;
}

void TUMotiveCanvas::stopPlayer() {
    service_.motivePlayer().stop();
}

void TUMotiveCanvas::playMotive() {
    try {
        service_.motivePlayer().play(motive(), playerListener());
    } catch (const TMidiError&) {
        // Without a timer nothing sounds; the edit itself stands.
    }
}

void TUMotiveCanvas::playInContext() {
    try {
        service_.playInContext(motive(), playerListener());
    } catch (const TMidiError&) {
    }
}

bool TUMotiveCanvas::fastMenuButtonShown() const {
    return showFastMenuButton_ && service_.fastMenu() != nullptr;
}

TRealButton* TUMotiveCanvas::buttonAt(const QPoint& at) const {
    if (!showSmallButtons_)
        return nullptr;
    if (BACK_BUTTON.contains(at))
        return backButton_;
    if (FORWARD_BUTTON.contains(at))
        return forwardButton_;
    if (fastMenuButtonShown() && FAST_MENU_BUTTON.contains(at))
        return fastMenuButton_;
    return nullptr;
}

void TUMotiveCanvas::releaseButtons() {
    for (TRealButton* button : {backButton_, forwardButton_, fastMenuButton_})
        button->setPressed(false);
}

void TUMotiveCanvas::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (TRealButton* button = buttonAt(at)) {
        smallButtonHeld_ = true;
        const bool enabled = button == backButton_      ? backEnabled()
                             : button == forwardButton_ ? forwardEnabled()
                                                        : true;
        if (enabled) {
            button->setPressed(true);
            update();
            buttonPressed(button);
        }
        return;
    }
    translatedPress(shiftOf(event), at);
}

void TUMotiveCanvas::translatedPress(const TShiftState& shift, const QPoint& at) {
    pointerPressed_ = true;
    clearHighlights(motive().notes());
    beforePress_ = history_.snapshot();
    pressMode_ = &modeForPress(at);
    pressMode_->mouseDown(shift, at.x(), at.y());
}

void TUMotiveCanvas::translatedMove(const TShiftState& shift, const QPoint& at) {
    pressedMode().mouseMove(shift, at.x(), at.y());
}

void TUMotiveCanvas::translatedRelease() {
    if (modeNumber_ == MODE_EDIT)
        refreshCursor();
    pressedMode().mouseUp();
    endPress();
}

void TUMotiveCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (smallButtonHeld_)
        return;
    const QPoint at = event->position().toPoint();
    if (staffChoosesNotes_ && pressMode_ == nullptr)
        refreshCursorAt(at);
    pressedMode().mouseMove(shiftOf(event), at.x(), at.y());
}

void TUMotiveCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (modeNumber_ == MODE_EDIT)
        refreshCursor();
    if (smallButtonHeld_) {
        releaseButtons();
        update();
        smallButtonHeld_ = false;
        return;
    }
    pressedMode().mouseUp();
    endPress();
    // A chord chosen just now lets the staff choose notes.
    if (staffChoosesNotes_)
        refreshCursorAt(event->position().toPoint());
}

void TUMotiveCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click: the modes see it as a press marked double.
    const QPoint at = event->position().toPoint();
    if (buttonAt(at)) {
        smallButtonHeld_ = true;
        return;
    }
    pointerPressed_ = true;
    beforePress_ = history_.snapshot();
    pressMode_ = &modeForPress(at);
    pressMode_->mouseDown(shiftOf(event, true), at.x(), at.y());
    pressMode_->doubleClick();
}

namespace {

// The canvas a drag carries, when it is a motive canvas.
TMotiveCanvas* draggedCanvas(const QMimeData* data) {
    TDragged* dragged = TDragged::draggedFrom(data);
    return dragged ? qobject_cast<TMotiveCanvas*>(dragged->source()) : nullptr;
}

} // namespace

void TUMotiveCanvas::dragEnterEvent(QDragEnterEvent* event) {
    if (dropEnabled_ && draggedCanvas(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TUMotiveCanvas::dragMoveEvent(QDragMoveEvent* event) {
    if (dropEnabled_ && draggedCanvas(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TUMotiveCanvas::dropEvent(QDropEvent* event) {
    TMotiveCanvas* source = draggedCanvas(event->mimeData());
    if (!dropEnabled_ || !source) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // A display canvas is accepted but gives nothing; a canvas dropped on itself neither.
    auto* editor = qobject_cast<TUMotiveCanvas*>(source);
    if (!editor || editor == this)
        return;
    stopPlayer();
    saveVersion();
    motive().copyContent(editor->motive());
    motive().notifyChanged();
    fireMotiveEditStarted();
    if (modeNumber_ == MODE_EDIT)
        refreshCursor();
}

const TLights& TUMotiveCanvas::contour() const {
    return static_cast<const TLightUMInterface&>(*modes_[MODE_LIGHT]).beacons();
}

void TUMotiveCanvas::forgetEditPosition() {
    static_cast<TEditUMInterface&>(*modes_[MODE_EDIT]).forgetEditPosition();
    update();
}

void TUMotiveCanvas::draw(QPainter& painter) {
    mode_->paint(painter);
}

void TUMotiveCanvas::drawDecorations(QPainter& painter) {
    if (dropEnabled_) {
        const TRect glyph = glyphRect(TGlyph::DragHandle);
        const QRect at(width() - glyph.width() - 3, 150 - glyph.height(), glyph.width(),
                       glyph.height());
        drawGlyphCentred(painter, glyph, at, true);
    }
    if (!showSmallButtons_)
        return;
    backButton_->draw(painter, BACK_BUTTON.x(), BACK_BUTTON.y(), backEnabled());
    forwardButton_->draw(painter, FORWARD_BUTTON.x(), FORWARD_BUTTON.y(), forwardEnabled());
    if (fastMenuButtonShown())
        fastMenuButton_->draw(painter, FAST_MENU_BUTTON.x(), FAST_MENU_BUTTON.y(), true);
}
