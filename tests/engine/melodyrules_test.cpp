#include "engine/effect.h"
#include "engine/melodyrules.h"
#include "enginetesthelpers.h"
#include "model/diagnostics.h"

#include <gtest/gtest.h>

#include <sstream>

// Each case first shows the fault the draw alone makes, then that school harmony removes it.

namespace {

const TKey A_MINOR(0, MINOR);
const TKey C_MAJOR(0, MAJOR);
const TMeasure TWO_FOUR(2, QUARTER);
const TMeasure TWO_EIGHT(2, EIGHTH);

// A minor: 15 E, 16 F, 17 G sharp, 18 A, 20 C, 22 E. C major: 16 F, 17 G, 19 B, 20 C.
constexpr int E4_IN_A_MINOR = 15;
constexpr int F_IN_A_MINOR = 16;
constexpr int G_SHARP_IN_A_MINOR = 17;
constexpr int C_IN_A_MINOR = 20;
constexpr int F_IN_C_MAJOR = 16;
constexpr int B_IN_C_MAJOR = 19;

TMotive harmonised(const TKey& key, const TMeasure& meter, const std::string& chord) {
    TMotive motive(key, meter);
    motive.chords() = {chordAt(chord, 0)};
    return motive;
}

int forbiddenLeaps(const TMotive& motive, int previous = NO_PITCH) {
    TMelodyPlace place;
    place.previousPitch = previous;
    return melodyFaults(motive, place).forbiddenLeaps;
}

// Four eighths passing up from E through F and G sharp to A, under the tonic of A minor.
TMotive passingUpToTheTonic(bool school) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setSchoolHarmony(school);
    scheme.setDurations({60}, false, false);
    scheme.setTurns({PASSING}, false, false);
    TMotive motive = harmonised(A_MINOR, TWO_FOUR, "TONIC_THREE_CHORD");
    scheme.generateMotive(motive, {{0, E4_IN_A_MINOR}, {60, 30}, {120, 30}, {180, 30}});
    return motive;
}

TMotive generatedWith(bool school, const TKey& key, const std::string& chord, TDurations rhythm,
                      TTurns turns, int anchor, const TMelodyPlace& place) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setSchoolHarmony(school);
    scheme.setDurations(rhythm, true, false);
    scheme.setTurns(turns, true, false);
    TMotive motive = harmonised(key, TWO_FOUR, chord);
    scheme.generateMotive(motive, {{0, anchor}, {120, 30}}, place);
    return motive;
}

} // namespace

TEST(MelodicIntervals, AugmentedSecondsAndTritonesAreNamedInEitherDirection) {
    EXPECT_TRUE(isAugmentedSecond(A_MINOR, F_IN_A_MINOR, G_SHARP_IN_A_MINOR));
    EXPECT_TRUE(isAugmentedSecond(A_MINOR, G_SHARP_IN_A_MINOR, F_IN_A_MINOR));
    EXPECT_FALSE(isAugmentedSecond(A_MINOR, E4_IN_A_MINOR, F_IN_A_MINOR));
    EXPECT_FALSE(isAugmentedSecond(C_MAJOR, F_IN_C_MAJOR, F_IN_C_MAJOR + 1));
    EXPECT_TRUE(isTritoneLeap(C_MAJOR, F_IN_C_MAJOR, B_IN_C_MAJOR));
    EXPECT_TRUE(isTritoneLeap(C_MAJOR, B_IN_C_MAJOR, F_IN_C_MAJOR + 7));  // diminished fifth up
    EXPECT_FALSE(isTritoneLeap(C_MAJOR, F_IN_C_MAJOR, F_IN_C_MAJOR + 4)); // F to C
    // D to G sharp in A minor, and a missing note before the first.
    EXPECT_TRUE(isForbiddenMelodicInterval(A_MINOR, 14, G_SHARP_IN_A_MINOR));
    EXPECT_FALSE(isForbiddenMelodicInterval(A_MINOR, NO_PITCH, G_SHARP_IN_A_MINOR));
}

