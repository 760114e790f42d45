#pragma once

#include "engine/relativeeffect.h"
#include "panels/effectmotivepanel.h"

#include <memory>

// The relative techniques: the source's design (rhythm, turns, contour) is rebuilt under the
// chords the user chooses for a variant; the variant canvases choose chords and clear notes.
// The variants themselves live in the effect object, which the canvases show.
class THarmEffectPanel : public TEffectMotivePanel, public TRelativeEffectListener {
    Q_OBJECT
public:
    ~THarmEffectPanel() override;

    TRelativeEffect& effect() { return *effect_; }

    // Takes the design of a copy of `motive`; `mode` is ignored.
    void setSource(const TMotive& motive, int mode) override;
    void more() override;
    void variantHarmonised(TUMotiveCanvas* canvas) override;
    void variantEditStarted(TUMotiveCanvas* canvas) override;
    void setMeter(const TMeasure& measure, const TKey& key, int upbeat) override;

    void saveVariantVersion(int variant) override;

protected:
    THarmEffectPanel(QWidget* parent, TBaseService& service, TScheme& scheme, const char* titleKey,
                     TRelativeEffectKind kind);

private:
    // What the line under the buttons says about the source.
    void describeSource();

    std::unique_ptr<TRelativeEffect> effect_;
};

class THarmBaseRepeatPanel : public THarmEffectPanel {
    Q_OBJECT
protected:
    using THarmEffectPanel::THarmEffectPanel;
};

class THarmSequenceUpPanel : public THarmBaseRepeatPanel {
    Q_OBJECT
public:
    THarmSequenceUpPanel(QWidget* parent, TBaseService& service, TScheme& scheme)
        : THarmBaseRepeatPanel(parent, service, scheme, "rel. sequence up",
                               TRelativeEffectKind::SEQUENCE_UP) {}
};

class THarmSequenceDownPanel : public THarmBaseRepeatPanel {
    Q_OBJECT
public:
    THarmSequenceDownPanel(QWidget* parent, TBaseService& service, TScheme& scheme)
        : THarmBaseRepeatPanel(parent, service, scheme, "rel. sequence down",
                               TRelativeEffectKind::SEQUENCE_DOWN) {}
};

class THarmVariationPanel : public THarmEffectPanel {
    Q_OBJECT
public:
    THarmVariationPanel(QWidget* parent, TBaseService& service, TScheme& scheme)
        : THarmEffectPanel(parent, service, scheme, "rel. variation",
                           TRelativeEffectKind::VARIATION) {}
};

class THarmRepeatPanel : public THarmEffectPanel {
    Q_OBJECT
public:
    THarmRepeatPanel(QWidget* parent, TBaseService& service, TScheme& scheme)
        : THarmEffectPanel(parent, service, scheme, "rel. repeat", TRelativeEffectKind::REPEAT) {}
};

class THarmPiecePanel : public THarmEffectPanel {
    Q_OBJECT
public:
    THarmPiecePanel(QWidget* parent, TBaseService& service, TScheme& scheme)
        : THarmEffectPanel(parent, service, scheme, "rel. piece", TRelativeEffectKind::PIECE) {}
};

class THarmRhythmPanel : public THarmEffectPanel {
    Q_OBJECT
public:
    THarmRhythmPanel(QWidget* parent, TBaseService& service, TScheme& scheme)
        : THarmEffectPanel(parent, service, scheme, "rel. rhythm", TRelativeEffectKind::RHYTHM) {}
};

class THarmOtherPanel : public THarmEffectPanel {
    Q_OBJECT
public:
    THarmOtherPanel(QWidget* parent, TBaseService& service, TScheme& scheme)
        : THarmEffectPanel(parent, service, scheme, "rel. other", TRelativeEffectKind::OTHER) {}
};
