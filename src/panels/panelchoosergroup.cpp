#include "panels/panelchoosergroup.h"

#include "canvas/motivecanvas.h"
#include "model/motive.h"
#include "panels/motivepanelbase.h"
#include "widgets/dragged.h"

#include <algorithm>

TPanelChooserGroup::~TPanelChooserGroup() {
    for (TPanelChooser* chooser : choosers_)
        chooser->setListener(nullptr);
}

void TPanelChooserGroup::add(TPanelChooser* chooser) {
    choosers_.push_back(chooser);
    chooser->setListener(this);
}

TPanelChooser* TPanelChooserGroup::chooser(int index) const {
    if (index < 0 || index >= count())
        return nullptr;
    return choosers_[static_cast<std::size_t>(index)];
}

int TPanelChooserGroup::indexOf(const TPanelChooser* chooser) const {
    const auto at = std::find(choosers_.begin(), choosers_.end(), chooser);
    return at == choosers_.end() ? -1 : static_cast<int>(at - choosers_.begin());
}

TPanelChooser* TPanelChooserGroup::pressed() const {
    const auto at = std::find_if(choosers_.begin(), choosers_.end(),
                                 [](const TPanelChooser* c) { return c->isPressed(); });
    return at == choosers_.end() ? nullptr : *at;
}

void TPanelChooserGroup::select(int index) {
    select(chooser(index));
}

void TPanelChooserGroup::select(TPanelChooser* chooser) {
    if (chooser == nullptr || indexOf(chooser) < 0)
        return;
    chooser->setPressed(true);
    buttonPressed(chooser);
}

void TPanelChooserGroup::buttonPressed(QWidget* button) {
    auto* chosen = qobject_cast<TPanelChooser*>(button);
    if (chosen == nullptr)
        return;
    for (TPanelChooser* other : choosers_)
        if (other != chosen)
            other->setPressed(false);
    TMotivePanelBase* panel = chosen->panel();
    // Two choosers may share a panel: it then stays shown.
    if (shown_ != nullptr && shown_ != panel)
        shown_->hide();
    shown_ = panel;
    if (panel != nullptr) {
        panel->show();
        panel->raise();
    }
}

TMotivePanelChooserGroup::~TMotivePanelChooserGroup() {
    for (TPanelChooser* chooser : choosers())
        chooser->setDropInterface(nullptr);
}

void TMotivePanelChooserGroup::add(TPanelChooser* chooser) {
    TPanelChooserGroup::add(chooser);
    chooser->setDropInterface(this);
}

namespace {

// The motive canvas whose handle a drag carries, or null.
TMotiveCanvas* draggedMotiveCanvas(const QMimeData* data) {
    TDragged* dragged = TDragged::draggedFrom(data);
    return dragged != nullptr ? qobject_cast<TMotiveCanvas*>(dragged->source()) : nullptr;
}

} // namespace

bool TMotivePanelChooserGroup::acceptsDrop(TPanelChooser* chooser, const QMimeData* data) {
    return chooser->panel() != nullptr && chooser->panel()->acceptsMotive() &&
           draggedMotiveCanvas(data) != nullptr;
}

void TMotivePanelChooserGroup::dropped(TPanelChooser* chooser, const QMimeData* data) {
    TMotiveCanvas* canvas = draggedMotiveCanvas(data);
    if (canvas == nullptr || !acceptsDrop(chooser, data))
        return;
    chooser->setPressed(true);
    // A copy: the dragged canvas may belong to the very panel that is refilled.
    const TMotive source = canvas->motive();
    chooser->panel()->setSource(source, chooser->mode());
    select(chooser);
}
