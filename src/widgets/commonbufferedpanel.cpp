#include "widgets/commonbufferedpanel.h"

#include <QPainter>

TCommonBufferedPanel::TCommonBufferedPanel(const QImage& glyphs, QWidget* parent)
    : QWidget(parent), glyphs_(glyphs) {
    // The picture covers the whole control; Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TCommonBufferedPanel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    draw(painter);
}
