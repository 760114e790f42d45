#pragma once

#include "engine/turn.h"
#include "model/duration.h"
#include "model/rect.h"

#include <QAbstractButton>

#include <vector>

class TGroupButton;

// Told when items join or leave a group, in this order of operations.
class TGroupListener {
public:
    virtual ~TGroupListener() = default;
    virtual void itemAdded(TGroupButton* item) = 0;
    virtual void itemsAdded(const std::vector<TGroupButton*>& items) = 0;
    virtual void itemsRemoved(const std::vector<TGroupButton*>& items) = 0;
};

// Whether an item has to leave its group (a gatherer switching to set mode asks it).
class TRemoveFromGroupInterface {
public:
    virtual ~TRemoveFromGroupInterface() = default;
    virtual bool mustLeave(const TGroupButton* item) const = 0;
};

// Rests leave: a rhythm scheme used as a set holds durations only.
class TRemoveSpace : public TRemoveFromGroupInterface {
public:
    bool mustLeave(const TGroupButton* item) const override;
};

// The ordered items of a gatherer or an item row, and how they are gathered: as a set (each
// value at most once, no rests) or as a sequence (ordered, with repetitions, numbered). The
// group never owns its items. Interface thread only.
class TGroup {
public:
    static constexpr int SET = 0;
    static constexpr int SEQUENCE = 1;

    explicit TGroup(int mode = SEQUENCE) : mode_(mode) {}
    TGroup(const TGroup&) = delete;
    TGroup& operator=(const TGroup&) = delete;
    ~TGroup();

    void setListener(TGroupListener* listener) { listener_ = listener; }
    int mode() const { return mode_; }
    void setMode(int mode) { mode_ = mode; }

    // Appends, or inserts before `before` when it is an item of this group.
    void add(TGroupButton* item, const TGroupButton* before = nullptr);
    void add(const std::vector<TGroupButton*>& items, const TGroupButton* before = nullptr);
    void remove(const std::vector<TGroupButton*>& items);
    // Moves `item` to the position of `target`; nothing when either is not here or they are
    // the same item.
    void move(TGroupButton* item, const TGroupButton* target);

    const std::vector<TGroupButton*>& items() const { return items_; }
    int indexOf(const TGroupButton* item) const;
    // The selected items in group order.
    std::vector<TGroupButton*> selected() const;
    void deselectAll();

private:
    std::vector<TGroupButton*> items_;
    TGroupListener* listener_ = nullptr;
    int mode_;
};

// A selectable item: a press without Ctrl first deselects every item of its group, then the
// pressed item's selection toggles, so Ctrl-clicks build a multiple selection. Space does the
// same from the keyboard.
class TGroupButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit TGroupButton(QWidget* owner);
    ~TGroupButton() override;

    TGroup* group() const { return group_; }
    // Called by TGroup only.
    void setGroup(TGroup* group) { group_ = group; }
    // Repaints when the state changes.
    void setSelected(bool selected);
    bool isSelected() const { return selected_; }
    // The light of the scheme element a variant draws on; apart from the user's selection.
    void setHighlighted(bool highlighted);
    bool isHighlighted() const { return highlighted_; }
    // The user's press, with or without Ctrl.
    void pressItem(bool withCtrl);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent*) override {}
    void keyPressEvent(QKeyEvent* event) override;

private:
    TGroup* group_ = nullptr;
    bool selected_ = false;
    bool highlighted_ = false;
};

// An item drawn as a glyph, another glyph while selected, on a bevelled face.
class TGlyphButton : public TGroupButton {
    Q_OBJECT
public:
    TGlyphButton(QWidget* owner, const TRect& glyph, const TRect& selectedGlyph);
    const TRect& glyph() const { return glyph_; }
    const TRect& selectedGlyph() const { return selectedGlyph_; }
    // The wider glyph + 10 by the taller glyph + 10.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TRect glyph_;
    TRect selectedGlyph_;
};

// A duration of a rhythm scheme; a negative value is a rest.
class TDurationButton : public TGlyphButton {
    Q_OBJECT
public:
    TDurationButton(QWidget* owner, DURATION value);
    DURATION value() const { return value_; }

private:
    DURATION value_;
};

// A melodic turn of a pitch scheme.
class TTurnRoundButton : public TGlyphButton {
    Q_OBJECT
public:
    static constexpr int PREFERRED_HEIGHT = 43;

    TTurnRoundButton(QWidget* owner, TURN_ROUND value);
    TURN_ROUND value() const { return value_; }
    QSize sizeHint() const override;

private:
    TURN_ROUND value_;
};
