#include "panels/modechooser.h"

#include "files/messagebundle.h"

#include <QLabel>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int BUTTON_WIDTH = 58;
constexpr int BUTTON_HEIGHT = 22;
constexpr int CAPTION_HEIGHT = 16;

TModeButton* toggleButton(QWidget* owner, const TMessageBundle& bundle, const std::string& key) {
    auto* button = new TModeButton(owner, QString::fromStdString(bundle.text(key)),
                                   QString::fromStdString(bundle.text(key + " hint")));
    button->resize(std::max(BUTTON_WIDTH, button->sizeHint().width()), BUTTON_HEIGHT);
    return button;
}

} // namespace

TModeButton::TModeButton(QWidget* owner, const QString& caption, const QString& hint)
    : TKeyboardButton(owner) {
    setText(caption);
    setCheckable(true);
    setToolTip(hint);
    setAccessibleName(caption);
    setAccessibleDescription(hint);
}

QSize TModeButton::sizeHint() const {
    return {fontMetrics().horizontalAdvance(text()) + 12, BUTTON_HEIGHT};
}

void TModeButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool down = isChecked() || isDown();
    drawBevel(painter, rect(), down);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(down ? rect().translated(1, 1) : rect(), Qt::AlignCenter, text());
    drawFocusMark(painter, rect());
}

TModeChooser::TModeChooser(QWidget* owner, const TMessageBundle& bundle)
    : QWidget(owner),
      caption_(new QLabel(QString::fromStdString(bundle.text("scheme mode")), this)),
      inOrder_(toggleButton(this, bundle, "scheme mode in order")),
      set_(toggleButton(this, bundle, "scheme mode as set")) {
    caption_->setGeometry(0, 0, 2 * BUTTON_WIDTH + 2, CAPTION_HEIGHT);
    inOrder_->move(0, CAPTION_HEIGHT + 2);
    set_->move(inOrder_->width() + 2, CAPTION_HEIGHT + 2);
    resize(set_->geometry().right() + 1, CAPTION_HEIGHT + 2 + BUTTON_HEIGHT);
    // A click on the button that is down leaves it down.
    connect(inOrder_, &QAbstractButton::clicked, this, [this] { choose(IN_ORDER_MODE); });
    connect(set_, &QAbstractButton::clicked, this, [this] { choose(SET_MODE); });
    setMode(mode_);
}

void TModeChooser::setMode(int mode) {
    mode_ = mode == SET_MODE ? SET_MODE : IN_ORDER_MODE;
    inOrder_->setChecked(mode_ == IN_ORDER_MODE);
    set_->setChecked(mode_ == SET_MODE);
}

void TModeChooser::choose(int mode) {
    const bool changed = mode != mode_;
    setMode(mode);
    if (changed && listener_ != nullptr)
        listener_->buttonPressed(this);
}
