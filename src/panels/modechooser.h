#pragma once

#include "widgets/buttons.h"

#include <QWidget>

class QLabel;
class TMessageBundle;

// A toggle button of the mode chooser: its caption on a bevelled face, sunken while down.
class TModeButton : public TKeyboardButton {
    Q_OBJECT
public:
    TModeButton(QWidget* owner, const QString& caption, const QString& hint);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// How a scheme set gathers its items: "in order" (a sequence) or "as a set". Two toggle
// buttons under the caption "Mode:", exactly one of them down; pressing the one that is up
// puts it down, lifts the other and tells the listener. Interface thread only.
class TModeChooser : public QWidget {
    Q_OBJECT
public:
    // The gatherer's mode numbers (TGroup::SET, TGroup::SEQUENCE).
    static constexpr int SET_MODE = 0;
    static constexpr int IN_ORDER_MODE = 1;

    TModeChooser(QWidget* owner, const TMessageBundle& bundle);

    void setListener(TButtonListener* listener) { listener_ = listener; }
    int mode() const { return mode_; }
    // Shows the mode; tells nobody.
    void setMode(int mode);
    TModeButton* inOrderButton() const { return inOrder_; }
    TModeButton* setButton() const { return set_; }

private:
    void choose(int mode);

    QLabel* caption_;
    TModeButton* inOrder_;
    TModeButton* set_;
    TButtonListener* listener_ = nullptr;
    int mode_ = IN_ORDER_MODE;
};
