#pragma once

#include "engine/effect.h"
#include "panels/effectmotivepanel.h"

// The simple techniques: each variant is a transformation of the source's notes, without
// chords, shown in a canvas in which chords may be chosen under the notes.
class TSimpleEffectPanelBase : public TEffectMotivePanel {
    Q_OBJECT
public:
    TSimpleEffect effect() const { return effect_; }
    // Empties the slots and fills them from a copy of `motive`.
    void setSource(const TMotive& motive, int mode) override;

protected:
    TSimpleEffectPanelBase(QWidget* parent, TBaseService& service, TScheme& scheme,
                           const char* titleKey, TSimpleEffect effect, bool hasMore);
    // The random techniques: the shown variants go into the histories, three new ones are
    // computed from the same source and played.
    void computeMore();

private:
    void fill();

    TSimpleEffect effect_;
};

// Sequences and repeat: the source moved by fixed steps; nothing random, so no "More".
class TBaseRepeatMotivePanel : public TSimpleEffectPanelBase {
    Q_OBJECT
protected:
    TBaseRepeatMotivePanel(QWidget* parent, TBaseService& service, TScheme& scheme,
                           const char* titleKey, TSimpleEffect effect)
        : TSimpleEffectPanelBase(parent, service, scheme, titleKey, effect, false) {}
};

class TSequenceUpMotivePanel : public TBaseRepeatMotivePanel {
    Q_OBJECT
public:
    TSequenceUpMotivePanel(QWidget* parent, TBaseService& service, TScheme& scheme)
        : TBaseRepeatMotivePanel(parent, service, scheme, "sequence up",
                                 TSimpleEffect::SEQUENCE_UP) {}
};

class TSequenceDownMotivePanel : public TBaseRepeatMotivePanel {
    Q_OBJECT
public:
    TSequenceDownMotivePanel(QWidget* parent, TBaseService& service, TScheme& scheme)
        : TBaseRepeatMotivePanel(parent, service, scheme, "sequence down",
                                 TSimpleEffect::SEQUENCE_DOWN) {}
};

class TRepeatMotivePanel : public TBaseRepeatMotivePanel {
    Q_OBJECT
public:
    TRepeatMotivePanel(QWidget* parent, TBaseService& service, TScheme& scheme)
        : TBaseRepeatMotivePanel(parent, service, scheme, "repeat", TSimpleEffect::REPEAT) {}
};

class TVariationMotivePanel : public TSimpleEffectPanelBase {
    Q_OBJECT
public:
    TVariationMotivePanel(QWidget* parent, TBaseService& service, TScheme& scheme)
        : TSimpleEffectPanelBase(parent, service, scheme, "variation", TSimpleEffect::VARIATION,
                                 true) {}
    void more() override { computeMore(); }
};

class TPieceMotivePanel : public TSimpleEffectPanelBase {
    Q_OBJECT
public:
    TPieceMotivePanel(QWidget* parent, TBaseService& service, TScheme& scheme)
        : TSimpleEffectPanelBase(parent, service, scheme, "piece", TSimpleEffect::PIECE, true) {}
    void more() override { computeMore(); }
};

class TNewRythmMotivePanel : public TSimpleEffectPanelBase {
    Q_OBJECT
public:
    TNewRythmMotivePanel(QWidget* parent, TBaseService& service, TScheme& scheme)
        : TSimpleEffectPanelBase(parent, service, scheme, "rhythm", TSimpleEffect::RHYTHM, true) {}
    void more() override { computeMore(); }
};

class TOtherEffectsPanel : public TSimpleEffectPanelBase {
    Q_OBJECT
public:
    TOtherEffectsPanel(QWidget* parent, TBaseService& service, TScheme& scheme)
        : TSimpleEffectPanelBase(parent, service, scheme, "other", TSimpleEffect::OTHER, false) {}
};
