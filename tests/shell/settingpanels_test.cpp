#include "../widgets/widgetstesting.h"
#include "files/engmessagebundle.h"
#include "files/rusmessagebundle.h"
#include "model/duration.h"
#include "model/glyphatlas.h"
#include "shell/keypanel.h"
#include "shell/zataktpanel.h"
#include "widgets/hintpanel.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace {

class KeyPanel : public ::testing::Test {
protected:
    KeyPanel() { ensureWidgetApplication(); }
    TEngMessageBundle bundle;
};

TEST_F(KeyPanel, ShowsAKeyByModeItemAndKeyItem) {
    TKeyPanel panel(nullptr, bundle);
    EXPECT_EQ(panel.key(), TKey(0, MAJOR));
    EXPECT_EQ(panel.modes()->currentRow(), 0);
    EXPECT_EQ(panel.keys()->currentIndex(), 7);
    EXPECT_EQ(panel.keys()->currentText(), "C major");
    EXPECT_EQ(panel.icon()->glyph(), keyModeGlyph(false));

    panel.setKey(TKey(-3, MINOR));
    EXPECT_EQ(panel.modes()->currentRow(), 1);
    EXPECT_EQ(panel.keys()->currentIndex(), 4);
    EXPECT_EQ(panel.keys()->currentText(), "3 Flats: C minor");
    EXPECT_EQ(panel.icon()->glyph(), keyModeGlyph(true));
    EXPECT_EQ(panel.key(), TKey(-3, MINOR));

    panel.setKey(TKey(7, MAJOR));
    EXPECT_EQ(panel.keys()->count(), 15);
    EXPECT_EQ(panel.keys()->currentText(), "7 Sharps: C-sharp major");
}

TEST_F(KeyPanel, ChoosingTheOtherModeRenamesTheKeysAndKeepsTheSignature) {
    TKeyPanel panel(nullptr, bundle);
    panel.setKey(TKey(3, MAJOR));
    panel.modes()->setCurrentRow(1);
    EXPECT_EQ(panel.keys()->currentText(), "3 Sharps: F-sharp minor");
    EXPECT_EQ(panel.key(), TKey(3, MINOR));
    EXPECT_EQ(panel.icon()->glyph(), keyModeGlyph(true));
    panel.keys()->setCurrentIndex(0);
    panel.modes()->setCurrentRow(0);
    EXPECT_EQ(panel.key(), TKey(-7, MAJOR));
}

TEST_F(KeyPanel, RandomKeysHaveOneToSevenAccidentalsInBothModesAndDirections) {
    TKeyPanel panel(nullptr, bundle);
    TRandomGenerator random;
    std::set<int> signs;
    std::set<bool> modes;
    for (int i = 0; i < 300; ++i) {
        panel.randomKey(random);
        const TKey key = panel.key();
        EXPECT_NE(key.sign(), 0);
        EXPECT_LE(std::abs(key.sign()), 7);
        signs.insert(key.sign());
        modes.insert(key.isMinor());
    }
    EXPECT_EQ(signs.size(), 14u);
    EXPECT_EQ(modes.size(), 2u);
}

class ZataktPanel : public ::testing::Test {
protected:
    ZataktPanel() { ensureWidgetApplication(); }
    TEngMessageBundle bundle;
};

std::vector<QString> items(const QComboBox& combo) {
    std::vector<QString> texts;
    for (int i = 0; i < combo.count(); ++i)
        texts.push_back(combo.itemText(i));
    return texts;
}

