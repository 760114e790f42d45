#pragma once

#include "canvas/umotiveinterface.h"

class TScheme;
class TVariantModel;

// Told when a choice in the variant view ends without the mouse button's release reaching the
// canvas (focus lost, a release that went astray) or is cancelled (Escape). Interface thread
// only.
class TVariantChoiceOwner {
public:
    virtual ~TVariantChoiceOwner() = default;
    // Finish the choice as a release would.
    virtual void choiceAbandoned() = 0;
    // Put the motive back as it was before the press; keep nothing, play nothing.
    virtual void choiceCancelled() = 0;
};

// The variant display as the canvases drive it while a mouse button is held. Coordinates are
// screen pixels. Interface thread only.
class TColorPanelListener {
public:
    virtual ~TColorPanelListener() = default;
    virtual void close() = 0;
    // Neither the scheme nor the model is owned; both outlive the choice.
    virtual void open(TScheme& scheme, TVariantModel& model, int x, int y) = 0;
    virtual void track(const TShiftState& shift, int x, int y) = 0;
    // Who finishes the choice when it is abandoned; null for nobody. Cleared by close.
    virtual void setChoiceOwner(TVariantChoiceOwner* owner) = 0;
};
