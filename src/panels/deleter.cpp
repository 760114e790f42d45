#include "panels/deleter.h"

#include "model/glyphatlas.h"
#include "panels/gatherer.h"
#include "widgets/buttons.h"
#include "widgets/dragged.h"

#include <QDragEnterEvent>
#include <QPainter>

namespace {

constexpr int FIRST_GLYPH_X = 6;
constexpr int GLYPH_GAP = 3;

TGatherer* gathererOf(const QWidget* source) {
    const auto* item = qobject_cast<const TGroupButton*>(source);
    return item != nullptr ? qobject_cast<TGatherer*>(item->parentWidget()) : nullptr;
}

QWidget* draggedSource(const QMimeData* data) {
    TDragged* dragged = TDragged::draggedFrom(data);
    return dragged != nullptr ? dragged->source() : nullptr;
}

} // namespace

TDeleter::TDeleter(QWidget* owner) : QWidget(owner) {
    setAcceptDrops(true);
    resize(width(), HEIGHT);
}

bool TDeleter::accepts(const QWidget* source) {
    return gathererOf(source) != nullptr;
}

void TDeleter::dropped(QWidget* source) {
    if (TGatherer* gatherer = gathererOf(source))
        gatherer->deleteWithSelection(qobject_cast<TGroupButton*>(source));
}

void TDeleter::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawBevel(painter, rect(), false);
    const TRect glyph = glyphRect(TGlyph::Delete);
    for (int x = FIRST_GLYPH_X; x + glyph.width() + GLYPH_GAP <= width();
         x += glyph.width() + GLYPH_GAP)
        drawGlyphCentred(painter, glyph, QRect(x, 0, glyph.width(), height()), true);
}

void TDeleter::dragEnterEvent(QDragEnterEvent* event) {
    if (accepts(draggedSource(event->mimeData())))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TDeleter::dragMoveEvent(QDragMoveEvent* event) {
    if (accepts(draggedSource(event->mimeData())))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TDeleter::dropEvent(QDropEvent* event) {
    QWidget* source = draggedSource(event->mimeData());
    if (!accepts(source)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    dropped(source);
}
