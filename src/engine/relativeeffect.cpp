#include "engine/relativeeffect.h"

#include "engine/melodyrules.h"
#include "engine/scheme.h"
#include "model/notelist.h"
#include "model/random.h"

#include <algorithm>
#include <cstdlib>

void TRelativeEffect::setSource(const TMotive& source) {
    source_ = source;
    design_ = readDesign(source_, scheme_);
    for (TMotive& variant : variants_)
        variant = source_;
    if (isReadyFor(source_))
        computeUnderRules();
    for (TMotive& variant : variants_)
        variant.notifyChanged();
}

void TRelativeEffect::variantHarmonised(int i) {
    const TChordList chords = variant(i).chords();
    for (TMotive& variant : variants_)
        variant.chords() = chords;
    if (isReadyFor(variant(i)))
        computeUnderRules();
    for (TMotive& variant : variants_)
        variant.notifyChanged();
}

void TRelativeEffect::variantEditStarted(int i) {
    for (int other = 0; other < VARIANT_COUNT; ++other)
        if (other != i && listener_)
            listener_->saveVariantVersion(other);
    for (TMotive& variant : variants_)
        variant.clearNotes();
}

bool TRelativeEffect::more() {
    if (!hasMore() || !isReadyFor(variant(0)))
        return false;
    for (int i = 0; i < VARIANT_COUNT && listener_; ++i)
        listener_->saveVariantVersion(i);
    recompute();
    return true;
}

void TRelativeEffect::computeUnderRules() {
    computeVariants();
    if (!scheme_.schoolHarmony())
        return;
    for (int i = 0; i < VARIANT_COUNT; ++i) {
        if (kind() == TRelativeEffectKind::RHYTHM) {
            const TMotives earlier(variants_.begin(), variants_.begin() + i);
            replaceStaleRhythm(variant(i), source_, earlier, i + 1);
        }
        keepMelodicRules(variant(i));
    }
}

void TRelativeEffect::recompute() {
    computeUnderRules();
    for (TMotive& variant : variants_)
        variant.notifyChanged();
}

bool TRelativeEffect::isReadyFor(const TMotive& motive) const {
    return !design_.isEmpty() && motive.isHarmonised();
}

TRandomGenerator& TRelativeEffect::random() const {
    return scheme_.random();
}

void TRelativeEffect::regenerate(int i, const TTurnsWithDir& turns, const TLights& beacons) {
    TMotive& target = variant(i);
    target.notes().clear();
    scheme_.regenerateMotive(design_.rhythm, turns, beacons, target);
}

bool TRelativeEffect::isFresh(const TMotive& candidate, int produced) const {
    const TMotives earlier(variants_.begin(), variants_.begin() + produced);
    return isFreshVariant(candidate, source_, earlier);
}

void TRelativeEffect::keepFreshTry(int i, const std::function<void(TMotive&)>& transform) {
    TMotive candidate = variant(i);
    retryForFresh(
        [&] {
            candidate.notes() = variant(i).notes();
            transform(candidate);
        },
        [&] { return isFresh(candidate, i); });
    variant(i).notes() = candidate.notes();
}

int shiftedBeaconPitch(const TChord& chord, const TKey& key, int pitch, int steps) {
    for (int n = std::abs(steps); n >= 1; --n) {
        const int moved =
            steps > 0 ? chord.chordToneAbove(key, pitch, n) : chord.chordToneBelow(key, pitch, n);
        if (moved != NO_CHORD_TONE && isInMelodyRange(moved))
            return moved;
    }
    return pitch;
}

