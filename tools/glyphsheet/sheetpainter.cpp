#include "sheetpainter.h"

#include <QImage>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

TSheetPainter::TSheetPainter(QPainter& painter, TSheetFonts fonts)
    : painter_(painter), fonts_(std::move(fonts)) {}

QPainterPath TSheetPainter::textPath(const QString& text, const QString& family,
                                     QFont::Weight weight) const {
    QFont font(family);
    font.setPixelSize(200);
    font.setWeight(weight);
    QPainterPath path;
    path.addText(0, 0, font, text);
    return path;
}

QPainterPath TSheetPainter::symbolPath(char32_t symbol) const {
    return textPath(QString::fromUcs4(&symbol, 1), fonts_.music);
}

void TSheetPainter::fillFitted(const QPainterPath& shape, const QRectF& area, const QColor& colour,
                               TFit fit) {
    const QRectF box = shape.boundingRect();
    if (box.isEmpty() || area.isEmpty())
        return;
    double sx = area.width() / box.width();
    double sy = area.height() / box.height();
    if (fit == TFit::Contain)
        sx = sy = std::min(sx, sy);
    else if (fit == TFit::Height)
        sx = std::min(sx, sy);
    QTransform transform;
    transform.translate(area.center().x(), area.center().y());
    transform.scale(sx, sy);
    transform.translate(-box.center().x(), -box.center().y());
    painter_.save();
    painter_.setClipRect(area.toAlignedRect());
    painter_.fillPath(transform.map(shape), colour);
    painter_.restore();
}

void TSheetPainter::symbol(char32_t code, const QRectF& area, const QColor& colour, TFit fit) {
    fillFitted(symbolPath(code), area, colour, fit);
}

void TSheetPainter::text(const QString& s, const QString& family, const QRectF& area,
                         const QColor& colour, TFit fit, QFont::Weight weight) {
    fillFitted(textPath(s, family, weight), area, colour, fit);
}

namespace {

QPainterPath noteHead(QPointF centre, double width, double height, bool hollow) {
    QPainterPath head;
    head.addEllipse(QPointF(0, 0), width / 2, height / 2);
    if (hollow) {
        QPainterPath hole;
        hole.addEllipse(QPointF(0, 0), width * 0.36, height * 0.2);
        head = head.subtracted(QTransform().rotate(-20).map(hole));
    }
    return QTransform().translate(centre.x(), centre.y()).rotate(-20).map(head);
}

QPainterPath flag(QPointF stemTop, double length, double width) {
    const double x = stemTop.x();
    const double y = stemTop.y();
    QPainterPath path(QPointF(x, y));
    path.cubicTo(x, y + length * 0.3, x + width, y + length * 0.45, x + width * 0.75, y + length);
    path.cubicTo(x + width * 0.85, y + length * 0.62, x + width * 0.2, y + length * 0.5, x,
                 y + length * 0.45);
    path.closeSubpath();
    return path;
}

} // namespace

void TSheetPainter::smallNote(const QRectF& area, int flags, bool hollow, bool dotted,
                              const QColor& colour) {
    const double h = area.height();
    const double headH = h * 0.26;
    const double headW = headH * 1.35;
    const double flagW = flags > 0 ? headW * 0.75 : 0;
    const double dot = std::max(2.0, h * 0.11);
    const double total = headW + flagW + (dotted ? dot * 1.6 : 0);
    // Whole pixels for the head's left and the stem keep the stem sharp.
    const double x0 = std::round(area.left() + (area.width() - total) / 2);
    const QPointF centre(x0 + headW / 2, area.bottom() - headH / 2 - h * 0.04);
    QPainterPath shape = noteHead(centre, headW, headH, hollow);
    if (flags >= 0) {
        const double stemW = h >= 26 ? 2 : 1;
        const double stemX = std::round(x0 + headW - stemW - 0.2);
        const double top = std::round(area.top() + h * 0.04);
        QPainterPath stem;
        stem.addRect(QRectF(stemX, top, stemW, centre.y() - top));
        shape = shape.united(stem);
        for (int i = 0; i < flags; ++i)
            shape = shape.united(
                flag(QPointF(stemX + stemW * 0.5, top + i * h * 0.17), h * 0.38, flagW + 0.5));
    }
    if (dotted) {
        QPainterPath dotPath;
        dotPath.addEllipse(QPointF(x0 + headW + dot * 1.1, centre.y() - headH * 0.15), dot / 2,
                           dot / 2);
        shape = shape.united(dotPath);
    }
    painter_.save();
    painter_.setClipRect(area.toAlignedRect());
    painter_.fillPath(shape, colour);
    painter_.restore();
}

