#include "engine/periodharmonisation.h"
#include "enginetesthelpers.h"
#include "model/chordcatalogue.h"
#include "model/diagnostics.h"
#include "model/schemechords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::vector<TMeasure> METERS{TMeasure(2, QUARTER), TMeasure(3, QUARTER), TMeasure(2, EIGHTH),
                                   TMeasure(3, EIGHTH), TMeasure(4, QUARTER)};

// Every chord of the period with its voices, and the generator's state after: a change to any
// chord, voice or draw changes it.
std::uint64_t fingerprint(const TPeriodData& period, const TRandomGenerator& random) {
    std::uint64_t hash = 14695981039346656037ull;
    const auto mix = [&](std::int64_t value) {
        hash ^= static_cast<std::uint64_t>(value);
        hash *= 1099511628211ull;
    };
    for (const TMotive* motive : period.allMotives()) {
        mix(-1);
        for (const TChord& chord : motive->chords()) {
            for (char c : chord.name())
                mix(c);
            mix(chord.time());
            for (int voice : chord.voices())
                mix(voice);
        }
    }
    mix(random.state());
    return hash;
}

} // namespace

TEST(SchoolHarmonyOff, HarmonisesExactlyAsTheDesignsDraw) {
    // Recorded from the harmonisation as it was before school harmony existed.
    std::uint64_t hash = 0;
    for (int sign = -7; sign <= 7; sign += 2) {
        for (std::uint8_t mode : {MAJOR, MINOR}) {
            const TKey key(sign, mode);
            for (const TMeasure& meter : METERS) {
                for (const std::int16_t upbeat :
                     {std::int16_t{0}, static_cast<std::int16_t>(meter.beatValue())}) {
                    TPeriodData period = emptyPeriod(key, meter, upbeat, (sign + 9) % 4 + 1,
                                                     (sign + 7 + mode) % 4 + 1);
                    TRandomGenerator random;
                    harmonisePeriod(period, schemeChordTypeNames(), random, false);
                    hash = hash * 31 + fingerprint(period, random);
                }
            }
        }
    }
    EXPECT_EQ(hash, 8284453585285324890u);
}

namespace {

const TKey C_MAJOR(0, MAJOR);

TChord voiced(const std::string& type, const TVoices& voices) {
    TChord chord = chordOfType(type);
    chord.setVoices(voices);
    return chord;
}

// Every voicing of `type` (soprano 13 to 34) that school harmony allows after `previous`.
std::vector<TVoices> allowedAfter(const TChord* previous, const std::string& type) {
    TChord chord = chordOfType(type);
    chord.generateArrangements(C_MAJOR, MIN_MELODY_PITCH, MAX_MELODY_PITCH);
    chord.testAgainst(TSchoolHarmony{previous, 0}, C_MAJOR, MIN_MELODY_PITCH, MAX_MELODY_PITCH);
    std::vector<TVoices> allowed;
    for (const TChordArrangementMap& map : chord.arrangements())
        for (const auto& [soprano, a] : map)
            for (int j = 0; j < a.bassCount; ++j)
                if (a.bassValid[static_cast<std::size_t>(j)])
                    allowed.push_back({a.soprano, a.alto, a.tenor,
                                       a.bassCandidates[static_cast<std::size_t>(j)]});
    return allowed;
}

} // namespace

// Pitch indices in C major: C3 13, E3 15, G3 17, B3 19, C4 20, D4 21, E4 22, F4 23, G4 24,
// B4 26, C5 27; G2 10, B2 12.
TEST(SchoolHarmonyVoicing, TheSeventhFallsByAStepAndTheLeadingToneRisesInTheOuterVoices) {
    const TChord seventhOnTop = voiced("DOMINANT_FOUR_CHORD", {23, 21, 19, 10});
    const auto afterSeventh = allowedAfter(&seventhOnTop, "TONIC_THREE_CHORD");
    ASSERT_FALSE(afterSeventh.empty());
    for (const TVoices& v : afterSeventh)
        EXPECT_EQ(v[SOPRANO], 22) << "F4 falls to E4, not to " << v[SOPRANO];

    // The seventh may be held where the next chord has it: II6 after V7 holds F.
    const auto held = allowedAfter(&seventhOnTop, "TOPINTRO_SIXTH_CHORD");
    for (const TVoices& v : held)
        EXPECT_TRUE(v[SOPRANO] == 23 || v[SOPRANO] == 22) << v[SOPRANO];

    const TChord leadingToneOnTop = voiced("DOMINANT_THREE_CHORD", {26, 24, 21, 17});
    for (const std::string type : {"TONIC_THREE_CHORD", "TOPM_THREE_CHORD"}) {
        const auto after = allowedAfter(&leadingToneOnTop, type);
        ASSERT_FALSE(after.empty()) << type;
        for (const TVoices& v : after)
            EXPECT_EQ(v[SOPRANO], 27) << type << ": B4 rises to C5, not to " << v[SOPRANO];
    }
    const TChord leadingToneInTheBass = voiced("DOMINANT_SIXTH_CHORD", {28, 24, 21, 12});
    const auto afterBass = allowedAfter(&leadingToneInTheBass, "TONIC_THREE_CHORD");
    ASSERT_FALSE(afterBass.empty());
    for (const TVoices& v : afterBass)
        EXPECT_EQ(v[BASS], 13) << "B2 rises to C3, not to " << v[BASS];
}

