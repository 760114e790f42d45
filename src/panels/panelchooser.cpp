#include "panels/panelchooser.h"

#include "model/glyphatlas.h"
#include "widgets/buttons.h"

#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include <utility>

namespace {

constexpr int CAPTION_LEFT = 4;
constexpr int MARK_GAP = 2;

} // namespace

TPanelChooser::TPanelChooser(QWidget* parent, const QString& caption, const QString& hint,
                             TPanelSource panel, int mode)
    : QAbstractButton(parent), panel_(std::move(panel)), mode_(mode) {
    setText(caption);
    setToolTip(hint);
    setAccessibleName(caption);
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    resize(sizeHint());
    connect(this, &QAbstractButton::clicked, this, [this] {
        // A click on a pressed chooser leaves it as it is (nextCheckState keeps it checked).
        if (listener_)
            listener_->buttonPressed(this);
    });
}

void TPanelChooser::setPressed(bool pressed) {
    setChecked(pressed);
    update();
}

void TPanelChooser::setDropInterface(TChooserDropInterface* drop) {
    drop_ = drop;
}

QSize TPanelChooser::sizeHint() const {
    const int mark = showsDropMark_ ? glyphRect(TGlyph::DragHandle).width() + MARK_GAP : 0;
    return {fontMetrics().horizontalAdvance(text()) + mark + 8, HEIGHT};
}

void TPanelChooser::nextCheckState() {
    if (!isChecked())
        setChecked(true);
}

void TPanelChooser::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (event->modifiers() == Qt::NoModifier && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        if (!event->isAutoRepeat())
            click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void TPanelChooser::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool sunken = isChecked() || isDown();
    drawBevel(painter, rect(), sunken);
    const QRect face = sunken ? rect().translated(1, 1) : rect();
    const int textWidth = fontMetrics().horizontalAdvance(text());
    painter.setPen(isEnabled() ? palette().color(QPalette::ButtonText)
                               : palette().color(QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(QRect(face.left() + CAPTION_LEFT, face.top(), textWidth, face.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, text());
    if (showsDropMark_) {
        const TRect mark = glyphRect(TGlyph::DragHandle);
        const QRect area(face.left() + CAPTION_LEFT + textWidth + MARK_GAP, face.top(),
                         mark.width(), face.height());
        drawGlyphCentred(painter, mark, area, true);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void TPanelChooser::dragEnterEvent(QDragEnterEvent* event) {
    if (drop_ && drop_->acceptsDrop(this, event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TPanelChooser::dragMoveEvent(QDragMoveEvent* event) {
    if (drop_ && drop_->acceptsDrop(this, event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TPanelChooser::dropEvent(QDropEvent* event) {
    if (!drop_ || !drop_->acceptsDrop(this, event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    drop_->dropped(this, event->mimeData());
}
