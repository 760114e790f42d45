#include "canvas/umotivemodes.h"

#include "canvas/umotivecanvas.h"

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

void TSGIBaseUMInterface::mouseDown(const TShiftState&, int, int) {}

void TSGIBaseUMInterface::mouseMove(const TShiftState&, int, int) {}

void TSGIBaseUMInterface::mouseUp() {
    pressed_ = false;
}

void TSGIBaseUMInterface::paint(QPainter& painter) {
    paintStandardPicture(canvas_, painter);
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
