#pragma once

#include "panels/panelchooser.h"
#include "widgets/buttons.h"

#include <vector>

class TMotivePanelBase;

// The chooser buttons of the development area: one pressed at a time, and the pressed one's
// panel the only one shown. Interface thread only.
class TPanelChooserGroup : public TButtonListener {
public:
    TPanelChooserGroup() = default;
    TPanelChooserGroup(const TPanelChooserGroup&) = delete;
    TPanelChooserGroup& operator=(const TPanelChooserGroup&) = delete;
    virtual ~TPanelChooserGroup();

    // Appends the chooser and becomes its listener.
    virtual void add(TPanelChooser* chooser);
    // Presses the chooser at that index (if not pressed yet) and shows its panel; an index out
    // of range does nothing.
    void select(int index);
    void select(TPanelChooser* chooser);

    int count() const { return static_cast<int>(choosers_.size()); }
    // Null when the index is out of range.
    TPanelChooser* chooser(int index) const;
    int indexOf(const TPanelChooser* chooser) const;
    TPanelChooser* pressed() const;
    const std::vector<TPanelChooser*>& choosers() const { return choosers_; }

    // A chooser was clicked: it is pressed now.
    void buttonPressed(QWidget* button) override;

private:
    std::vector<TPanelChooser*> choosers_;
    TMotivePanelBase* shown_ = nullptr;
};

// Adds dropping motives on the chooser buttons: a drag from the handle of a motive canvas is
// offered to a chooser whose panel accepts motives; on the drop the chooser is pressed, its
// panel takes the canvas's motive as source and is shown.
class TMotivePanelChooserGroup : public TPanelChooserGroup, public TChooserDropInterface {
public:
    ~TMotivePanelChooserGroup() override;

    void add(TPanelChooser* chooser) override;

    bool acceptsDrop(TPanelChooser* chooser, const QMimeData* data) override;
    void dropped(TPanelChooser* chooser, const QMimeData* data) override;
};
