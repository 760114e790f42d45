#include "widgets/dblbufferedpanel.h"

#include "widgets/drawing.h"

#include <QPainter>

#include <algorithm>

TDblBufferedPanel::TDblBufferedPanel(const QImage& glyphs, int width, int height,
                                     const QString& name, QWidget* parent)
    : QWidget(parent), glyphs_(glyphs) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    recreatePicture(width, height, name);
}

const QImage& TDblBufferedPanel::picture() const {
    if (picture_.isNull()) {
        picture_ = pictureFor(this, pictureSize_.width(), pictureSize_.height());
        picture_.fill(Qt::white);
    }
    return picture_;
}

void TDblBufferedPanel::recreatePicture(int width, int height, const QString& name) {
    pictureSize_ = QSize(std::max(width, 1), std::max(height, 1));
    picture_ = QImage();
    setObjectName(name);
    invalidatePicture();
}

void TDblBufferedPanel::invalidatePicture() {
    stale_ = true;
    update();
}

void TDblBufferedPanel::paintEvent(QPaintEvent* /*event*/) {
    picture();
    if (stale_) {
        QPainter buffer(&picture_);
        draw(buffer);
        stale_ = false;
    }
    QPainter painter(this);
    // A control larger than its picture shows the window colour around it.
    const QSizeF pictureSize = picture_.deviceIndependentSize();
    if (width() > pictureSize.width() || height() > pictureSize.height())
        painter.fillRect(rect(), palette().window());
    painter.drawImage(0, 0, picture_);
}
