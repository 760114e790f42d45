#include "engine/harmonisation.h"
#include "model/chordcatalogue.h"
#include "model/schemechords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

const TMeasure twoFour(2, 120);
const TKey cMajor(0, MAJOR);

class TCountingMotiveListener : public TMotiveListener {
public:
    void motiveChanged() override { ++changes; }
    int changes = 0;
};

TChord voiced(const std::string& type, int time, const TVoices& voices) {
    TChord chord = chordOfType(type);
    chord.setTime(time);
    chord.setVoices(voices);
    return chord;
}

// A motive holding one chord per measure, as a harmonised predecessor does.
TMotive harmonised(std::int16_t upbeat, const std::vector<TChord>& chords) {
    TMotive m(cMajor, twoFour, upbeat);
    m.chords() = chords;
    return m;
}

void expectFollows(const TChord& previous, const TChord& next, const TKey& key) {
    ASSERT_TRUE(next.isVoiced()) << next.name();
    EXPECT_EQ(firstBrokenRule(previous.voices(), next.voices(), key), RULE_KEPT)
        << previous.name() << " -> " << next.name();
    EXPECT_LE(std::abs(next.voice(SOPRANO) - previous.voice(SOPRANO)), 7);
}

TRandomGenerator generatorAfter(int draws) {
    TRandomGenerator random;
    for (int i = 0; i < draws; ++i)
        random.next();
    return random;
}

} // namespace

TEST(AutoHarmonise, FirstMotiveWithoutUpbeatOpensOnTheTonicNearTheMiddle) {
    TMotive motive(cMajor, twoFour);
    motive.chords().push_back(chordOfType("DOMINANT_THREE_CHORD"));
    TCountingMotiveListener listener;
    motive.setListener(&listener);
    TRandomGenerator random;

    const THarmonisation result =
        autoHarmonise(motive, nullptr, CONTEXT_FIRST, schemeChordTypeNames(), random);
    EXPECT_TRUE(result.complete());
    EXPECT_EQ(result.segments, 1);
    EXPECT_EQ(listener.changes, 1);
    ASSERT_EQ(motive.chords().size(), 1u);
    const TChord& tonic = motive.chords()[0];
    EXPECT_EQ(tonic.name(), "TONIC_THREE_CHORD");
    EXPECT_EQ(tonic.time(), 0);
    // The nearest soprano to 25 (A) on a tonic tone is G at 24; the first doubling voices it.
    EXPECT_EQ(tonic.voice(SOPRANO), 24);
    EXPECT_TRUE(motive.isHarmonised());
    // The preferred chord is taken without a draw.
    EXPECT_EQ(random.state(), TRandomGenerator().state());
}

TEST(AutoHarmonise, FirstMotiveWithUpbeatGoesFromDominantToTonic) {
    for (int sign = -7; sign <= 7; ++sign) {
        for (std::uint8_t mode : {MAJOR, MINOR}) {
            const TKey key(sign, mode);
            TMotive motive(key, TMeasure(3, 120), 120);
            TRandomGenerator random;
            ASSERT_TRUE(autoHarmonise(motive, nullptr, CONTEXT_FIRST_WITH_UPBEAT,
                                      schemeChordTypeNames(), random)
                            .complete());
            ASSERT_EQ(motive.chords().size(), 2u);
            EXPECT_EQ(motive.chords()[0].name(), "DOMINANT_THREE_CHORD");
            EXPECT_EQ(motive.chords()[1].name(), "TONIC_THREE_CHORD");
            EXPECT_EQ(motive.chords()[0].time(), 0);
            EXPECT_EQ(motive.chords()[1].time(), 360);
            expectFollows(motive.chords()[0], motive.chords()[1], key);
        }
    }
}

TEST(AutoHarmonise, ContinuationCarriesTheLastChordIntoTheUpbeatAndLeadsFromIt) {
    const TMotive before = harmonised(120, {voiced("TONIC_THREE_CHORD", 0, {20, 17, 15, 6}),
                                            voiced("DOMINANT_THREE_CHORD", 240, {19, 17, 14, 10})});
    for (int draws = 0; draws < 40; ++draws) {
        TMotive motive(cMajor, twoFour, 120);
        TRandomGenerator random = generatorAfter(draws);
        ASSERT_TRUE(
            autoHarmonise(motive, &before, CONTEXT_CONTINUES, schemeChordTypeNames(), random)
                .complete());
        ASSERT_EQ(motive.chords().size(), 2u);
        const TChord& upbeat = motive.chords()[0];
        EXPECT_EQ(upbeat.name(), "DOMINANT_THREE_CHORD");
        EXPECT_EQ(upbeat.time(), 0);
        EXPECT_TRUE(upbeat.sameVoices(before.chords()[1]));
        const TChord& next = motive.chords()[1];
        EXPECT_EQ(next.time(), 240);
        expectFollows(upbeat, next, cMajor);
        // After the dominant (order 15) only later orders or a tonic-function chord.
        EXPECT_TRUE(next.order() >= 15 || next.tonicFunction()) << next.name();
    }
}

