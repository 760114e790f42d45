#include "panels/motivedropbutton.h"

#include "canvas/motivecanvas.h"
#include "widgets/dragged.h"

#include <QDropEvent>

TMotiveDropButton::TMotiveDropButton(QWidget* owner, TFlatGroup* group, const TRect& glyph, int id)
    : TFlatButtonWithID(owner, group, glyph, glyph, id) {
    setAcceptDrops(true);
}

TMotiveCanvas* TMotiveDropButton::motiveCanvasOf(const QMimeData* data) {
    TDragged* dragged = TDragged::draggedFrom(data);
    return dragged != nullptr ? qobject_cast<TMotiveCanvas*>(dragged->source()) : nullptr;
}

void TMotiveDropButton::dragEnterEvent(QDragEnterEvent* event) {
    if (isEnabled() && motiveCanvasOf(event->mimeData()) != nullptr)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TMotiveDropButton::dragMoveEvent(QDragMoveEvent* event) {
    if (isEnabled() && motiveCanvasOf(event->mimeData()) != nullptr)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TMotiveDropButton::dropEvent(QDropEvent* event) {
    TMotiveCanvas* source = isEnabled() ? motiveCanvasOf(event->mimeData()) : nullptr;
    if (source == nullptr) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit motiveDropped(source);
}