TEST(SchoolMelody, APassingLineInMinorTakesNoAugmentedSecond) {
    const TMotive drawn = passingUpToTheTonic(false);
    ASSERT_GT(forbiddenLeaps(drawn), 0) << "the case no longer shows the fault";
    const TMotive school = passingUpToTheTonic(true);
    ASSERT_EQ(school.notes().size(), 4u);
    EXPECT_EQ(forbiddenLeaps(school), 0);
    EXPECT_EQ(school.notes()[0].pitch(), E4_IN_A_MINOR);
}

TEST(SchoolMelody, APartStartsOnAChordToneTheNoteBeforeReachesWithoutATritone) {
    TMelodyPlace place;
    place.previousPitch = F_IN_C_MAJOR;
    const TMotive drawn =
        generatedWith(false, C_MAJOR, "DOMINANT_THREE_CHORD", {240}, {}, B_IN_C_MAJOR, place);
    ASSERT_EQ(forbiddenLeaps(drawn, F_IN_C_MAJOR), 1) << "the case no longer shows the fault";
    const TMotive school =
        generatedWith(true, C_MAJOR, "DOMINANT_THREE_CHORD", {240}, {}, B_IN_C_MAJOR, place);
    ASSERT_EQ(school.notes().size(), 1u);
    EXPECT_EQ(forbiddenLeaps(school, F_IN_C_MAJOR), 0);
    EXPECT_EQ(school.notes()[0].pitch(), F_IN_C_MAJOR + 1) << "G, the nearest chord tone";
    EXPECT_TRUE(school.notes()[0].chordingNote());
}

TEST(SchoolMelody, ThePeriodClosesOnTheKeynote) {
    TMelodyPlace place;
    place.close = TMelodyClose::KEYNOTE;
    const TMotive drawn = generatedWith(false, A_MINOR, "TONIC_THREE_CHORD", {120, 120},
                                        {CHORD_LEAP_1}, C_IN_A_MINOR, place);
    ASSERT_EQ(melodyFaults(drawn, place).openClose, 1) << "the case no longer shows the fault";
    const TMotive school = generatedWith(true, A_MINOR, "TONIC_THREE_CHORD", {120, 120},
                                         {CHORD_LEAP_1}, C_IN_A_MINOR, place);
    ASSERT_EQ(school.notes().size(), 2u);
    EXPECT_EQ(A_MINOR.degree(school.notes().back().pitch()), 1);
    EXPECT_EQ(school.notes().back().pitch(), C_IN_A_MINOR - 2) << "the nearer A";
    EXPECT_EQ(melodyFaults(school, place).total(), 0);
}

TEST(SchoolMelody, TheFirstSentenceClosesOnAToneOfTheDominant) {
    TMelodyPlace place;
    place.close = TMelodyClose::DOMINANT;
    // A neighbour up from E leaves F, no tone of V, as the last note.
    const TMotive drawn = generatedWith(false, A_MINOR, "DOMINANT_THREE_CHORD", {120, 120},
                                        {NEIGHBOUR}, E4_IN_A_MINOR, place);
    ASSERT_EQ(melodyFaults(drawn, place).openClose, 1) << "the case no longer shows the fault";
    const TMotive school = generatedWith(true, A_MINOR, "DOMINANT_THREE_CHORD", {120, 120},
                                         {NEIGHBOUR}, E4_IN_A_MINOR, place);
    EXPECT_EQ(melodyFaults(school, place).total(), 0);
    EXPECT_TRUE(school.notes().back().chordingNote());
}

