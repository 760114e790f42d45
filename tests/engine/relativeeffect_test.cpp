#include "effecttesthelpers.h"
#include "engine/relativeeffect.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const TMeasure FOUR_FOUR(4, 120);

const TRelativeEffectKind ALL_KINDS[] = {
    TRelativeEffectKind::SEQUENCE_UP, TRelativeEffectKind::SEQUENCE_DOWN,
    TRelativeEffectKind::VARIATION,   TRelativeEffectKind::REPEAT,
    TRelativeEffectKind::RHYTHM,      TRelativeEffectKind::PIECE,
    TRelativeEffectKind::OTHER};

bool sameChords(const TMotive& a, const TMotive& b) {
    if (a.chords().size() != b.chords().size())
        return false;
    for (std::size_t i = 0; i < a.chords().size(); ++i)
        if (a.chords()[i].name() != b.chords()[i].name() ||
            a.chords()[i].time() != b.chords()[i].time())
            return false;
    return true;
}

// A C major melody over one chord in 4/4.
TMotive harmonisedMelody(const std::vector<TNote>& notes, const std::string& chord) {
    TMotive motive = melody(notes);
    motive.chords() = {chordAt(chord, 0)};
    motive.recomputeChordingFlags();
    return motive;
}

class TSavedVersions : public TRelativeEffectListener {
public:
    void saveVariantVersion(int variant) override { saved.push_back(variant); }
    std::vector<int> saved;
};

class TNotifyCounter : public TMotiveListener {
public:
    void motiveChanged() override { ++count; }
    int count = 0;
};

TEST(RelativeEffects, HarmonisedSourceGivesThreeVariantsUnderItsOwnChords) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    const TMotive source = harmonisedMelody(
        {{0, 20, 120}, {120, 22, 120}, {240, 24, 120}, {360, 22, 120}}, "TONIC_THREE_CHORD");
    for (TRelativeEffectKind kind : ALL_KINDS) {
        auto effect = makeRelativeEffect(kind, scheme);
        ASSERT_EQ(effect->kind(), kind);
        TNotifyCounter counter;
        effect->variant(2).setListener(&counter);
        effect->setSource(source);
        EXPECT_GT(counter.count, 0);
        for (int i = 0; i < VARIANT_COUNT; ++i) {
            EXPECT_TRUE(sameChords(effect->variant(i), source));
            EXPECT_FALSE(effect->variant(i).notes().empty()) << int(kind) << " variant " << i;
        }
        effect->variant(2).setListener(nullptr);
    }
}

TEST(RelativeEffects, ChordsChosenForOneVariantGoToAllThreeAndRecompute) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    auto effect = makeRelativeEffect(TRelativeEffectKind::SEQUENCE_UP, scheme);
    const TMotive source = melody({{0, 20, 240}, {240, 24, 240}});
    effect->setSource(source);
    for (int i = 0; i < VARIANT_COUNT; ++i)
        EXPECT_EQ(effect->variant(i).notes(), source.notes()); // waiting for chords

    effect->variant(1).notes().clear();
    effect->variant(1).chords() = {chordAt("SUBDOMINANT_THREE_CHORD", 0)};
    effect->variantHarmonised(1);
    for (int i = 0; i < VARIANT_COUNT; ++i) {
        const TMotive& v = effect->variant(i);
        ASSERT_EQ(v.chords().size(), 1u);
        EXPECT_EQ(v.chords()[0].name(), chordAt("SUBDOMINANT_THREE_CHORD", 0).name());
        ASSERT_FALSE(v.notes().empty());
        EXPECT_TRUE(v.chords()[0].isChordTone(v.key(), v.notes()[0].pitch()));
    }
}

TEST(RelativeEffects, SequenceKeepsABeaconThatNoChordStepKeepsInRange) {
    // In C major, 33 is the B of the dominant; the next chord tone above, D, is 35.
    TRandomGenerator draws;
    TScheme scheme(draws);
    const TMotive source = harmonisedMelody({{0, 33, 240}, {240, 31, 240}}, "DOMINANT_THREE_CHORD");
    auto up = makeRelativeEffect(TRelativeEffectKind::SEQUENCE_UP, scheme);
    up->setSource(source);
    for (int i = 0; i < VARIANT_COUNT; ++i) {
        ASSERT_FALSE(up->variant(i).notes().empty());
        EXPECT_EQ(up->variant(i).notes()[0].pitch(), 33);
    }
    auto down = makeRelativeEffect(TRelativeEffectKind::SEQUENCE_DOWN, scheme);
    down->setSource(source);
    EXPECT_EQ(down->variant(0).notes()[0].pitch(), 31);
    EXPECT_EQ(down->variant(1).notes()[0].pitch(), 28);
    EXPECT_EQ(down->variant(2).notes()[0].pitch(), 26);

    const TChord dominant = chordAt("DOMINANT_THREE_CHORD", 0);
    EXPECT_EQ(shiftedBeaconPitch(dominant, TKey(), 31, 3), 33); // one step is all that fits
    EXPECT_EQ(shiftedBeaconPitch(dominant, TKey(), 14, -2), 14);
}

