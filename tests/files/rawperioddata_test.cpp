#include "files/engmessagebundle.h"
#include "files/newperiodchoices.h"
#include "files/periodbuilder.h"
#include "files/rawperioddata.h"
#include "model/duration.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct TRecordingRawListener : TRawPeriodDataListener {
    std::vector<std::string> calls;
    void structureChanged() override { calls.push_back("structure"); }
    void phrasesChanged() override { calls.push_back("phrases"); }
    void sentenceSelected() override { calls.push_back("sentence"); }
    void phraseSelected() override { calls.push_back("phrase"); }
};

// The phrase list of every sentence as the dialog shows it.
std::vector<std::vector<std::string>> listTexts(const TRawPeriodData& raw) {
    std::vector<std::vector<std::string>> texts;
    for (const std::vector<TRawPhrase>& sentence : raw.sentences()) {
        std::vector<std::string>& phrases = texts.emplace_back();
        for (const TRawPhrase& phrase : sentence)
            phrases.push_back(phrase.listText());
    }
    return texts;
}

class RawPeriodData : public ::testing::Test {
protected:
    TEngMessageBundle bundle;
    TRecordingRawListener listener;
};

TEST_F(RawPeriodData, DescribesTheOpeningStructureAndTheTemplates) {
    EXPECT_EQ(openingStructure(bundle).description(),
              "(Sentence-1 (PHRASE-A (2) + PHRASE-B (2))) + "
              "(Sentence-2 (PHRASE-B1 (2) + PHRASE-A1 (2)))");
    const std::vector<TRawPeriodData> templates = periodTemplates(bundle);
    ASSERT_EQ(templates.size(), 7u);
    EXPECT_EQ(templates[0].description(), "(Sentence-1 (PHRASE-1 (2) + PHRASE-2 (2))) + "
                                          "(Sentence-2 (PHRASE-1 (2) + PHRASE-2 (2)))");
    EXPECT_EQ(templates[6].description(),
              "(Sentence-1 (PHRASE-1 (3) + PHRASE-2 (2) + PHRASE-3 (3)))");
    EXPECT_EQ(templates[3].phraseCounts(), (std::vector<int>{3, 3}));
    EXPECT_EQ(templates[3].motiveCounts(), (std::vector<int>{3, 2, 3, 3, 2, 3}));
    EXPECT_EQ(templates[3].letters(), (std::vector<std::uint8_t>(6, 0)));
}

TEST_F(RawPeriodData, LetterSchemesWrapAcrossSentences) {
    const std::vector<TRawLetterScheme> schemes = letterSchemes();
    std::vector<std::string> shown;
    for (const TRawLetterScheme& scheme : schemes)
        shown.push_back(scheme.text());
    EXPECT_EQ(shown, (std::vector<std::string>{"A + A1 + A2 + B", "A + B + A + B", "A + B + C + B1",
                                               "A + B + B1 + A1", "A + B + B1 + C"}));

    TRawPeriodData raw = periodTemplates(bundle)[0];
    raw.setListener(&listener);
    raw.assign(periodTemplates(bundle)[3]);
    raw.applyLetters(schemes[NEW_PERIOD_LETTER_SCHEME].letters);
    EXPECT_EQ(raw.description(), "(Sentence-1 (PHRASE-A (3) + PHRASE-B (2) + PHRASE-B1 (3))) + "
                                 "(Sentence-2 (PHRASE-A1 (3) + PHRASE-A (2) + PHRASE-B (3)))");
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"structure", "phrases"}));

    listener.calls.clear();
    raw.applyLetters({});
    EXPECT_TRUE(listener.calls.empty());
    EXPECT_EQ(raw.letters(), (std::vector<std::uint8_t>{5, 6, 11, 10, 5, 6}));
}

TEST_F(RawPeriodData, ShowsSentencesPhrasesAndMeters) {
    TRawPeriodData raw(bundle, {1, 2}, {2, 3, 1}, {5, 0, 15});
    EXPECT_EQ(raw.sentenceText(0), "Sentence-1");
    EXPECT_EQ(listTexts(raw), (std::vector<std::vector<std::string>>{
                                  {"Phrase-A (2)"}, {"Phrase- (3)", "Phrase-A2 (1)"}}));
    EXPECT_EQ(raw.description(),
              "(Sentence-1 (PHRASE-A (2))) + (Sentence-2 (PHRASE-1 (3) + PHRASE-A2 (1)))");

    std::vector<std::string> meters;
    for (const TMeasure& meter : newPeriodMeters())
        meters.push_back(newPeriodMeterText(meter));
    EXPECT_EQ(meters, (std::vector<std::string>{"2/4", "3/4", "2/8", "3/8"}));
    EXPECT_EQ(newPeriodMeterText(TMeasure(5, HALF)), "5/0");
    EXPECT_EQ(newPeriodMeters()[3].ticksPerMeasure(), 180);
    EXPECT_EQ(phraseLetterChoices().size(), 11u);
}

