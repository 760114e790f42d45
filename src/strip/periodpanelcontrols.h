// The period panel's controls beside the strip: the mode buttons and the navigation tree.
#pragma once

#include "widgets/buttons.h"

#include <QIcon>
#include <QTreeWidget>
#include <QWidget>

#include <array>
#include <vector>

class TColoredBoxSet;
class TMessageBundle;
class TUMotiveSet;

// A node of the view tree that mirrors the period: the period, its sentences, their phrases.
class TBaseViewNode {
public:
    virtual ~TBaseViewNode() = default;
    virtual TColoredBoxSet* column() const = 0;
    virtual bool isLeaf() const = 0;
    virtual const std::vector<TUMotiveSet*>& cells() const = 0;
    virtual std::vector<TBaseViewNode*> children() const = 0;
};

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
// generate motive, numbered 1 to 5 from the left. Exactly one is down; the group numbers each
// button with the canvas mode it chooses (TUMotiveCanvas::MODE_...).
class TButtonGroupPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int BUTTON_COUNT = 5;

    TButtonGroupPanel(QWidget* parent, const TMessageBundle& bundle);

    void setListener(TButtonGroupPanelListener* listener) { listener_ = listener; }
    // Presses button n (1 to 5) as the user would, unless it is down already.
    void pressButton(int n);
    // Presses the button that chooses canvas mode `mode`, as the user would.
    void pressMode(int mode);
    // The canvas mode of the button that is down.
    int mode() const { return group_.checkedId(); }
    TRealButton* button(int n) const;
    const QButtonGroup& group() const { return group_; }

private:
    void modeClicked(int mode);

    QButtonGroup group_;
    std::array<TRealButton*, BUTTON_COUNT> buttons_{};
    TButtonGroupPanelListener* listener_ = nullptr;
};

// The period's outline: period, sentences, phrases, motives. A click, or moving to a node with
// the keyboard, scrolls the strip to the chosen column.
class TNavigationTree : public QTreeWidget {
    Q_OBJECT
public:
    // Wide enough for the labels of a motive node within the 152 pixels left of the strip.
    static constexpr int WIDTH = 152;

    TNavigationTree(QWidget* parent, const TMessageBundle& bundle);

    void setListener(TNavigationTreeListener* listener) { listener_ = listener; }
    // Rebuilds the outline from the view tree; each node remembers its column's left.
    void rebuild(const TBaseViewNode& period);

private:
    void nodeClicked(QTreeWidgetItem* item);
    void scrollToNode(const QTreeWidgetItem* item);

    const TMessageBundle& bundle_;
    TNavigationTreeListener* listener_ = nullptr;
    // Period, sentence, phrase, motive; cut from the glyph sheet on the first rebuild.
    std::array<QIcon, 4> diamonds_;
};
