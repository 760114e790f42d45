#pragma once

#include "canvas/buttons.h"

#include <QIcon>
#include <QTreeWidget>
#include <QWidget>

#include <array>

class TMessageBundle;
class TBaseViewNode;

// Told which strip position the user chose in the navigation tree.
class TNavigationTreeListener {
public:
    virtual ~TNavigationTreeListener() = default;
    // Returns whether the strip moved.
    virtual bool scrollTo(int x) = 0;
};

// Told which canvas mode the user chose.
class TButtonGroupPanelListener {
public:
    virtual ~TButtonGroupPanelListener() = default;
    virtual void modeChosen(int mode) = 0;
};

// The five mode buttons: select notes, select chords, select chords under notes, delete notes,
// generate motive (modes 1 to 5). Exactly one is down.
class TButtonGroupPanel : public QWidget, public TButtonListener {
    Q_OBJECT
public:
    static constexpr int BUTTON_COUNT = 5;

    TButtonGroupPanel(QWidget* parent, const TMessageBundle& bundle);

    void setListener(TButtonGroupPanelListener* listener) { listener_ = listener; }
    // Presses button n (1 to 5) as the user would, unless it is down already.
    void pressButton(int n);
    TRealButton* button(int n) const;
    void buttonPressed(QWidget* button) override;

private:
    std::array<TRealButton*, BUTTON_COUNT> buttons_{};
    TButtonGroupPanelListener* listener_ = nullptr;
};

// The period's outline: period, sentences, phrases, motives. A click scrolls the strip to the
// chosen column.
class TNavigationTree : public QTreeWidget {
    Q_OBJECT
public:
    TNavigationTree(QWidget* parent, const TMessageBundle& bundle);

    void setListener(TNavigationTreeListener* listener) { listener_ = listener; }
    // Rebuilds the outline from the view tree; each node remembers its column's left.
    void rebuild(const TBaseViewNode& period);

private:
    void nodeClicked(QTreeWidgetItem* item);

    const TMessageBundle& bundle_;
    TNavigationTreeListener* listener_ = nullptr;
    // Period, sentence, phrase, motive; cut from the glyph sheet on the first rebuild.
    std::array<QIcon, 4> diamonds_;
};
