#include "files/engmessagebundle.h"
#include "files/periodbuilder.h"
#include "files/periodwriter.h"
#include "shell/keypanel.h"
#include "shell/newdialog.h"
#include "shell/temppanel.h"
#include "shell/zataktpanel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<QString> rows(const QListWidget& list) {
    std::vector<QString> texts;
    for (int i = 0; i < list.count(); ++i)
        texts.push_back(list.item(i)->text());
    return texts;
}

// Which of Add, Delete, Move Up and Move Down are enabled, as "1101".
std::string enabled(const TNewDialog& dialog, bool sentences) {
    std::string flags;
    for (const auto which : {TNewDialog::ADD_BUTTON, TNewDialog::DELETE_BUTTON,
                             TNewDialog::UP_BUTTON, TNewDialog::DOWN_BUTTON}) {
        const QPushButton* button =
            sentences ? dialog.sentenceButton(which) : dialog.phraseButton(which);
        flags += button->isEnabled() ? '1' : '0';
    }
    return flags;
}

// The user's choice in a combo box: the item becomes current and the combo reports it.
void choose(QComboBox& combo, int index) {
    combo.setCurrentIndex(index);
    emit combo.activated(index);
}

// The document of an empty period with these settings and phrases (letter, motive count) per
// sentence, written out by hand.
std::string emptyDocument(const std::string& settings,
                          const std::vector<std::vector<std::pair<std::string, int>>>& sentences) {
    std::string text = "<PERIOD>\n" + settings;
    for (const auto& sentence : sentences) {
        text += "    <SENTENCE>\n";
        for (const auto& [letter, motives] : sentence) {
            text += "        <PHRASE SUFFIX=\"" + letter + "\">\n";
            for (int i = 0; i < motives; ++i)
                text += "            <MOTIVE>\n"
                        "                <CHORDS>\n"
                        "                </CHORDS>\n"
                        "                <NOTES>\n"
                        "                </NOTES>\n"
                        "            </MOTIVE>\n";
            text += "        </PHRASE>\n";
        }
        text += "    </SENTENCE>\n";
    }
    return text + "</PERIOD>";
}

class NewDialog : public ::testing::Test {
protected:
    TEngMessageBundle bundle;
    TNewDialog dialog{nullptr, bundle};
};

TEST_F(NewDialog, OpensOnTwoSentencesOfPhrasesABB1A1) {
    EXPECT_EQ(dialog.windowTitle(), "New Composition");
    EXPECT_EQ(dialog.size(), QSize(690, 608));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_EQ(dialog.descriptionLine()->text(), "(Sentence-1 (PHRASE-A (2) + PHRASE-B (2))) + "
                                                "(Sentence-2 (PHRASE-B1 (2) + PHRASE-A1 (2)))");
    EXPECT_TRUE(dialog.descriptionLine()->isReadOnly());
    EXPECT_EQ(rows(*dialog.sentenceList()), (std::vector<QString>{"Sentence-1", "Sentence-2"}));
    EXPECT_EQ(dialog.sentenceList()->currentRow(), 0);
    EXPECT_EQ(rows(*dialog.phraseList()), (std::vector<QString>{"Phrase-A (2)", "Phrase-B (2)"}));
    EXPECT_EQ(dialog.phraseList()->currentRow(), 0);
    EXPECT_EQ(dialog.motiveCountChoice()->currentText(), "2");
    EXPECT_EQ(dialog.letterChoice()->currentText(), "A");
    EXPECT_EQ(dialog.letterChoice()->count(), 11);
    EXPECT_EQ(enabled(dialog, true), "1101");
    EXPECT_EQ(enabled(dialog, false), "1101");

    EXPECT_EQ(dialog.templateChoice()->count(), 7);
    EXPECT_EQ(dialog.templateChoice()->currentIndex(), 0);
    EXPECT_EQ(dialog.templateChoice()->itemText(0), "(Sentence-1 (PHRASE-1 (2) + PHRASE-2 (2))) + "
                                                    "(Sentence-2 (PHRASE-1 (2) + PHRASE-2 (2)))");
    EXPECT_EQ(dialog.meters()->currentText(), "2/4");
    EXPECT_EQ(dialog.meters()->count(), 4);
    EXPECT_EQ(dialog.letterSchemeChoice()->currentText(), "A + B + B1 + A1");
    EXPECT_EQ(dialog.tempo(), 100);
    EXPECT_EQ(dialog.key(), TKey(0, MAJOR));
    EXPECT_EQ(dialog.zatakt(), 0);
    EXPECT_EQ(dialog.zataktPanel()->durations()->count(), 7);

    EXPECT_TRUE(dialog.okButton()->isDefault());
    EXPECT_TRUE(dialog.helpButton()->isHidden());
    EXPECT_FALSE(dialog.cancelButton()->isHidden());
}