TEST(SchoolHarmonyVoicing, EveryVoiceInItsRangeAndTheBassNearestTheTenor) {
    const auto allowed = allowedAfter(nullptr, "TONIC_THREE_CHORD");
    ASSERT_FALSE(allowed.empty());
    for (const TVoices& v : allowed) {
        for (int voice = SOPRANO; voice <= BASS; ++voice)
            EXPECT_TRUE(voiceRange(voice).contains(v[static_cast<std::size_t>(voice)]))
                << "voice " << voice << " at " << v[static_cast<std::size_t>(voice)];
        // An octave higher the bass would pass the tenor or leave its range.
        EXPECT_TRUE(v[BASS] + 7 > v[TENOR] || v[BASS] + 7 > voiceRange(BASS).high)
            << "bass " << v[BASS] << " under tenor " << v[TENOR];
    }
    EXPECT_EQ(voiceRange(SOPRANO, 1).low, 19);
    EXPECT_EQ(voiceRange(BASS, 1).high, 22);

    // The harmonisation's own choice: soprano C5 over G4 and E4 sounds C4 in the bass, not C3.
    TChord tonic = chordOfType("TONIC_THREE_CHORD");
    tonic.generateArrangements(C_MAJOR, MIN_MELODY_PITCH, MAX_MELODY_PITCH);
    tonic.testAgainst(TSchoolHarmony{}, C_MAJOR, MIN_MELODY_PITCH, MAX_MELODY_PITCH);
    ASSERT_TRUE(tonic.chooseVoicing(27));
    EXPECT_EQ(tonic.voices(), (TVoices{27, 24, 22, 20}));
}

namespace {

bool isRootDominant(const std::string& type) {
    return type == "DOMINANT_THREE_CHORD" || type == "DOMINANT_FOUR_CHORD";
}

// A motive of one 2/4 measure after a motive whose last chord is the cadential six-four.
struct TAfterSixFour {
    TMotive preceding{C_MAJOR, TMeasure(2, QUARTER)};
    TMotive motive{C_MAJOR, TMeasure(2, QUARTER)};

    TAfterSixFour() {
        TChord sixFour = chordOfType("K_SIXTH_FOURTH_CHORD");
        sixFour.generateArrangements(C_MAJOR, MIN_MELODY_PITCH, MAX_MELODY_PITCH);
        sixFour.testAgainst(TSchoolHarmony{}, C_MAJOR, MIN_MELODY_PITCH, MAX_MELODY_PITCH);
        sixFour.chooseVoicing(25);
        preceding.chords().push_back(sixFour);
    }

    THarmonisation harmonise(const std::vector<std::string>& types, TRandomGenerator& random) {
        const TMotiveForm anything;
        return autoHarmonise(motive, &preceding, CONTEXT_CONTINUES, types, random, &anything);
    }
};

} // namespace

TEST(SchoolHarmonyChoice, TheCadentialSixFourGoesToTheDominantInRootPosition) {
    TRandomGenerator random;
    std::vector<std::string> followers;
    for (int draw = 0; draw < 40; ++draw) {
        TAfterSixFour after;
        const THarmonisation result = after.harmonise(schemeChordTypeNames(), random);
        ASSERT_TRUE(result.complete());
        EXPECT_TRUE(result.unmetForm.empty());
        followers.push_back(after.motive.chords().front().name());
    }
    for (const std::string& name : followers)
        EXPECT_TRUE(isRootDominant(name)) << name;
}

TEST(SchoolHarmonyChoice, WhereNoChordKeepsTheRulesTheDrawDecidesAndSaysWhy) {
    // Without the dominants nothing may follow the six-four.
    std::vector<std::string> types = schemeChordTypeNames();
    std::erase_if(types, [](const std::string& type) { return isRootDominant(type); });
    TAfterSixFour after;
    TRandomGenerator random;
    std::ostringstream diagnosed;
    setDiagnosticStream(&diagnosed);
    const THarmonisation result = after.harmonise(types, random);
    setDiagnosticStream(nullptr);
    ASSERT_TRUE(result.complete());
    ASSERT_EQ(result.unmetForm.size(), 1u);
    EXPECT_EQ(result.unmetForm[0],
              "measure segment 1: no chord can follow K_SIXTH_FOURTH_CHORD by the rules of "
              "school harmony; the design's draw chose by the voice-leading rules alone");
    EXPECT_EQ(diagnosed.str(), "School harmony: " + result.unmetForm[0] + "\n");
    EXPECT_TRUE(after.motive.isHarmonised());
}