TEST_F(ZataktPanel, OffersTheDurationsOfTheMeterUpToASixteenthShortOfTheMeasure) {
    TZataktPanel panel(nullptr, bundle, TMeasure(2, QUARTER));
    EXPECT_EQ(items(*panel.durations()),
              (std::vector<QString>{"Sixteenth", "Eighth", "Pointed eighth", "Quarter",
                                    "Quarter and sixteenth", "Pointed quarter",
                                    "Quarter and pointed eighth"}));
    EXPECT_EQ(panel.types()->count(), 3);
    EXPECT_EQ(panel.types()->item(2)->text(), "Amphibrachys");

    panel.setMeter(TMeasure(3, EIGHTH));
    EXPECT_EQ(items(*panel.durations()),
              (std::vector<QString>{"Sixteenth", "Eighth", "Pointed eighth", "Quarter",
                                    "Quarter and sixteenth"}));
    panel.setMeter(TMeasure(2, EIGHTH));
    EXPECT_EQ(panel.durations()->count(), 3);
    // 3/4 reaches past the named durations; the longer ones are named from them.
    panel.setMeter(TMeasure(3, QUARTER));
    ASSERT_EQ(panel.durations()->count(), 11);
    EXPECT_EQ(panel.durations()->itemText(7), "Half");
    EXPECT_EQ(panel.durations()->itemText(10), "Half + Pointed eighth");
}

TEST_F(ZataktPanel, TheUpbeatFollowsTheMotiveType) {
    TZataktPanel panel(nullptr, bundle, TMeasure(2, QUARTER));
    EXPECT_EQ(panel.motiveType(), 1);
    EXPECT_EQ(panel.zatakt(), 0);

    panel.setMotiveType(2, 0);
    EXPECT_EQ(panel.zatakt(), 30);
    EXPECT_EQ(panel.durationLabel()->text(), "Duration before the measure bar:");
    EXPECT_TRUE(panel.durations()->isEnabled());
    EXPECT_EQ(panel.icon()->glyph(), motiveTypeGlyph(2));

    panel.setMotiveType(0, 0);
    EXPECT_EQ(panel.zatakt(), 210);
    EXPECT_EQ(panel.durationLabel()->text(), "Duration after the measure bar:");

    panel.setMotiveType(1, 4);
    EXPECT_EQ(panel.zatakt(), 0);
    EXPECT_FALSE(panel.durations()->isEnabled());

    // The user's choice of type goes through the list.
    panel.types()->setCurrentRow(2);
    EXPECT_EQ(panel.zatakt(), 150);
    EXPECT_EQ(panel.icon()->glyph(), motiveTypeGlyph(2));

    panel.setMotiveType(2, 7); // no such item in 2/4
    EXPECT_EQ(panel.durationItem(), -1);
    EXPECT_EQ(panel.zatakt(), 0);
}

TEST_F(ZataktPanel, AShorterMeterKeepsTheUpbeatInsideTheMeasure) {
    TZataktPanel panel(nullptr, bundle, TMeasure(3, QUARTER));
    panel.setMotiveType(2, 10);
    EXPECT_EQ(panel.zatakt(), 330);
    panel.setMeter(TMeasure(2, EIGHTH));
    EXPECT_EQ(panel.motiveType(), 2);
    EXPECT_EQ(panel.durationItem(), 2);
    EXPECT_EQ(panel.zatakt(), 90);
    panel.setMotiveType(0, 2);
    EXPECT_EQ(panel.zatakt(), 30);
}

TEST_F(ZataktPanel, RandomChoicesStayInsideTheMeasure) {
    TZataktPanel panel(nullptr, bundle, TMeasure(3, EIGHTH));
    TRandomGenerator random;
    std::set<std::pair<int, int>> seen;
    for (int i = 0; i < 300; ++i) {
        panel.random(random);
        const int zatakt = panel.zatakt();
        EXPECT_GE(zatakt, 0);
        EXPECT_LT(zatakt, 180);
        EXPECT_EQ(zatakt % 30, 0);
        if (panel.motiveType() == 1) {
            EXPECT_EQ(panel.durationItem(), 0);
        }
        seen.insert({panel.motiveType(), panel.durationItem()});
    }
    EXPECT_EQ(seen.size(), 11u); // a trochee with item 0 and both other types with all five
}

TEST_F(ZataktPanel, ABundleWithoutTheListsLeavesThePanelEmptyButWorking) {
    TRusMessageBundle russian;
    TZataktPanel panel(nullptr, russian, TMeasure(2, QUARTER));
    EXPECT_EQ(panel.types()->count(), 0);
    EXPECT_EQ(panel.durations()->count(), 7);
    EXPECT_EQ(panel.zatakt(), 0);
    TRandomGenerator random;
    panel.random(random);
    EXPECT_EQ(panel.zatakt(), 0);
}

} // namespace
