#include "../canvas/fakecanvasservice.h"
#include "canvas/umotivecanvas.h"
#include "panels/deleter.h"
#include "panels/gatherer.h"
#include "widgets/dragged.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using TValues = std::vector<DURATION>;

// An item row of the eight note values and two rests, beside a rhythm gatherer.
class RhythmGatherer : public ::testing::Test {
protected:
    RhythmGatherer() {
        gatherer.resize(400, 120);
        for (DURATION value : {30, 60, 90, 120, 180, 240, -30, -60}) {
            row.push_back(std::make_unique<TDurationButton>(&owner, value));
            rowGroup.add(row.back().get());
        }
    }
    TDurationButton* rowItem(DURATION value) {
        for (const auto& item : row)
            if (item->value() == value)
                return item.get();
        return nullptr;
    }
    TGroupButton* gathered(int i) { return gatherer.group().items()[std::size_t(i)]; }

    TFakeCanvasService service;
    TScheme& scheme = service.scheme();
    QWidget owner;
    TGroup rowGroup;
    std::vector<std::unique_ptr<TDurationButton>> row;
    TRythmGatherer gatherer{nullptr, scheme};
};

TEST_F(RhythmGatherer, AMultipleSelectionIsAppendedInRowOrderOrOnlyItsNewValuesInASet) {
    rowItem(120)->pressItem(false);
    rowItem(30)->pressItem(true);
    gatherer.drop(&gatherer, rowItem(60)); // dragged by an unselected item: it joins them
    EXPECT_EQ(gatherer.values(), (TValues{30, 60, 120}));
    EXPECT_EQ(scheme.durations(), (TDurations{30, 60, 120}));
    EXPECT_TRUE(scheme.durationsInOrder());
    EXPECT_TRUE(rowGroup.selected().empty());

    // Onto an item (or its handle) in sequence mode: inserted before it.
    gatherer.drop(gatherer.handle(1), rowItem(240));
    EXPECT_EQ(gatherer.values(), (TValues{30, 240, 60, 120}));

    gatherer.setMode(TGroup::SET);
    rowItem(60)->pressItem(false);
    rowItem(180)->pressItem(true);
    gatherer.drop(gathered(0), rowItem(60));
    EXPECT_EQ(gatherer.values(), (TValues{30, 240, 60, 120, 180}));
    EXPECT_FALSE(scheme.durationsInOrder());
    // A set holds no rests.
    gatherer.drop(&gatherer, rowItem(-30));
    EXPECT_EQ(gatherer.values(), (TValues{30, 240, 60, 120, 180}));
}

TEST_F(RhythmGatherer, ItemsMoveInsideTheSequenceAndNotOntoThemselves) {
    for (DURATION value : {30, 60, 120})
        gatherer.drop(&gatherer, rowItem(value));
    gatherer.drop(gathered(2), gathered(2));
    EXPECT_EQ(gatherer.values(), (TValues{30, 60, 120}));
    gatherer.drop(gatherer.handle(0), gathered(2));
    EXPECT_EQ(gatherer.values(), (TValues{120, 30, 60}));
    EXPECT_EQ(scheme.durations(), (TDurations{120, 30, 60}));
    // Numbers follow the order.
    EXPECT_EQ(gatherer.numberLabel(0)->text(), "1.");
    EXPECT_EQ(gatherer.numberLabel(2)->text(), "3.");
}

TEST_F(RhythmGatherer, SetModeRemovesRestsAndRepeatedDurations) {
    for (DURATION value : {60, -30, 60, 120, -60, 30, 120})
        gatherer.drop(&gatherer, rowItem(value));
    gatherer.setMode(TGroup::SET);
    EXPECT_EQ(gatherer.values(), (TValues{60, 120, 30}));
    EXPECT_FALSE(gatherer.numberLabel(0)->isVisible());
}

TEST_F(RhythmGatherer, AMotiveCanvasReplacesTheContentByItsRhythmInSequenceMode) {
    gatherer.setMode(TGroup::SET);
    gatherer.drop(&gatherer, rowItem(240));
    TMotive motive(TKey(), TMeasure(2, 120), 0);
    motive.notes() = {TNote(0, 20, 60), TNote(90, 22, 30), TNote(120, 21, 120)};
    TUMotiveCanvas canvas(nullptr, service, motive);
    EXPECT_TRUE(gatherer.acceptDrag(&canvas));
    gatherer.drop(&gatherer, &canvas);
    EXPECT_EQ(gatherer.mode(), TGroup::SEQUENCE);
    EXPECT_EQ(gatherer.values(), (TValues{60, -30, 30, 120}));
    EXPECT_EQ(scheme.durations(), (TDurations{60, -30, 30, 120}));
    EXPECT_TRUE(gatherer.takenFromMotive());
    // Taking a motive twice replaces every item; the user's next edit makes it their own.
    gatherer.drop(&gatherer, &canvas);
    EXPECT_EQ(gatherer.values(), (TValues{60, -30, 30, 120}));
    gatherer.drop(gatherer.handle(0), gathered(3));
    EXPECT_EQ(gatherer.values(), (TValues{120, 60, -30, 30}));
    EXPECT_FALSE(gatherer.takenFromMotive());
}

