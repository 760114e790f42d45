#include "widgets/dragged.h"

#include "widgets/buttons.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMouseEvent>
#include <QPainter>

const char* const TDragged::MIME_TYPE = "application/x-tonaria-dragged";

TDraggedMimeData::TDraggedMimeData(TDragged* dragged) : dragged_(dragged) {
    setData(TDragged::MIME_TYPE,
            QByteArray::number(static_cast<qulonglong>(reinterpret_cast<quintptr>(dragged))));
}

TDragged::TDragged(QWidget* parent, QWidget* source) : QWidget(parent), source_(source) {
    setFixedWidth(WIDTH);
    setAcceptDrops(true);
    setCursor(Qt::OpenHandCursor);
}

TDragged* TDragged::draggedFrom(const QMimeData* data) {
    const auto* payload = qobject_cast<const TDraggedMimeData*>(data);
    return payload ? payload->dragged() : nullptr;
}

void TDragged::drawHandle(QPainter& painter, const QRect& area) {
    drawBevel(painter, area, false);
    const int gripHeight = 11;
    const QRect grip(area.left() + (area.width() - 3) / 2,
                     area.top() + (area.height() - gripHeight) / 2, 3, gripHeight);
    painter.setPen(Qt::white);
    painter.drawLine(grip.topLeft(), grip.bottomLeft());
    painter.drawLine(grip.topLeft(), grip.topRight());
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawLine(grip.topRight(), grip.bottomRight());
    painter.drawLine(grip.bottomLeft(), grip.bottomRight());
}

void TDragged::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawHandle(painter, rect());
}

void TDragged::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    pressAt_ = event->position().toPoint();
}

void TDragged::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_ || !(event->buttons() & Qt::LeftButton))
        return;
    if ((event->position().toPoint() - pressAt_).manhattanLength() <
        QApplication::startDragDistance())
        return;
    pressed_ = false;
    auto* drag = new QDrag(this);
    drag->setMimeData(new TDraggedMimeData(this));
    drag->setPixmap(grab());
    drag->setHotSpot(pressAt_);
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
}

void TDragged::dragEnterEvent(QDragEnterEvent* event) {
    if (draggedFrom(event->mimeData()) == this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TDragged::dragMoveEvent(QDragMoveEvent* event) {
    if (draggedFrom(event->mimeData()) == this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TDragged::dropEvent(QDropEvent* event) {
    // A handle dropped onto itself does nothing.
    event->acceptProposedAction();
}
