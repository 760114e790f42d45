#include "panels/picturebutton.h"

#include "canvas/motivecanvas.h"
#include "widgets/drawing.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>

namespace {

const QColor DISABLED_INK(0x80, 0x80, 0x80);
const QColor CONTRAST_INK(0xB0, 0x20, 0x20);

void drawContrastMark(QPainter& painter, const QRect& face) {
    // Two short arrows pointing away from each other: the opposite of a motive.
    const QPointF c(face.right() - 4.5, face.bottom() - 3.5);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(CONTRAST_INK, 1.2));
    painter.drawLine(QPointF(c.x() - 4, c.y()), QPointF(c.x() + 4, c.y()));
    painter.setBrush(CONTRAST_INK);
    painter.drawPolygon(
        QPolygonF({{c.x() - 5, c.y()}, {c.x() - 2, c.y() - 2.5}, {c.x() - 2, c.y() + 2.5}}));
    painter.drawPolygon(
        QPolygonF({{c.x() + 5, c.y()}, {c.x() + 2, c.y() - 2.5}, {c.x() + 2, c.y() + 2.5}}));
    painter.restore();
}

} // namespace

void drawButtonPicture(QPainter& painter, const TButtonPicture& picture, const QRect& face,
                       bool enabled) {
    if (!picture.glyphs.empty()) {
        const QImage& sheet = canvasGlyphSheet();
        const int gap = 1;
        int width = gap * (static_cast<int>(picture.glyphs.size()) - 1);
        int height = 0;
        for (const TRect& glyph : picture.glyphs) {
            width += glyph.width();
            height = std::max(height, glyph.height());
        }
        const double scale = std::min({1.0, double(face.width()) / std::max(width, 1),
                                       double(face.height()) / std::max(height, 1)});
        double x = face.left() + (face.width() - width * scale) / 2.0;
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, scale < 1.0);
        painter.setCompositionMode(QPainter::CompositionMode_Multiply);
        if (!enabled)
            painter.setOpacity(0.45);
        for (const TRect& glyph : picture.glyphs) {
            const QRectF target(x, face.top() + (face.height() - glyph.height() * scale) / 2.0,
                                glyph.width() * scale, glyph.height() * scale);
            painter.drawImage(target, cutGlyph(sheet, glyph));
            x += (glyph.width() + gap) * scale;
        }
        painter.restore();
    } else if (!picture.symbol.isEmpty()) {
        painter.save();
        QFont font = painter.font();
        font.setBold(true);
        font.setPixelSize(std::max(8, face.height() - 4));
        painter.setFont(font);
        painter.setPen(enabled ? QColor(Qt::black) : DISABLED_INK);
        painter.drawText(face, Qt::AlignCenter, picture.symbol);
        painter.restore();
    }
    if (picture.contrastMark && enabled)
        drawContrastMark(painter, face);
}

TPictureButton::TPictureButton(QWidget* owner, TFlatGroup* group, TButtonPicture picture, int id,
                               bool takesMotives)
    : TMotiveDropButton(owner, group, TRect{}, id), picture_(std::move(picture)) {
    setAcceptDrops(takesMotives);
}

void TPictureButton::setPicture(TButtonPicture picture) {
    picture_ = std::move(picture);
    update();
}

void TPictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    const bool enabled = isEnabled();
    const bool pressed = isDown() && enabled;
    if (pressed)
        drawBevel(painter, area, true);
    else if ((isHot() || hasFocus()) && enabled)
        drawBevel(painter, area, false);
    else
        drawFlatFill(painter, area);
    const QRect face = area.adjusted(2, 2, -2, -2).translated(pressed ? 1 : 0, pressed ? 1 : 0);
    drawButtonPicture(painter, picture_, face, enabled);
    drawFocusMark(painter, area);
}