TEST(AutoHarmonise, NewSentenceAfterUpbeatRestartsTheOrderButStillLeads) {
    // After the leading-tone seventh (order 19) a continuation may only go to a tonic-function
    // chord or stay; a new sentence may take any chord, still led from the carried chord.
    const TMotive before = harmonised(120, {voiced("TONIC_THREE_CHORD", 0, {20, 17, 15, 6}),
                                            voiced("TOPINTRO_FOUR_CHORD", 240, {18, 16, 14, 12})});
    std::set<std::string> continued;
    std::set<std::string> restarted;
    for (int draws = 0; draws < 200; ++draws) {
        for (TContextCode code : {CONTEXT_CONTINUES, CONTEXT_NEW_GROUP}) {
            TMotive motive(cMajor, twoFour, 120);
            TRandomGenerator random = generatorAfter(draws);
            if (!autoHarmonise(motive, &before, code, schemeChordTypeNames(), random).complete())
                continue;
            ASSERT_EQ(motive.chords().size(), 2u);
            EXPECT_TRUE(motive.chords()[0].sameVoices(before.chords()[1]));
            expectFollows(motive.chords()[0], motive.chords()[1], cMajor);
            (code == CONTEXT_CONTINUES ? continued : restarted).insert(motive.chords()[1].name());
        }
    }
    for (const std::string& name : continued) {
        const TChord chord = chordOfType(name);
        EXPECT_TRUE(chord.order() >= 19 || chord.tonicFunction()) << name;
    }
    EXPECT_TRUE(restarted.count("SUBDOMINANT_THREE_CHORD") ||
                restarted.count("DOMINANT_THREE_CHORD"));
}

TEST(AutoHarmonise, NewSentenceWithoutUpbeatStartsAfresh) {
    const TMotive before = harmonised(0, {voiced("TONIC_THREE_CHORD", 0, {13, 10, 8, 6})});
    TMotive motive(cMajor, twoFour);
    TRandomGenerator random;
    ASSERT_TRUE(autoHarmonise(motive, &before, CONTEXT_NEW_GROUP, schemeChordTypeNames(), random)
                    .complete());
    // Not held within a fifth of the old soprano 13: voiced around the middle instead.
    EXPECT_LE(std::abs(motive.chords()[0].voice(SOPRANO) - 25), 2);
    EXPECT_EQ(motive.chords()[0].prevBass(), NO_PITCH);
}

TEST(AutoHarmonise, ContinuationWithoutUpbeatLeadsFromThePrecedingChordAndItsBassMotion) {
    // The bass rose from 6 to 10 into the dominant, so the next bass does not rise above 10.
    const TMotive before = harmonised(120, {voiced("TONIC_THREE_CHORD", 0, {20, 17, 15, 6}),
                                            voiced("DOMINANT_THREE_CHORD", 240, {19, 17, 14, 10})});
    TMotive motive(cMajor, twoFour);
    for (int draws = 0; draws < 30; ++draws) {
        TRandomGenerator random = generatorAfter(draws);
        ASSERT_TRUE(
            autoHarmonise(motive, &before, CONTEXT_CONTINUES, schemeChordTypeNames(), random)
                .complete());
        const TChord& next = motive.chords()[0];
        EXPECT_EQ(next.prevBass(), 10);
        EXPECT_TRUE(next.prevBassUp());
        expectFollows(before.chords()[1], next, cMajor);
    }
}

TEST(AutoHarmonise, UnvoicedPrecedingChordGivesTheOrderButNoVoiceLeading) {
    // A document may hold a chord type without voices.
    const TMotive before = harmonised(0, {chordOfType("TOPINTRO_FOUR_CHORD")});
    TMotive motive(cMajor, twoFour);
    for (int draws = 0; draws < 20; ++draws) {
        TRandomGenerator random = generatorAfter(draws);
        ASSERT_TRUE(
            autoHarmonise(motive, &before, CONTEXT_CONTINUES, schemeChordTypeNames(), random)
                .complete());
        const TChord& next = motive.chords()[0];
        EXPECT_TRUE(next.isVoiced());
        EXPECT_TRUE(next.order() >= 19 || next.tonicFunction()) << next.name();
    }
}

