#include "engine/motiveform.h"
#include "engine/periodharmonisation.h"
#include "model/chordcatalogue.h"
#include "model/diagnostics.h"
#include "model/schemechords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string TONIC = "TONIC_THREE_CHORD";
const std::string DOMINANT = "DOMINANT_THREE_CHORD";
const std::string DOMINANT_SEVENTH = "DOMINANT_FOUR_CHORD";
const TKey gMinor(-2, MINOR);
const TMeasure twoFour(2, 120);

using TTypes = std::vector<std::string>;

// Sentences of phrases with the given motive counts.
TPeriodData period(const std::vector<std::vector<int>>& sentences, std::int16_t zatakt) {
    TPeriodData p;
    p.setKey(gMinor);
    p.setMeasure(twoFour);
    p.setZatakt(zatakt);
    for (const std::vector<int>& phrases : sentences) {
        TSentenceData sentence;
        for (const int motives : phrases)
            sentence.phrases().emplace_back(motives, SUFFIX_A, gMinor, twoFour, zatakt);
        p.sentences().push_back(sentence);
    }
    return p;
}

std::vector<std::string> closingChords(const TPeriodData& p) {
    std::vector<std::string> names;
    for (const TMotive* motive : p.allMotives())
        names.push_back(motive->chords().back().name());
    return names;
}

} // namespace

TEST(PeriodForms, TwoSentencesWithUpbeatsAskForTheirCadences) {
    // Two sentences of two phrases of two motives: motives 0..7 in strip order.
    const std::vector<TMotiveForm> forms = periodForms(period({{2, 2}, {2, 2}}, 60));
    ASSERT_EQ(forms.size(), 8u);
    for (std::size_t m = 1; m < forms.size(); ++m) {
        ASSERT_EQ(forms[m].segments.size(), 2u);
        // The upbeat chord is the chord before, carried over: nothing to ask of it.
        EXPECT_FALSE(forms[m].segments[0].demands()) << m;
    }
    // The first motive draws both chords; its phrase ends with the motive after it.
    EXPECT_FALSE(forms[0].segments[0].demands());
    EXPECT_FALSE(forms[0].segments[1].demands());
    EXPECT_EQ(forms[1].segments[1].types, (TTypes{DOMINANT, TONIC}));
    EXPECT_EQ(forms[1].segments[1].cadence, TCadence::PHRASE);
    EXPECT_EQ(forms[3].segments[1].types, TTypes{DOMINANT});
    EXPECT_EQ(forms[3].segments[1].cadence, TCadence::HALF);
    EXPECT_TRUE(forms[4].segments[1].restartsOrder);
    EXPECT_FALSE(forms[5].segments[1].restartsOrder);
    // Before the closing tonic the dominant (or its seventh chord); the cadential six-four
    // before that would clash with the phrase end standing there, so the phrase end wins.
    EXPECT_EQ(forms[5].segments[1].types, (TTypes{DOMINANT, TONIC}));
    EXPECT_EQ(forms[5].segments[1].preferred, "K_SIXTH_FOURTH_CHORD");
    EXPECT_EQ(forms[6].segments[1].types, (TTypes{DOMINANT, DOMINANT_SEVENTH}));
    EXPECT_EQ(forms[6].segments[1].cadence, TCadence::AUTHENTIC);
    EXPECT_EQ(forms[7].segments[1].types, TTypes{TONIC});
    // What follows each motive, so that its last chord can lead into it.
    ASSERT_EQ(forms[2].after.size(), FORM_LOOKAHEAD);
    EXPECT_EQ(forms[2].after[0].types, TTypes{DOMINANT});
    EXPECT_FALSE(forms[2].after[1].demands());
    EXPECT_TRUE(forms[2].after[1].restartsOrder);
    ASSERT_EQ(forms[6].after.size(), 1u);
    EXPECT_EQ(forms[6].after[0].types, TTypes{TONIC});
    EXPECT_TRUE(forms[7].after.empty());
}

