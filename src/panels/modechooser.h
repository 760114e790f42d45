#pragma once

#include "canvas/buttons.h"

#include <QWidget>

class QLabel;
class QPushButton;
class TMessageBundle;

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
    QPushButton* inOrderButton() const { return inOrder_; }
    QPushButton* setButton() const { return set_; }

private:
    void choose(int mode);

    QLabel* caption_;
    QPushButton* inOrder_;
    QPushButton* set_;
    TButtonListener* listener_ = nullptr;
    int mode_ = IN_ORDER_MODE;
};