TEST_F(RawPeriodData, RefusesCountsThatDoNotFitThePhrases) {
    EXPECT_THROW(TRawPeriodData(bundle, {2, 1}, {2, 2}, {}), std::invalid_argument);
    EXPECT_THROW(TRawPeriodData(bundle, {2}, {2, 2}, {5}), std::invalid_argument);
    EXPECT_THROW(TRawPeriodData(bundle, {-1}, {}, {}), std::invalid_argument);
    EXPECT_NO_THROW(TRawPeriodData(bundle, {}, {}, {}));
}

TEST_F(RawPeriodData, AddsSentencesUpToFourAndSelectsTheNewOne) {
    TRawPeriodData raw = openingStructure(bundle);
    raw.setListener(&listener);
    raw.addSentence();
    raw.addSentence();
    EXPECT_EQ(raw.selectedSentence(), 3);
    EXPECT_EQ(raw.selectedPhrase(), 0);
    EXPECT_EQ(listTexts(raw)[3], (std::vector<std::string>{"Phrase-A (2)"}));
    EXPECT_EQ(raw.sentenceText(3), "Sentence-4");
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"structure", "structure"}));

    listener.calls.clear();
    raw.addSentence();
    EXPECT_EQ(raw.sentences().size(), 4u);
    EXPECT_TRUE(listener.calls.empty());
}

TEST_F(RawPeriodData, DeletingSentencesMovesTheSelectionToASentenceThatExists) {
    TRawPeriodData raw = TRawPeriodData(bundle, {1, 2, 3}, {1, 2, 2, 3, 3, 3}, {});
    raw.setListener(&listener);
    raw.selectSentence(1);
    raw.selectPhrase(1);
    raw.deleteSentence(); // the third sentence moves into its place
    EXPECT_EQ(raw.phraseCounts(), (std::vector<int>{1, 3}));
    EXPECT_EQ(raw.selectedSentence(), 1);
    EXPECT_EQ(raw.selectedPhrase(), 0);

    raw.deleteSentence(); // the last one: the selection goes back to the new last
    EXPECT_EQ(raw.selectedSentence(), 0);
    EXPECT_EQ(raw.selectedPhrase(), 0);

    raw.deleteSentence();
    EXPECT_TRUE(raw.sentences().empty());
    EXPECT_EQ(raw.selectedSentence(), -1);
    EXPECT_EQ(raw.selectedPhrase(), -1);
    EXPECT_EQ(raw.currentPhrase(), nullptr);

    listener.calls.clear();
    raw.deleteSentence();
    raw.addPhrase();
    raw.deletePhrase();
    raw.setMotiveCount(3);
    raw.setLetter(7);
    raw.moveSentenceUp();
    raw.moveSentenceDown();
    EXPECT_TRUE(listener.calls.empty());

    raw.addSentence();
    EXPECT_EQ(raw.selectedSentence(), 0);
    EXPECT_EQ(raw.currentPhrase()->listText(), "Phrase-A (2)");
}

TEST_F(RawPeriodData, AddsAndDeletesPhrasesWithinTheLimits) {
    TRawPeriodData raw = openingStructure(bundle);
    raw.setListener(&listener);
    raw.selectSentence(1);
    raw.addPhrase();
    raw.addPhrase();
    EXPECT_EQ(raw.selectedPhrase(), 3);
    EXPECT_EQ(raw.phraseCounts(), (std::vector<int>{2, 4}));
    raw.addPhrase();
    EXPECT_EQ(raw.phraseCounts(), (std::vector<int>{2, 4}));
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"sentence", "phrases", "phrases"}));

    raw.selectPhrase(0);
    raw.deletePhrase();
    EXPECT_EQ(raw.selectedPhrase(), 0);
    EXPECT_EQ(listTexts(raw)[1],
              (std::vector<std::string>{"Phrase-A1 (2)", "Phrase-A (2)", "Phrase-A (2)"}));
    raw.selectPhrase(2);
    raw.deletePhrase();
    EXPECT_EQ(raw.selectedPhrase(), 1);
    raw.deletePhrase();
    raw.deletePhrase();
    EXPECT_EQ(raw.phraseCounts(), (std::vector<int>{2, 0}));
    EXPECT_EQ(raw.selectedPhrase(), -1);
    EXPECT_EQ(raw.description(), "(Sentence-1 (PHRASE-A (2) + PHRASE-B (2))) + (Sentence-2 ())");
}