TEST_F(NewDialog, SentenceButtonsFollowTheLimitsAndTheSelection) {
    QTest::mouseClick(dialog.sentenceButton(TNewDialog::ADD_BUTTON), Qt::LeftButton);
    EXPECT_EQ(rows(*dialog.sentenceList()).back(), "Sentence-3");
    EXPECT_EQ(dialog.sentenceList()->currentRow(), 2);
    EXPECT_EQ(rows(*dialog.phraseList()), (std::vector<QString>{"Phrase-A (2)"}));
    EXPECT_EQ(dialog.phraseList()->currentRow(), 0);
    EXPECT_EQ(enabled(dialog, false), "1000") << "one phrase cannot be deleted or moved";

    QTest::mouseClick(dialog.sentenceButton(TNewDialog::ADD_BUTTON), Qt::LeftButton);
    EXPECT_EQ(enabled(dialog, true), "0110") << "four sentences, the last selected";

    dialog.sentenceList()->setCurrentRow(0); // as a click or the arrow keys do
    EXPECT_EQ(dialog.structure().selectedSentence(), 0);
    EXPECT_EQ(rows(*dialog.phraseList()), (std::vector<QString>{"Phrase-A (2)", "Phrase-B (2)"}));
    EXPECT_EQ(enabled(dialog, true), "0101");

    QTest::mouseClick(dialog.sentenceButton(TNewDialog::DOWN_BUTTON), Qt::LeftButton);
    EXPECT_EQ(dialog.sentenceList()->currentRow(), 1);
    EXPECT_TRUE(dialog.descriptionLine()->text().startsWith(
        "(Sentence-1 (PHRASE-B1 (2) + PHRASE-A1 (2))) + (Sentence-2 (PHRASE-A (2)"));

    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(dialog.sentenceButton(TNewDialog::DELETE_BUTTON), Qt::LeftButton);
    EXPECT_EQ(dialog.sentenceList()->count(), 1);
    EXPECT_EQ(enabled(dialog, true), "1000") << "the only sentence stays";
}

TEST_F(NewDialog, PhraseControlsFollowTheLimitsAndTheSelection) {
    QTest::mouseClick(dialog.phraseButton(TNewDialog::ADD_BUTTON), Qt::LeftButton);
    QTest::mouseClick(dialog.phraseButton(TNewDialog::ADD_BUTTON), Qt::LeftButton);
    EXPECT_EQ(dialog.phraseList()->count(), 4);
    EXPECT_EQ(dialog.phraseList()->currentRow(), 3);
    EXPECT_EQ(enabled(dialog, false), "0110");

    dialog.phraseList()->setCurrentRow(1);
    choose(*dialog.motiveCountChoice(), 3);
    choose(*dialog.letterChoice(), 10);
    EXPECT_EQ(dialog.phraseList()->item(1)->text(), "Phrase-A2 (4)");
    EXPECT_EQ(dialog.phraseList()->currentRow(), 1);
    EXPECT_EQ(dialog.motiveCounts(), (std::vector<int>{2, 4, 2, 2, 2, 2}));

    QTest::mouseClick(dialog.phraseButton(TNewDialog::UP_BUTTON), Qt::LeftButton);
    EXPECT_EQ(dialog.phraseList()->currentRow(), 0);
    EXPECT_EQ(dialog.letters(), (std::vector<std::uint8_t>{15, 5, 5, 5, 11, 10}));
    EXPECT_EQ(enabled(dialog, false), "0101");

    // Deselecting the phrase hides its settings and leaves nothing to delete or move.
    dialog.phraseList()->setCurrentRow(-1);
    EXPECT_EQ(dialog.structure().selectedPhrase(), -1);
    EXPECT_TRUE(dialog.motiveCountChoice()->isHidden());
    EXPECT_TRUE(dialog.motiveCountLabel()->isHidden());
    EXPECT_TRUE(dialog.letterChoice()->isHidden());
    EXPECT_TRUE(dialog.letterLabel()->isHidden());
    EXPECT_EQ(enabled(dialog, false), "0000");
    dialog.phraseList()->setCurrentRow(2);
    EXPECT_FALSE(dialog.letterChoice()->isHidden());
    EXPECT_EQ(dialog.letterChoice()->currentText(), "A");
}