TEST(SchoolMelody, AClosingDownbeatStaysAToneOfItsChord) {
    // One note on the bar line under III of A minor (C, E, G sharp) that must become a tone of
    // V: B would be nearest, but only E and G sharp belong to the chord.
    TMelodyPlace place;
    place.close = TMelodyClose::DOMINANT;
    const TMotive school =
        generatedWith(true, A_MINOR, "LOWM_THREE_CHORD", {240}, {}, C_IN_A_MINOR, place);
    ASSERT_EQ(school.notes().size(), 1u);
    EXPECT_EQ(melodyFaults(school, place).total(), 0);
    EXPECT_EQ(school.notes()[0].pitch(), C_IN_A_MINOR + 2);
}

TEST(SchoolMelody, MelodyPlaceFollowsThePeriodsForm) {
    TPeriodData period;
    period.sentences().resize(2);
    for (TSentenceData& sentence : period.sentences()) {
        sentence.phrases().resize(1);
        sentence.phrases()[0].motives().resize(2);
    }
    std::vector<const TMotive*> motives = std::as_const(period).allMotives();
    period.sentences()[0].phrases()[0].motives()[0].notes() = {TNote(0, 23, 240)};
    EXPECT_EQ(melodyPlace(period, *motives[1]).close, TMelodyClose::DOMINANT);
    EXPECT_EQ(melodyPlace(period, *motives[3]).close, TMelodyClose::KEYNOTE);
    EXPECT_EQ(melodyPlace(period, *motives[2]).close, TMelodyClose::NONE);
    // The last note before, across an empty motive.
    EXPECT_EQ(melodyPlace(period, *motives[2]).previousPitch, 23);
    EXPECT_EQ(melodyPlace(period, *motives[0]).previousPitch, NO_PITCH);
}

TEST(SchoolMelody, SequencesAndVariationsRepairTheirForbiddenLeaps) {
    // E F in A minor, a step up: F G sharp, an augmented second.
    TMotive source(A_MINOR, TWO_FOUR);
    source.notes() = {TNote(0, E4_IN_A_MINOR, 120), TNote(120, F_IN_A_MINOR, 120)};
    for (bool school : {false, true}) {
        TRandomGenerator draws;
        TScheme scheme(draws);
        scheme.setSchoolHarmony(school);
        const TMotives variants = TEffect(scheme).makeVariants(TSimpleEffect::SEQUENCE_UP, source);
        ASSERT_EQ(variants.size(), 3u);
        EXPECT_EQ(forbiddenLeaps(variants[0]), school ? 0 : 1);
    }
    TNoteList line{TNote(0, F_IN_C_MAJOR, 60), TNote(60, B_IN_C_MAJOR, 60),
                   TNote(120, B_IN_C_MAJOR + 1, 60)};
    EXPECT_EQ(repairForbiddenLeaps(line, C_MAJOR), 0);
    EXPECT_EQ(line[1].pitch(), B_IN_C_MAJOR - 1) << "the later note moves towards the earlier";
}

TEST(SchoolMelody, RhythmVariantsDifferFromTheSourceUnlessNoOtherRhythmExists) {
    // Two eighths in 2/8: the only other rhythms are a sixteenth and a dotted eighth either
    // way round, so the third variant has nothing new and says so.
    TMotive source(C_MAJOR, TWO_EIGHT);
    source.notes() = {TNote(0, 20, 60), TNote(60, 22, 60)};
    for (int seed = 0; seed < 40; ++seed) {
        TRandomGenerator draws;
        for (int d = 0; d < seed; ++d)
            draws.next();
        TScheme scheme(draws);
        scheme.setSchoolHarmony(true);
        std::ostringstream reasons;
        setDiagnosticStream(&reasons);
        const TMotives variants = TEffect(scheme).makeVariants(TSimpleEffect::RHYTHM, source);
        setDiagnosticStream(nullptr);
        ASSERT_EQ(variants.size(), 3u);
        EXPECT_TRUE(isFreshVariant(variants[0], source, {})) << "seed " << seed;
        EXPECT_TRUE(isFreshVariant(variants[1], source, {variants[0]})) << "seed " << seed;
        EXPECT_NE(reasons.str().find("no other arrangement for variant 3"), std::string::npos);
    }
}