TEST_F(RawPeriodData, MovesSentencesAndPhrasesWithTheSelectionFollowing) {
    TRawPeriodData raw = TRawPeriodData(bundle, {1, 3}, {4, 1, 2, 3}, {5, 6, 7, 8});
    raw.setListener(&listener);
    raw.moveSentenceUp(); // the first cannot go up
    EXPECT_TRUE(listener.calls.empty());
    raw.moveSentenceDown();
    EXPECT_EQ(raw.phraseCounts(), (std::vector<int>{3, 1}));
    EXPECT_EQ(raw.selectedSentence(), 1);
    raw.moveSentenceDown(); // the last cannot go down
    raw.moveSentenceUp();
    EXPECT_EQ(raw.phraseCounts(), (std::vector<int>{1, 3}));
    EXPECT_EQ(raw.selectedSentence(), 0);
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"structure", "structure"}));

    listener.calls.clear();
    raw.selectSentence(1);
    raw.selectPhrase(0);
    raw.movePhraseUp();
    raw.movePhraseDown();
    raw.movePhraseDown();
    raw.movePhraseDown();
    EXPECT_EQ(raw.selectedPhrase(), 2);
    EXPECT_EQ(raw.letters(), (std::vector<std::uint8_t>{5, 7, 8, 6}));
    raw.movePhraseUp();
    EXPECT_EQ(raw.selectedPhrase(), 1);
    EXPECT_EQ(raw.letters(), (std::vector<std::uint8_t>{5, 7, 6, 8}));
    EXPECT_EQ(listener.calls,
              (std::vector<std::string>{"sentence", "phrase", "phrases", "phrases", "phrases"}));
}

TEST_F(RawPeriodData, SelectingASentenceNeverLeavesAPhraseSelectionItLacks) {
    TRawPeriodData raw = TRawPeriodData(bundle, {4, 1, 0}, {1, 2, 3, 4, 2}, {});
    raw.setListener(&listener);
    raw.selectPhrase(3);
    raw.selectSentence(1);
    EXPECT_EQ(raw.selectedPhrase(), 0);
    EXPECT_EQ(raw.currentPhrase()->motiveCount(), 2);
    raw.selectSentence(2);
    EXPECT_EQ(raw.selectedPhrase(), -1);
    raw.selectSentence(0);
    EXPECT_EQ(raw.selectedPhrase(), 3);
    raw.selectPhrase(1);
    raw.selectSentence(0);
    EXPECT_EQ(raw.selectedPhrase(), 1);
    raw.selectSentence(7);
    EXPECT_EQ(raw.selectedSentence(), -1);
    EXPECT_EQ(raw.selectedPhrase(), -1);
    raw.selectSentence(0);
    raw.selectPhrase(4);
    EXPECT_EQ(raw.selectedPhrase(), -1);
}

TEST_F(RawPeriodData, EditsTheSelectedPhraseOnly) {
    TRawPeriodData raw = openingStructure(bundle);
    raw.setListener(&listener);
    raw.selectSentence(1);
    raw.selectPhrase(1);
    raw.setMotiveCount(4);
    raw.setLetter(15);
    EXPECT_EQ(raw.motiveCounts(), (std::vector<int>{2, 2, 2, 4}));
    EXPECT_EQ(raw.letters(), (std::vector<std::uint8_t>{5, 6, 11, 15}));
    EXPECT_EQ(listener.calls,
              (std::vector<std::string>{"sentence", "phrase", "phrases", "phrases"}));
}

TEST_F(RawPeriodData, CopiesLeaveListenersWhereTheyWere) {
    TRawPeriodData raw = openingStructure(bundle);
    raw.setListener(&listener);
    TRawPeriodData copy(raw);
    copy.addSentence();
    EXPECT_TRUE(listener.calls.empty());

    TRecordingRawListener other;
    TRawPeriodData target = periodTemplates(bundle)[6];
    target.setListener(&other);
    target.assign(copy);
    EXPECT_EQ(target.phraseCounts(), (std::vector<int>{2, 2, 1}));
    EXPECT_EQ(target.selectedSentence(), 2);
    EXPECT_EQ(other.calls, (std::vector<std::string>{"structure"}));
    EXPECT_TRUE(listener.calls.empty());
}

TEST_F(RawPeriodData, LaysOutThePeriodTheBuilderMakes) {
    TRawPeriodData raw = periodTemplates(bundle)[3];
    raw.applyLetters(letterSchemes()[NEW_PERIOD_LETTER_SCHEME].letters);
    TPeriodData period;
    buildPeriod(period, periodStructureOf(raw, TKey(3, MAJOR), TMeasure(3, EIGHTH), SIXTEENTH, 70));

    std::vector<int> motives;
    std::vector<int> letters;
    for (const TSentenceData& sentence : period.sentences())
        for (const TPhraseData& phrase : sentence.phrases()) {
            motives.push_back(phrase.motiveCount());
            letters.push_back(phrase.suffix());
        }
    EXPECT_EQ(motives, (std::vector<int>{3, 2, 3, 3, 2, 3}));
    EXPECT_EQ(letters, (std::vector<int>{5, 6, 11, 10, 5, 6}));
    EXPECT_EQ(period.measure(), TMeasure(3, EIGHTH));
    EXPECT_EQ(period.zatakt(), SIXTEENTH);
    EXPECT_EQ(period.tempo(), 70);
}

} // namespace
