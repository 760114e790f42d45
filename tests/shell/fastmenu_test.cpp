#include "shelltesting.h"

#include "canvas/umotivecanvas.h"
#include "engine/scheme.h"
#include "engine/schemecommand.h"
#include "files/periodbuilder.h"
#include "files/settings.h"
#include "model/glyphatlas.h"
#include "panels/eventtranslater.h"
#include "panels/fastmenu.h"
#include "panels/picturebutton.h"
#include "panels/rythmset.h"
#include "panels/schemepanel.h"
#include "panels/turnroundset.h"
#include "playback/recordingbackend.h"
#include "shell/mainwindow.h"
#include "shell/topframe.h"
#include "strip/periodpanel.h"
#include "widgets/hintpanel.h"

#include <QAction>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class MainWindowFastMenu : public ::testing::Test {
protected:
    MainWindowFastMenu() {
        window->show();
        QCoreApplication::processEvents();
    }

    TUMotiveCanvas* cellCanvas(int index) const {
        return window->periodPanel()->motiveCells()[std::size_t(index)]->canvas();
    }
    TFastMenu& menu() const { return *window->fastMenuWindow(); }
    QRect onScreen(const QWidget* widget) const {
        return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    }
    // Just below the canvas at its left, unless that takes the menu past the window's right.
    bool placedBelow(const TUMotiveCanvas* canvas) const {
        const QPoint corner = canvas->mapToGlobal(QPoint(0, canvas->height()));
        const int rightmost = window->frameGeometry().right() + 1 - menu().frameGeometry().width();
        return menu().pos() == QPoint(std::min(corner.x(), rightmost), corner.y());
    }

    TTempFolder folder;
    TRecordingBackend devices{2};
    TScriptedDialogs dialogs;
    TTopFrame frame;
    std::unique_ptr<TMainWindow> window =
        std::make_unique<TMainWindow>(frame, devices, folder.path(), &dialogs);
};

TEST_F(MainWindowFastMenu, OpensUnderTheFirstMotiveWithoutHidingTheNextCell) {
    ASSERT_NE(window->fastMenuWindow(), nullptr);
    EXPECT_EQ(window->fastMenu(), window->fastMenuWindow());
    EXPECT_TRUE(menu().isVisible());
    EXPECT_EQ(window->fastMenuAnchor(), cellCanvas(0));
    EXPECT_TRUE(placedBelow(cellCanvas(0)));
    const QWidget* nextCell = window->periodPanel()->motiveCells()[1];
    EXPECT_FALSE(menu().frameGeometry().intersects(onScreen(nextCell)));
    EXPECT_FALSE(menu().frameGeometry().intersects(onScreen(cellCanvas(0))));
    EXPECT_EQ(window->fastMenuControl(0), menu().modeArea(TFastMenu::SELECT_NOTES));
    EXPECT_EQ(window->fastMenuControl(menu().controlCount()), nullptr);
}

TEST_F(MainWindowFastMenu, TheCanvasButtonOpensTheMenuUnderThatCanvas) {
    menu().hide();
    TUMotiveCanvas* canvas = cellCanvas(2);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, TUMotiveCanvas::FAST_MENU_BUTTON.center());
    EXPECT_TRUE(menu().isVisible());
    EXPECT_EQ(window->fastMenuAnchor(), canvas);
    EXPECT_TRUE(placedBelow(canvas));
}

TEST_F(MainWindowFastMenu, StepsThroughTheCellsEnablingTheArrowsInsideTheStrip) {
    TFlatButton* left = menu().flatButton(TFastMenu::MOVE_TO_LEFT);
    TFlatButton* right = menu().flatButton(TFastMenu::MOVE_TO_RIGHT);
    EXPECT_FALSE(left->isEnabled());
    EXPECT_TRUE(right->isEnabled());
    const int last = window->motiveCellCount() - 1;
    QScrollBar* bar = window->periodPanel()->scrollArea()->horizontalScrollBar();
    ASSERT_EQ(bar->value(), 0);
    for (int cell = 1; cell <= last; ++cell) {
        right->click();
        ASSERT_EQ(window->fastMenuAnchor(), cellCanvas(cell));
        EXPECT_TRUE(placedBelow(cellCanvas(cell))) << cell;
        EXPECT_TRUE(left->isEnabled());
    }
    EXPECT_FALSE(right->isEnabled());
    // The strip scrolled to keep the anchor in view.
    EXPECT_GT(bar->value(), 0);
    const QRect viewport = onScreen(window->periodPanel()->scrollArea()->viewport());
    EXPECT_TRUE(viewport.contains(onScreen(cellCanvas(last))));
    // At the end nothing moves further.
    window->fastMenuNext(cellCanvas(last)->canvasId());
    EXPECT_EQ(window->fastMenuAnchor(), cellCanvas(last));

    for (int cell = last - 1; cell >= 0; --cell)
        left->click();
    EXPECT_EQ(window->fastMenuAnchor(), cellCanvas(0));
    EXPECT_FALSE(left->isEnabled());
    EXPECT_TRUE(placedBelow(cellCanvas(0)));
    window->fastMenuPrevious(cellCanvas(0)->canvasId());
    EXPECT_EQ(window->fastMenuAnchor(), cellCanvas(0));
}

