#include "../canvas/fakecanvasservice.h"
#include "canvas/editmode.h"
#include "canvas/messagewindow.h"
#include "canvas/umotivecanvas.h"
#include "files/periodbuilder.h"
#include "strip/periodpanel.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class ScrollCounter : public TPeriodPanelScrollerListener {
public:
    void scrolled() override { ++count; }
    int count = 0;
};

// Colours of the strip as the painter gives them (red in the low byte, blue in the high).
QRgb rgbOf(std::uint32_t value) {
    return qRgb(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

class PeriodStrip : public ::testing::Test {
protected:
    PeriodStrip() { buildDefaultPeriod(period); }

    std::unique_ptr<TPeriodPanel> makePanel(int width = 1000) {
        return std::make_unique<TPeriodPanel>(nullptr, width, service, period);
    }
    // Hands the posted starts and finishes to `panel`, in posting order.
    void deliverPlayingMessages(TPeriodPanel& panel) {
        service.onMotivePlaying = [&](TProcessPlayingInterface& canvas, bool started) {
            panel.motivePlaying(canvas, started);
        };
        QCoreApplication::sendPostedEvents();
        service.onMotivePlaying = nullptr;
    }
    static std::vector<TColoredBoxSet*> columns(const TPeriodPanel& panel) {
        std::vector<TColoredBoxSet*> result;
        for (TColoredBoxSet* column :
             panel.strip()->findChildren<TColoredBoxSet*>(Qt::FindDirectChildrenOnly))
            result.push_back(column);
        std::sort(result.begin(), result.end(),
                  [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
        return result;
    }

    TFakeCanvasService service;
    TPeriodData period;
};

TEST_F(PeriodStrip, ColumnsCarryTheirLevelsAndLabelsAndSentenceNumbersComeRoundAgain) {
    TPeriodStructure five = defaultPeriodStructure();
    five.phraseCounts = {1, 1, 1, 1, 1};
    five.motiveCounts = {1, 1, 1, 1, 1};
    five.letters = {5, 6, 7, 8, 9};
    buildPeriod(period, five);
    const auto panel = makePanel();
    const auto all = columns(*panel);
    ASSERT_EQ(all.size(), 11u);
    EXPECT_EQ(all[0]->box()->level(), 0);
    EXPECT_EQ(all[0]->box()->labelCode(), 0);
    const int sentenceLabels[] = {1, 2, 3, 4, 1};
    for (int s = 0; s < 5; ++s) {
        const TColoredBoxSet* sentence = all[static_cast<std::size_t>(1 + 2 * s)];
        const TColoredBoxSet* phrase = all[static_cast<std::size_t>(2 + 2 * s)];
        EXPECT_EQ(sentence->box()->level(), 1);
        EXPECT_EQ(sentence->box()->labelCode(), sentenceLabels[s]);
        EXPECT_EQ(phrase->box()->level(), 2);
        EXPECT_EQ(phrase->box()->labelCode(), five.letters[static_cast<std::size_t>(s)]);
        EXPECT_EQ(panel->motiveCells()[static_cast<std::size_t>(s)]->group(), sentenceLabels[s]);
    }
    // The fifth sentence is "1" in the outline as well.
    TNavigationTree tree(nullptr, service.messageBundle());
    tree.rebuild(panel->view());
    EXPECT_EQ(tree.topLevelItem(0)->child(4)->text(0), "Sentence 1");
    EXPECT_EQ(tree.topLevelItem(0)->child(4)->child(0)->text(0), "Phrase E");
}

TEST_F(PeriodStrip, HollowPeriodsBuildAndAnswerWithoutCells) {
    // A sentence without phrases, then one whose first phrase has no motives.
    TPeriodStructure hollow = defaultPeriodStructure();
    hollow.phraseCounts = {0, 2};
    hollow.motiveCounts = {0, 1};
    hollow.letters = {5, 6};
    buildPeriod(period, hollow);
    auto panel = makePanel(300);
    EXPECT_EQ(columns(*panel).size(), 5u);
    ASSERT_EQ(panel->motiveCellCount(), 1);
    EXPECT_EQ(panel->motiveCells()[0]->group(), 2);
    EXPECT_EQ(panel->motiveCells()[0]->canvas()->canvasId(), 48);
    // The lone motive is the first of the period.
    EXPECT_EQ(panel->contextMotive(panel->motiveCells()[0]->canvas()->motive()).code,
              CONTEXT_FIRST_WITH_UPBEAT);
    panel->playSentence(0);
    panel->playPhrase(0); // phrases count across sentences: the empty one
    EXPECT_EQ(service.motivePlayer().queuedCount(), 0);
    panel->playPeriod();
    EXPECT_EQ(service.motivePlayer().queuedCount(), 1);
    service.motivePlayer().stop();

    // No sentences at all: the key box and the period column, nothing to scroll or play. The
    // old panel goes before the rebuild takes the motives its canvases show.
    panel.reset();
    hollow.phraseCounts.clear();
    hollow.motiveCounts.clear();
    hollow.letters.clear();
    buildPeriod(period, hollow);
    panel = makePanel(300);
    EXPECT_EQ(columns(*panel).size(), 1u);
    EXPECT_EQ(panel->motiveCellCount(), 0);
    panel->scrollToNode(1);
    panel->playPeriod();
    panel->playMotive(0);
    EXPECT_EQ(panel->scrollPosition(), 0);
    EXPECT_EQ(service.motivePlayer().queuedCount(), 0);
    const TMotive outside(period.key(), period.measure(), period.zatakt());
    EXPECT_EQ(panel->contextMotive(outside).code, CONTEXT_NONE);
    TNavigationTree tree(nullptr, service.messageBundle());
    tree.rebuild(panel->view());
    EXPECT_EQ(tree.topLevelItem(0)->childCount(), 0);
}

TEST_F(PeriodStrip, TheStripIsPaintedInItsColours) {
    const auto panel = makePanel();
    const auto all = columns(*panel);
    const std::uint32_t levelColours[] = {0x9393FD, 0x9DE4F7, 0x96F5DE};
    for (int level = 0; level < 3; ++level) {
        const QImage box = all[static_cast<std::size_t>(level)]->box()->grab().toImage();
        EXPECT_EQ(box.pixel(16, 140), rgbOf(levelColours[level])) << "level " << level;
        EXPECT_EQ(box.pixel(box.width() - 1, 100), rgbOf(0x808080)) << "dark edge";
    }
    TUMotiveSet* cell = panel->motiveCells()[1];
    QImage strip = cell->playPanel()->grab().toImage();
    EXPECT_EQ(strip.pixel(5, 14), rgbOf(0xC8D0D4));
    EXPECT_EQ(strip.pixel(5, 0), rgbOf(0x808080));
    cell->playPanel()->setPlaying(true);
    strip = cell->playPanel()->grab().toImage();
    EXPECT_EQ(strip.pixel(5, 14), rgbOf(0xEEC580));
    EXPECT_EQ(strip.pixel(1, 14), qRgb(255, 255, 255)) << "the inner frame";

    QImage selection = cell->selectionPanel()->grab().toImage();
    EXPECT_EQ(selection.pixel(3, 3), rgbOf(0xC8D0D4));
    cell->selectionPanel()->setSelected(true);
    selection = cell->selectionPanel()->grab().toImage();
    EXPECT_EQ(selection.pixel(3, 3), rgbOf(0xFFA0C0));
}

TEST_F(PeriodStrip, ScrollingTellsTheListenerOnlyWhenTheStripMoves) {
    const auto panel = makePanel(500);
    ScrollCounter counter;
    panel->setScrollerListener(&counter);
    EXPECT_FALSE(panel->scrollTo(0)) << "already at the left";
    EXPECT_EQ(counter.count, 0);
    const int left = panel->motiveCells()[2]->x();
    EXPECT_TRUE(panel->scrollTo(left));
    EXPECT_EQ(counter.count, 1);
    EXPECT_FALSE(panel->scrollTo(left));
    EXPECT_EQ(counter.count, 1);
    // However far it is asked to go, the end of the strip stays at the right edge.
    panel->scrollTo(1'000'000);
    EXPECT_EQ(panel->strip()->x() + panel->strip()->width(), 500);
    panel->scrollTo(-5);
    EXPECT_EQ(panel->strip()->x(), 0);
}

TEST_F(PeriodStrip, AStartingCellIsBroughtIntoViewOnlyWhenPartlyHidden) {
    const auto panel = makePanel(500);
    const auto& cells = panel->motiveCells();
    panel->setStartedPlaying(cells[0]);
    EXPECT_EQ(panel->scrollPosition(), 0) << "fully visible: no scroll";
    panel->setStartedPlaying(cells[3]);
    EXPECT_EQ(panel->scrollPosition(), cells[3]->x());
    panel->setStartedPlaying(cells[3]);
    EXPECT_EQ(panel->scrollPosition(), cells[3]->x());
    panel->setStartedPlaying(cells[0]);
    EXPECT_EQ(panel->scrollPosition(), cells[0]->x()) << "hidden to the left";

    // The posted start does the same, unless the variant window is busy.
    panel->scrollTo(0);
    service.variantBusy = true;
    panel->motivePlaying(*cells[3]->canvas(), true);
    EXPECT_EQ(panel->scrollPosition(), 0);
    EXPECT_TRUE(cells[3]->playPanel()->isPlaying());
    service.variantBusy = false;
    panel->motivePlaying(*cells[3]->canvas(), true);
    EXPECT_EQ(panel->scrollPosition(), cells[3]->x());
}

TEST_F(PeriodStrip, PlayStripsFollowThePostedStartAndFinish) {
    auto panel = makePanel();
    TUMotiveSet* cell = panel->motiveCells()[2];
    // As the timer thread tells the cell's canvas.
    cell->canvas()->playerListener()->motiveStarted();
    deliverPlayingMessages(*panel);
    EXPECT_TRUE(cell->playPanel()->isPlaying());
    EXPECT_FALSE(panel->motiveCells()[1]->playPanel()->isPlaying());
    cell->canvas()->playerListener()->motiveFinished();
    deliverPlayingMessages(*panel);
    EXPECT_FALSE(cell->playPanel()->isPlaying());

    // The panel is rebuilt while a cell plays: its finish is never played, and the start
    // still queued must not leave the new cell with that id lit.
    panel->motiveCells()[2]->canvas()->playerListener()->motiveStarted();
    panel.reset();
    panel = makePanel();
    deliverPlayingMessages(*panel);
    EXPECT_FALSE(panel->motiveCells()[2]->playPanel()->isPlaying());
}

TEST_F(PeriodStrip, PlayingASentenceLightsItsCellsInTurnAndStopClearsThem) {
    const auto panel = makePanel();
    const auto& cells = panel->motiveCells();
    for (TUMotiveSet* cell : cells)
        ASSERT_TRUE(cell->canvas()->autoHarmonise());
    auto lit = [&] {
        std::vector<bool> flags;
        for (const TUMotiveSet* cell : cells)
            flags.push_back(cell->playPanel()->isPlaying());
        return flags;
    };
    panel->playSentence(1);
    service.motivePlayer().tick();
    deliverPlayingMessages(*panel);
    EXPECT_EQ(lit(), (std::vector<bool>{false, false, false, false, true, false, false, false}));
    // On to the start of the next motive: the first is finished by then.
    for (int i = 0; i < 1000 && !cells[5]->playPanel()->isPlaying(); ++i) {
        service.motivePlayer().tick();
        deliverPlayingMessages(*panel);
    }
    EXPECT_EQ(lit(), (std::vector<bool>{false, false, false, false, false, true, false, false}));
    service.motivePlayer().stop();
    deliverPlayingMessages(*panel);
    EXPECT_EQ(lit(), std::vector<bool>(8, false));
}

TEST_F(PeriodStrip, CellsReportTheirPlayStripAndEditsToThePanel) {
    const auto panel = makePanel();
    const auto& cells = panel->motiveCells();
    for (TUMotiveSet* cell : cells)
        ASSERT_TRUE(cell->canvas()->autoHarmonise());
    QTest::mouseClick(cells[5]->playPanel(), Qt::LeftButton);
    EXPECT_EQ(service.motivePlayer().queuedCount(), 1);
    EXPECT_FALSE(cells[5]->playPanel()->isPlaying()) << "lit by the start message, not the click";
    service.motivePlayer().stop();

    // The pointer over one canvas in mode 1 drops the edit line of every other.
    auto& first = dynamic_cast<TEditUMInterface&>(cells[0]->canvas()->mode());
    first.mouseMove({}, 60, 60);
    ASSERT_GE(first.editPosition(), 0);
    auto& third = dynamic_cast<TEditUMInterface&>(cells[2]->canvas()->mode());
    third.mouseMove({}, 60, 60);
    EXPECT_EQ(first.editPosition(), -1);
    EXPECT_GE(third.editPosition(), 0);

    // Nothing pressed: the selection goes.
    QTest::mouseClick(cells[4]->selectionPanel(), Qt::LeftButton);
    panel->buttonPressed(nullptr);
    EXPECT_EQ(panel->selectedCell(), nullptr);
    EXPECT_FALSE(cells[4]->selectionPanel()->isSelected());
}

TEST_F(PeriodStrip, AMotiveOutsideTheStripContinuesFromTheSelectedCell) {
    const auto panel = makePanel();
    const auto& cells = panel->motiveCells();
    const TMotive outside(period.key(), period.measure(), period.zatakt());
    EXPECT_EQ(panel->contextMotive(outside).code, CONTEXT_NONE) << "nothing selected";
    for (TUMotiveSet* cell : cells)
        ASSERT_TRUE(cell->canvas()->autoHarmonise());

    // Within a sentence: continue from the selected motive.
    QTest::mouseClick(cells[1]->selectionPanel(), Qt::LeftButton);
    TMotiveAndListenerPair pair = panel->contextMotive(outside);
    EXPECT_EQ(pair.code, CONTEXT_CONTINUES);
    EXPECT_EQ(pair.motive, &cells[1]->canvas()->motive());
    EXPECT_EQ(pair.listener, cells[1]->canvas()->playerListener());

    // The last motive of a sentence: a new sentence follows, which needs an upbeat.
    QTest::mouseClick(cells[3]->selectionPanel(), Qt::LeftButton);
    pair = panel->contextMotive(outside);
    EXPECT_EQ(pair.code, outside.zatakt() > 0 ? CONTEXT_NEW_GROUP : CONTEXT_NONE);
}

TEST_F(PeriodStrip, AClickInTheOutlineScrollsTheStripAndLeavesNoNodeSelected) {
    const auto panel = makePanel(500);
    TNavigationTree tree(nullptr, service.messageBundle());
    tree.rebuild(panel->view());
    tree.setListener(panel.get());
    tree.resize(300, 600);
    tree.show();
    QTreeWidgetItem* secondSentence = tree.topLevelItem(0)->child(1);
    EXPECT_TRUE(secondSentence->isExpanded());
    const QRect place = tree.visualItemRect(secondSentence);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, place.center());
    EXPECT_EQ(panel->scrollPosition(), panel->view().children()[1]->column()->x());
    EXPECT_TRUE(tree.selectedItems().isEmpty());

    // Rebuilding replaces the outline rather than adding to it.
    tree.rebuild(panel->view());
    EXPECT_EQ(tree.topLevelItemCount(), 1);
    EXPECT_EQ(tree.topLevelItem(0)->child(0)->childCount(), 2);
}

TEST_F(PeriodStrip, PressingTheDownModeButtonAgainChangesNothing) {
    const auto panel = makePanel();
    TButtonGroupPanel buttons(nullptr, service.messageBundle());
    buttons.setListener(panel.get());
    const char* hints[] = {"Select notes", "Select chords", "Choose a chord for current notes",
                           "Delete notes", "Generate motive"};
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(buttons.button(n)->toolTip(), hints[n - 1]);
    EXPECT_EQ(buttons.button(0), nullptr);
    EXPECT_EQ(buttons.button(6), nullptr);
    buttons.pressButton(4);
    panel->motiveCells()[0]->canvas()->setMode(TUMotiveCanvas::MODE_EDIT);
    buttons.pressButton(4);
    EXPECT_EQ(panel->motiveCells()[0]->canvas()->modeNumber(), TUMotiveCanvas::MODE_EDIT);
    int down = 0;
    for (int n = 1; n <= 5; ++n)
        down += buttons.button(n)->isPressed() ? 1 : 0;
    EXPECT_EQ(down, 1);
}

} // namespace

namespace {

TEST(CanvasCadences, WithTheOptionOnEachCanvasClosesItsPhraseAsTheFormAsks) {
    TFakeCanvasService service;
    buildDefaultPeriod(service.period());
    service.schoolHarmonyOn = true;
    const auto panel = std::make_unique<TPeriodPanel>(nullptr, 1000, service, service.period());
    for (TUMotiveSet* cell : panel->motiveCells())
        ASSERT_TRUE(cell->canvas()->autoHarmonise());
    const std::vector<TMotive*> motives = service.period().allMotives();
    ASSERT_EQ(motives.size(), 8u);
    for (std::size_t phraseEnd = 1; phraseEnd < 8; phraseEnd += 2) {
        const std::string& name = motives[phraseEnd]->chords().back().name();
        EXPECT_TRUE(name == "DOMINANT_THREE_CHORD" || name == "TONIC_THREE_CHORD") << name;
    }
    EXPECT_EQ(motives[3]->chords().back().name(), "DOMINANT_THREE_CHORD");
    const TChordList& closing = motives[7]->chords();
    EXPECT_EQ(closing.back().name(), "TONIC_THREE_CHORD");
    EXPECT_TRUE(closing.front().name() == "DOMINANT_THREE_CHORD" ||
                closing.front().name() == "DOMINANT_FOUR_CHORD")
        << closing.front().name();
}

} // namespace