// Only the first sentence ends with a half cadence; the later sentences end as any phrase
// does, and the last one closes the period.
TEST(PeriodForms, OnlyTheFirstSentenceEndsWithAHalfCadence) {
    for (const std::int16_t upbeat : {std::int16_t(0), std::int16_t(60)}) {
        for (const std::size_t sentences : {3u, 4u}) {
            const TPeriodData p =
                period(std::vector<std::vector<int>>(sentences, std::vector<int>{2, 1}), upbeat);
            const std::vector<TMotiveForm> forms = periodForms(p);
            ASSERT_EQ(forms.size(), 3 * sentences);
            for (std::size_t s = 0; s < sentences; ++s) {
                const std::string where = "sentence " + std::to_string(s + 1) + " of " +
                                          std::to_string(sentences) + ", upbeat " +
                                          std::to_string(upbeat);
                // Each sentence: a phrase of two motives, then a phrase of one.
                const TChordDemand& phraseEnd = forms[3 * s + 1].segments.back();
                const TChordDemand& sentenceEnd = forms[3 * s + 2].segments.back();
                // (In the last sentence the closing dominant narrows the phrase end.)
                EXPECT_EQ(phraseEnd.cadence, TCadence::PHRASE) << where;
                if (s == 0) {
                    EXPECT_EQ(sentenceEnd.cadence, TCadence::HALF) << where;
                    EXPECT_EQ(sentenceEnd.types, TTypes{DOMINANT}) << where;
                } else if (s + 1 < sentences) {
                    EXPECT_EQ(sentenceEnd.cadence, TCadence::PHRASE) << where;
                    EXPECT_EQ(sentenceEnd.types, (TTypes{DOMINANT, TONIC})) << where;
                } else {
                    EXPECT_EQ(sentenceEnd.cadence, TCadence::AUTHENTIC) << where;
                    EXPECT_EQ(sentenceEnd.types, TTypes{TONIC}) << where;
                }
            }
        }
    }
}

TEST(PeriodForms, ShortPeriodsPutTheWholeCadenceWhereThereIsRoom) {
    // One motive with an upbeat: the dominant on the upbeat, the tonic on the bar.
    const std::vector<TMotiveForm> single = periodForms(period({{1}}, 60));
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0].segments[0].types, (TTypes{DOMINANT, DOMINANT_SEVENTH}));
    EXPECT_EQ(single[0].segments[1].types, TTypes{TONIC});

    // Without upbeats one chord per motive; the last sentence's single motive closes the
    // period, the first sentence's last motive takes the half cadence and also stands
    // before the closing tonic.
    const std::vector<TMotiveForm> forms = periodForms(period({{1, 1}, {1}}, 0));
    ASSERT_EQ(forms.size(), 3u);
    EXPECT_EQ(forms[0].segments[0].types, (TTypes{DOMINANT, TONIC}));
    EXPECT_EQ(forms[0].segments[0].preferred, "K_SIXTH_FOURTH_CHORD");
    EXPECT_EQ(forms[1].segments[0].types, TTypes{DOMINANT});
    EXPECT_EQ(forms[2].segments[0].types, TTypes{TONIC});
    EXPECT_TRUE(forms[2].segments[0].restartsOrder);

    EXPECT_TRUE(periodForms(TPeriodData()).empty());
}

TEST(PeriodForms, AMotiveOutsideThePeriodHasNoForm) {
    const TPeriodData p = period({{2}}, 0);
    const TMotive stranger(gMinor, twoFour, 0);
    EXPECT_FALSE(motiveForm(p, stranger));
    const std::optional<TMotiveForm> last = motiveForm(p, *p.allMotives()[1]);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->segments[0].types, TTypes{TONIC});
}

TEST(FormContext, TheVoicesRunOnAcrossASentenceBoundaryWithoutUpbeat) {
    TPeriodData p = period({{1}, {1}}, 0);
    std::vector<TContextCell> cells = periodCells(p);
    const TMotive* second = p.allMotives()[1];
    // Until the first motive is harmonised there is nothing to continue from.
    EXPECT_EQ(formContext(cells, second).code, CONTEXT_NONE);
    TRandomGenerator random;
    harmonisePeriod(p, schemeChordTypeNames(), random, true);
    cells = periodCells(p);
    const TMotiveContext context = formContext(cells, second);
    EXPECT_EQ(contextMotive(cells, second).code, CONTEXT_NONE);
    EXPECT_EQ(context.code, CONTEXT_NEW_GROUP);
    EXPECT_EQ(context.motive, p.allMotives()[0]);
    EXPECT_EQ(context.cell, 0);
    EXPECT_EQ(firstBrokenRule(p.allMotives()[0]->chords().back().voices(),
                              second->chords().front().voices(), gMinor),
              RULE_KEPT);
    // Inside a sentence, and for the first motive, it is the usual context.
    EXPECT_EQ(formContext(cells, p.allMotives()[0]).code, CONTEXT_FIRST);
}

