// The seven simple development effects: three variants of a motive's melody each.
#include "engine/effect.h"

#include "engine/freshretry.h"
#include "engine/melodyrules.h"
#include "engine/scheme.h"
#include "model/notelist.h"
#include "model/random.h"

#include <algorithm>
#include <cstdlib>
#include <string>

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

TMotives TEffect::neighbouringRhythms(const TMotive& motive) {
    TMotives result;
    const std::vector<TMeasurePart> ranges =
        measureParts(motive.ticksPerMeasure(), motive.zatakt());
    const std::vector<TNoteList> parts = TEffect::notesByPart(motive);
    for (std::size_t p = 0; p < parts.size() && p < ranges.size(); ++p) {
        const TDurations sequence = TEffect::rhythmSequence(parts[p], ranges[p].from, ranges[p].to);
        const std::size_t n = sequence.size();
        auto add = [&](const TDurations& changed) {
            std::vector<TNoteList> changedParts = parts;
            TEffect::reassignRhythm(changedParts[p], changed, ranges[p].from);
            TMotive variant = motive;
            variant.notes() = TEffect::joinParts(changedParts);
            result.push_back(variant);
        };
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = i + 1; j < n; ++j)
                if (sequence[i] != sequence[j]) {
                    TDurations changed = sequence;
                    std::swap(changed[i], changed[j]);
                    add(changed);
                }
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = 0; j < n; ++j)
                if (i != j && std::abs(sequence[i]) > TICKS_PER_SIXTEENTH) {
                    TDurations changed = sequence;
                    const auto sixteenth = static_cast<DURATION>(TICKS_PER_SIXTEENTH);
                    changed[i] = static_cast<DURATION>(changed[i] < 0 ? changed[i] + sixteenth
                                                                      : changed[i] - sixteenth);
                    changed[j] = static_cast<DURATION>(changed[j] < 0 ? changed[j] - sixteenth
                                                                      : changed[j] + sixteenth);
                    add(changed);
                }
    }
    return result;
}

TMotives TEffect::makeVariants(TSimpleEffect effect, const TMotive& source) {
    const TMotive melody = melodyOf(source);
    TMotives variants;
    switch (effect) {
    case TSimpleEffect::SEQUENCE_UP:
        variants = sequenceVariants(melody, SEQUENCE_UP_SHIFTS);
        break;
    case TSimpleEffect::SEQUENCE_DOWN:
        variants = sequenceVariants(melody, SEQUENCE_DOWN_SHIFTS);
        break;
    case TSimpleEffect::REPEAT:
        variants = sequenceVariants(melody, REPEAT_SHIFTS);
        break;
    case TSimpleEffect::VARIATION:
        variants = variationVariants(melody);
        break;
    case TSimpleEffect::RHYTHM:
        variants = rhythmVariants(melody);
        break;
    case TSimpleEffect::PIECE:
        variants = pieceVariants(melody);
        break;
    case TSimpleEffect::OTHER:
        variants = otherVariants(melody);
        break;
    }
    if (scheme_.schoolHarmony())
        for (TMotive& variant : variants)
            keepMelodicRules(variant);
    return variants;
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
    TMotives variants = freshVariants(source, false, [this](TMotive& candidate) {
        newRhythm(candidate, scheme_.random().draw(2), scheme_.random());
    });
    if (!scheme_.schoolHarmony())
        return variants;
    for (std::size_t v = 0; v < variants.size(); ++v)
        replaceStaleRhythm(variants[v], source,
                           TMotives(variants.begin(), variants.begin() + std::ptrdiff_t(v)),
                           int(v) + 1);
    return variants;
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

void replaceStaleRhythm(TMotive& variant, const TMotive& source, const TMotives& earlier,
                        int number) {
    if (isFreshVariant(variant, source, earlier))
        return;
    const TMotives neighbours = TEffect::neighbouringRhythms(variant);
    auto fresh = std::find_if(neighbours.begin(), neighbours.end(),
                              [&](const TMotive& m) { return isFreshVariant(m, source, earlier); });
    if (fresh != neighbours.end())
        variant.notes() = fresh->notes();
    else
        reportMelodyRule("the rhythm has no other arrangement for variant " +
                         std::to_string(number));
}
