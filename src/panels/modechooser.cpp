#include "panels/modechooser.h"

#include "files/messagebundle.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr int BUTTON_WIDTH = 58;
constexpr int BUTTON_HEIGHT = 22;
constexpr int CAPTION_HEIGHT = 16;

QPushButton* toggleButton(QWidget* owner, const TMessageBundle& bundle, const std::string& key) {
    auto* button = new QPushButton(QString::fromStdString(bundle.text(key)), owner);
    button->setCheckable(true);
    const QString hint = QString::fromStdString(bundle.text(key + " hint"));
    button->setToolTip(hint);
    button->setAccessibleDescription(hint);
    button->resize(BUTTON_WIDTH, BUTTON_HEIGHT);
    return button;
}

} // namespace

TModeChooser::TModeChooser(QWidget* owner, const TMessageBundle& bundle)
    : QWidget(owner),
      caption_(new QLabel(QString::fromStdString(bundle.text("scheme mode")), this)),
      inOrder_(toggleButton(this, bundle, "scheme mode in order")),
      set_(toggleButton(this, bundle, "scheme mode as set")) {
    caption_->setGeometry(0, 0, 2 * BUTTON_WIDTH + 2, CAPTION_HEIGHT);
    inOrder_->move(0, CAPTION_HEIGHT + 2);
    set_->move(BUTTON_WIDTH + 2, CAPTION_HEIGHT + 2);
    resize(2 * BUTTON_WIDTH + 2, CAPTION_HEIGHT + 2 + BUTTON_HEIGHT);
    // A click on the button that is down leaves it down.
    connect(inOrder_, &QPushButton::clicked, this, [this] { choose(IN_ORDER_MODE); });
    connect(set_, &QPushButton::clicked, this, [this] { choose(SET_MODE); });
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
