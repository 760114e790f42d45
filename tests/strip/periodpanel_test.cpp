#include "../canvas/fakecanvasservice.h"
#include "canvas/editmode.h"
#include "canvas/messagewindow.h"
#include "canvas/umotivecanvas.h"
#include "files/periodbuilder.h"
#include "strip/periodpanel.h"

#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class PeriodPanel : public ::testing::Test {
protected:
    PeriodPanel() {
        buildDefaultPeriod(period);
        panel = std::make_unique<TPeriodPanel>(nullptr, 1000, service, period);
    }

    template <class T> int countOf() const {
        return static_cast<int>(
            panel->strip()->findChildren<T*>(Qt::FindDirectChildrenOnly).size());
    }
    void harmoniseAll() {
        for (TUMotiveSet* cell : panel->motiveCells())
            ASSERT_TRUE(cell->canvas()->autoHarmonise());
    }

    TFakeCanvasService service;
    TPeriodData period;
    std::unique_ptr<TPeriodPanel> panel;
};

TEST_F(PeriodPanel, TheDefaultPeriodMakesAKeyBoxSevenColumnsAndEightCells) {
    EXPECT_EQ(countOf<TKeyBox>(), 1);
    EXPECT_EQ(countOf<TColoredBoxSet>(), 7);
    ASSERT_EQ(panel->motiveCellCount(), 8);
    for (int i = 0; i < 8; ++i) {
        TUMotiveSet* cell = panel->motiveCells()[static_cast<std::size_t>(i)];
        EXPECT_EQ(cell->canvas()->canvasId(), 48 + i);
        EXPECT_EQ(cell->group(), i < 4 ? 1 : 2);
        EXPECT_EQ(&cell->canvas()->motive(), period.allMotives()[static_cast<std::size_t>(i)]);
        EXPECT_TRUE(cell->canvas()->dropEnabled());
    }
    // Left to right without gaps: key box, period, sentence, phrase, two cells, phrase, ...
    const auto& cells = panel->motiveCells();
    EXPECT_EQ(cells[1]->x(), cells[0]->x() + cells[0]->width());
    EXPECT_EQ(cells[2]->x(), cells[1]->x() + cells[1]->width() + TColoredBoxSet::WIDTH);
    EXPECT_EQ(panel->strip()->width(), cells[7]->x() + cells[7]->width());
    EXPECT_EQ(panel->height(), TPeriodPanel::HEIGHT);
}

TEST_F(PeriodPanel, FindsCellCanvasesByIdAndLightsThePlayStripOfACanvasCell) {
    EXPECT_EQ(panel->canvasById(47), nullptr);
    EXPECT_EQ(panel->canvasById(56), nullptr);
    EXPECT_EQ(panel->canvasById(CURRENT_CANVAS_ID), nullptr);
    EXPECT_EQ(panel->canvasById(50), panel->motiveCells()[2]->canvas());

    panel->motivePlaying(*panel->motiveCells()[1]->canvas(), true);
    EXPECT_TRUE(panel->motiveCells()[1]->playPanel()->isPlaying());
    TMotive elsewhere = period.newMotive();
    TUMotiveCanvas outside(nullptr, service, elsewhere);
    panel->motivePlaying(outside, true); // no cell of this strip: ignored
    panel->motivePlaying(*panel->motiveCells()[1]->canvas(), false);
    EXPECT_FALSE(panel->motiveCells()[1]->playPanel()->isPlaying());
    for (const TUMotiveSet* cell : panel->motiveCells())
        EXPECT_FALSE(cell->playPanel()->isPlaying());
}

TEST_F(PeriodPanel, ModeButtonsSetTheModeOfEveryCanvas) {
    TButtonGroupPanel buttons(nullptr, service.messageBundle());
    buttons.setListener(panel.get());
    EXPECT_EQ(buttons.button(4)->toolTip(), "Delete notes");
    EXPECT_TRUE(buttons.button(1)->isPressed()) << "the canvases start in mode 1";
    buttons.pressButton(4);
    EXPECT_FALSE(buttons.button(1)->isPressed());
    for (TUMotiveSet* cell : panel->motiveCells())
        EXPECT_EQ(cell->canvas()->modeNumber(), TUMotiveCanvas::MODE_DELETE);
    EXPECT_TRUE(buttons.button(4)->isPressed());

    QTest::mouseClick(buttons.button(5), Qt::LeftButton);
    EXPECT_TRUE(buttons.button(5)->isPressed());
    EXPECT_FALSE(buttons.button(4)->isPressed());
    for (TUMotiveSet* cell : panel->motiveCells())
        EXPECT_EQ(cell->canvas()->modeNumber(), TUMotiveCanvas::MODE_LIGHT);
}

