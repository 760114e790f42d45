#include "engine/periodharmonisation.h"
#include "model/chordcatalogue.h"
#include "model/schemechords.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <iostream>
#include <string>
#include <vector>

namespace {

// Three sentences of two phrases of two motives, in the period's key, meter and upbeat.
TPeriodData period(const TKey& key, const TMeasure& measure, std::int16_t upbeat) {
    TPeriodData p;
    p.setKey(key);
    p.setMeasure(measure);
    p.setZatakt(upbeat);
    for (int s = 0; s < 3; ++s) {
        TSentenceData sentence;
        for (int ph = 0; ph < 2; ++ph)
            sentence.phrases().emplace_back(2, SUFFIX_A, key, measure, upbeat);
        p.sentences().push_back(sentence);
    }
    return p;
}

struct TTally {
    int motives = 0;
    int unharmonised = 0;
    int transitions = 0;
};

// Checks one harmonised period: a voiced chord per segment, the first motive's preferred
// orders, and every chord led from the chord sounding before it.
void checkPeriod(const TPeriodData& p, const std::vector<TMotiveHarmonisation>& report,
                 TTally& tally) {
    const std::vector<const TMotive*> motives = p.allMotives();
    ASSERT_EQ(report.size(), motives.size());
    const int measureLength = p.measure().ticksPerMeasure();
    for (std::size_t i = 0; i < motives.size(); ++i) {
        const TMotive& motive = *motives[i];
        const TMotiveHarmonisation& entry = report[i];
        ++tally.motives;
        ASSERT_FALSE(entry.alreadyHarmonised);
        const TChordList& chords = motive.chords();
        if (!entry.outcome.complete()) {
            // Documented outcome: the segments from the failing one on have no chord.
            ++tally.unharmonised;
            ASSERT_EQ(static_cast<int>(chords.size()), entry.outcome.firstUnharmonised);
            ASSERT_FALSE(motive.isHarmonised());
            continue;
        }
        ASSERT_TRUE(motive.isHarmonised());
        for (std::size_t c = 0; c < chords.size(); ++c) {
            ASSERT_EQ(chords[c].time(), static_cast<int>(c) * measureLength);
            ASSERT_TRUE(chords[c].isVoiced());
            ASSERT_TRUE(isInMelodyRange(chords[c].voice(SOPRANO)));
        }

        if (i == 0) {
            ASSERT_EQ(entry.context.code,
                      p.zatakt() > 0 ? CONTEXT_FIRST_WITH_UPBEAT : CONTEXT_FIRST);
            if (p.zatakt() > 0) {
                EXPECT_EQ(chords[0].name(), "DOMINANT_THREE_CHORD");
            }
            EXPECT_EQ(chords.back().name(), "TONIC_THREE_CHORD");
        }

        // The chord each one is led from: the chord before it in this motive, or for the first
        // one the preceding motive's last chord when the harmony continues.
        const TChord* previous = nullptr;
        if (entry.context.code == CONTEXT_CONTINUES)
            previous = &entry.context.motive->chords().back();
        for (std::size_t c = 0; c < chords.size(); ++c) {
            const bool carried = c == 0 && p.zatakt() > 0 && entry.context.motive;
            if (carried) {
                ASSERT_TRUE(chords[0].sameVoices(entry.context.motive->chords().back()));
            } else if (previous) {
                ++tally.transitions;
                ASSERT_EQ(firstBrokenRule(previous->voices(), chords[c].voices(), p.key()),
                          RULE_KEPT)
                    << previous->name() << " -> " << chords[c].name();
                // The soprano stays within a seventh of the soprano it is led from.
                ASSERT_LE(std::abs(chords[c].voice(SOPRANO) - previous->voice(SOPRANO)), 7)
                    << previous->name() << " -> " << chords[c].name();
            }
            previous = &chords[c];
        }
    }
}

} // namespace

TEST(HarmonisePeriod, EveryMotiveOfEveryKeyAndMeterGetsLedChords) {
    TTally tally;
    for (int sign = -7; sign <= 7; ++sign) {
        for (std::uint8_t mode : {MAJOR, MINOR}) {
            const TKey key(sign, mode);
            for (const auto& [beats, upbeat] :
                 {std::pair{2, 0}, std::pair{2, 120}, std::pair{3, 0}, std::pair{3, 120}}) {
                for (int run = 0; run < 3; ++run) {
                    TPeriodData p =
                        period(key, TMeasure(beats, 120), static_cast<std::int16_t>(upbeat));
                    TRandomGenerator random;
                    for (int d = 0; d < run * 7 + sign + 7; ++d)
                        random.next();
                    const auto report = harmonisePeriod(p, schemeChordTypeNames(), random);
                    checkPeriod(p, report, tally);
                    if (testing::Test::HasFatalFailure())
                        FAIL() << "key " << sign << "/" << int(mode) << " in " << beats
                               << " beats, upbeat " << upbeat;
                }
            }
        }
    }
    std::cout << "[ harmonised ] " << tally.motives << " motives, " << tally.unharmonised
              << " left unharmonised, " << tally.transitions << " led transitions\n";
    EXPECT_GT(tally.transitions * 2, tally.motives);
    EXPECT_LE(tally.unharmonised * 50, tally.motives);
}

