// The variants offered for a motive are fresh: never the motive they were made from, nor an
// earlier variant, when ten tries can find another.

#include "effecttesthelpers.h"
#include "engine/relativeeffect.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Three-note melodies in 2/4 over the tonic: every random technique turns each of them into
// something else at most tries, and into itself at some.
std::vector<TMotive> threeNoteSources() {
    std::vector<TMotive> sources;
    for (const std::vector<TNote>& notes :
         {std::vector<TNote>{TNote(0, 22, 60), TNote(60, 21, 60), TNote(120, 22, 120)},
          std::vector<TNote>{TNote(0, 20, 120), TNote(120, 22, 60), TNote(180, 24, 60)}}) {
        TMotive motive(TKey(), TMeasure(2, 120), 0);
        motive.notes() = notes;
        motive.chords() = {chordAt("TONIC_THREE_CHORD", 0)};
        motive.recomputeChordingFlags();
        sources.push_back(motive);
    }
    return sources;
}

TMotive melodyOf(const TMotive& motive) {
    TMotive melody(motive.key(), motive.measure(), motive.zatakt());
    melody.notes() = motive.notes();
    return melody;
}

constexpr int ROUNDS = 20;

} // namespace

TEST(FreshVariants, VariationPieceAndRhythmNeverOfferTheSourceOrAVariantTwice) {
    for (const TMotive& source : threeNoteSources()) {
        for (TSimpleEffect kind :
             {TSimpleEffect::VARIATION, TSimpleEffect::PIECE, TSimpleEffect::RHYTHM}) {
            TRandomGenerator draws;
            TScheme scheme(draws);
            TEffect effect(scheme);
            for (int round = 0; round < ROUNDS; ++round) {
                const TMotives variants = effect.makeVariants(kind, source);
                ASSERT_EQ(variants.size(), std::size_t(VARIANT_COUNT));
                for (std::size_t i = 0; i < variants.size(); ++i) {
                    const std::string what = "effect " + std::to_string(int(kind)) + " round " +
                                             std::to_string(round) + " variant " +
                                             std::to_string(i);
                    EXPECT_FALSE(variants[i].sameContent(melodyOf(source))) << what;
                    for (std::size_t j = 0; j < i; ++j)
                        EXPECT_FALSE(variants[i].sameContent(variants[j])) << what;
                }
            }
        }
    }
}

TEST(FreshVariants, TheRelativeFormsNeverOfferTheSourceOrAVariantTwice) {
    for (const TMotive& source : threeNoteSources()) {
        for (TRelativeEffectKind kind : {TRelativeEffectKind::VARIATION, TRelativeEffectKind::PIECE,
                                         TRelativeEffectKind::RHYTHM}) {
            TRandomGenerator draws;
            TScheme scheme(draws);
            auto effect = makeRelativeEffect(kind, scheme);
            effect->setSource(source);
            for (int round = 0; round < ROUNDS; ++round) {
                for (int i = 0; i < VARIANT_COUNT; ++i) {
                    const std::string what = "effect " + std::to_string(int(kind)) + " round " +
                                             std::to_string(round) + " variant " +
                                             std::to_string(i);
                    EXPECT_FALSE(effect->variant(i).sameContent(source)) << what;
                    for (int j = 0; j < i; ++j)
                        EXPECT_FALSE(effect->variant(i).sameContent(effect->variant(j))) << what;
                }
                ASSERT_TRUE(effect->more());
            }
        }
    }
}