TEST_F(PeriodPanel, TheSelectionStripTogglesOneSelectedCell) {
    const auto& cells = panel->motiveCells();
    QTest::mouseClick(cells[2]->selectionPanel(), Qt::LeftButton);
    EXPECT_EQ(panel->selectedCell(), cells[2]);
    EXPECT_TRUE(cells[2]->selectionPanel()->isSelected());

    QTest::mouseClick(cells[5]->selectionPanel(), Qt::LeftButton);
    EXPECT_EQ(panel->selectedCell(), cells[5]);
    EXPECT_FALSE(cells[2]->selectionPanel()->isSelected());

    QTest::mouseClick(cells[5]->selectionPanel(), Qt::LeftButton);
    EXPECT_EQ(panel->selectedCell(), nullptr);
    EXPECT_FALSE(cells[5]->selectionPanel()->isSelected());

    // Starting an edit on a canvas selects its cell.
    cells[3]->canvas()->setMode(TUMotiveCanvas::MODE_LIGHT);
    QTest::mouseClick(cells[3]->canvas(), Qt::LeftButton, {}, QPoint(30, 60));
    EXPECT_EQ(panel->selectedCell(), cells[3]);
}

TEST_F(PeriodPanel, ContextMotiveFollowsTheStripAndTheGroups) {
    const auto& cells = panel->motiveCells();
    const auto& first = cells[0]->canvas()->motive();
    EXPECT_EQ(panel->contextMotive(first).code, CONTEXT_FIRST_WITH_UPBEAT);
    EXPECT_EQ(panel->contextMotive(first).motive, nullptr);
    // The preceding motive has no chords yet: nothing to continue from.
    EXPECT_EQ(panel->contextMotive(cells[1]->canvas()->motive()).code, CONTEXT_NONE);

    harmoniseAll();
    const TMotiveAndListenerPair same = panel->contextMotive(cells[1]->canvas()->motive());
    EXPECT_EQ(same.code, CONTEXT_CONTINUES);
    EXPECT_EQ(same.motive, &first);
    EXPECT_EQ(same.listener, cells[0]->canvas()->playerListener());
    // The first motive of the second sentence, with its upbeat.
    const TMotiveAndListenerPair next = panel->contextMotive(cells[4]->canvas()->motive());
    EXPECT_EQ(next.code, CONTEXT_NEW_GROUP);
    EXPECT_EQ(next.motive, &cells[3]->canvas()->motive());
}

TEST_F(PeriodPanel, PlayingAColumnQueuesItsMotivesInStripOrder) {
    harmoniseAll();
    // The second sentence's column: its two phrases, four motives.
    const auto sentences = panel->view().children();
    QTest::mouseClick(sentences[1]->column()->playPanel(), Qt::LeftButton);
    EXPECT_EQ(service.motivePlayer().queuedCount(), 4);
    service.motivePlayer().stop();
    panel->playPhrase(3);
    EXPECT_EQ(service.motivePlayer().queuedCount(), 2);
    service.motivePlayer().stop();
    panel->playPhrase(4); // out of range
    panel->playSentence(-1);
    panel->playMotive(8);
    EXPECT_EQ(service.motivePlayer().queuedCount(), 0);
    panel->playPeriod();
    EXPECT_EQ(service.motivePlayer().queuedCount(), 8);
}

TEST_F(PeriodPanel, ScrollingMovesTheStripAndTheTreeScrollsToNodes) {
    TPeriodPanel narrow(nullptr, 500, service, period);
    const auto& cells = narrow.motiveCells();
    narrow.scrollToNode(4); // period, sentence, phrase, cell 0, cell 1
    EXPECT_EQ(narrow.scrollPosition(), cells[1]->x());
    EXPECT_EQ(narrow.strip()->x(), -cells[1]->x());
    narrow.scrollToNode(99);
    EXPECT_EQ(narrow.scrollPosition(), cells[1]->x());
    // The strip never moves past its end.
    EXPECT_FALSE(narrow.scrollTo(1'000'000) && narrow.strip()->x() + narrow.strip()->width() < 500);

    TNavigationTree tree(nullptr, service.messageBundle());
    tree.rebuild(narrow.view());
    tree.setListener(&narrow);
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree.topLevelItem(0);
    EXPECT_EQ(root->text(0), "Period");
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_EQ(root->child(1)->text(0), "Sentence 2");
    EXPECT_EQ(root->child(1)->child(0)->text(0), "Phrase A1");
    EXPECT_EQ(root->child(1)->child(0)->child(1)->text(0), "Motive 2");
    EXPECT_EQ(root->child(0)->child(1)->data(0, Qt::UserRole).toInt(),
              narrow.view().children()[0]->children()[1]->column()->x());
}

} // namespace
