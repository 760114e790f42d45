#include "panels/eventtranslater.h"

#include "canvas/umotivecanvas.h"
#include "panels/picturebutton.h"
#include "widgets/buttons.h"
#include "widgets/drawing.h"

#include <QMouseEvent>
#include <QPainter>

TEventTranslater::TEventTranslater(QWidget* owner, int mode, std::vector<TRect> glyphs)
    : QWidget(owner), mode_(mode), glyphs_(std::move(glyphs)) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void TEventTranslater::setListeners(TButtonListener* pressed, TButtonReleasedListener* released) {
    pressListener_ = pressed;
    releaseListener_ = released;
}

void TEventTranslater::setHint(const QString& text) {
    setToolTip(text);
    setAccessibleName(text);
}

QPoint TEventTranslater::toCanvas(const QPoint& at) const {
    return at - (target_->mapToGlobal(QPoint(0, 0)) - mapToGlobal(QPoint(0, 0)));
}

namespace {

TShiftState shiftOf(const QMouseEvent* event) {
    return {(event->buttons() | event->button()).testFlag(Qt::RightButton), false,
            event->modifiers()};
}

} // namespace

void TEventTranslater::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton || pressed_ || target_ == nullptr)
        return;
    if (pressListener_ != nullptr)
        pressListener_->buttonPressed(this);
    if (target_ == nullptr)
        return;
    restoreMode_ = target_->modeNumber();
    target_->setMode(mode_);
    pressed_ = true;
    update();
    target_->translatedPress(shiftOf(event), toCanvas(event->position().toPoint()));
}

void TEventTranslater::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_ || target_ == nullptr)
        return;
    target_->translatedMove(shiftOf(event), toCanvas(event->position().toPoint()));
}

void TEventTranslater::mouseReleaseEvent(QMouseEvent* event) {
    if (!pressed_ || event->button() == Qt::RightButton)
        return;
    pressed_ = false;
    update();
    if (target_ != nullptr) {
        target_->translatedRelease();
        target_->setMode(restoreMode_);
    }
    if (releaseListener_ != nullptr)
        releaseListener_->buttonReleased(this);
}

void TEventTranslater::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click starts a choice as the first one did.
    mousePressEvent(event);
}

void TEventTranslater::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    drawBevel(painter, area, pressed_);
    TButtonPicture picture;
    picture.glyphs = glyphs_;
    const QRect face = area.adjusted(2, 2, -2, -2).translated(pressed_ ? 1 : 0, pressed_ ? 1 : 0);
    drawButtonPicture(painter, picture, face, isEnabled());
    if (hasFocus()) {
        QPen pen(Qt::black);
        pen.setStyle(Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(area.adjusted(2, 2, -3, -3));
    }
}
