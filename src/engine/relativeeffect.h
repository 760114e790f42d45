#pragma once

#include "engine/design.h"
#include "engine/effect.h"
#include "model/motive.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class TScheme;

// The seven relative development effects, in the order of their chooser buttons.
enum class TRelativeEffectKind : std::uint8_t {
    SEQUENCE_UP,
    SEQUENCE_DOWN,
    VARIATION,
    REPEAT,
    RHYTHM,
    PIECE,
    OTHER,
};

// Told before the variants are replaced, so that the panel can keep the old ones in its
// canvases' version histories.
class TRelativeEffectListener {
public:
    virtual ~TRelativeEffectListener() = default;
    virtual void saveVariantVersion(int variant) = 0;
};

// The computing half of a relative effect panel: the design of the source motive and the three
// variants, which the panel's canvases show and the user harmonises. Whenever a variant holds
// one chord per measure, the three melodies are rebuilt from the design under the variants'
// chords, each leaf in its own way. Canvases may register as the variants' listeners; they are
// told whenever a variant changes. Interface thread only.
class TRelativeEffect {
public:
    explicit TRelativeEffect(TScheme& scheme) : scheme_(scheme), effect_(scheme) {}
    TRelativeEffect(const TRelativeEffect&) = delete;
    TRelativeEffect& operator=(const TRelativeEffect&) = delete;
    virtual ~TRelativeEffect() = default;

    virtual TRelativeEffectKind kind() const = 0;
    // Whether the panel offers "more" (variation, piece and rhythm).
    virtual bool hasMore() const { return false; }

    void setListener(TRelativeEffectListener* listener) { listener_ = listener; }

    // Takes a copy of the source and its design and shows the source in all three variants;
    // computes the variants at once when the source has one chord per measure.
    void setSource(const TMotive& source);
    // The user chose chords in variant i: all three variants take its chords, and are
    // recomputed when that gives one chord per measure.
    void variantHarmonised(int i);
    // The user began to change variant i: the other two are saved, and all three lose their
    // notes.
    void variantEditStarted(int i);
    // Computes the variants again when the panel has "more" and the variants are harmonised;
    // returns whether it did (the panel then plays them).
    bool more();
    // The leaf's rule; each variant keeps its chords and gets a new melody.
    virtual void computeVariants() = 0;

    bool isReadyFor(const TMotive& motive) const;
    const TDesign& design() const { return design_; }
    const TMotive& source() const { return source_; }
    TMotive& variant(int i) { return variants_[std::size_t(i)]; }
    const TMotive& variant(int i) const { return variants_[std::size_t(i)]; }

protected:
    TRandomGenerator& random() const;
    // Variant i's notes rebuilt from the design rhythm under its own chords.
    void regenerate(int i, const TTurnsWithDir& turns, const TLights& beacons);
    void regenerate(int i) { regenerate(i, design_.turns, design_.beacons); }
    // Differs from the source and from the first `produced` variants.
    bool isFresh(const TMotive& candidate, int produced) const;
    // Applies `transform` to a copy of variant i's notes until the result is fresh, at most
    // FRESH_TRIES times, and keeps the last try as variant i's notes.
    void keepFreshTry(int i, const std::function<void(TMotive&)>& transform);

    TScheme& scheme_;
    TEffect effect_;

private:
    void recompute();
    // computeVariants, then under school harmony the melodic rules on every variant.
    void computeUnderRules();

    TDesign design_;
    TMotive source_;
    std::array<TMotive, VARIANT_COUNT> variants_;
    TRelativeEffectListener* listener_ = nullptr;
};

std::unique_ptr<TRelativeEffect> makeRelativeEffect(TRelativeEffectKind kind, TScheme& scheme);

// The beacon pitch moved by `steps` chord tones of `chord` (down for negative steps); fewer
// steps when the full move leaves the range, and the pitch itself when even one step does.
int shiftedBeaconPitch(const TChord& chord, const TKey& key, int pitch, int steps);
