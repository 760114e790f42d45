#include "variants/variantstrategy.h"

#include "engine/variantgeometry.h"
#include "widgets/drawing.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace variantpaint {

namespace {

constexpr int HEADER_HEIGHT = 30;
constexpr int CAPTION_TOP = VARIANT_VIEW_HEIGHT - 26;

} // namespace

void drawFrame(QPainter& painter, const QString& header, const QString& caption, bool active,
               int side) {
    const QRect half(0, 0, VARIANT_HALF_WIDTH, VARIANT_VIEW_HEIGHT);
    painter.fillRect(half, colourOf(0xC8D0D4));
    sunkenBox(painter,
              QRect(2, HEADER_HEIGHT, VARIANT_HALF_WIDTH - 4, CAPTION_TOP - HEADER_HEIGHT - 3),
              Qt::white);

    QFont font = painter.font();
    font.setPointSize(9);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(active ? QColor(0x20, 0x30, 0x60) : QColor(0x60, 0x60, 0x60));
    const Qt::Alignment towardsMiddle = side == 0 ? Qt::AlignRight : Qt::AlignLeft;
    painter.drawText(QRect(8, 4, VARIANT_HALF_WIDTH - 16, HEADER_HEIGHT - 6),
                     towardsMiddle | Qt::AlignVCenter, header);

    const QRect captionBox(2, CAPTION_TOP, VARIANT_HALF_WIDTH - 4, 22);
    sunkenBox(painter, captionBox, active ? QColor(0xFF, 0xFB, 0xE6) : colourOf(0xC8D0D4));
    font.setBold(false);
    font.setPointSize(8);
    painter.setFont(font);
    painter.setPen(QColor(0x20, 0x20, 0x20));
    const QRect textBox = captionBox.adjusted(5, 0, -5, 0);
    const TCaptionFit fit = fitCaption(font, caption, textBox);
    painter.setFont(fit.font);
    painter.drawText(
        textBox, Qt::AlignLeft | Qt::AlignVCenter | (fit.wrapped ? Qt::TextWordWrap : 0), fit.text);
}

TCaptionFit fitCaption(const QFont& font, const QString& caption, const QRect& box) {
    if (QFontMetrics(font).horizontalAdvance(caption) <= box.width())
        return {font, caption, false};
    QFont smaller = font;
    smaller.setPointSize(std::max(1, font.pointSize() - 1));
    const QFontMetrics metrics(smaller);
    const QRect needed = metrics.boundingRect(QRect(0, 0, box.width(), 1000),
                                              Qt::AlignLeft | Qt::TextWordWrap, caption);
    if (needed.height() <= box.height())
        return {smaller, caption, true};
    return {smaller, metrics.elidedText(caption, Qt::ElideRight, box.width()), false};
}

void drawMiddleEdge(QPainter& painter, int side) {
    const int x = side == 0 ? VARIANT_HALF_WIDTH - 3 : 2;
    painter.fillRect(QRect(x, HEADER_HEIGHT + 2, 2, CAPTION_TOP - HEADER_HEIGHT - 7),
                     QColor(0x9A, 0xB4, 0xD8));
}

} // namespace variantpaint
