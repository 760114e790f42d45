#include "../canvas/fakecanvasservice.h"
#include "canvas/umotivecanvas.h"
#include "files/periodbuilder.h"
#include "strip/periodpanel.h"
#include "widgets/buttons.h"
#include "widgets/drawing.h"

#include <QAction>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct TPressLog : TButtonListener, TButtonGroupPanelListener {
    std::vector<QWidget*> pressed;
    std::vector<int> modes;
    void buttonPressed(QWidget* button) override { pressed.push_back(button); }
    void modeChosen(int mode) override { modes.push_back(mode); }
};

// A shown, active window, so that its controls can hold the keyboard focus.
void activate(QWidget& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

class KeyboardButtons : public ::testing::Test {
protected:
    KeyboardButtons() { window.resize(200, 100); }
    // Made before the window: a widget needs the application object.
    bool applicationReady = (ensureWidgetApplication(), true);
    QWidget window;
    TPressLog log;
};

TEST_F(KeyboardButtons, SpaceEnterAndReturnPressAFocusedPushButtonWhichComesBackUp) {
    TRealButton button(&window, TRect{0, 0, 9, 9}, false, TRealButton::GLYPH_OPAQUE);
    button.setGeometry(0, 0, 21, 37);
    button.setListener(&log);
    activate(window);
    button.setFocus();
    ASSERT_TRUE(button.hasFocus());
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter})
        QTest::keyClick(&button, key);
    EXPECT_EQ(log.pressed, (std::vector<QWidget*>(3, &button)));
    EXPECT_FALSE(button.isPressed());
    QTest::keyClick(&button, Qt::Key_A);
    EXPECT_EQ(log.pressed.size(), 3u) << "other keys do nothing";
}

TEST_F(KeyboardButtons, TheFocusedButtonShowsADottedMark) {
    TRealButton first(&window, TRect{}, false, TRealButton::GLYPH_NONE);
    TRealButton second(&window, TRect{}, false, TRealButton::GLYPH_NONE);
    first.setGeometry(0, 0, 21, 37);
    second.setGeometry(30, 0, 21, 37);
    activate(window);
    second.setFocus();
    const QImage unfocused = first.grab().toImage();
    first.setFocus();
    const QImage focused = first.grab().toImage();
    auto blackOnRow = [](const QImage& image, int y) {
        int count = 0;
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == QColor(Qt::black) ? 1 : 0;
        return count;
    };
    EXPECT_EQ(blackOnRow(unfocused, 2), 0);
    EXPECT_GT(blackOnRow(focused, 2), 3) << "the mark's dots";
    EXPECT_LT(blackOnRow(focused, 2), first.width() - 4) << "dotted, not a line";
    EXPECT_EQ(focused.pixelColor(0, 0), QColor(Qt::white)) << "the bevel is kept";
}

TEST_F(KeyboardButtons, TheHintIsTheTooltipAndTheNameAScreenReaderReads) {
    TRealButton button(&window, TRect{}, true, TRealButton::GLYPH_NONE);
    button.setHint("Delete notes");
    EXPECT_EQ(button.toolTip(), "Delete notes");
    EXPECT_EQ(button.accessibleName(), "Delete notes");
    EXPECT_EQ(button.focusPolicy(), Qt::StrongFocus);
}

TEST_F(KeyboardButtons, AStickyButtonStaysDownUnderTheKeyboardAndItsOwnerLiftsIt) {
    TRealButton button(&window, TRect{}, true, TRealButton::GLYPH_NONE);
    button.resize(21, 37);
    button.setListener(&log);
    activate(window);
    button.setFocus();
    QTest::keyClick(&button, Qt::Key_Space);
    QTest::keyClick(&button, Qt::Key_Space);
    EXPECT_TRUE(button.isPressed());
    EXPECT_EQ(log.pressed.size(), 2u);
    button.setPressed(false);
    EXPECT_FALSE(button.isPressed());
}

