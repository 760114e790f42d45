#include "cli/generatecommand.h"
#include "engine/effect.h"
#include "engine/melodyrules.h"
#include "engine/relativeeffect.h"
#include "engine/scheme.h"
#include "files/engmessagebundle.h"
#include "files/newperiodchoices.h"
#include "files/periodbuilder.h"
#include "model/diagnostics.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

// The melodic rules of school harmony over every key, meter, upbeat and period shape: what a
// teacher counts in the melody that generation writes and in the variants that the
// development techniques make of it.

namespace {

// An unoptimised build (the sanitizer run) takes every seventh setting, which still visits
// every key, meter, upbeat and shape.
#ifdef __OPTIMIZE__
constexpr int SETTING_STRIDE = 1;
#else
constexpr int SETTING_STRIDE = 7;
#endif

struct TMelodyTally {
    int periods = 0;
    int motives = 0;
    int notes = 0;
    int notGenerated = 0; // motives whose harmony could not be completed
    TMelodyFaults faults;
    int noLegalChoice = 0; // cases the diagnostic stream names
    int variants = 0;
    int emptyVariants = 0;
    int variantLeaps = 0;
    int rhythmSameAsSource = 0;
    int noOtherRhythm = 0; // rhythm variants for which no new rhythm exists

    void add(const TMelodyFaults& f) {
        faults.forbiddenLeaps += f.forbiddenLeaps;
        faults.openClose += f.openClose;
        faults.downbeatNonChord += f.downbeatNonChord;
    }
};

TPeriodData periodOf(int sentences, int motivesPerPhrase, const TKey& key, const TMeasure& meter,
                     std::int16_t zatakt) {
    const TEngMessageBundle bundle;
    const TRawPeriodData raw(bundle, std::vector<int>(std::size_t(sentences), 2),
                             std::vector<int>(std::size_t(sentences) * 2, motivesPerPhrase), {});
    TPeriodData period;
    buildPeriod(period, periodStructureOf(raw, key, meter, zatakt, DEFAULT_TEMPO));
    return period;
}

int countLines(const std::string& text, const std::string& start) {
    int count = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        count += line.starts_with(start) ? 1 : 0;
    return count;
}

// Generates the period under school harmony and counts the rules in its melody.
void generateAndCount(TPeriodData& period, TScheme& scheme, TMelodyTally& tally) {
    TGenerateOptions options;
    options.schoolHarmony = true;
    ++tally.periods;
    for (const TGeneratedMotive& entry : generatePeriod(period, scheme, options))
        tally.notGenerated += entry.generated ? 0 : 1;
    for (const TMotive* motive : std::as_const(period).allMotives()) {
        const TMelodyFaults faults = melodyFaults(*motive, melodyPlace(period, *motive));
        tally.add(faults);
        ++tally.motives;
        tally.notes += int(motive->notes().size());
        if (faults.total() > 0)
            ADD_FAILURE() << "motive " << tally.motives << ": " << faults.forbiddenLeaps
                          << " leaps, close " << faults.openClose << ", downbeats "
                          << faults.downbeatNonChord;
    }
}

void developAndCount(const TPeriodData& period, TScheme& scheme, TMelodyTally& tally) {
    TEffect effect(scheme);
    for (const TMotive* motive : period.allMotives()) {
        for (TSimpleEffect kind :
             {TSimpleEffect::SEQUENCE_UP, TSimpleEffect::SEQUENCE_DOWN, TSimpleEffect::REPEAT,
              TSimpleEffect::VARIATION, TSimpleEffect::RHYTHM, TSimpleEffect::OTHER}) {
            for (const TMotive& variant : effect.makeVariants(kind, *motive)) {
                ++tally.variants;
                tally.emptyVariants += variant.notes().empty() ? 1 : 0;
                tally.variantLeaps += melodyFaults(variant, {}).forbiddenLeaps;
                if (kind == TSimpleEffect::RHYTHM && variant.notes() == motive->notes())
                    ++tally.rhythmSameAsSource;
            }
        }
        if (!motive->isHarmonised())
            continue;
        for (TRelativeEffectKind kind :
             {TRelativeEffectKind::SEQUENCE_UP, TRelativeEffectKind::REPEAT,
              TRelativeEffectKind::VARIATION, TRelativeEffectKind::RHYTHM,
              TRelativeEffectKind::PIECE, TRelativeEffectKind::OTHER}) {
            const auto relative = makeRelativeEffect(kind, scheme);
            relative->setSource(*motive);
            for (int i = 0; i < VARIANT_COUNT; ++i) {
                ++tally.variants;
                tally.emptyVariants += relative->variant(i).notes().empty() ? 1 : 0;
                tally.variantLeaps += melodyFaults(relative->variant(i), {}).forbiddenLeaps;
            }
        }
    }
}

} // namespace

