#include "panels/schemepanel.h"

#include "canvas/baseservice.h"
#include "engine/scheme.h"
#include "engine/schemecommand.h"
#include "panels/rythmset.h"
#include "panels/turnroundset.h"
#include "widgets/drawing.h"

TSchemePanel::TSchemePanel(QWidget* parent, TBaseService& service, TScheme& scheme)
    : TMotivePanelBase(parent), service_(service), scheme_(scheme),
      rythmSet_(new TRythmSet(this, service, scheme)),
      pitchSet_(new TTurnRoundSet(this, service, scheme)) {
    resize(PLACE.size());
    rythmSet_->setGeometry(RYTHM_SET_PLACE);
    pitchSet_->setGeometry(PITCH_SET_PLACE);
    // A hidden widget hears of its size only when shown; the sets are placed at once.
    rythmSet_->layOutBody();
    pitchSet_->layOutBody();
}

void TSchemePanel::setSource(const TMotive& motive, int mode) {
    if (mode == CONTRAST_MODE) {
        scheme_.rhythmContrastMotive() = motive;
        scheme_.pitchContrastMotive() = motive;
        refreshContrastFigures();
        service_.contrastMotivesChanged();
        return;
    }
    rythmSet_->setMotive(motive);
    pitchSet_->setMotive(motive);
}

void TSchemePanel::reloadSets() {
    rythmSet_->schemeChanged();
    pitchSet_->schemeChanged();
    // A category lit by a command named the schemes before: these are others.
    rythmSet_->releasePressed();
    pitchSet_->releasePressed();
    refreshContrastFigures();
}

void TSchemePanel::refreshContrastFigures() {
    rythmSet_->refreshContrastFigure();
    pitchSet_->refreshContrastFigure();
}

void TSchemePanel::setSchemes(const TDurations& durations, bool durationsInOrder,
                              const TTurns& turns, bool turnsInOrder) {
    scheme_.setDurations(durations, durationsInOrder, true);
    scheme_.setTurns(turns, turnsInOrder, true);
    rythmSet_->releasePressed();
    pitchSet_->releasePressed();
}

void TSchemePanel::pressCommand(int command) {
    if (isPitchCommand(command))
        pitchSet_->pressCommand(command);
    else
        rythmSet_->pressCommand(command);
}
