#pragma once

#include "model/duration.h"
#include "panels/commonset.h"

class TRythmGatherer;

// The rhythm half of the scheme panel: the eight durations from the whole note's half down to
// the sixteenth to drag into the gatherer and, while the scheme is used in order, the eight
// rests behind the rests switch; the commands 0 to 19. Interface thread only.
class TRythmSet : public TCommonSet {
    Q_OBJECT
public:
    TRythmSet(QWidget* owner, TBaseService& service, TScheme& scheme);
    ~TRythmSet() override;

    TMotive& contrastMotive() override;
    bool inOrder() const override;
    void showRhythmSelection(int duration, int index) override;
    void showTurnSelection(int) override {}
    void schemeChanged() override;
    void buttonPressed(QWidget* button) override;

    TRythmGatherer* rythmGatherer() const;
    // The handle of the item for duration d (a negative d is a rest), or null.
    TDragged* itemHandle(DURATION d) const;
    TGroupButton* item(DURATION d) const;
    // Shows the rests in the row instead of the notes, or back; only while in order.
    TRealButton* restsButton() const { return restsButton_; }
    bool showsRests() const { return showsRests_; }
    void showRests(bool rests);

    void layOutBody() override;

private:
    void followMode();

    TRealButton* restsButton_;
    bool showsRests_ = false;
};
