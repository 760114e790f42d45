#include "canvas/buttons.h"

#include "canvas/drawing.h"
#include "canvas/resources.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <exception>
#include <map>
#include <tuple>
#include <utility>

namespace {

// The shared glyph sheet; a sheet that cannot be read draws no glyphs rather than failing a paint.
const QImage& sheet() {
    static const QImage none;
    try {
        return TResourceFactory::shared().glyphSheet();
    } catch (const std::exception&) {
        return none;
    }
}

// A glyph without its background, cut once per rectangle.
const QImage& transparentGlyph(const TRect& glyph) {
    static std::map<std::tuple<int, int, int, int>, QImage> cache;
    static const QImage none;
    const auto key = std::make_tuple(glyph.left, glyph.top, glyph.right, glyph.bottom);
    auto found = cache.find(key);
    if (found != cache.end())
        return found->second;
    QImage piece = sheet().copy(toQRect(glyph)).convertToFormat(QImage::Format_ARGB32);
    // A sheet that could not be read yet is tried again on the next paint.
    if (piece.isNull())
        return none;
    const QRgb background = piece.pixel(0, piece.height() - 1);
    for (int y = 0; y < piece.height(); ++y) {
        for (int x = 0; x < piece.width(); ++x) {
            if (piece.pixel(x, y) == background)
                piece.setPixel(x, y, qRgba(0, 0, 0, 0));
        }
    }
    return cache.emplace(key, std::move(piece)).first->second;
}

} // namespace

void drawBevel(QPainter& painter, const QRect& area, bool sunken) {
    drawFlatFill(painter, area);
    const QColor topLeft = colourOf(sunken ? BEVEL_DARK : BEVEL_LIGHT);
    const QColor bottomRight = colourOf(sunken ? BEVEL_LIGHT : BEVEL_DARK);
    const int l = area.left(), t = area.top(), r = area.right(), b = area.bottom();
    painter.setPen(topLeft);
    painter.drawLine(l, t, r, t);
    painter.drawLine(l, t, l, b);
    painter.setPen(bottomRight);
    painter.drawLine(l, b, r, b);
    painter.drawLine(r, t, r, b);
}

void drawFlatFill(QPainter& painter, const QRect& area) {
    painter.fillRect(area, colourOf(BACKGROUND_COLOUR));
}

void drawGlyphCentred(QPainter& painter, const TRect& glyph, const QRect& area, bool transparent) {
    if (glyph.isEmpty())
        return;
    const QPoint at(area.left() + (area.width() - glyph.width()) / 2,
                    area.top() + (area.height() - glyph.height()) / 2);
    if (transparent)
        painter.drawImage(at, transparentGlyph(glyph));
    else
        copyGlyph(painter, at.x(), at.y(), sheet(), glyph);
}

TRealButton::TRealButton(QWidget* owner, const TRect& glyph, bool sticky, int glyphMode)
    : TRealButton(owner, glyph, glyph, sticky, glyphMode) {}

TRealButton::TRealButton(QWidget* owner, const TRect& enabledGlyph, const TRect& disabledGlyph,
                         bool sticky, int glyphMode)
    : QWidget(owner), enabledGlyph_(enabledGlyph), disabledGlyph_(disabledGlyph), sticky_(sticky),
      glyphMode_(glyphMode) {}

void TRealButton::setPressed(bool pressed) {
    if (pressed_ == pressed)
        return;
    pressed_ = pressed;
    if (parentWidget() != nullptr)
        update();
}

void TRealButton::draw(QPainter& painter, int x, int y, bool enabled) const {
    const QRect area(x, y, width(), height());
    drawBevel(painter, area, pressed_);
    if (glyphMode_ != GLYPH_OPAQUE && glyphMode_ != GLYPH_TRANSPARENT)
        return;
    const QRect face = pressed_ ? area.translated(1, 1) : area;
    drawGlyphCentred(painter, enabled ? enabledGlyph_ : disabledGlyph_, face,
                     glyphMode_ == GLYPH_TRANSPARENT);
}

void TRealButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    draw(painter, 0, 0, isEnabled());
}

void TRealButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    pressed_ = true;
    update();
}

void TRealButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    if (!sticky_)
        pressed_ = false;
    update();
    if (listener_ != nullptr)
        listener_->buttonPressed(this);
}

void TFlatGroup::add(TFlatButton* button) {
    buttons_.push_back(button);
}

void TFlatGroup::remove(TFlatButton* button) {
    buttons_.erase(std::remove(buttons_.begin(), buttons_.end(), button), buttons_.end());
}

void TFlatGroup::makeHot(TFlatButton* hot) {
    for (TFlatButton* button : buttons_) {
        if (button != hot)
            button->resetHot();
    }
}

TFlatButton::TFlatButton(QWidget* owner, TFlatGroup* group, const TRect& enabledGlyph,
                         const TRect& disabledGlyph)
    : QWidget(owner), group_(group), enabledGlyph_(enabledGlyph), disabledGlyph_(disabledGlyph) {
    setMouseTracking(true);
    if (group_ != nullptr)
        group_->add(this);
}

TFlatButton::~TFlatButton() {
    if (group_ != nullptr)
        group_->remove(this);
}

void TFlatButton::setListeners(TButtonListener* pressed, TButtonReleasedListener* released) {
    pressListener_ = pressed;
    releaseListener_ = released;
}

void TFlatButton::setPressed(bool pressed) {
    if (pressed_ == pressed)
        return;
    pressed_ = pressed;
    update();
}

void TFlatButton::resetHot() {
    if (!hot_)
        return;
    hot_ = false;
    update();
}

void TFlatButton::becomeHot() {
    if (hot_)
        return;
    hot_ = true;
    update();
    if (group_ != nullptr)
        group_->makeHot(this);
}

void TFlatButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    const bool enabled = isEnabled();
    if (pressed_ && enabled)
        drawBevel(painter, area, true);
    else if (hot_ && enabled)
        drawBevel(painter, area, false);
    else
        drawFlatFill(painter, area);
    const QRect face = pressed_ && enabled ? area.translated(1, 1) : area;
    drawGlyphCentred(painter, enabled ? enabledGlyph_ : disabledGlyph_, face, true);
}

void TFlatButton::mouseMoveEvent(QMouseEvent*) {
    becomeHot();
}

void TFlatButton::enterEvent(QEnterEvent*) {
    becomeHot();
}

void TFlatButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    setPressed(true);
    if (pressListener_ != nullptr)
        pressListener_->buttonPressed(this);
    // A listener that opened a modal dialog has taken the release away from this button: the
    // button must not stay sunken after the dialog.
    if (!(QGuiApplication::mouseButtons() & Qt::LeftButton))
        setPressed(false);
}

void TFlatButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    setPressed(false);
    if (releaseListener_ != nullptr)
        releaseListener_->buttonReleased(this);
}
