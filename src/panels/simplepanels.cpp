#include "panels/simplepanels.h"

#include "canvas/umotivecanvas.h"

TSimpleEffectPanelBase::TSimpleEffectPanelBase(QWidget* parent, TBaseService& service,
                                               TScheme& scheme, const char* titleKey,
                                               TSimpleEffect effect, bool hasMore)
    : TEffectMotivePanel(parent, service, scheme, titleKey, hasMore, TUMotiveCanvas::MODE_CHORD),
      effect_(effect) {
    buildSlots(ownVariants());
}

void TSimpleEffectPanelBase::setSource(const TMotive& motive, int) {
    takeSource(motive);
    fill();
}

void TSimpleEffectPanelBase::computeMore() {
    if (!hasSource())
        return;
    stopPlayingVariants();
    saveVariantVersions();
    setNoteText({});
    fill();
    playAll();
}

void TSimpleEffectPanelBase::fill() {
    TEffect effect(scheme_);
    showVariants(effect.makeVariants(effect_, source()));
}