TEST_F(MainWindowFastMenu, FollowsItsAnchorWhenTheStripScrolls) {
    menu().showFor(cellCanvas(3));
    window->periodPanel()->scrollTo(120);
    EXPECT_TRUE(placedBelow(cellCanvas(3)));
}

TEST_F(MainWindowFastMenu, NewAndOpenHideItACancelShowsItAgainAndANewPeriodUnderItsFirstMotive) {
    menu().showFor(cellCanvas(4));
    frame.newAction()->trigger(); // cancelled
    EXPECT_EQ(dialogs.newDialogs, 1);
    EXPECT_TRUE(menu().isVisible());
    EXPECT_EQ(window->fastMenuAnchor(), cellCanvas(4));
    EXPECT_TRUE(placedBelow(cellCanvas(4)));
    frame.command("menu open")->trigger(); // cancelled
    EXPECT_EQ(dialogs.fileChoices.size(), 1u);
    EXPECT_TRUE(menu().isVisible());
    EXPECT_EQ(window->fastMenuAnchor(), cellCanvas(4));
    window->openRecent((folder / "gone.tnr").string()); // fails
    EXPECT_TRUE(menu().isVisible());
    // Hidden before, it stays hidden.
    menu().hide();
    frame.newAction()->trigger();
    EXPECT_FALSE(menu().isVisible());

    TPeriodStructure structure = defaultPeriodStructure();
    structure.phraseCounts = {1};
    structure.motiveCounts = {3};
    structure.letters = {5};
    dialogs.newAnswers = {structure};
    frame.newAction()->trigger();
    ASSERT_EQ(window->motiveCellCount(), 3);
    EXPECT_TRUE(menu().isVisible());
    EXPECT_EQ(window->fastMenuAnchor(), cellCanvas(0));
    EXPECT_TRUE(placedBelow(cellCanvas(0)));
    EXPECT_TRUE(menu().flatButton(TFastMenu::MOVE_TO_RIGHT)->isEnabled());
}

TEST_F(MainWindowFastMenu, StaysWholeOnTheScreenAndWithinTheWindowSidewaysWhereverItsCellIs) {
    const QRect screen = window->screen()->availableGeometry();
    // The window whole on the screen: the cells scrolled out at its right edge too.
    for (int cell = 0; cell < window->motiveCellCount(); ++cell) {
        menu().showFor(cellCanvas(cell));
        EXPECT_GE(menu().frameGeometry().left(), window->frameGeometry().left()) << cell;
        EXPECT_LE(menu().frameGeometry().right(), window->frameGeometry().right()) << cell;
        EXPECT_EQ(menu().frameGeometry().top(), onScreen(cellCanvas(cell)).bottom() + 1) << cell;
    }
    // The window pushed off the screen to the left, to the right and down.
    const QPoint corners[] = {QPoint(-700, 86), QPoint(screen.right() - 300, 86),
                              QPoint(0, screen.bottom() - 450)};
    for (const QPoint corner : corners) {
        window->move(corner);
        for (int cell = 0; cell < window->motiveCellCount(); ++cell) {
            menu().showFor(cellCanvas(cell));
            EXPECT_TRUE(screen.contains(menu().frameGeometry()))
                << corner.x() << "," << corner.y() << " cell " << cell;
        }
    }
    // With no room below, it opens above its cell instead of covering it; scrolling keeps that.
    menu().showFor(cellCanvas(1));
    EXPECT_EQ(menu().frameGeometry().bottom() + 1, onScreen(cellCanvas(1)).top());
    window->periodPanel()->scrollTo(120);
    EXPECT_EQ(menu().frameGeometry().bottom() + 1, onScreen(cellCanvas(1)).top());
}

