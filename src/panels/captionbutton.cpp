#include "panels/captionbutton.h"

#include <QPainter>

TCaptionButton::TCaptionButton(QWidget* owner, TFlatGroup* group, const QString& caption,
                               const QString& hint, int id)
    : TFlatButtonWithID(owner, group, {}, {}, id), caption_(caption) {
    setToolTip(hint);
    setAccessibleName(caption);
    resize(sizeHint());
}

QSize TCaptionButton::sizeHint() const {
    return {std::max(44, fontMetrics().horizontalAdvance(caption_) + 16), HEIGHT};
}

void TCaptionButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool enabled = isEnabled();
    const bool sunken = isPressed() && enabled;
    // Raised even when not hot: a caption on a flat face would not read as a button.
    drawBevel(painter, rect(), sunken);
    painter.setPen(
        palette().color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(sunken ? rect().translated(1, 1) : rect(), Qt::AlignCenter, caption_);
    drawFocusMark(painter, rect());
}
