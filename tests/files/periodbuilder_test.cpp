#include "files/periodbuilder.h"
#include "files/periodwriter.h"
#include "periodtesting.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

TEST(PeriodBuilder, BuildsTheDefaultPeriodAndNotifiesTempoNameThenPeriod) {
    TPeriodData period;
    period.setName("/songs/old.tnr");
    period.sentences().resize(5);
    TRecordingPeriodListener listener;
    period.setListener(&listener);
    buildDefaultPeriod(period);

    EXPECT_EQ(listener.calls, (std::vector<std::string>{"tempo 100", "name Untitled", "period"}));
    EXPECT_EQ(period.key(), TKey(-2, MINOR));
    EXPECT_EQ(period.measure(), TMeasure(2, QUARTER));
    EXPECT_EQ(period.zatakt(), EIGHTH);
    EXPECT_EQ(period.tempo(), 100);
    ASSERT_EQ(period.sentences().size(), 2u);
    std::vector<int> letters;
    for (const TSentenceData& sentence : period.sentences()) {
        ASSERT_EQ(sentence.phrases().size(), 2u);
        for (const TPhraseData& phrase : sentence.phrases()) {
            letters.push_back(phrase.suffix());
            ASSERT_EQ(phrase.motiveCount(), 2);
            for (const TMotive& motive : phrase.motives()) {
                EXPECT_TRUE(motive.isEmpty());
                EXPECT_EQ(motive.key(), period.key());
                EXPECT_EQ(motive.measure(), period.measure());
                EXPECT_EQ(motive.zatakt(), period.zatakt());
            }
        }
    }
    EXPECT_EQ(letters, (std::vector<int>{5, 6, 10, 11}));
}

TEST(PeriodBuilder, WalksPhraseAndMotiveCountsAcrossSentences) {
    TPeriodStructure structure;
    structure.phraseCounts = {1, 0, 3};
    structure.motiveCounts = {4, 1, 0, 2};
    structure.key = TKey(3, MAJOR);
    structure.measure = TMeasure(3, EIGHTH);
    structure.zatakt = 120;
    structure.tempo = 145;
    TPeriodData period;
    buildPeriod(period, structure);

    ASSERT_EQ(period.sentences().size(), 3u);
    EXPECT_TRUE(period.sentences()[1].phrases().empty());
    std::vector<int> counts;
    for (const TSentenceData& sentence : period.sentences())
        for (const TPhraseData& phrase : sentence.phrases()) {
            counts.push_back(phrase.motiveCount());
            EXPECT_EQ(phrase.suffix(), SUFFIX_NONE);
        }
    EXPECT_EQ(counts, structure.motiveCounts);
    EXPECT_EQ(period.sentences()[2].phrases()[2].motives()[1].zatakt(), 120);
    EXPECT_EQ(period.measure(), TMeasure(3, EIGHTH));
    EXPECT_EQ(period.tempo(), 145);
}

struct TBadStructure {
    const char* what;
    std::function<void(TPeriodStructure&)> spoil;
};

void PrintTo(const TBadStructure& bad, std::ostream* out) {
    *out << bad.what;
}

class PeriodBuilderRefuses : public testing::TestWithParam<TBadStructure> {};

TEST_P(PeriodBuilderRefuses, AndLeavesThePeriodUntouched) {
    TPeriodData period;
    buildDefaultPeriod(period);
    period.setName("kept.tnr");
    TRecordingPeriodListener listener;
    period.setListener(&listener);
    const std::string before = periodDocument(period);

    TPeriodStructure structure = defaultPeriodStructure();
    GetParam().spoil(structure);
    EXPECT_THROW(buildPeriod(period, structure), std::invalid_argument);
    EXPECT_EQ(periodDocument(period), before);
    EXPECT_EQ(period.name(), "kept.tnr");
    EXPECT_TRUE(listener.calls.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Structures, PeriodBuilderRefuses,
    testing::Values(
        TBadStructure{"too few motive counts", [](auto& s) { s.motiveCounts.pop_back(); }},
        TBadStructure{"too many motive counts", [](auto& s) { s.motiveCounts.push_back(1); }},
        TBadStructure{"letters not matching",
                      [](auto& s) {
                          s.letters = {5, 6, 7};
                      }},
        TBadStructure{"negative phrase count",
                      [](auto& s) {
                          s.phraseCounts = {-1, 5};
                      }},
        TBadStructure{"negative motive count", [](auto& s) { s.motiveCounts[2] = -2; }},
        TBadStructure{"more than 1000 motives",
                      [](auto& s) {
                          s.motiveCounts = {250, 250, 250, 251};
                      }},
        TBadStructure{"key beyond seven sharps", [](auto& s) { s.key = TKey(8, MAJOR); }},
        TBadStructure{"measure of 600 ticks", [](auto& s) { s.measure = TMeasure(5, QUARTER); }},
        TBadStructure{"beat off the grid", [](auto& s) { s.measure = TMeasure(2, 100); }},
        TBadStructure{"upbeat of a whole measure", [](auto& s) { s.zatakt = 240; }},
        TBadStructure{"negative upbeat", [](auto& s) { s.zatakt = -30; }},
        TBadStructure{"tempo 200", [](auto& s) { s.tempo = 200; }},
        TBadStructure{"tempo 0", [](auto& s) { s.tempo = 0; }}));

TEST(PeriodBuilder, AllowsExactlyAThousandMotives) {
    TPeriodStructure structure = defaultPeriodStructure();
    structure.motiveCounts = {250, 250, 250, 250};
    TPeriodData period;
    buildPeriod(period, structure);
    EXPECT_EQ(period.motiveCount(), 1000);
}

} // namespace
