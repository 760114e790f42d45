#include "canvas/umotivemodes.h"

#include "canvas/umotivecanvas.h"
#include "engine/variantmodel.h"

#include <algorithm>

void paintStandardPicture(TUMotiveCanvas& canvas, QPainter& painter) {
    canvas.drawMotivePicture(painter);
    canvas.drawDecorations(painter);
}

QPoint variantPopupPosition(const QRect& canvasOnScreen, int windowWidth, int screenWidth) {
    const int left = canvasOnScreen.left();
    const int right = left + canvasOnScreen.width();
    const int top = canvasOnScreen.top() + canvasOnScreen.height() - 27;
    if (right + windowWidth <= screenWidth)
        return {right, top};
    const int leftOfCanvas = std::max(left - windowWidth, 0);
    const int coveredLeft = std::max(windowWidth - left, 0);
    const int flushRight = screenWidth - windowWidth;
    const int coveredRight = right + windowWidth - screenWidth;
    return {coveredLeft < coveredRight ? leftOfCanvas : flushRight, top};
}

bool carryUpbeatChord(TMotive& motive, const TMotive* preceding) {
    if (preceding == nullptr || motive.zatakt() <= 0 || preceding->chords().empty())
        return false;
    TChord carried = preceding->chords().back();
    carried.setTime(0);
    motive.chords().push_back(carried);
    motive.notifyChanged();
    return true;
}

void TSGIBaseUMInterface::mouseDown(const TShiftState& shift, int, int) {
    if (shift.rightButton)
        return;
    canvas_.stopPlayer();
    canvas_.saveVersion();
    pressed_ = true;
    canvas_.fireMotiveEditStarted();
    buildVariantModel();
    TColorPanelListener* display = canvas_.service().variantDisplay();
    if (display == nullptr || canvas_.variantModel() == nullptr)
        return;
    const QPoint at = canvas_.variantPopupPoint();
    display->setChoiceOwner(&canvas_);
    display->open(canvas_.service().scheme(), *canvas_.variantModel(), at.x(), at.y());
}

void TSGIBaseUMInterface::mouseMove(const TShiftState& shift, int x, int y) {
    if (!pressed_)
        return;
    if (TColorPanelListener* display = canvas_.service().variantDisplay()) {
        const QPoint at = canvas_.mapToGlobal(QPoint(x, y));
        display->track(shift, at.x(), at.y());
    }
}

void TSGIBaseUMInterface::mouseUp() {
    if (!pressed_)
        return;
    pressed_ = false;
    if (TColorPanelListener* display = canvas_.service().variantDisplay())
        display->close();
    canvas_.destroyVariantModel();
    afterChoice();
    canvas_.playInContext();
}

void TSGIBaseUMInterface::paint(QPainter& painter) {
    paintStandardPicture(canvas_, painter);
}

namespace {

TMotiveAndListenerPair contextOf(TUMotiveCanvas& canvas) {
    return canvas.service().contextMotive(canvas.motive());
}

} // namespace

void TChordAndNoteUMInterface::buildVariantModel() {
    TMotive& motive = canvas_.motive();
    const TMotiveAndListenerPair context = contextOf(canvas_);
    motive.clearAll();
    carryUpbeatChord(motive, context.motive);
    canvas_.setVariantModel(std::make_unique<TMotiveVariantModel>(
        &motive, context.motive, motive.upbeatStart(), static_cast<std::uint8_t>(context.code),
        canvas_.noteVariantFlag(), true));
}

void TNoteUMInterface::buildVariantModel() {
    TMotive& motive = canvas_.motive();
    const TMotiveAndListenerPair context = contextOf(canvas_);
    const bool harmonised = motive.isHarmonised();
    if (harmonised) {
        motive.clearNotes();
    } else {
        motive.clearAll();
        carryUpbeatChord(motive, context.motive);
    }
    canvas_.setVariantModel(std::make_unique<TMotiveVariantModel>(
        &motive, context.motive, motive.upbeatStart(), static_cast<std::uint8_t>(context.code),
        canvas_.noteVariantFlag(), !harmonised));
}

void TChordUMInterface::buildVariantModel() {
    TMotive& motive = canvas_.motive();
    const TMotiveAndListenerPair context = contextOf(canvas_);
    motive.clearChords();
    const bool carried = carryUpbeatChord(motive, context.motive);
    const int start = carried ? motive.ticksPerMeasure() : motive.upbeatStart();
    canvas_.setVariantModel(std::make_unique<TRawVariantModel>(
        &motive, context.motive, start, static_cast<std::uint8_t>(context.code)));
}

void TChordUMInterface::afterChoice() {
    canvas_.fireMotiveHarmonised();
    canvas_.motive().recomputeChordingFlags();
}

void TNewChordUMInterface::buildVariantModel() {
    TMotive& motive = canvas_.motive();
    const TMotiveAndListenerPair context = contextOf(canvas_);
    motive.clearAll();
    const bool carried = carryUpbeatChord(motive, context.motive);
    const int start = carried ? motive.ticksPerMeasure() : motive.upbeatStart();
    canvas_.setVariantModel(std::make_unique<TChordMotiveVariantModel>(
        &motive, context.motive, start, static_cast<std::uint8_t>(context.code)));
}

void TNewChordUMInterface::afterChoice() {
    canvas_.fireMotiveHarmonised();
}

void TDeleteUMInterface::mouseDown(const TShiftState& shift, int x, int y) {
    pressed_ = true;
    canvas_.stopPlayer();
    canvas_.saveVersion();
    mouseMove(shift, x, y);
}

void TDeleteUMInterface::mouseMove(const TShiftState&, int x, int) {
    if (!pressed_)
        return;
    const int time = canvas_.canvasGeometry().xToTime(x);
    TNoteList& notes = canvas_.motive().notes();
    const auto found =
        std::find_if(notes.begin(), notes.end(), [&](const TNote& n) { return n.time() == time; });
    if (found == notes.end())
        return;
    notes.erase(found);
    // Only this canvas shows the change; the motive is not told.
    canvas_.update();
}

void TDeleteUMInterface::paint(QPainter& painter) {
    paintStandardPicture(canvas_, painter);
}

void TPlayUMInterface::mouseDown(const TShiftState&, int, int) {
    canvas_.playMotive();
}

void TPlayUMInterface::paint(QPainter& painter) {
    paintStandardPicture(canvas_, painter);
}