void TSheetPainter::smallRest(const QRectF& area, int length, bool dotted, const QColor& colour) {
    const double h = area.height();
    const double dot = std::max(2.0, h * 0.11);
    QRectF body = area;
    if (dotted)
        body.setWidth(area.width() - dot * 1.4);
    if (length == 240 || length == 480) {
        // The block sits on its line for a half rest and hangs from it for a whole rest.
        const double lineY = area.top() + h * (length == 240 ? 0.6 : 0.35);
        const double blockW = body.width() * 0.7;
        const double blockH = std::max(3.0, h * 0.17);
        const double blockX = body.center().x() - blockW / 2;
        const double lineW = std::max(1.0, h * 0.04);
        QPainterPath shape;
        shape.addRect(QRectF(body.left() + 1, lineY - lineW / 2, body.width() - 2, lineW));
        shape.addRect(QRectF(blockX, length == 240 ? lineY - blockH : lineY, blockW, blockH));
        painter_.fillPath(shape.simplified(), colour);
        return;
    }
    char32_t code = music::QuarterRest;
    double share = 0.78;
    if (length == 60) {
        code = music::EighthRest;
        share = 0.6;
    } else if (length == 30) {
        code = music::SixteenthRest;
        share = 0.82;
    }
    const QRectF symbolArea(body.left(), area.top() + h * (1 - share) / 2, body.width(), h * share);
    symbol(code, symbolArea, colour, TFit::Contain);
    if (dotted) {
        QPainterPath dotPath;
        dotPath.addEllipse(QPointF(area.right() - dot * 0.6, area.top() + h * 0.42), dot / 2,
                           dot / 2);
        painter_.fillPath(dotPath, colour);
    }
}

void TSheetPainter::durationSymbol(const QRectF& area, int duration, const QColor& colour) {
    if (duration == 150 || duration == 210) {
        // A quarter tied to a sixteenth or to a dotted eighth.
        const double w = area.width();
        const QRectF first(area.left(), area.top(), w * 0.42, area.height() * 0.78);
        const QRectF second(area.left() + w * 0.44, first.top(), w * 0.56, first.height());
        smallNote(first, 0, false, false, colour);
        smallNote(second, duration == 150 ? 2 : 1, false, duration == 210, colour);
        const double tieY = area.bottom() - area.height() * 0.08;
        QPainterPath tie(QPointF(first.center().x() - 1, tieY - area.height() * 0.08));
        tie.quadTo(QPointF(area.center().x(), tieY + area.height() * 0.05),
                   QPointF(second.left() + second.width() * 0.3, tieY - area.height() * 0.08));
        painter_.save();
        painter_.setPen(QPen(colour, std::max(1.0, area.height() * 0.04)));
        painter_.drawPath(tie);
        painter_.restore();
        return;
    }
    if (duration == -150 || duration == -210) {
        const double w = area.width();
        smallRest(QRectF(area.left(), area.top(), w * 0.45, area.height()), 120, false, colour);
        smallRest(QRectF(area.left() + w * 0.47, area.top(), w * 0.53, area.height()),
                  duration == -150 ? 30 : 60, duration == -210, colour);
        return;
    }
    const bool dotted = duration == 90 || duration == 180 || duration == -90 || duration == -180;
    const int base = dotted ? std::abs(duration) * 2 / 3 : std::abs(duration);
    if (duration < 0) {
        smallRest(area, base, dotted, colour);
        return;
    }
    switch (base) {
    case 30:
        smallNote(area, 2, false, dotted, colour);
        break;
    case 60:
        smallNote(area, 1, false, dotted, colour);
        break;
    case 120:
        smallNote(area, 0, false, dotted, colour);
        break;
    case 240:
        smallNote(area, 0, true, dotted, colour);
        break;
    case 480:
        smallNote(area, -1, true, dotted, colour);
        break;
    default:
        break;
    }
}

void TSheetPainter::greyCopy(const TRect& from, const TRect& to) {
    auto* image = dynamic_cast<QImage*>(painter_.device());
    if (image == nullptr)
        return;
    // The device pixels of `from`: twice as many on the double-size sheet.
    const QRect source =
        painter_.transform().mapRect(QRect(from.left, from.top, from.width(), from.height()));
    QImage part = image->copy(source);
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x) {
            const int grey = qGray(part.pixel(x, y));
            const int washed = 255 - (255 - grey) * 45 / 100;
            part.setPixel(x, y, qRgb(washed, washed, washed));
        }
    painter_.drawImage(QRect(to.left, to.top, from.width(), from.height()), part);
}
