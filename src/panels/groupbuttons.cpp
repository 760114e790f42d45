#include "panels/groupbuttons.h"

#include "model/glyphs.h"
#include "widgets/buttons.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

bool TRemoveSpace::mustLeave(const TGroupButton* item) const {
    const auto* duration = qobject_cast<const TDurationButton*>(item);
    return duration != nullptr && duration->value() < 0;
}

TGroup::~TGroup() {
    for (TGroupButton* item : items_)
        item->setGroup(nullptr);
}

int TGroup::indexOf(const TGroupButton* item) const {
    const auto at = std::find(items_.begin(), items_.end(), item);
    return at == items_.end() ? -1 : static_cast<int>(at - items_.begin());
}

void TGroup::add(TGroupButton* item, const TGroupButton* before) {
    const int at = indexOf(before);
    items_.insert(at < 0 ? items_.end() : items_.begin() + at, item);
    item->setGroup(this);
    if (listener_ != nullptr)
        listener_->itemAdded(item);
}

void TGroup::add(const std::vector<TGroupButton*>& items, const TGroupButton* before) {
    const int at = indexOf(before);
    items_.insert(at < 0 ? items_.end() : items_.begin() + at, items.begin(), items.end());
    for (TGroupButton* item : items)
        item->setGroup(this);
    if (listener_ != nullptr)
        listener_->itemsAdded(items);
}

void TGroup::remove(const std::vector<TGroupButton*>& items) {
    std::vector<TGroupButton*> removed;
    for (TGroupButton* item : items) {
        const int at = indexOf(item);
        if (at < 0)
            continue;
        items_.erase(items_.begin() + at);
        item->setGroup(nullptr);
        removed.push_back(item);
    }
    if (listener_ != nullptr && !removed.empty())
        listener_->itemsRemoved(removed);
}

void TGroup::move(TGroupButton* item, const TGroupButton* target) {
    const int from = indexOf(item);
    const int to = indexOf(target);
    if (from < 0 || to < 0 || from == to)
        return;
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, item);
}

std::vector<TGroupButton*> TGroup::selected() const {
    std::vector<TGroupButton*> out;
    for (TGroupButton* item : items_)
        if (item->isSelected())
            out.push_back(item);
    return out;
}

void TGroup::deselectAll() {
    for (TGroupButton* item : items_)
        item->setSelected(false);
}

TGroupButton::TGroupButton(QWidget* owner) : QAbstractButton(owner) {
    setFocusPolicy(Qt::StrongFocus);
}

TGroupButton::~TGroupButton() {
    if (group_ != nullptr)
        group_->remove({this});
}

void TGroupButton::setSelected(bool selected) {
    if (selected_ == selected)
        return;
    selected_ = selected;
    update();
}

void TGroupButton::setHighlighted(bool highlighted) {
    if (highlighted_ == highlighted)
        return;
    highlighted_ = highlighted;
    update();
}

void TGroupButton::pressItem(bool withCtrl) {
    if (!withCtrl && group_ != nullptr)
        group_->deselectAll();
    setSelected(!selected_);
}

void TGroupButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractButton::mousePressEvent(event);
        return;
    }
    pressItem(event->modifiers().testFlag(Qt::ControlModifier));
    // A press may start a drag of the item: the base class keeps the pointer for that.
    QAbstractButton::mousePressEvent(event);
}

void TGroupButton::keyPressEvent(QKeyEvent* event) {
    // Space works where no shortcut of the window takes it (the window's play key).
    const int key = event->key();
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) &&
        !event->isAutoRepeat()) {
        pressItem(event->modifiers().testFlag(Qt::ControlModifier));
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

TGlyphButton::TGlyphButton(QWidget* owner, const TRect& glyph, const TRect& selectedGlyph)
    : TGroupButton(owner), glyph_(glyph), selectedGlyph_(selectedGlyph) {
    resize(sizeHint());
}

QSize TGlyphButton::sizeHint() const {
    return {std::max(glyph_.width(), selectedGlyph_.width()) + 10,
            std::max(glyph_.height(), selectedGlyph_.height()) + 10};
}

void TGlyphButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawBevel(painter, rect(), isHighlighted());
    drawGlyphCentred(painter, isSelected() || isHighlighted() ? selectedGlyph_ : glyph_, rect(),
                     false);
    if (hasFocus()) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

TDurationButton::TDurationButton(QWidget* owner, DURATION value)
    : TGlyphButton(owner, durationGlyph(value), durationGlyph(value, true)), value_(value) {}

TTurnRoundButton::TTurnRoundButton(QWidget* owner, TURN_ROUND value)
    : TGlyphButton(owner, turnGlyph(value), turnGlyph(value, true)), value_(value) {
    resize(sizeHint());
}

QSize TTurnRoundButton::sizeHint() const {
    return {TGlyphButton::sizeHint().width(), PREFERRED_HEIGHT};
}