TEST_F(MainWindowFastMenu, ViewFastMenuHidesAndShowsItAndTheNextStartRemembersTheChoice) {
    QAction* toggle = frame.command("menu fast menu");
    ASSERT_NE(toggle, nullptr);
    EXPECT_TRUE(toggle->isCheckable());
    EXPECT_TRUE(toggle->isChecked()) << "shown for a new user";
    EXPECT_EQ(toggle->text(), "&Fast Menu");
    toggle->trigger();
    EXPECT_FALSE(menu().isVisible());
    EXPECT_FALSE(readFastMenuShown(folder / "config.xml"));
    dialogs.newAnswers = {defaultPeriodStructure()};
    frame.newAction()->trigger();
    EXPECT_FALSE(menu().isVisible()) << "a new period leaves it hidden";

    window.reset();
    window = std::make_unique<TMainWindow>(frame, devices, folder.path(), &dialogs);
    window->show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_FALSE(menu().isVisible());
    window->periodPanel()->motiveCells()[2]->selectionPanel()->click();
    toggle->trigger();
    EXPECT_TRUE(menu().isVisible());
    EXPECT_EQ(window->fastMenuAnchor(), cellCanvas(2)) << "under the selected cell";
    EXPECT_TRUE(readFastMenuShown(folder / "config.xml"));

    // A cell's own fast-menu button still opens it, and View follows.
    toggle->trigger();
    QTest::mouseClick(cellCanvas(5), Qt::LeftButton, {}, TUMotiveCanvas::FAST_MENU_BUTTON.center());
    EXPECT_TRUE(menu().isVisible());
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_TRUE(readFastMenuShown(folder / "config.xml"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MainWindowFastMenu, ACommandRegeneratesTheAnchorInTheStrip) {
    TUMotiveCanvas* canvas = cellCanvas(1);
    menu().showFor(canvas);
    TMotive& motive = canvas->motive();
    QTest::mousePress(menu().commandButton(LONG_DURATIONS), Qt::LeftButton);
    EXPECT_TRUE(motive.isHarmonised());
    EXPECT_FALSE(motive.notes().empty());
    EXPECT_TRUE(menu().schemeViewShown());
    QTest::mouseRelease(menu().commandButton(LONG_DURATIONS), Qt::LeftButton);
    EXPECT_FALSE(menu().schemeViewShown());
    // The document knows it changed.
    EXPECT_TRUE(window->windowTitle().endsWith("*"));
}

TEST_F(MainWindowFastMenu, BothPlacesShowAMotiveForContrastSetInEitherOfThem) {
    auto menuFigure = [&](TFastMenu::FlatButton which) {
        return static_cast<TPictureButton*>(menu().flatButton(which))->picture().glyphs.at(0);
    };
    const TRect set = glyphRect(TGlyph::ContrastFigureSet);
    QTest::mouseClick(menu().commandButton(LONG_DURATIONS), Qt::LeftButton);
    ASSERT_FALSE(cellCanvas(0)->motive().notes().empty());
    window->scheme().rhythmContrastMotive() = cellCanvas(0)->motive();
    window->contrastMotivesChanged();
    EXPECT_EQ(window->schemePanel()->rythmSet()->contrastFigure()->glyph(), set);
    EXPECT_EQ(menuFigure(TFastMenu::RHYTHM_CONTRAST_MOTIVE), set);
    EXPECT_NE(window->schemePanel()->pitchSet()->contrastFigure()->glyph(), set);
    EXPECT_NE(menuFigure(TFastMenu::PITCH_CONTRAST_MOTIVE), set);
}

TEST_F(MainWindowFastMenu, HelpFindsItsControlsAndInputCanBeSwitchedOff) {
    window->enableInput(false);
    EXPECT_FALSE(menu().isEnabled());
    window->enableInput(true);
    EXPECT_TRUE(menu().isEnabled());
    for (int i = 0; i < menu().controlCount(); ++i)
        EXPECT_EQ(window->fastMenuControl(i), menu().control(i));
}

} // namespace