TEST(HarmonisePeriod, HarmonisedMotivesStayAsTheyAre) {
    const TKey key(-3, MINOR);
    TPeriodData p = period(key, TMeasure(2, 120), 0);
    TRandomGenerator random;
    harmonisePeriod(p, schemeChordTypeNames(), random);
    const TPeriodData before = p;
    // Take the chords of two motives away: only they are redone.
    p.allMotives()[2]->chords().clear();
    p.allMotives()[4]->chords().pop_back();
    const auto report = harmonisePeriod(p, schemeChordTypeNames(), random);
    for (std::size_t i = 0; i < report.size(); ++i) {
        const bool redone = i == 2 || i == 4;
        EXPECT_EQ(report[i].alreadyHarmonised, !redone);
        EXPECT_TRUE(p.allMotives()[i]->isHarmonised());
        if (!redone) {
            EXPECT_TRUE(p.allMotives()[i]->sameContent(*before.allMotives()[i]));
        }
    }
    EXPECT_EQ(report[2].context.code, CONTEXT_CONTINUES);
    EXPECT_EQ(report[2].context.motive, p.allMotives()[1]);
    EXPECT_EQ(report[4].context.code, CONTEXT_NONE); // first motive of the second sentence
}

TEST(HarmonisePeriod, CellsCarryTheSentenceLabelNumbers) {
    TPeriodData p = period(TKey(), TMeasure(2, 120), 0);
    p.sentences().resize(5, p.sentences()[0]);
    const std::vector<TContextCell> cells = periodCells(p);
    ASSERT_EQ(cells.size(), 20u);
    const std::vector<int> groups{1, 2, 3, 4, 1};
    for (std::size_t i = 0; i < cells.size(); ++i) {
        EXPECT_EQ(cells[i].group, groups[i / 4]);
        EXPECT_FALSE(cells[i].selected);
        EXPECT_EQ(cells[i].motive, p.allMotives()[i]);
    }
}

namespace {

// Four sentences of four phrases of four motives.
TPeriodData fullPeriod(std::int16_t upbeat) {
    const TKey key(2, MINOR);
    const TMeasure measure(3, 120);
    TPeriodData p;
    p.setKey(key);
    p.setMeasure(measure);
    p.setZatakt(upbeat);
    for (int s = 0; s < 4; ++s) {
        TSentenceData sentence;
        for (int ph = 0; ph < 4; ++ph)
            sentence.phrases().emplace_back(4, SUFFIX_A, key, measure, upbeat);
        p.sentences().push_back(sentence);
    }
    return p;
}

} // namespace

// The canvas harmonises one cell at a time with the strip's cells, one of them selected; done in
// strip order that must give what the period harmonisation gives.
TEST(HarmoniseMotive, GivesThePeriodHarmonisationsChordsInEveryCell) {
    for (const bool cadences : {false, true}) {
        for (const std::int16_t upbeat : {std::int16_t(0), std::int16_t(120)}) {
            TPeriodData whole = fullPeriod(upbeat);
            TPeriodData oneByOne = whole;
            TRandomGenerator forWhole;
            TRandomGenerator forCells;
            const auto report = harmonisePeriod(whole, schemeChordTypeNames(), forWhole, cadences);

            std::vector<TContextCell> cells = periodCells(oneByOne);
            ASSERT_EQ(cells.size(), 64u);
            cells[37].selected = true;
            const std::vector<TMotive*> motives = oneByOne.allMotives();
            for (std::size_t i = 0; i < motives.size(); ++i) {
                const TMotiveHarmonisation entry =
                    harmoniseMotive(*motives[i], oneByOne, contextMotive(cells, motives[i]),
                                    schemeChordTypeNames(), forCells, cadences);
                const std::string where = "cell " + std::to_string(i) +
                                          (cadences ? ", cadences" : "") + ", upbeat " +
                                          std::to_string(upbeat);
                EXPECT_EQ(entry.motive, static_cast<int>(i)) << where;
                EXPECT_EQ(entry.context.code, report[i].context.code) << where;
                EXPECT_EQ(entry.context.cell, report[i].context.cell) << where;
                EXPECT_EQ(entry.outcome.unmetForm, report[i].outcome.unmetForm) << where;
                // A sentence opening without an upbeat runs on from the sentence before only
                // when the phrases close with cadences.
                if (i > 0 && i % 16 == 0 && upbeat == 0) {
                    EXPECT_EQ(entry.context.code, cadences ? CONTEXT_NEW_GROUP : CONTEXT_NONE)
                        << where;
                    EXPECT_EQ(entry.context.motive, cadences ? motives[i - 1] : nullptr) << where;
                }
                const TMotive& expected = *whole.allMotives()[i];
                ASSERT_EQ(motives[i]->chords().size(), expected.chords().size()) << where;
                for (std::size_t c = 0; c < expected.chords().size(); ++c) {
                    EXPECT_EQ(motives[i]->chords()[c].name(), expected.chords()[c].name()) << where;
                    EXPECT_TRUE(motives[i]->chords()[c].sameVoices(expected.chords()[c]))
                        << where << ", chord " << c;
                }
            }
            EXPECT_EQ(forCells.state(), forWhole.state());
        }
    }
}

// A motive shown outside the strip (in a development panel) follows the selected cell and has
// no place in the period's form.
TEST(HarmoniseMotive, AMotiveOutsideThePeriodFollowsTheSelectedCell) {
    TPeriodData p = fullPeriod(0);
    TRandomGenerator random;
    harmonisePeriod(p, schemeChordTypeNames(), random, true);
    std::vector<TContextCell> cells = periodCells(p);
    cells[5].selected = true;
    TMotive outside = *p.allMotives()[15];
    outside.chords().clear();
    const TMotiveHarmonisation entry = harmoniseMotive(outside, p, contextMotive(cells, &outside),
                                                       schemeChordTypeNames(), random, true);
    EXPECT_EQ(entry.motive, -1);
    EXPECT_EQ(entry.context.code, CONTEXT_CONTINUES);
    EXPECT_EQ(entry.context.motive, p.allMotives()[5]);
    EXPECT_TRUE(entry.outcome.unmetForm.empty());
    EXPECT_TRUE(outside.isHarmonised());
}
