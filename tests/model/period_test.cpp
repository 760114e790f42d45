#include "model/period.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct RecordingListener : TPeriodDataListener {
    std::vector<std::string> calls;
    void periodChanged() override { calls.push_back("period"); }
    void tempoChanged(int tempo) override { calls.push_back("tempo " + std::to_string(tempo)); }
    void nameChanged(const std::string& name) override { calls.push_back("name " + name); }
};

const TMeasure threeFour(3, 120);

// Two sentences: phrases of 2 and 1 motives, then one phrase of 3. Each motive holds one note
// whose pitch counts up in strip order (ids would not survive the copies into the tree).
TPeriodData periodOfSixMotives() {
    TPeriodData period;
    period.setMeasure(threeFour);
    const std::vector<std::vector<int>> shape{{2, 1}, {3}};
    int tag = 0;
    for (const auto& counts : shape) {
        TSentenceData sentence;
        for (int count : counts) {
            TPhraseData phrase(count, SUFFIX_A, period.key(), period.measure(), period.zatakt());
            for (TMotive& motive : phrase.motives())
                motive.notes().push_back(TNote(0, tag++, 120));
            sentence.phrases().push_back(phrase);
        }
        period.sentences().push_back(sentence);
    }
    return period;
}

} // namespace

TEST(Period, NewPeriodDefaults) {
    const TPeriodData period;
    EXPECT_TRUE(period.sentences().empty());
    EXPECT_EQ(period.tempo(), 100);
    EXPECT_EQ(period.name(), "Untitled");
    EXPECT_EQ(period.key(), TKey(0, MAJOR));
    EXPECT_EQ(period.measure(), TMeasure(2, 120));
    EXPECT_EQ(period.zatakt(), 0);
    EXPECT_EQ(period.listener(), nullptr);
    EXPECT_EQ(period.motiveCount(), 0);
}

TEST(Phrase, BuildsItsMotivesWithTheGivenSettings) {
    const TKey key(-3, MINOR);
    const TPhraseData phrase(4, 5, key, threeFour, 120);
    EXPECT_EQ(phrase.motiveCount(), 4);
    ASSERT_EQ(phrase.motives().size(), 4u);
    for (const TMotive& motive : phrase.motives()) {
        EXPECT_TRUE(motive.isEmpty());
        EXPECT_EQ(motive.zatakt(), 120);
        EXPECT_EQ(motive.key(), key);
        EXPECT_EQ(motive.measure(), threeFour);
    }
    EXPECT_EQ(suffixText(phrase.suffix()), "A");

    const TPhraseData empty;
    EXPECT_EQ(empty.motiveCount(), 0);
    EXPECT_EQ(empty.suffix(), 0);
}

TEST(Phrase, MotiveCountFollowsTheMotiveList) {
    TPhraseData phrase(2, 6, TKey(), TMeasure(), 0);
    phrase.motives().push_back(TMotive());
    EXPECT_EQ(phrase.motiveCount(), 3);
    phrase.motives().clear();
    EXPECT_EQ(phrase.motiveCount(), 0);
}

TEST(PhraseSuffix, DisplayTexts) {
    EXPECT_EQ(suffixText(0), "");
    EXPECT_EQ(suffixText(4), "4");
    EXPECT_EQ(suffixText(5), "A");
    EXPECT_EQ(suffixText(15), "A2");
    EXPECT_EQ(suffixText(16), "");
    EXPECT_EQ(suffixText(-1), "");
}

TEST(PhraseSuffix, DocumentsStoreLettersOnly) {
    for (int code = 0; code <= 4; ++code)
        EXPECT_EQ(suffixFileText(code), "") << code;
    EXPECT_EQ(suffixFileText(16), "");
    for (int code = 5; code <= 15; ++code) {
        EXPECT_EQ(suffixFileText(code), suffixText(code));
        EXPECT_EQ(suffixFromFileText(suffixFileText(code)), code);
    }
    EXPECT_EQ(suffixFromFileText("B1"), 11);
    EXPECT_EQ(suffixFromFileText("A2"), 15);
    EXPECT_EQ(suffixFromFileText("Z"), 5);
    EXPECT_EQ(suffixFromFileText(""), 5);
    EXPECT_EQ(suffixFromFileText("b1"), 5);
    // A number is never written, so it is not a letter a document can hold.
    EXPECT_EQ(suffixFromFileText("2"), 5);
}

TEST(Period, TempoAndNameTellTheListenerOnce) {
    RecordingListener listener;
    TPeriodData period;
    period.setListener(&listener);
    period.setTempo(130);
    EXPECT_EQ(period.tempo(), 130);
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"tempo 130"}));

    listener.calls.clear();
    period.setName("tnrs/etude.tnr");
    EXPECT_EQ(period.name(), "tnrs/etude.tnr");
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"name tnrs/etude.tnr"}));

    listener.calls.clear();
    period.notifyChanged();
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"period"}));

    listener.calls.clear();
    period.setKey(TKey(2, MAJOR));
    period.setMeasure(threeFour);
    period.setZatakt(120);
    period.clearSentences();
    EXPECT_TRUE(listener.calls.empty());

    TPeriodData unobserved;
    unobserved.setTempo(55);
    unobserved.setName("x");
    unobserved.notifyChanged();
    EXPECT_EQ(unobserved.tempo(), 55);
}