TEST(AutoHarmonise, PrecedingMotiveWithoutChordsCountsAsNone) {
    const TMotive before(cMajor, twoFour, 120);
    TMotive motive(cMajor, twoFour, 120);
    TRandomGenerator random;
    ASSERT_TRUE(
        autoHarmonise(motive, &before, CONTEXT_FIRST_WITH_UPBEAT, schemeChordTypeNames(), random)
            .complete());
    EXPECT_EQ(motive.chords()[0].name(), "DOMINANT_THREE_CHORD");
}

TEST(AutoHarmonise, MotiveMayContinueFromItself) {
    TMotive motive = harmonised(0, {voiced("DOMINANT_THREE_CHORD", 0, {19, 17, 14, 10})});
    TRandomGenerator random;
    ASSERT_TRUE(autoHarmonise(motive, &motive, CONTEXT_CONTINUES, schemeChordTypeNames(), random)
                    .complete());
    ASSERT_EQ(motive.chords().size(), 1u);
    expectFollows(voiced("DOMINANT_THREE_CHORD", 0, {19, 17, 14, 10}), motive.chords()[0], cMajor);
}

TEST(AutoHarmonise, SegmentWithoutAnyCandidateStaysWithoutAChord) {
    // From the lowest close tonic the supertonic triad, the only type offered, cannot follow.
    const std::vector<std::string> onlySupertonic{"LOWINTRO_THREE_CHORD"};
    const TChord tonic = voiced("TONIC_THREE_CHORD", 0, {13, 10, 8, 6});

    TMotive plain(cMajor, twoFour);
    TCountingMotiveListener listener;
    plain.setListener(&listener);
    const TMotive before = harmonised(0, {tonic});
    TRandomGenerator random;
    THarmonisation result =
        autoHarmonise(plain, &before, CONTEXT_CONTINUES, onlySupertonic, random);
    EXPECT_EQ(result.firstUnharmonised, 0);
    EXPECT_TRUE(plain.chords().empty());
    EXPECT_EQ(listener.changes, 1);

    TMotive upbeat(cMajor, twoFour, 120);
    const TMotive beforeUpbeat = harmonised(120, {tonic, tonic});
    result = autoHarmonise(upbeat, &beforeUpbeat, CONTEXT_CONTINUES, onlySupertonic, random);
    EXPECT_EQ(result.firstUnharmonised, 1);
    ASSERT_EQ(upbeat.chords().size(), 1u); // the carried-over chord
    EXPECT_FALSE(upbeat.isHarmonised());
}

TEST(AutoHarmonise, UnknownChordTypeIsRefusedBeforeTheMotiveChanges) {
    TMotive motive = harmonised(0, {voiced("DOMINANT_THREE_CHORD", 0, {19, 17, 14, 10})});
    TRandomGenerator random;
    EXPECT_THROW(autoHarmonise(motive, nullptr, CONTEXT_NONE,
                               {"TONIC_THREE_CHORD", "NO_SUCH_CHORD"}, random),
                 std::invalid_argument);
    EXPECT_EQ(motive.chords().size(), 1u);
}

TEST(AutoHarmonise, TheSopranoNeverLeapsMoreThanASeventhFromTheChordItIsLedFrom) {
    // Continuations from every voicing the catalogue's chords have in every key: the window of
    // sopranos offered to the next chord is a seventh either way, and the voicing chosen in it
    // may lie anywhere inside it, never outside.
    const std::vector<std::string>& types = schemeChordTypeNames();
    TRandomGenerator random;
    int transitions = 0;
    for (int sign = -7; sign <= 7; ++sign) {
        for (std::uint8_t mode : {MAJOR, MINOR}) {
            const TKey key(sign, mode);
            for (const std::string& type : types) {
                TChord start = chordOfType(type);
                start.generateArrangements(key, MIN_MELODY_PITCH, MAX_MELODY_PITCH);
                for (int soprano = MIN_MELODY_PITCH; soprano <= MAX_MELODY_PITCH; soprano += 3) {
                    start.chooseVoicing(soprano);
                    if (!start.isVoiced())
                        continue;
                    TMotive preceding(key, twoFour, 0);
                    preceding.chords() = {start};
                    TMotive next(key, twoFour, 0);
                    autoHarmonise(next, &preceding, CONTEXT_CONTINUES, types, random);
                    if (next.chords().empty())
                        continue;
                    ++transitions;
                    ASSERT_LE(std::abs(next.chords()[0].voice(SOPRANO) - start.voice(SOPRANO)), 7)
                        << type << " at " << start.voice(SOPRANO) << " -> "
                        << next.chords()[0].name() << " in key " << sign << "/" << int(mode);
                }
            }
        }
    }
    EXPECT_GT(transitions, 3000);
}