TEST_F(KeyboardButtons, AFlatButtonRunsItsActionAndFollowsItsEnabledState) {
    TFlatGroup group;
    TFlatButtonWithID button(&window, &group, TRect{}, TRect{}, 7);
    button.resize(28, 28);
    QAction action("Save");
    int runs = 0;
    QObject::connect(&action, &QAction::triggered, [&runs] { ++runs; });
    button.setAction(&action);
    activate(window);
    button.setFocus();
    QTest::keyClick(&button, Qt::Key_Space);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(runs, 2);
    EXPECT_FALSE(button.isPressed());
    EXPECT_EQ(group.button(7), &button) << "the group numbers its buttons by their ids";

    action.setEnabled(false);
    EXPECT_FALSE(button.isEnabled());
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(runs, 2);
    action.setEnabled(true);
    EXPECT_TRUE(button.isEnabled());
}

TEST_F(KeyboardButtons, ModeButtonsAreOneExclusiveGroupNumberedByCanvasMode) {
    TButtonGroupPanel buttons(&window, TEngMessageBundle());
    buttons.setListener(&log);
    EXPECT_TRUE(buttons.group().exclusive());
    EXPECT_EQ(buttons.mode(), TUMotiveCanvas::MODE_EDIT);
    const int modes[] = {TUMotiveCanvas::MODE_EDIT, TUMotiveCanvas::MODE_NEW_CHORD,
                         TUMotiveCanvas::MODE_CHORD, TUMotiveCanvas::MODE_DELETE,
                         TUMotiveCanvas::MODE_LIGHT};
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(buttons.group().id(buttons.button(n)), modes[n - 1]) << "button " << n;

    activate(window);
    buttons.button(4)->setFocus();
    QTest::keyClick(buttons.button(4), Qt::Key_Space);
    EXPECT_EQ(log.modes, std::vector<int>{TUMotiveCanvas::MODE_DELETE});
    EXPECT_EQ(buttons.mode(), TUMotiveCanvas::MODE_DELETE);
    EXPECT_FALSE(buttons.button(1)->isPressed());

    buttons.pressMode(TUMotiveCanvas::MODE_LIGHT);
    EXPECT_TRUE(buttons.button(5)->isPressed());
    EXPECT_FALSE(buttons.button(4)->isPressed());
    EXPECT_EQ(log.modes.back(), TUMotiveCanvas::MODE_LIGHT);
    for (int n = 1; n <= 5; ++n)
        EXPECT_FALSE(buttons.button(n)->accessibleName().isEmpty());
}

class StripKeyboard : public ::testing::Test {
protected:
    StripKeyboard() {
        buildDefaultPeriod(period);
        panel = std::make_unique<TPeriodPanel>(nullptr, 500, service, period);
    }
    TFakeCanvasService service;
    TPeriodData period;
    std::unique_ptr<TPeriodPanel> panel;
};

TEST_F(StripKeyboard, TabWalksThePlayAndSelectionStripsInStripOrderAndScrollsThemIntoView) {
    activate(*panel);
    std::vector<QWidget*> expected;
    for (const QObject* child : panel->strip()->children()) {
        if (const auto* column = qobject_cast<const TColoredBoxSet*>(child))
            expected.push_back(column->playPanel());
        if (const auto* cell = qobject_cast<const TUMotiveSet*>(child)) {
            expected.push_back(cell->playPanel());
            expected.push_back(cell->selectionPanel());
        }
    }
    ASSERT_EQ(expected.size(), 7u + 16u);
    expected.front()->setFocus();
    std::vector<QWidget*> visited{QApplication::focusWidget()};
    for (std::size_t i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget());
        const QRect shown(visited.back()->mapTo(panel.get(), QPoint(0, 0)), visited.back()->size());
        EXPECT_TRUE(panel->rect().intersects(shown)) << "step " << i;
    }
    EXPECT_EQ(visited, expected);
    EXPECT_GT(panel->scrollPosition(), 0) << "the last cell lies beyond the first view";
}