TEST(RelativeEffects, RepeatRegeneratesInPlaceAndLeavesAVariantOutOfRangeEmpty) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    const TMotive source =
        harmonisedMelody({{0, 30, 120}, {120, 32, 120}, {240, 30, 240}}, "SUBDOMINANT_THREE_CHORD");
    auto effect = makeRelativeEffect(TRelativeEffectKind::REPEAT, scheme);
    effect->setSource(source);

    TMotive expected = source;
    expected.clearNotes();
    scheme.regenerateMotive(effect->design().rhythm, effect->design().turns,
                            effect->design().beacons, expected);
    EXPECT_EQ(effect->variant(0).notes(), expected.notes());
    EXPECT_TRUE(effect->variant(1).notes().empty()); // 30 + 7 = 37
    ASSERT_FALSE(effect->variant(2).notes().empty());
    EXPECT_EQ(effect->variant(2).notes()[0].pitch(), 23);
    EXPECT_FALSE(effect->more());
}

TEST(RelativeEffects, OtherMirrorsTheContourOfItsFirstVariant) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    // Rising chord leaps over the tonic: C E G C.
    const TMotive source = harmonisedMelody(
        {{0, 20, 120}, {120, 22, 120}, {240, 24, 120}, {360, 27, 120}}, "TONIC_THREE_CHORD");
    auto effect = makeRelativeEffect(TRelativeEffectKind::OTHER, scheme);
    effect->setSource(source);
    EXPECT_EQ(pitchesOf(effect->variant(0).notes()), (std::vector<int>{20, 17, 15, 13}));
    // The retrograde ends on the regenerated design's first pitch.
    ASSERT_FALSE(effect->variant(1).notes().empty());
    EXPECT_EQ(effect->variant(1).notes().back().pitch(), 20);
    for (int i = 1; i < VARIANT_COUNT; ++i)
        for (const TNote& n : effect->variant(i).notes())
            EXPECT_EQ(n.chordingNote(), source.chords()[0].isChordTone(TKey(), n.pitch()));
}

TEST(RelativeEffects, MoreRecomputesOnlyHarmonisedVariantsOfEffectsThatOfferIt) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TSavedVersions versions;
    auto variation = makeRelativeEffect(TRelativeEffectKind::VARIATION, scheme);
    variation->setListener(&versions);
    const TMotive unharmonised = melody({{0, 20, 240}, {240, 24, 240}});
    variation->setSource(unharmonised);
    EXPECT_FALSE(variation->more());
    EXPECT_TRUE(versions.saved.empty());
    EXPECT_EQ(variation->variant(0).notes(), unharmonised.notes());

    const TMotive harmonised =
        harmonisedMelody({{0, 20, 240}, {240, 24, 240}}, "TONIC_THREE_CHORD");
    variation->setSource(harmonised);
    EXPECT_TRUE(variation->more());
    EXPECT_EQ(versions.saved, (std::vector<int>{0, 1, 2}));

    versions.saved.clear();
    variation->variantEditStarted(1);
    EXPECT_EQ(versions.saved, (std::vector<int>{0, 2}));
    for (int i = 0; i < VARIANT_COUNT; ++i)
        EXPECT_TRUE(variation->variant(i).notes().empty());
}

// Every relative effect on generated motives of every shape.
TEST(RelativeEffects, VariantsOfGeneratedMotivesKeepTheirChordsAndStayWellFormed) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    const std::vector<TMotive> sources = generatedSources(8);
    for (TRelativeEffectKind kind : ALL_KINDS) {
        auto effect = makeRelativeEffect(kind, scheme);
        const bool startsOnChordTone = kind == TRelativeEffectKind::SEQUENCE_UP ||
                                       kind == TRelativeEffectKind::SEQUENCE_DOWN ||
                                       kind == TRelativeEffectKind::REPEAT ||
                                       kind == TRelativeEffectKind::VARIATION;
        for (std::size_t s = 0; s < sources.size(); ++s) {
            effect->setSource(sources[s]);
            EXPECT_EQ(effect->more(), effect->hasMore());
            for (int i = 0; i < VARIANT_COUNT; ++i) {
                const TMotive& v = effect->variant(i);
                const std::string what = "kind " + std::to_string(int(kind)) + " source " +
                                         std::to_string(s) + " variant " + std::to_string(i);
                expectWellFormed(v, what);
                EXPECT_TRUE(sameChords(v, sources[s])) << what;
                if (!startsOnChordTone)
                    continue;
                for (const TNoteList& part : TEffect::notesByPart(v)) {
                    if (part.empty())
                        continue;
                    const TChord* chord = v.chordOfMeasureAt(part.front().time());
                    ASSERT_NE(chord, nullptr);
                    EXPECT_TRUE(chord->isChordTone(v.key(), part.front().pitch())) << what;
                }
            }
        }
    }
}

} // namespace