TEST_F(NewDialog, TemplatesTakeTheChosenLetterScheme) {
    choose(*dialog.templateChoice(), 3);
    EXPECT_EQ(dialog.descriptionLine()->text(),
              "(Sentence-1 (PHRASE-A (3) + PHRASE-B (2) + PHRASE-B1 (3))) + "
              "(Sentence-2 (PHRASE-A1 (3) + PHRASE-A (2) + PHRASE-B (3)))");
    EXPECT_EQ(dialog.sentenceList()->currentRow(), 0);
    EXPECT_EQ(dialog.phraseList()->currentRow(), 0);

    choose(*dialog.letterSchemeChoice(), 0);
    EXPECT_EQ(dialog.letters(), (std::vector<std::uint8_t>{5, 10, 15, 6, 5, 10}));

    dialog.phraseList()->setCurrentRow(2);
    choose(*dialog.letterChoice(), 4);
    QTest::mouseClick(dialog.applyButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.letters(), (std::vector<std::uint8_t>{5, 10, 15, 6, 5, 10}));

    choose(*dialog.templateChoice(), 6);
    EXPECT_EQ(dialog.phraseCounts(), (std::vector<int>{3}));
    EXPECT_EQ(dialog.descriptionLine()->text(),
              "(Sentence-1 (PHRASE-A (3) + PHRASE-A1 (2) + PHRASE-A2 (3)))");
}

TEST_F(NewDialog, TheMeterChangesTheUpbeatChoicesButNotTheStructure) {
    const std::string before = dialog.descriptionLine()->text().toStdString();
    choose(*dialog.meters(), 3);
    EXPECT_EQ(dialog.meter(), TMeasure(3, EIGHTH));
    EXPECT_EQ(dialog.zataktPanel()->durations()->count(), 5);
    EXPECT_EQ(dialog.descriptionLine()->text().toStdString(), before);
}

TEST_F(NewDialog, OkBuildsExactlyTheChosenPeriod) {
    choose(*dialog.templateChoice(), 3);
    dialog.keyPanel()->setKey(TKey(3, MAJOR));
    choose(*dialog.meters(), 3);
    dialog.zataktPanel()->setMotiveType(2, 0); // a sixteenth before the bar line
    dialog.tempoPanel()->number()->setValue(130);
    dialog.show();
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    TPeriodData period;
    buildPeriod(period, dialog.periodStructure());
    EXPECT_EQ(periodDocument(period),
              emptyDocument("    <MEASURE BEATS_PER_MEASURE=\"3\" BEAT_VALUE=\"EIGHTH\"/>\n"
                            "    <KEY LAD=\"MAJOR\" SIGN=\"3\"/>\n"
                            "    <TEMP VALUE=\"130\"/>\n"
                            "    <MOTIVE_TYPE VALUE=\"SIXTEENTH\"/>\n",
                            {{{"A", 3}, {"B", 2}, {"B1", 3}}, {{"A1", 3}, {"A", 2}, {"B", 3}}}));
}

TEST_F(NewDialog, TheTempoControlWithItsMetronomeMarkFitsInItsGroup) {
    dialog.show();
    const TTempPanel& tempo = *dialog.tempoPanel();
    const QRect inGroup(tempo.mapTo(tempo.parentWidget(), QPoint(0, 0)), tempo.size());
    EXPECT_TRUE(tempo.parentWidget()->contentsRect().contains(inGroup))
        << inGroup.right() << " in " << tempo.parentWidget()->contentsRect().right();
    EXPECT_TRUE(tempo.metronomeMark()->isVisible());
}

TEST_F(NewDialog, EscapeCancels) {
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

} // namespace