TEST(CadenceHarmonisation, TheFirstMotivePreferenceStaysWhereTheFormAllowsIt) {
    for (int seed = 0; seed < 20; ++seed) {
        TRandomGenerator random;
        for (int d = 0; d < seed; ++d)
            random.next();
        // The first motive ends a phrase inside the period: the tonic it prefers is allowed.
        TPeriodData p = period({{1, 1}, {1, 1}}, 60);
        harmonisePeriod(p, schemeChordTypeNames(), random, true);
        const TChordList& first = p.allMotives()[0]->chords();
        EXPECT_EQ(first[0].name(), DOMINANT);
        EXPECT_EQ(first[1].name(), TONIC);
        // A period of two motives without upbeat: the first motive must give the dominant.
        TPeriodData pair = period({{2}}, 0);
        harmonisePeriod(pair, schemeChordTypeNames(), random, true);
        const std::vector<std::string> closing = closingChords(pair);
        EXPECT_TRUE(closing[0] == DOMINANT || closing[0] == DOMINANT_SEVENTH) << closing[0];
        EXPECT_EQ(closing[1], TONIC);
    }
}

TEST(CadenceHarmonisation, LooksAheadSoThatTheHalfCadenceCanFollow) {
    // The chord before the half cadence must let the dominant follow: the leading-tone
    // chords (order 19) would not, nor may any voicing that leaves no room for it.
    TMotiveForm opening;
    opening.segments.resize(1);
    opening.after.push_back({TTypes{DOMINANT}, "", TCadence::HALF, false});
    TMotiveForm half;
    half.segments.push_back({TTypes{DOMINANT}, "", TCadence::HALF, false});
    TMotive before(gMinor, twoFour, 0);
    before.chords().push_back(chordOfType("TOPM_THREE_CHORD"));
    before.chords().back().setVoices({24, 19, 17, 12});
    for (int seed = 0; seed < 60; ++seed) {
        TRandomGenerator random;
        for (int d = 0; d < seed; ++d)
            random.next();
        TMotive a(gMinor, twoFour, 0);
        const THarmonisation first =
            autoHarmonise(a, &before, CONTEXT_CONTINUES, schemeChordTypeNames(), random, &opening);
        TMotive b(gMinor, twoFour, 0);
        const THarmonisation second =
            autoHarmonise(b, &a, CONTEXT_CONTINUES, schemeChordTypeNames(), random, &half);
        EXPECT_TRUE(first.unmetForm.empty());
        ASSERT_TRUE(second.unmetForm.empty())
            << a.chords()[0].name() << ": " << second.unmetForm.front();
        EXPECT_EQ(b.chords()[0].name(), DOMINANT);
    }
}

TEST(CadenceHarmonisation, AnUnmetFormIsReportedAndTheDrawDecides) {
    TTypes types = schemeChordTypeNames();
    types.erase(std::find(types.begin(), types.end(), DOMINANT));
    TMotiveForm half;
    half.segments.push_back({TTypes{DOMINANT}, "", TCadence::HALF, false});
    TMotive motive(gMinor, twoFour, 0);
    TRandomGenerator random;
    std::ostringstream diagnosed;
    setDiagnosticStream(&diagnosed);
    const THarmonisation result =
        autoHarmonise(motive, nullptr, CONTEXT_NONE, types, random, &half);
    setDiagnosticStream(nullptr);
    EXPECT_TRUE(result.complete());
    EXPECT_TRUE(motive.isHarmonised());
    ASSERT_EQ(result.unmetForm.size(), 1u);
    EXPECT_EQ(result.unmetForm[0], "measure segment 1: the half cadence needs "
                                   "DOMINANT_THREE_CHORD, which cannot be taken within the "
                                   "voice range");
    EXPECT_EQ(diagnosed.str(), "School harmony: " + result.unmetForm[0] + "\n");
}

TEST(CadenceHarmonisation, WithoutAFormTheDesignsDrawsAreKept) {
    for (const std::int16_t zatakt : {std::int16_t{0}, std::int16_t{60}}) {
        TPeriodData plain = period({{2, 2}, {2, 2}}, zatakt);
        TPeriodData off = plain;
        TRandomGenerator a;
        TRandomGenerator b;
        for (TMotive* motive : plain.allMotives()) {
            const TMotiveContext context = contextMotive(periodCells(plain), motive);
            autoHarmonise(*motive, context.motive, context.code, schemeChordTypeNames(), a);
        }
        harmonisePeriod(off, schemeChordTypeNames(), b, false);
        const auto left = plain.allMotives();
        const auto right = off.allMotives();
        for (std::size_t i = 0; i < left.size(); ++i)
            EXPECT_TRUE(left[i]->sameContent(*right[i])) << i;
        EXPECT_EQ(a.next(), b.next());
    }
}