TEST_F(RhythmGatherer, WhatDoesNotFitEndsInDotsAndStillReachesTheScheme) {
    gatherer.resize(200, 60);
    gatherer.relayout();
    for (int i = 0; i < 30; ++i)
        gatherer.drop(&gatherer, rowItem(i % 2 == 0 ? 30 : 120));
    EXPECT_EQ(scheme.durations().size(), 30u);
    EXPECT_FALSE(gatherer.overflowLabel()->isHidden());
    EXPECT_TRUE(gathered(29)->isHidden());
    EXPECT_FALSE(gathered(0)->isHidden());
    EXPECT_EQ(gathered(1)->y(), gathered(0)->y());
    // Twice as tall plus the gap: a second row, then the dots.
    gatherer.resize(200, 2 * gathered(0)->height() + 2);
    gatherer.relayout();
    int rows = 0;
    for (const TGroupButton* item : gatherer.group().items())
        if (!item->isHidden() && item->y() > 0)
            rows = 2;
    EXPECT_EQ(rows, 2);
    EXPECT_FALSE(gatherer.overflowLabel()->isHidden());
    // Everything shown stays inside the gatherer.
    for (const TGroupButton* item : gatherer.group().items())
        if (!item->isHidden()) {
            EXPECT_LE(item->geometry().bottom(), gatherer.height() - 1);
        }
}

TEST_F(RhythmGatherer, OnlyDurationsAndMotiveCanvasesAreTaken) {
    TTurnRoundButton turn(&owner, PASSING);
    QWidget plain;
    EXPECT_FALSE(gatherer.acceptDrag(&turn));
    EXPECT_FALSE(gatherer.acceptDrag(&plain));
    EXPECT_TRUE(gatherer.acceptDrag(rowItem(30)));
    gatherer.drop(&gatherer, &turn);
    EXPECT_TRUE(gatherer.values().empty());
}

TEST_F(RhythmGatherer, TheDeleterTakesAnItemWithTheSelectedOnesAndNothingFromARow) {
    for (DURATION value : {30, 60, 90, 120, 180})
        gatherer.drop(&gatherer, rowItem(value));
    gathered(1)->pressItem(false);
    gathered(3)->pressItem(true);
    EXPECT_FALSE(TDeleter::accepts(rowItem(30)));
    ASSERT_TRUE(TDeleter::accepts(gathered(4)));
    TDeleter::dropped(gathered(4));
    EXPECT_EQ(gatherer.values(), (TValues{30, 90}));
    EXPECT_EQ(scheme.durations(), (TDurations{30, 90}));
}

TEST(TurnGatherer, TakesOnlyTurnsAndKeepsEachOnceInASet) {
    TFakeCanvasService service;
    TTurnRoundGatherer gatherer(nullptr, service.scheme());
    gatherer.resize(400, 120);
    TTurnRoundButton passing(nullptr, PASSING);
    TTurnRoundButton leap(nullptr, CHORD_LEAP_1);
    TDurationButton quarter(nullptr, 120);
    EXPECT_FALSE(gatherer.acceptDrag(&quarter));
    gatherer.drop(&gatherer, &passing);
    gatherer.drop(&gatherer, &leap);
    gatherer.drop(&gatherer, &passing);
    EXPECT_EQ(gatherer.values(), (std::vector<TURN_ROUND>{PASSING, CHORD_LEAP_1, PASSING}));
    EXPECT_EQ(service.scheme().turns(), (TTurns{PASSING, CHORD_LEAP_1, PASSING}));
    gatherer.setMode(TGroup::SET);
    EXPECT_EQ(gatherer.values(), (std::vector<TURN_ROUND>{PASSING, CHORD_LEAP_1}));
    // The scheme set passes the content on after a change of mode.
    gatherer.apply();
    EXPECT_EQ(service.scheme().turns(), (TTurns{PASSING, CHORD_LEAP_1}));
    EXPECT_FALSE(service.scheme().turnsInOrder());
}

} // namespace