TEST(SchoolHarmonyChoice, AMotiveOutsideThePeriodKeepsTheVoiceRangesToo) {
    TPeriodData period;
    period.setKey(C_MAJOR);
    period.setMeasure(TMeasure(2, QUARTER));
    TRandomGenerator random;
    for (int draw = 0; draw < 20; ++draw) {
        TMotive loose(C_MAJOR, TMeasure(2, QUARTER), QUARTER);
        const TMotiveHarmonisation result =
            harmoniseMotive(loose, period, TMotiveContext{nullptr, -1, CONTEXT_NONE},
                            schemeChordTypeNames(), random, true);
        ASSERT_TRUE(result.outcome.complete());
        for (const TChord& chord : loose.chords())
            for (int voice = SOPRANO; voice <= BASS; ++voice)
                EXPECT_TRUE(voiceRange(voice).contains(chord.voice(voice)))
                    << chord.name() << " voice " << voice << " at " << chord.voice(voice);
    }
}

TEST(SchoolHarmonyVoicing, EveryVoicingOfTheDominantSeventhResolvesItsSeventhDown) {
    TChord seventh = chordOfType("DOMINANT_FOUR_CHORD");
    seventh.generateArrangements(C_MAJOR, 20, 31);
    int resolutions = 0;
    for (const TChordArrangementMap& map : seventh.arrangements()) {
        for (const auto& [soprano, a] : map) {
            TChord before = seventh;
            before.setVoices({a.soprano, a.alto, a.tenor, a.bassCandidates[0]});
            for (const TVoices& v : allowedAfter(&before, "TONIC_THREE_CHORD")) {
                for (int voice = SOPRANO; voice <= BASS; ++voice) {
                    const int from = before.voice(voice);
                    if (C_MAJOR.degree(from) != 4) // F, the seventh of G7
                        continue;
                    ++resolutions;
                    EXPECT_EQ(v[static_cast<std::size_t>(voice)], from - 1)
                        << "voice " << voice << " from " << from;
                }
            }
        }
    }
    EXPECT_GT(resolutions, 10);
}

// The variant window's chord choice offers what school harmony allows, and always something.
TEST(SchoolHarmonyChordVariants, OnlyWhatTheRulesAllowIsOfferedAndNeverNothing) {
    TAfterSixFour after;
    const auto offers = [&](const std::vector<std::string>& types, bool school) {
        return chordVariantsAt(after.motive, 0, &after.preceding, CONTEXT_CONTINUES, types, school);
    };
    const std::vector<TChord> school = offers(schemeChordTypeNames(), true);
    ASSERT_FALSE(school.empty());
    for (const TChord& chord : school) {
        EXPECT_TRUE(isRootDominant(chord.name())) << chord.name();
        for (int voice = SOPRANO; voice <= BASS; ++voice)
            EXPECT_TRUE(voiceRange(voice).contains(chord.voice(voice)))
                << chord.name() << " voice " << voice << " at " << chord.voice(voice);
    }
    // Off, the design's list stays as it was, six-four resolutions of every kind included.
    const std::vector<TChord> design = offers(schemeChordTypeNames(), false);
    EXPECT_TRUE(std::any_of(design.begin(), design.end(),
                            [](const TChord& c) { return !isRootDominant(c.name()); }));

    // Where no chord keeps the rules, the voice-leading rules alone still offer chords.
    std::vector<std::string> noDominants = schemeChordTypeNames();
    std::erase_if(noDominants, [](const std::string& type) { return isRootDominant(type); });
    EXPECT_EQ(offers(noDominants, true).size(), offers(noDominants, false).size());
    EXPECT_FALSE(offers(noDominants, true).empty());

    // The seventh of V7 on top falls to E4 in the offered tonic.
    TMotive afterSeventh(C_MAJOR, TMeasure(2, QUARTER));
    afterSeventh.chords().push_back(voiced("DOMINANT_FOUR_CHORD", {23, 21, 19, 10}));
    TMotive next(C_MAJOR, TMeasure(2, QUARTER));
    const std::vector<TChord> tonic =
        chordVariantsAt(next, 0, &afterSeventh, CONTEXT_CONTINUES, {"TONIC_THREE_CHORD"}, true);
    ASSERT_EQ(tonic.size(), 1u);
    EXPECT_EQ(tonic[0].voice(SOPRANO), 22);
}