namespace {

// Rel. sequence up and down: the beacons move by one, two or three chord steps of each
// variant's chords.
class TRelSequenceEffect : public TRelativeEffect {
public:
    TRelSequenceEffect(TScheme& scheme, bool up) : TRelativeEffect(scheme), up_(up) {}
    TRelativeEffectKind kind() const override {
        return up_ ? TRelativeEffectKind::SEQUENCE_UP : TRelativeEffectKind::SEQUENCE_DOWN;
    }
    void computeVariants() override {
        for (int i = 0; i < VARIANT_COUNT; ++i) {
            const int steps = up_ ? i + 1 : -(i + 1);
            TLights beacons = design().beacons;
            const TMotive& target = variant(i);
            const std::size_t parts = std::min(target.chords().size(), beacons.size());
            for (std::size_t k = 0; k < parts; ++k)
                beacons[k].pitch =
                    shiftedBeaconPitch(target.chords()[k], target.key(), beacons[k].pitch, steps);
            regenerate(i, design().turns, beacons);
        }
    }

private:
    bool up_;
};

// Rel. repeat: the design at its own height, an octave higher and an octave lower.
class TRelRepeatEffect : public TRelativeEffect {
public:
    using TRelativeEffect::TRelativeEffect;
    TRelativeEffectKind kind() const override { return TRelativeEffectKind::REPEAT; }
    void computeVariants() override {
        static constexpr int SHIFTS[VARIANT_COUNT] = {0, 7, -7};
        for (int i = 0; i < VARIANT_COUNT; ++i) {
            TLights beacons = design().beacons;
            bool fits = true;
            for (TLight& beacon : beacons) {
                beacon.pitch += SHIFTS[i];
                fits = fits && isInMelodyRange(beacon.pitch);
            }
            if (fits)
                regenerate(i, design().turns, beacons);
            else
                variant(i).notes().clear();
        }
    }
};

// Rel. variation: one to three design operations, a fresh result for each variant.
class TRelVariationEffect : public TRelativeEffect {
public:
    using TRelativeEffect::TRelativeEffect;
    TRelativeEffectKind kind() const override { return TRelativeEffectKind::VARIATION; }
    bool hasMore() const override { return true; }
    void computeVariants() override {
        for (int i = 0; i < VARIANT_COUNT; ++i) {
            keepFreshTry(i, [this](TMotive& candidate) {
                candidate.notes().clear();
                effect_.relativeVariation(design().rhythm, design().turns, design().beacons,
                                          candidate);
            });
        }
    }
};

// Rel. piece: the regenerated design with random notes left out.
class TRelPieceEffect : public TRelativeEffect {
public:
    using TRelativeEffect::TRelativeEffect;
    TRelativeEffectKind kind() const override { return TRelativeEffectKind::PIECE; }
    bool hasMore() const override { return true; }
    void computeVariants() override {
        for (int i = 0; i < VARIANT_COUNT; ++i) {
            regenerate(i);
            keepFreshTry(i, [this](TMotive& candidate) {
                TEffect::removeRandomNotes(candidate.notes(), random());
            });
        }
    }
};

// Rel. rhythm: the regenerated design with a new rhythm in each measure part.
class TRelRhythmEffect : public TRelativeEffect {
public:
    using TRelativeEffect::TRelativeEffect;
    TRelativeEffectKind kind() const override { return TRelativeEffectKind::RHYTHM; }
    bool hasMore() const override { return true; }
    void computeVariants() override {
        for (int i = 0; i < VARIANT_COUNT; ++i) {
            regenerate(i);
            keepFreshTry(i, [this](TMotive& candidate) {
                TEffect::newRhythm(candidate, random().draw(2), random());
            });
        }
    }
};

// Rel. other: the mirrored contour, then the retrograde and the scramble of the design.
class TRelOtherEffect : public TRelativeEffect {
public:
    using TRelativeEffect::TRelativeEffect;
    TRelativeEffectKind kind() const override { return TRelativeEffectKind::OTHER; }
    void computeVariants() override {
        TTurnsWithDir mirrored = design().turns;
        for (TTurnRoundWithDir& turn : mirrored)
            turn.up = !turn.up;
        regenerate(0, mirrored, design().beacons);
        static constexpr int KINDS[] = {3, 5};
        for (int i = 1; i < VARIANT_COUNT; ++i) {
            regenerate(i);
            TMotive& target = variant(i);
            TEffect::otherEffect(target, KINDS[i - 1], random());
            target.markLeadingTones();
            for (TNote& note : target.notes())
                if (const TChord* chord = target.chordOfMeasureAt(note.time()))
                    note.setChordingNote(chord->isChordTone(target.key(), note.pitch()));
        }
    }
};

} // namespace

std::unique_ptr<TRelativeEffect> makeRelativeEffect(TRelativeEffectKind kind, TScheme& scheme) {
    switch (kind) {
    case TRelativeEffectKind::SEQUENCE_UP:
        return std::make_unique<TRelSequenceEffect>(scheme, true);
    case TRelativeEffectKind::SEQUENCE_DOWN:
        return std::make_unique<TRelSequenceEffect>(scheme, false);
    case TRelativeEffectKind::VARIATION:
        return std::make_unique<TRelVariationEffect>(scheme);
    case TRelativeEffectKind::REPEAT:
        return std::make_unique<TRelRepeatEffect>(scheme);
    case TRelativeEffectKind::RHYTHM:
        return std::make_unique<TRelRhythmEffect>(scheme);
    case TRelativeEffectKind::PIECE:
        return std::make_unique<TRelPieceEffect>(scheme);
    case TRelativeEffectKind::OTHER:
        return std::make_unique<TRelOtherEffect>(scheme);
    }
    return nullptr;
}
