// The seven simple development effects: three variants of a motive's melody each.
#include "engine/effect.h"

#include "engine/freshretry.h"
#include "engine/scheme.h"
#include "model/notelist.h"
#include "model/random.h"

#include <algorithm>

namespace {

constexpr int SEQUENCE_UP_SHIFTS[VARIANT_COUNT] = {1, 2, 3};
constexpr int SEQUENCE_DOWN_SHIFTS[VARIANT_COUNT] = {-1, -2, -3};
constexpr int REPEAT_SHIFTS[VARIANT_COUNT] = {0, -7, 7};

// The source as every simple effect starts from it: its melody without chords.
TMotive melodyOf(const TMotive& source) {
    TMotive copy(source.key(), source.measure(), source.zatakt());
    copy.notes() = source.notes();
    return copy;
}

void markChordNotes(TMotive& motive, bool leadingTones) {
    for (TNote& note : motive.notes())
        note.setChordingNote(true);
    if (leadingTones)
        motive.markLeadingTones();
}

// Each variant differs from the source and the earlier variants when a try can make it so.
template <class Try>
TMotives freshVariants(const TMotive& source, bool leadingTones, const Try& makeTry) {
    TMotives variants;
    for (int v = 0; v < VARIANT_COUNT; ++v) {
        TMotive candidate = source;
        retryForFresh(
            [&] {
                candidate = source;
                makeTry(candidate);
                markChordNotes(candidate, leadingTones);
            },
            [&] { return isFreshVariant(candidate, source, variants); });
        variants.push_back(candidate);
    }
    return variants;
}

} // namespace

TMotives TEffect::makeVariants(TSimpleEffect effect, const TMotive& source) {
    const TMotive melody = melodyOf(source);
    switch (effect) {
    case TSimpleEffect::SEQUENCE_UP:
        return sequenceVariants(melody, SEQUENCE_UP_SHIFTS);
    case TSimpleEffect::SEQUENCE_DOWN:
        return sequenceVariants(melody, SEQUENCE_DOWN_SHIFTS);
    case TSimpleEffect::REPEAT:
        return sequenceVariants(melody, REPEAT_SHIFTS);
    case TSimpleEffect::VARIATION:
        return variationVariants(melody);
    case TSimpleEffect::RHYTHM:
        return rhythmVariants(melody);
    case TSimpleEffect::PIECE:
        return pieceVariants(melody);
    case TSimpleEffect::OTHER:
        return otherVariants(melody);
    }
    return {};
}

TMotives TEffect::sequenceVariants(const TMotive& source,
                                   const int (&shifts)[VARIANT_COUNT]) const {
    TMotives variants;
    for (int shift : shifts) {
        TMotive variant(source.key(), source.measure(), source.zatakt());
        const bool fits =
            std::all_of(source.notes().begin(), source.notes().end(),
                        [&](const TNote& n) { return isInMelodyRange(n.pitch() + shift); });
        if (fits) {
            variant.notes() = source.notes();
            for (TNote& note : variant.notes())
                note.setPitch(note.pitch() + shift);
            markChordNotes(variant, true);
        }
        variants.push_back(variant);
    }
    return variants;
}

TMotives TEffect::variationVariants(const TMotive& source) const {
    if (source.notes().empty())
        return {};
    return freshVariants(source, true, [&](TMotive& candidate) {
        std::vector<TNoteList> parts = notesByPart(candidate);
        for (TNoteList& part : parts)
            varyPart(part, candidate.key());
        candidate.notes() = joinParts(parts);
    });
}

TMotives TEffect::rhythmVariants(const TMotive& source) const {
    return freshVariants(source, false, [this](TMotive& candidate) {
        newRhythm(candidate, scheme_.random().draw(2), scheme_.random());
    });
}

TMotives TEffect::pieceVariants(const TMotive& source) const {
    if (source.notes().size() < 2)
        return {};
    return freshVariants(source, false, [this](TMotive& candidate) {
        removeRandomNotes(candidate.notes(), scheme_.random());
    });
}

TMotives TEffect::otherVariants(const TMotive& source) const {
    TMotives variants;
    for (int kind : {0, 3, 5}) {
        TMotive variant = source;
        otherEffect(variant, kind, scheme_.random());
        markChordNotes(variant, true);
        variants.push_back(variant);
    }
    return variants;
}