TEST(Period, CopiesAreDeepAndCarryNoListener) {
    RecordingListener listener;
    TPeriodData original = periodOfSixMotives();
    original.setListener(&listener);
    original.setTempo(85);
    original.setName("a.tnr");
    original.setKey(TKey(-1, MINOR));
    original.setZatakt(60);
    listener.calls.clear();

    TPeriodData copy(original);
    EXPECT_EQ(copy.listener(), nullptr);
    EXPECT_EQ(copy.tempo(), 85);
    EXPECT_EQ(copy.name(), "a.tnr");
    EXPECT_EQ(copy.key(), TKey(-1, MINOR));
    EXPECT_EQ(copy.measure(), threeFour);
    EXPECT_EQ(copy.zatakt(), 60);
    EXPECT_EQ(copy.motiveCount(), 6);

    copy.allMotives()[0]->clearNotes();
    copy.sentences()[0].phrases()[0].setSuffix(9);
    EXPECT_FALSE(original.allMotives()[0]->isEmpty());
    EXPECT_EQ(original.sentences()[0].phrases()[0].suffix(), SUFFIX_A);
    EXPECT_TRUE(listener.calls.empty());
}

TEST(Period, AssignmentKeepsTheListenerAndStaysSilent) {
    RecordingListener listener;
    TPeriodData document;
    document.setListener(&listener);

    TPeriodData opened = periodOfSixMotives();
    opened.setName("b.tnr");
    document = opened;
    EXPECT_EQ(document.listener(), &listener);
    EXPECT_EQ(document.name(), "b.tnr");
    EXPECT_EQ(document.motiveCount(), 6);
    EXPECT_TRUE(listener.calls.empty());
}

TEST(Period, TraversalRunsSentencesPhrasesMotivesInOrder) {
    TPeriodData period = periodOfSixMotives();
    const std::vector<TMotive*> motives = period.allMotives();
    ASSERT_EQ(motives.size(), 6u);
    EXPECT_EQ(period.motiveCount(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(motives[static_cast<std::size_t>(i)]->notes()[0].pitch(), i);
    EXPECT_EQ(motives[2], &period.sentences()[0].phrases()[1].motives()[0]);
    EXPECT_EQ(motives[5], &period.sentences()[1].phrases()[0].motives()[2]);

    const TPeriodData& view = period;
    const std::vector<const TMotive*> constMotives = view.allMotives();
    EXPECT_TRUE(
        std::equal(motives.begin(), motives.end(), constMotives.begin(), constMotives.end()));

    period.clearSentences();
    EXPECT_TRUE(period.allMotives().empty());
    EXPECT_EQ(period.motiveCount(), 0);
}

TEST(Period, LaterSettingsDoNotReachExistingMotives) {
    TPeriodData period = periodOfSixMotives();
    period.setKey(TKey(3, MAJOR));
    period.setZatakt(120);
    EXPECT_EQ(period.allMotives()[0]->key(), TKey(0, MAJOR));
    EXPECT_EQ(period.allMotives()[0]->zatakt(), 0);

    const TMotive fresh = period.newMotive();
    EXPECT_EQ(fresh.key(), TKey(3, MAJOR));
    EXPECT_EQ(fresh.measure(), threeFour);
    EXPECT_EQ(fresh.zatakt(), 120);
}

TEST(Tempo, StepOfAValue) {
    EXPECT_EQ(tempoStepOf(62), 0);
    EXPECT_EQ(tempoStepOf(100), 3);
    EXPECT_EQ(tempoStepOf(145), 6);
    EXPECT_EQ(tempoStepOf(54), 0);
    EXPECT_EQ(tempoStepOf(-5), 0);
    EXPECT_EQ(tempoStepOf(63), 1); // rounds to the nearest step
    for (std::size_t i = 0; i < TEMPO_STEPS.size(); ++i)
        EXPECT_EQ(tempoStepOf(TEMPO_STEPS[i]), static_cast<int>(i));
    EXPECT_EQ(tempoStepOf(200), 6);
}

TEST(Upbeat, FromMotiveTypeAndDuration) {
    EXPECT_EQ(upbeatOfMotiveType(MOTIVE_TYPE_IAMBUS, 3, threeFour), 240);
    EXPECT_EQ(upbeatOfMotiveType(MOTIVE_TYPE_AMPHIBRACHYS, 3, threeFour), 120);
    EXPECT_EQ(upbeatOfMotiveType(MOTIVE_TYPE_TROCHEE, 3, threeFour), 0);
    EXPECT_EQ(upbeatOfMotiveType(MOTIVE_TYPE_IAMBUS, 0, TMeasure(2, 120)), 210);
    EXPECT_EQ(upbeatOfMotiveType(MOTIVE_TYPE_AMPHIBRACHYS, 0, TMeasure(2, 120)), 30);
    EXPECT_EQ(upbeatOfMotiveType(MOTIVE_TYPE_TROCHEE, 0, TMeasure(2, 120)), 0);
}