// The reach of the soprano, checked where it decides: after chords voiced wider than generation
// voices them (as a file may hold them), the voicings the rules allow may lie only eight or nine
// steps from the previous soprano.
TEST(AutoHarmonise, VoicingsBeyondASeventhFromThePreviousSopranoAreNeverTaken) {
    // From this dominant seventh the tonic triad can be voiced only eight steps down: the
    // segment stays without a chord, and the chord variant list offers none.
    const TMotive dominant = harmonised(0, {voiced("DOMINANT_FOUR_CHORD", 0, {23, 14, 10, 9})});
    const std::vector<std::string> onlyTonic{"TONIC_THREE_CHORD"};
    TMotive next(cMajor, twoFour);
    TRandomGenerator random;
    const THarmonisation result =
        autoHarmonise(next, &dominant, CONTEXT_CONTINUES, onlyTonic, random);
    EXPECT_EQ(result.firstUnharmonised, 0);
    EXPECT_TRUE(next.chords().empty());
    EXPECT_TRUE(chordVariantsAt(next, 0, &dominant, CONTEXT_CONTINUES, onlyTonic).empty());

    // Here the first doubling has its only following voicing eight steps down; the voicing
    // comes from a later doubling inside the reach instead.
    const TMotive before = harmonised(0, {voiced("LOWM_FOUR_CHORD", 0, {21, 12, 8, 7})});
    const std::vector<std::string> onlyTopMediant{"TOPM_THREE_CHORD"};
    TMotive led(cMajor, twoFour);
    ASSERT_TRUE(autoHarmonise(led, &before, CONTEXT_CONTINUES, onlyTopMediant, random).complete());
    expectFollows(before.chords()[0], led.chords()[0], cMajor);
    EXPECT_EQ(led.chords()[0].voice(SOPRANO), 20);
    const std::vector<TChord> offered =
        chordVariantsAt(led, 0, &before, CONTEXT_CONTINUES, onlyTopMediant);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].voice(SOPRANO), 20);

    // Widely spaced chord-tone voicings of every chord, each followed by every single type.
    const std::vector<std::string>& types = schemeChordTypeNames();
    TRandomGenerator spacing;
    int harmonisedCount = 0;
    int refused = 0;
    for (std::uint8_t mode : {MAJOR, MINOR}) {
        const TKey key(0, mode);
        for (const std::string& type : types) {
            const TChord start = chordOfType(type);
            for (int tries = 0; tries < 400; ++tries) {
                TVoices voices{spacing.draw(PITCH_COUNT), spacing.draw(PITCH_COUNT),
                               spacing.draw(PITCH_COUNT), spacing.draw(PITCH_COUNT)};
                std::sort(voices.begin(), voices.end(), std::greater<>());
                const bool chordTones = std::all_of(
                    voices.begin(), voices.end(), [&](int p) { return start.isChordTone(key, p); });
                if (!chordTones || !isInMelodyRange(voices[SOPRANO]) ||
                    std::adjacent_find(voices.begin(), voices.end()) != voices.end())
                    continue;
                TMotive preceding(key, twoFour, 0);
                preceding.chords() = {voiced(type, 0, voices)};
                for (const std::string& following : types) {
                    TMotive motive(key, twoFour, 0);
                    if (!autoHarmonise(motive, &preceding, CONTEXT_CONTINUES, {following}, random)
                             .complete()) {
                        ++refused;
                        continue;
                    }
                    ++harmonisedCount;
                    ASSERT_LE(std::abs(motive.chords()[0].voice(SOPRANO) - voices[SOPRANO]), 7)
                        << type << " {" << voices[0] << "," << voices[1] << "," << voices[2] << ","
                        << voices[3] << "} -> " << following << " mode " << int(mode);
                }
            }
        }
    }
    EXPECT_GT(harmonisedCount, 1000);
    EXPECT_GT(refused, 1000);
}