TEST(SchoolMelody, EveryKeyMeterUpbeatAndShapeKeepsTheMelodicRules) {
    std::ostringstream reasons;
    setDiagnosticStream(&reasons);
    TMelodyTally tally;
    // The meters of the new-composition dialog and common time, which files may carry.
    std::vector<TMeasure> meters = newPeriodMeters();
    meters.emplace_back(4, QUARTER);
    int setting = 0;
    for (int sign = -7; sign <= 7; ++sign) {
        for (std::uint8_t mode : {MAJOR, MINOR}) {
            const TKey key(sign, mode);
            for (const TMeasure& meter : meters) {
                for (const std::int16_t zatakt :
                     {std::int16_t{0}, static_cast<std::int16_t>(meter.beatValue())}) {
                    for (int sentences = 1; sentences <= 4; ++sentences) {
                        for (int motives = 1; motives <= 4; ++motives) {
                            if (setting++ % SETTING_STRIDE != 0)
                                continue;
                            TPeriodData period = periodOf(sentences, motives, key, meter, zatakt);
                            TRandomGenerator random;
                            for (int d = 0; d < setting % 97; ++d)
                                random.next();
                            TScheme scheme(random);
                            // Every other setting draws its own schemes.
                            if (setting % 2 == 0) {
                                scheme.randomTurns();
                                scheme.randomDurations(meter);
                            }
                            generateAndCount(period, scheme, tally);
                            if (setting % 5 == 0)
                                developAndCount(period, scheme, tally);
                            if (testing::Test::HasFailure()) {
                                setDiagnosticStream(nullptr);
                                FAIL() << "key " << sign << "/" << int(mode) << ", meter "
                                       << meter.beatsPerMeasure() << "x" << meter.beatValue()
                                       << ", upbeat " << zatakt << ", " << sentences
                                       << " sentences, " << motives << " motives a phrase";
                            }
                        }
                    }
                }
            }
        }
    }
    setDiagnosticStream(nullptr);
    tally.noOtherRhythm = countLines(reasons.str(), "School harmony: the rhythm has no other");
    tally.noLegalChoice = countLines(reasons.str(), "School harmony: ") - tally.noOtherRhythm;
    if (std::getenv("TONARIA_MELODY_REASONS"))
        std::cout << reasons.str();
    std::cout << "[ melody ] " << tally.periods << " periods, " << tally.motives << " motives, "
              << tally.notes << " notes, " << tally.notGenerated
              << " not harmonised; faults: " << tally.faults.forbiddenLeaps << " forbidden leaps, "
              << tally.faults.openClose << " open closes, " << tally.faults.downbeatNonChord
              << " non-chord downbeats; no legal choice " << tally.noLegalChoice << " times\n"
              << "[ melody ] " << tally.variants << " variants: " << tally.emptyVariants
              << " empty, " << tally.variantLeaps << " forbidden leaps, "
              << tally.rhythmSameAsSource << " rhythm variants as their source (no other rhythm "
              << tally.noOtherRhythm << " times)\n";
    EXPECT_EQ(tally.faults.total(), 0);
    EXPECT_EQ(tally.noLegalChoice, 0);
    // A rhythm variant repeats its source only where the reason names the lack of another.
    EXPECT_LE(tally.rhythmSameAsSource, tally.noOtherRhythm);
    EXPECT_EQ(tally.variantLeaps, 0);
}
