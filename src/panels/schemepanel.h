#pragma once

#include "engine/rhythmlayout.h"
#include "engine/turn.h"
#include "panels/motivepanelbase.h"

class TBaseService;
class TRythmSet;
class TScheme;
class TTurnRoundSet;

// The panel of the "Scheme" and "Contrast" choosers: the rhythm set on the left and the pitch
// set on the right. A motive dropped on "Scheme" gives both schemes; on "Contrast" it becomes
// the Motive for Contrast of both sets. Interface thread only.
class TSchemePanel : public TMotivePanelBase {
    Q_OBJECT
public:
    static constexpr int SCHEME_MODE = 0;
    static constexpr int CONTRAST_MODE = 1;
    static constexpr QRect RYTHM_SET_PLACE{6, 6, 381, 203};
    static constexpr QRect PITCH_SET_PLACE{392, 6, 526, 203};

    TSchemePanel(QWidget* parent, TBaseService& service, TScheme& scheme);

    void setSource(const TMotive& motive, int mode) override;
    // Both sets show the scheme as it is now.
    void reloadSets();
    // Both figures show whether their Motive for Contrast is set.
    void refreshContrastFigures();
    // Both halves of the scheme become these, as if gathered by hand; no category shows
    // pressed.
    void setSchemes(const TDurations& durations, bool durationsInOrder, const TTurns& turns,
                    bool turnsInOrder);
    // Runs scheme command `command` (0 to 39) as a click on its button does.
    void pressCommand(int command);

    TRythmSet* rythmSet() const { return rythmSet_; }
    TTurnRoundSet* pitchSet() const { return pitchSet_; }

private:
    TBaseService& service_;
    TScheme& scheme_;
    TRythmSet* rythmSet_;
    TTurnRoundSet* pitchSet_;
};
