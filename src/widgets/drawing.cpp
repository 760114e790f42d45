#include "widgets/drawing.h"

#include <QPaintDevice>
#include <QPalette>
#include <QWidget>
#include <QtMath>

namespace {

const QColor outlineGrey(128, 128, 128);

void outline(QPainter& painter, const QRect& area, const QColor& colour) {
    painter.setPen(colour);
    painter.setBrush(Qt::NoBrush);
    // One pixel inside the area on every side; QPainter::drawRect would reach one further.
    painter.drawLine(area.left(), area.top(), area.right(), area.top());
    painter.drawLine(area.left(), area.bottom(), area.right(), area.bottom());
    painter.drawLine(area.left(), area.top(), area.left(), area.bottom());
    painter.drawLine(area.right(), area.top(), area.right(), area.bottom());
}

void leftAndTop(QPainter& painter, const QRect& area, const QColor& colour) {
    painter.setPen(colour);
    painter.drawLine(area.left(), area.top(), area.right(), area.top());
    painter.drawLine(area.left(), area.top(), area.left(), area.bottom());
}

// The one bevel of the program: one edge colour all round, then the other on the left and top
// edges (grey then white when raised, white then grey when sunken), so that the left and top
// edges own the top-right and bottom-left corners.
void bevelledBox(QPainter& painter, const QRect& area, const QColor& fill, bool sunken) {
    const QColor light(Qt::white);
    painter.fillRect(area, fill);
    outline(painter, area, sunken ? light : outlineGrey);
    leftAndTop(painter, area, sunken ? outlineGrey : light);
}

} // namespace

QColor colourOf(std::uint32_t value) {
    const TColour colour = TColour::fromValue(value);
    return QColor(colour.red, colour.green, colour.blue);
}

QColor greyLevel(int level) {
    const TColour grey = TColour::grey(level);
    return QColor(grey.red, grey.green, grey.blue);
}

QRect sheetRect(const QImage& sheet, const TRect& glyph) {
    const qreal ratio = sheet.devicePixelRatio();
    const QRect area = toQRect(glyph);
    if (ratio == 1.0)
        return area;
    return QRect(qRound(area.x() * ratio), qRound(area.y() * ratio), qRound(area.width() * ratio),
                 qRound(area.height() * ratio));
}

QImage cutGlyph(const QImage& sheet, const TRect& glyph) {
    QImage piece = sheet.copy(sheetRect(sheet, glyph));
    piece.setDevicePixelRatio(sheet.devicePixelRatio());
    return piece;
}

QImage pictureFor(const QPaintDevice* device, int width, int height) {
    const qreal ratio = device != nullptr ? device->devicePixelRatioF() : 1.0;
    QImage picture(qCeil(width * ratio), qCeil(height * ratio), QImage::Format_RGB32);
    picture.setDevicePixelRatio(ratio);
    return picture;
}

void copyGlyph(QPainter& painter, int x, int y, const QImage& sheet, const TRect& glyph) {
    if (glyph.isEmpty() || sheet.isNull())
        return;
    painter.drawImage(QRect(x, y, glyph.width(), glyph.height()), sheet, sheetRect(sheet, glyph));
}

void andGlyph(QPainter& painter, int x, int y, const QImage& sheet, const TRect& glyph) {
    if (glyph.isEmpty() || sheet.isNull())
        return;
    const QPainter::CompositionMode mode = painter.compositionMode();
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.drawImage(QRect(x, y, glyph.width(), glyph.height()), sheet, sheetRect(sheet, glyph));
    painter.setCompositionMode(mode);
}

void raisedBox(QPainter& painter, const QRect& area, const QColor& fill) {
    bevelledBox(painter, area, fill, false);
}

void sunkenBox(QPainter& painter, const QRect& area, const QColor& fill) {
    bevelledBox(painter, area, fill, true);
}

void fillWithOutline(QPainter& painter, const QRect& area, const QColor& fill) {
    painter.fillRect(area, fill);
    outline(painter, area, outlineGrey);
}

void fillWhite(QPainter& painter, const QRect& area) {
    painter.fillRect(area, Qt::white);
}

void paintBackground(QWidget& widget) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, backgroundColour());
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}
