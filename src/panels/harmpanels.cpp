#include "panels/harmpanels.h"

#include "canvas/umotivecanvas.h"

namespace {

bool relativeHasMore(TRelativeEffectKind kind) {
    return kind == TRelativeEffectKind::VARIATION || kind == TRelativeEffectKind::PIECE ||
           kind == TRelativeEffectKind::RHYTHM;
}

} // namespace

THarmEffectPanel::THarmEffectPanel(QWidget* parent, TBaseService& service, TScheme& scheme,
                                   const char* titleKey, TRelativeEffectKind kind)
    : TEffectMotivePanel(parent, service, scheme, titleKey, relativeHasMore(kind),
                         TUMotiveCanvas::MODE_NEW_CHORD),
      effect_(makeRelativeEffect(kind, scheme)) {
    effect_->setListener(this);
    buildSlots({&effect_->variant(0), &effect_->variant(1), &effect_->variant(2)});
}

THarmEffectPanel::~THarmEffectPanel() {
    effect_->setListener(nullptr);
}

void THarmEffectPanel::setSource(const TMotive& motive, int) {
    takeSource(motive);
    effect_->setSource(source());
    describeSource();
}

void THarmEffectPanel::describeSource() {
    if (effect_->design().isEmpty())
        setNoteText(bundleText("no variants"));
    else if (!effect_->isReadyFor(effect_->variant(0)))
        setNoteText(bundleText("choose chords for variants"));
    else
        setNoteText({});
}

void THarmEffectPanel::more() {
    if (!hasSource())
        return;
    stopPlayingVariants();
    if (effect_->more())
        playAll();
}

void THarmEffectPanel::variantHarmonised(TUMotiveCanvas* canvas) {
    const int i = variantIndex(canvas);
    if (i < 0 || !hasSource())
        return;
    stopPlayingVariants();
    effect_->variantHarmonised(i);
    describeSource();
}

void THarmEffectPanel::variantEditStarted(TUMotiveCanvas* canvas) {
    const int i = variantIndex(canvas);
    // Notes chosen over a variant's chords are that variant's own: the others stay.
    if (i < 0 || !hasSource() || canvas->choosingNotes())
        return;
    stopPlayingVariants();
    effect_->variantEditStarted(i);
    for (int v = 0; v < VARIANT_COUNT; ++v)
        effect_->variant(v).notifyChanged();
}

void THarmEffectPanel::setMeter(const TMeasure& measure, const TKey& key, int upbeat) {
    TEffectMotivePanel::setMeter(measure, key, upbeat);
    // The old design belongs to the old meter: a chord chosen now must not regenerate from it.
    effect_->setSource(source());
}

void THarmEffectPanel::saveVariantVersion(int variant) {
    canvas(variant)->saveVersion();
}