TEST_F(StripKeyboard, SpaceOnAPlayStripPlaysAndOnASelectionStripSelects) {
    activate(*panel);
    TUMotiveSet* cell = panel->motiveCells()[2];
    cell->selectionPanel()->setFocus();
    QTest::keyClick(cell->selectionPanel(), Qt::Key_Space);
    EXPECT_EQ(panel->selectedCell(), cell);
    EXPECT_TRUE(cell->selectionPanel()->isSelected());
    cell->playPanel()->setFocus();
    QTest::keyClick(cell->playPanel(), Qt::Key_Enter);
    EXPECT_EQ(service.motivePlayer().queuedCount(), 1);
    EXPECT_EQ(cell->playPanel()->accessibleName(), "Play the motive");
    EXPECT_EQ(cell->selectionPanel()->toolTip(), "Select the motive");
    EXPECT_EQ(panel->view().column()->playPanel()->toolTip(), "Play the period");
}

TEST_F(StripKeyboard, TheArrowsMoveTheSelectionAlongTheStripIntoViewAndEnterPlaysIt) {
    activate(*panel);
    const auto& cells = panel->motiveCells();
    const auto last = cells.size() - 1;
    // Without a selection the arrows start from the cell that has the focus.
    cells[1]->playPanel()->setFocus();
    QTest::keyClick(cells[1]->playPanel(), Qt::Key_Left);
    EXPECT_EQ(panel->selectedCell(), cells[0]);
    EXPECT_EQ(QApplication::focusWidget(), cells[0]->selectionPanel());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    EXPECT_EQ(panel->selectedCell(), cells[0]) << "the strip's start stops it";
    for (std::size_t i = 1; i <= last; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        ASSERT_EQ(panel->selectedCell(), cells[i]);
        EXPECT_TRUE(cells[i]->selectionPanel()->isSelected());
        EXPECT_FALSE(cells[i - 1]->selectionPanel()->isSelected());
        const QRect shown(cells[i]->mapTo(panel.get(), QPoint(0, 0)), cells[i]->size());
        EXPECT_TRUE(panel->rect().contains(shown)) << "cell " << i;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_EQ(panel->selectedCell(), cells[last]) << "and so does its end";
    EXPECT_EQ(service.motivePlayer().queuedCount(), 0) << "moving plays nothing";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    EXPECT_EQ(service.motivePlayer().queuedCount(), 1);
    EXPECT_EQ(panel->selectedCell(), cells[last]);

    // The selection moves from the selected cell, wherever the focus is in the strip.
    cells[2]->playPanel()->setFocus();
    QTest::keyClick(cells[2]->playPanel(), Qt::Key_Left);
    EXPECT_EQ(panel->selectedCell(), cells[last - 1]);
}

TEST_F(StripKeyboard, TheScrollAreaKeepsTheStepsAndEndsWhereTheStripEnds) {
    QScrollBar* bar = panel->scrollArea()->horizontalScrollBar();
    const int stripWidth = panel->strip()->width();
    EXPECT_EQ(panel->scrollArea()->widget(), panel->strip());
    EXPECT_EQ(bar->singleStep(), 5);
    EXPECT_EQ(bar->pageStep(), 50);
    EXPECT_EQ(bar->maximum(), stripWidth - 500) << "known before the panel shows";
    panel->show();
    panel->resize(800, TPeriodPanel::HEIGHT);
    EXPECT_EQ(bar->pageStep(), 50) << "the area resets the page step on every resize";
    EXPECT_EQ(bar->maximum(), stripWidth - 800);
    EXPECT_EQ(bar->width(), 800);
    EXPECT_GE(bar->mapTo(panel.get(), QPoint(0, 0)).y(), TPeriodPanel::STRIP_HEIGHT + 10)
        << "the bar lies below the strip";

    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(panel->scrollPosition(), 50);
    EXPECT_EQ(panel->strip()->x(), -50);
}

} // namespace
