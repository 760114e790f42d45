#include "canvas/canvascursors.h"

#include "canvas/umotiveinterface.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <map>

namespace {

constexpr int SIZE = 32;

// A black shape with a white outline reads on the white staff and on the grey strip alike.
void outlined(QPainter& painter, const QPainterPath& path, const QColor& fill = Qt::black) {
    painter.setPen(QPen(Qt::white, 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(fill);
    painter.drawPath(path);
}

QPainterPath arrow() {
    QPainterPath path;
    path.moveTo(1, 1);
    path.lineTo(1, 15);
    path.lineTo(5, 11);
    path.lineTo(8, 17);
    path.lineTo(10, 16);
    path.lineTo(7, 10);
    path.lineTo(12, 10);
    path.closeSubpath();
    return path;
}

// A note head with its stem, the head centred at (x, y).
QPainterPath note(double x, double y) {
    QPainterPath path;
    path.addEllipse(QPointF(x, y), 4.0, 3.0);
    path.addRect(x + 3, y - 13, 1.2, 13);
    return path;
}

QPainterPath chordHeads(double x, double y) {
    QPainterPath path;
    for (int i = 0; i < 3; ++i)
        path.addEllipse(QPointF(x, y - 5.0 * i), 4.0, 2.6);
    return path;
}

QCursor drawCursor(int id) {
    QPixmap pixmap(SIZE, SIZE);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPoint hotSpot(1, 1);
    switch (id) {
    case CURSOR_PLAY: {
        QPainterPath triangle;
        triangle.moveTo(4, 2);
        triangle.lineTo(20, 11);
        triangle.lineTo(4, 20);
        triangle.closeSubpath();
        outlined(painter, triangle, QColor(0x20, 0x90, 0x30));
        hotSpot = QPoint(4, 2);
        break;
    }
    case CURSOR_INOTE:
        outlined(painter, arrow());
        outlined(painter, note(19, 24));
        break;
    case CURSOR_ICHORD:
        outlined(painter, arrow());
        outlined(painter, chordHeads(20, 27), QColor(0x30, 0x50, 0xC0));
        break;
    case CURSOR_ICHNOTE:
        outlined(painter, arrow());
        outlined(painter, note(16, 20));
        outlined(painter, chordHeads(25, 29), QColor(0x30, 0x50, 0xC0));
        break;
    case CURSOR_ICHFNOTE: {
        outlined(painter, arrow());
        QPainterPath both = chordHeads(20, 27);
        both.addRect(23, 12, 1.2, 15);
        outlined(painter, both, QColor(0x30, 0x50, 0xC0));
        break;
    }
    case CURSOR_DELETE: {
        QPainterPath cross;
        cross.moveTo(3, 3);
        cross.lineTo(17, 17);
        cross.moveTo(17, 3);
        cross.lineTo(3, 17);
        painter.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(cross);
        painter.setPen(QPen(QColor(0xC0, 0x10, 0x10), 3, Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(cross);
        hotSpot = QPoint(10, 10);
        break;
    }
    case CURSOR_MAYAK: {
        // A beacon with its beams; the hot spot is the light.
        QPainterPath tower;
        tower.moveTo(7, 21);
        tower.lineTo(9, 10);
        tower.lineTo(13, 10);
        tower.lineTo(15, 21);
        tower.closeSubpath();
        outlined(painter, tower, QColor(0xC0, 0x20, 0x20));
        QPainterPath light;
        light.addEllipse(QPointF(11, 7), 3.0, 3.0);
        outlined(painter, light, QColor(0xFF, 0xD0, 0x20));
        painter.setPen(QPen(QColor(0xE0, 0xA0, 0x00), 1.5));
        painter.drawLine(QPointF(4, 5), QPointF(1, 4));
        painter.drawLine(QPointF(18, 5), QPointF(21, 4));
        hotSpot = QPoint(11, 7);
        break;
    }
    case CURSOR_MSELECT: {
        outlined(painter, arrow());
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(14, 16, 14, 10);
        break;
    }
    default:
        return QCursor(Qt::ArrowCursor);
    }
    painter.end();
    return QCursor(pixmap, hotSpot.x(), hotSpot.y());
}

std::map<int, QCursor>& cursorTable() {
    static std::map<int, QCursor> table;
    return table;
}

} // namespace

const QCursor& canvasCursor(int id) {
    auto& table = cursorTable();
    auto found = table.find(id);
    if (found == table.end())
        found = table.emplace(id, drawCursor(id)).first;
    return found->second;
}
