#pragma once

#include "model/rect.h"
#include "panels/groupbuttons.h"

#include <QWidget>

#include <functional>
#include <vector>

class QLabel;
class TDragged;
class THintPanel;
class TMotive;
class TScheme;

// A panel into which the user drags items (from an item row or another gatherer) to build a
// scheme: in sequence mode an ordered, numbered list with repetitions, in set mode each value
// once. Items flow in rows, each behind its drag handle (and number); what does not fit ends
// in "..." but still counts. Every change is applied to the scheme. A drop on an item, its
// handle or its number is a drop on the gatherer with that item as target. Interface thread
// only.
class TGatherer : public QWidget, public TGroupListener {
    Q_OBJECT
public:
    ~TGatherer() override;

    TGroup& group() { return group_; }
    const TGroup& group() const { return group_; }
    int mode() const { return group_.mode(); }
    // What a drop of the dragged control `source` onto `target` (this gatherer or one of its
    // children) does.
    virtual void drop(QWidget* target, QWidget* source);
    virtual bool acceptDrag(QWidget* source) const;
    // TGroup::SET or TGroup::SEQUENCE; the same mode again does nothing.
    virtual void setMode(int mode);
    // Writes the values of all items, in order, into the scheme.
    virtual void apply() = 0;
    // Replaces the content by the motive's values in sequence mode and applies.
    virtual void takeFromMotive(const TMotive& motive) = 0;
    // Shows the scheme's half as it is: one item per element, the scheme's mode; applies
    // nothing.
    virtual void reloadFromScheme() = 0;
    void relayout();
    // The item and every selected item leave and are destroyed; the rest is applied.
    void deleteWithSelection(TGroupButton* item);

    // The handle and the number label of item i, or null when none was needed yet.
    TDragged* handle(int i) const;
    QLabel* numberLabel(int i) const;
    QLabel* overflowLabel() const { return overflow_; }
    THintPanel* hintPanel() const { return hint_; }
    // Whether the content is a motive's, untouched by the user since.
    bool takenFromMotive() const { return takenFromMotive_; }
    // The tooltip of the gatherer and its corner glyph.
    void setHint(const QString& text);
    // Gives every item, present and to come, the name the function finds for it (its tooltip
    // and the name a screen reader announces).
    void setItemNamer(std::function<QString(const TGroupButton*)> namer);

    void itemAdded(TGroupButton*) override {}
    void itemsAdded(const std::vector<TGroupButton*>&) override {}
    void itemsRemoved(const std::vector<TGroupButton*>&) override {}

protected:
    TGatherer(QWidget* owner, TScheme& scheme, const TRect& hintGlyph);

    // Whether `source` is an item this gatherer takes.
    virtual bool isItem(const QWidget* source) const = 0;
    // A new item of this gatherer with the value of `item`.
    virtual TGroupButton* copyItem(const TGroupButton* item) = 0;
    virtual bool sameValue(const TGroupButton* a, const TGroupButton* b) const = 0;
    // Called before the mode becomes set mode.
    virtual void enteringSetMode() {}
    // Whether an item of this value may stand in a set.
    virtual bool mayJoinSet(const TGroupButton*) const { return true; }
    // Adds a new item at the end, without applying.
    void append(TGroupButton* item);
    // Takes the items out of the group and destroys them.
    void discard(const std::vector<TGroupButton*>& items);
    void clearItems();
    void storeMode(int mode) { group_.setMode(mode); }
    void setTakenFromMotive(bool taken) { takenFromMotive_ = taken; }

    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    TScheme& scheme_;

private:
    void nameItem(TGroupButton* item) const;
    // The drop target as an item of this gatherer, or null.
    TGroupButton* targetItem(QWidget* target) const;
    void watch(QWidget* child);
    bool handleDragEvent(QWidget* target, QEvent* event);

    TGroup group_;
    std::vector<TDragged*> handles_;
    std::vector<QLabel*> labels_;
    QLabel* overflow_;
    THintPanel* hint_;
    bool takenFromMotive_ = false;
    std::function<QString(const TGroupButton*)> namer_;
};

// Gathers durations into the rhythm scheme; rests never stay in a set.
class TRythmGatherer : public TGatherer {
    Q_OBJECT
public:
    TRythmGatherer(QWidget* owner, TScheme& scheme);
    void apply() override;
    void takeFromMotive(const TMotive& motive) override;
    void reloadFromScheme() override;
    std::vector<DURATION> values() const;

protected:
    bool isItem(const QWidget* source) const override;
    TGroupButton* copyItem(const TGroupButton* item) override;
    bool sameValue(const TGroupButton* a, const TGroupButton* b) const override;
    void enteringSetMode() override;
    bool mayJoinSet(const TGroupButton* item) const override;
};

// Gathers turns into the pitch scheme.
class TTurnRoundGatherer : public TGatherer {
    Q_OBJECT
public:
    TTurnRoundGatherer(QWidget* owner, TScheme& scheme);
    void apply() override;
    void takeFromMotive(const TMotive& motive) override;
    void reloadFromScheme() override;
    std::vector<TURN_ROUND> values() const;

protected:
    bool isItem(const QWidget* source) const override;
    TGroupButton* copyItem(const TGroupButton* item) override;
    bool sameValue(const TGroupButton* a, const TGroupButton* b) const override;
};
