#include "widgets/buttons.h"

#include "widgets/drawing.h"
#include "widgets/resources.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
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
    QImage piece = cutGlyph(sheet(), glyph).convertToFormat(QImage::Format_ARGB32);
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
    if (sunken)
        sunkenBox(painter, area, backgroundColour());
    else
        raisedBox(painter, area, backgroundColour());
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
        painter.drawImage(QRect(at, QSize(glyph.width(), glyph.height())), transparentGlyph(glyph));
    else
        copyGlyph(painter, at.x(), at.y(), sheet(), glyph);
}

TKeyboardButton::TKeyboardButton(QWidget* owner) : QAbstractButton(owner) {
    setFocusPolicy(Qt::StrongFocus);
}

void TKeyboardButton::setHint(const QString& text) {
    setToolTip(text);
    setAccessibleName(text);
}

namespace {

bool isActivationKey(const QKeyEvent& event) {
    const int key = event.key();
    return event.modifiers() == Qt::NoModifier &&
           (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter);
}

} // namespace

void TKeyboardButton::keyPressEvent(QKeyEvent* event) {
    if (isActivationKey(*event)) {
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

bool TKeyboardButton::event(QEvent* event) {
    // Space stays free for a window-wide shortcut (play or stop): the focused button answers
    // Enter and Return, and Space only where no shortcut takes it.
    if (event->type() == QEvent::ShortcutOverride &&
        isActivationKey(*static_cast<QKeyEvent*>(event)) &&
        static_cast<QKeyEvent*>(event)->key() != Qt::Key_Space) {
        event->accept();
        return true;
    }
    return QAbstractButton::event(event);
}

void TKeyboardButton::focusInEvent(QFocusEvent* event) {
    // QAbstractButton would take the buttons of a group that are not down off the Tab chain.
    QWidget::focusInEvent(event);
}

void TKeyboardButton::drawFocusMark(QPainter& painter, const QRect& area) const {
    if (!hasFocus())
        return;
    painter.save();
    QPen pen(Qt::black);
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(2, 2, -3, -3));
    painter.restore();
}

TRealButton::TRealButton(QWidget* owner, const TRect& glyph, bool sticky, int glyphMode)
    : TRealButton(owner, glyph, glyph, sticky, glyphMode) {}

TRealButton::TRealButton(QWidget* owner, const TRect& enabledGlyph, const TRect& disabledGlyph,
                         bool sticky, int glyphMode)
    : TKeyboardButton(owner), enabledGlyph_(enabledGlyph), disabledGlyph_(disabledGlyph),
      sticky_(sticky), glyphMode_(glyphMode) {
    setCheckable(sticky);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (listener_ != nullptr)
            listener_->buttonPressed(this);
    });
}

void TRealButton::setPressed(bool pressed) {
    if (isPressed() == pressed)
        return;
    if (sticky_) {
        // The checked button of an exclusive group cannot be lifted by itself.
        QButtonGroup* owner = group();
        const bool exclusive = owner != nullptr && owner->exclusive();
        if (exclusive && !pressed)
            owner->setExclusive(false);
        setChecked(pressed);
        if (exclusive && !pressed)
            owner->setExclusive(true);
    }
    if (!pressed || !sticky_)
        setDown(pressed);
    if (parentWidget() != nullptr)
        update();
}

void TRealButton::nextCheckState() {
    if (!sticky_)
        return;
    // An exclusive group lifts the button it had down when another one goes down.
    const bool liftedByGroup =
        isChecked() && group() != nullptr && group()->checkedButton() != this;
    setChecked(!liftedByGroup);
}

void TRealButton::draw(QPainter& painter, int x, int y, bool enabled) const {
    const QRect area(x, y, width(), height());
    const bool pressed = isPressed();
    drawBevel(painter, area, pressed);
    if (glyphMode_ != GLYPH_OPAQUE && glyphMode_ != GLYPH_TRANSPARENT)
        return;
    const QRect face = pressed ? area.translated(1, 1) : area;
    drawGlyphCentred(painter, enabled ? enabledGlyph_ : disabledGlyph_, face,
                     glyphMode_ == GLYPH_TRANSPARENT);
}

void TRealButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    draw(painter, 0, 0, isEnabled());
    drawFocusMark(painter, rect());
}

void TFlatGroup::add(TFlatButton* button, int id) {
    addButton(button, id);
}

void TFlatGroup::remove(TFlatButton* button) {
    removeButton(button);
}

void TFlatGroup::makeHot(TFlatButton* hot) {
    for (TFlatButton* button : flatButtons()) {
        if (button != hot)
            button->resetHot();
    }
}

std::vector<TFlatButton*> TFlatGroup::flatButtons() const {
    std::vector<TFlatButton*> result;
    for (QAbstractButton* button : buttons()) {
        if (auto* flat = qobject_cast<TFlatButton*>(button))
            result.push_back(flat);
    }
    return result;
}

TFlatButton::TFlatButton(QWidget* owner, TFlatGroup* group, const TRect& enabledGlyph,
                         const TRect& disabledGlyph)
    : TKeyboardButton(owner), group_(group), enabledGlyph_(enabledGlyph),
      disabledGlyph_(disabledGlyph) {
    setMouseTracking(true);
    if (group_ != nullptr)
        group_->add(this);
    connect(this, &QAbstractButton::pressed, this, &TFlatButton::onPressed);
    connect(this, &QAbstractButton::released, this, &TFlatButton::onReleased);
}

TFlatButton::~TFlatButton() {
    if (group_ != nullptr)
        group_->remove(this);
}

void TFlatButton::setListeners(TButtonListener* pressed, TButtonReleasedListener* released) {
    pressListener_ = pressed;
    releaseListener_ = released;
}

void TFlatButton::setAction(QAction* action) {
    if (action_ != nullptr)
        disconnect(action_, nullptr, this, nullptr);
    action_ = action;
    if (action_ == nullptr)
        return;
    setEnabled(action_->isEnabled());
    connect(action_, &QAction::changed, this, [this] { setEnabled(action_->isEnabled()); });
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
    const bool pressed = isDown();
    if (pressed && enabled)
        drawBevel(painter, area, true);
    else if ((hot_ || hasFocus()) && enabled)
        drawBevel(painter, area, false);
    else
        drawFlatFill(painter, area);
    const QRect face = pressed && enabled ? area.translated(1, 1) : area;
    drawGlyphCentred(painter, enabled ? enabledGlyph_ : disabledGlyph_, face, true);
    drawFocusMark(painter, area);
}

void TFlatButton::mouseMoveEvent(QMouseEvent* event) {
    becomeHot();
    TKeyboardButton::mouseMoveEvent(event);
}

void TFlatButton::enterEvent(QEnterEvent* event) {
    becomeHot();
    TKeyboardButton::enterEvent(event);
}

void TFlatButton::onPressed() {
    QPointer<TFlatButton> alive(this);
    if (action_ != nullptr && action_->isEnabled())
        action_->trigger();
    if (alive && pressListener_ != nullptr)
        pressListener_->buttonPressed(this);
    // A command that opened a modal dialog has taken the release away from this button: the
    // button must not stay sunken after the dialog.
    if (alive && !(QGuiApplication::mouseButtons() & Qt::LeftButton))
        setDown(false);
}

void TFlatButton::onReleased() {
    if (releaseListener_ != nullptr)
        releaseListener_->buttonReleased(this);
}
