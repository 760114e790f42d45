#pragma once

#include "panels/commonset.h"

class TTurnRoundGatherer;

// The pitch half of the scheme panel: the nine turns to drag into the gatherer and the
// commands 20 to 39. Interface thread only.
class TTurnRoundSet : public TCommonSet {
    Q_OBJECT
public:
    TTurnRoundSet(QWidget* owner, TBaseService& service, TScheme& scheme);
    ~TTurnRoundSet() override;

    TMotive& contrastMotive() override;
    bool inOrder() const override;
    void showRhythmSelection(int, int) override {}
    void showTurnSelection(int index) override;

    TTurnRoundGatherer* turnGatherer() const;
    // The handle of the i-th turn of the row (turn i + 1), or null.
    TDragged* itemHandle(int i) const;
};
