#include "shelltesting.h"

#include "canvas/umotivecanvas.h"
#include "files/engmessagebundle.h"
#include "panels/developmentarea.h"
#include "panels/eventtranslater.h"
#include "panels/fastmenu.h"
#include "panels/panelchooser.h"
#include "panels/picturebutton.h"
#include "playback/recordingbackend.h"
#include "shell/baseactioninterface.h"
#include "shell/mainwindow.h"
#include "shell/qtdialogs.h"
#include "shell/temppanel.h"
#include "shell/topframe.h"
#include "strip/periodpanel.h"
#include "widgets/windowplacement.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <set>

namespace {

void activate(QWidget& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// Long enough that playback is still going when the next key arrives.
void giveEveryCellAHalfNote(TMainWindow& window) {
    for (TUMotiveSet* cell : window.periodPanel()->motiveCells()) {
        TMotive& motive = cell->canvas()->motive();
        motive.setNotes({TNote(motive.upbeatStart(), 20, 240)});
    }
}

class MenuFrameAndWindow : public ::testing::Test {
protected:
    MenuFrameAndWindow() : window(frame, devices, folder.path(), &dialogs) {}

    TTempFolder folder;
    TRecordingBackend devices{2};
    TScriptedDialogs dialogs;
    TTopFrame frame;
    TMainWindow window;
};

TEST_F(MenuFrameAndWindow, AToolButtonAndItsMenuItemAreOneAction) {
    const auto& buttons = frame.toolButtons();
    ASSERT_EQ(buttons.size(), 5u);
    QAction* create = frame.command("menu new");
    QAction* save = frame.command("menu save");
    QAction* open = frame.command("menu open");
    EXPECT_EQ(buttons[0]->action(), create);
    EXPECT_EQ(buttons[1]->action(), save);
    EXPECT_EQ(buttons[2]->action(), open);
    EXPECT_EQ(buttons[3]->action(), frame.command("play"));
    EXPECT_EQ(buttons[4]->action(), frame.command("stop"));
    const QList<QAction*> fileItems = frame.menuBar()->actions()[0]->menu()->actions();
    EXPECT_TRUE(fileItems.contains(create));
    EXPECT_TRUE(fileItems.contains(save));
    EXPECT_TRUE(fileItems.contains(open));

    save->setEnabled(false);
    EXPECT_FALSE(buttons[1]->isEnabled());
    EXPECT_TRUE(buttons[2]->isEnabled());
    save->setEnabled(true);
    EXPECT_TRUE(buttons[1]->isEnabled());
    for (TFlatButtonWithID* button : buttons) {
        EXPECT_FALSE(button->accessibleName().isEmpty());
        EXPECT_EQ(button->accessibleName(), button->toolTip());
    }
}

TEST_F(MenuFrameAndWindow, EveryMenuAndItemHasItsOwnMnemonicAndTheUsualShortcuts) {
    std::set<QKeySequence> titles;
    for (QAction* menu : frame.menuBar()->actions()) {
        const QKeySequence title = QKeySequence::mnemonic(menu->text());
        EXPECT_FALSE(title.isEmpty()) << menu->text().toStdString();
        EXPECT_TRUE(titles.insert(title).second) << menu->text().toStdString();
        std::set<QKeySequence> items;
        for (QAction* item : menu->menu()->actions()) {
            if (item->isSeparator())
                continue;
            const QKeySequence key = QKeySequence::mnemonic(item->text());
            EXPECT_FALSE(key.isEmpty()) << item->text().toStdString();
            EXPECT_TRUE(items.insert(key).second) << item->text().toStdString();
        }
    }
    EXPECT_EQ(frame.command("menu new")->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(frame.command("menu open")->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(frame.command("menu save")->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(frame.command("menu save as")->shortcut(), QKeySequence("Ctrl+Shift+S"));
    EXPECT_EQ(frame.command("menu quit")->shortcut(), QKeySequence("Ctrl+Q"));
    for (const char* key : {"menu open", "menu save", "menu save as", "menu quit"})
        EXPECT_EQ(frame.command(key)->shortcutContext(), Qt::ApplicationShortcut) << key;
    EXPECT_EQ(frame.menuBar()->actions()[0]->menu()->actions().last(), frame.command("menu quit"));
    EXPECT_EQ(frame.command("menu quit")->text(), "&Quit");

    QSignalSpy closed(&frame, &QObject::destroyed);
    frame.show();
    frame.command("menu quit")->trigger();
    EXPECT_FALSE(frame.isVisible()) << "Quit closes the frame, which ends the application";
}

TEST_F(MenuFrameAndWindow, TheMenusAltKeysWorkFromTheMainWindowToo) {
    std::vector<QKeySequence> keys;
    for (const QShortcut* shortcut : window.findChildren<QShortcut*>())
        keys.push_back(shortcut->key());
    const std::vector<QKeySequence> expected{QKeySequence("Alt+F"), QKeySequence("Alt+E"),
                                             QKeySequence("Alt+V"), QKeySequence("Alt+T"),
                                             QKeySequence("Alt+D"), QKeySequence("Alt+H")};
    EXPECT_EQ(keys, expected);
    frame.show();
    emit window.findChildren<QShortcut*>()[0]->activated();
    QAction* file = frame.menuBar()->actions()[0];
    EXPECT_EQ(frame.menuBar()->activeAction(), file);
    EXPECT_TRUE(file->menu()->isVisible());
    file->menu()->hide();
}

TEST_F(MenuFrameAndWindow, TheTempoListLeavesAltLettersToTheMenus) {
    frame.tempoPanel()->setTempo(100);
    QComboBox* names = frame.tempoPanel()->names();
    activate(frame);
    names->setFocus();
    for (Qt::Key key : {Qt::Key_W, Qt::Key_S, Qt::Key_A})
        QTest::keyClick(names, key, Qt::AltModifier);
    EXPECT_EQ(frame.tempoPanel()->tempo(), 100);
    EXPECT_EQ(window.period().tempo(), 100);
    QTest::keyClick(names, Qt::Key_F);
    EXPECT_EQ(names->currentText(), "Fast") << "plain letters still search the list";
}

TEST_F(MenuFrameAndWindow, TheToolAreaLabelsShowTheirWholeTextBesideTheirControls) {
    frame.show();
    QWidget* tempo = frame.tempoPanel();
    const QWidget* area = tempo->parentWidget();
    std::vector<const QWidget*> placed{tempo, frame.cursorDelay()};
    for (const QWidget* button : frame.demoButtons())
        placed.push_back(button);
    for (const QLabel* label : area->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        SCOPED_TRACE(label->text().toStdString());
        EXPECT_GE(label->width(), label->sizeHint().width());
        for (const QWidget* control : placed)
            EXPECT_FALSE(label->geometry().intersects(control->geometry()))
                << "covered by " << control->metaObject()->className();
        placed.push_back(label);
    }
    EXPECT_FALSE(tempo->geometry().intersects(frame.cursorDelay()->geometry()));
    EXPECT_LE(tempo->geometry().right(), area->width());
}

TEST_F(MenuFrameAndWindow, TheFrameStartsOnItsToolButtonsAndShowsHintsWhenInactive) {
    activate(frame);
    const auto& buttons = frame.toolButtons();
    EXPECT_EQ(QApplication::focusWidget(), buttons[0]);
    for (std::size_t i = 1; i < buttons.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), buttons[i]);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), frame.tempoPanel()->names());
    EXPECT_TRUE(frame.testAttribute(Qt::WA_AlwaysShowToolTips));
    EXPECT_TRUE(window.testAttribute(Qt::WA_AlwaysShowToolTips));
}

TEST_F(MenuFrameAndWindow, TabGoesThroughTheModeButtonsThenTheOutlineThenTheStrip) {
    activate(window);
    window.modeButtons()->button(1)->setFocus();
    for (int n = 2; n <= 5; ++n) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), window.modeButtons()->button(n));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.navigationTree());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.periodPanel()->view().column()->playPanel());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(),
              window.periodPanel()->view().children()[0]->column()->playPanel());
}

TEST_F(MenuFrameAndWindow, SpacePlaysTheSelectionOrThePeriodAndStopsAndEscapeStops) {
    giveEveryCellAHalfNote(window);
    activate(window);
    window.setFocus();
    QTest::keyClick(&window, Qt::Key_Space);
    EXPECT_EQ(window.motivePlayer().queuedCount(), 8) << "no selection: the whole period";
    EXPECT_TRUE(window.motivePlayer().isPlaying());
    QTest::keyClick(&window, Qt::Key_Space);
    EXPECT_FALSE(window.motivePlayer().isPlaying());

    QTest::mouseClick(window.periodPanel()->motiveCells()[3]->selectionPanel(), Qt::LeftButton);
    window.setFocus();
    QTest::keyClick(&window, Qt::Key_Space);
    EXPECT_EQ(window.motivePlayer().queuedCount(), 1) << "the selected motive";
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.motivePlayer().isPlaying());

    // A focused button answers Enter.
    window.modeButtons()->button(4)->setFocus();
    QTest::keyClick(window.modeButtons()->button(4), Qt::Key_Return);
    EXPECT_FALSE(window.motivePlayer().isPlaying());
    EXPECT_EQ(window.modeButtons()->mode(), TUMotiveCanvas::MODE_DELETE);

    activate(frame);
    QTest::keyClick(&frame, Qt::Key_Space);
    EXPECT_TRUE(window.motivePlayer().isPlaying()) << "the frame plays as well";
    QTest::keyClick(&frame, Qt::Key_Escape);
    EXPECT_FALSE(window.motivePlayer().isPlaying());
}

TEST_F(MenuFrameAndWindow, SpacePlaysAndStopsWhateverControlHasTheFocusButATextFieldKeepsIt) {
    giveEveryCellAHalfNote(window);
    activate(window);
    TUMotiveSet* cell = window.periodPanel()->motiveCells()[2];
    TFastMenu& menu = *window.fastMenuWindow();
    const std::vector<std::pair<const char*, QWidget*>> controls = {
        {"mode button", window.modeButtons()->button(4)},
        {"outline", window.navigationTree()},
        {"panel chooser", window.panelChooser(3)},
        {"cell's selection strip", cell->selectionPanel()},
        {"cell's play strip", cell->playPanel()},
        {"fast menu mode area", menu.modeArea(TFastMenu::SELECT_NOTES)},
        {"fast menu command", menu.commandButton(0)},
        {"fast menu stop", menu.flatButton(TFastMenu::STOP)},
        {"frame's tool button", frame.toolButtons().front()},
    };
    ASSERT_TRUE(menu.isVisible());
    for (const auto& [name, control] : controls) {
        // A tool window counts as active with its owner: it is made the active window itself.
        control->window()->show();
        control->window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return QApplication::activeWindow() == control->window();
        })) << name;
        control->setFocus();
        ASSERT_TRUE(control->hasFocus()) << name;
        QTest::keyClick(control, Qt::Key_Space);
        EXPECT_TRUE(window.motivePlayer().isPlaying()) << name;
        EXPECT_EQ(window.motivePlayer().queuedCount(), 8) << name << ": the whole period";
        QTest::keyClick(control, Qt::Key_Space);
        EXPECT_FALSE(window.motivePlayer().isPlaying()) << name;
        // The control itself was not pressed.
        EXPECT_EQ(window.modeButtons()->mode(), TUMotiveCanvas::MODE_EDIT) << name;
        EXPECT_FALSE(window.panelChooser(3)->isPressed()) << name;
        EXPECT_EQ(window.periodPanel()->selectedCell(), nullptr) << name;
        EXPECT_EQ(dialogs.newDialogs, 0) << name;
    }

    // A text field types the space; so does a modal dialog's.
    activate(frame);
    QSpinBox* tempo = frame.tempoPanel()->number();
    tempo->setFocus();
    QTest::keyClick(tempo, Qt::Key_Space);
    EXPECT_FALSE(window.motivePlayer().isPlaying());
    QLineEdit line(&window);
    line.show();
    activate(window);
    line.setFocus();
    QTest::keyClick(&line, Qt::Key_Space);
    EXPECT_EQ(line.text(), " ");
    EXPECT_FALSE(window.motivePlayer().isPlaying());
}

TEST_F(MenuFrameAndWindow, TheArrowsMoveTheSelectedCellAndEnterPlaysIt) {
    giveEveryCellAHalfNote(window);
    activate(window);
    const auto& cells = window.periodPanel()->motiveCells();
    // Tab reaches the cells from the outline.
    window.navigationTree()->setFocus();
    for (int step = 0; step < 6 && !cells[0]->isAncestorOf(QApplication::focusWidget()); ++step)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(cells[0]->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_EQ(window.periodPanel()->selectedCell(), cells[1]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    EXPECT_EQ(window.periodPanel()->selectedCell(), cells[1]);
    EXPECT_EQ(QApplication::focusWidget(), cells[1]->selectionPanel());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(window.motivePlayer().queuedCount(), 1) << "the selected motive";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_FALSE(window.motivePlayer().isPlaying());
    EXPECT_EQ(window.periodPanel()->selectedCell(), cells[1]) << "Enter kept the selection";
}

TEST_F(MenuFrameAndWindow, TheOutlineFitsLeftOfTheStripDownToTheBottom) {
    activate(window);
    TNavigationTree* tree = window.navigationTree();
    EXPECT_LT(tree->geometry().right(), window.periodPanel()->x());
    EXPECT_EQ(tree->geometry().bottom(), window.height() - 4);
    EXPECT_EQ(tree->horizontalScrollBar()->maximum(), 0) << "every label shows whole";
    EXPECT_TRUE(tree->verticalScrollBar()->isVisible()) << "and the scroll bar is not covered";
}

TEST_F(MenuFrameAndWindow, MovingThroughTheOutlineWithTheKeyboardScrollsTheStrip) {
    activate(window);
    TNavigationTree* tree = window.navigationTree();
    TPeriodPanel* panel = window.periodPanel();
    panel->resize(300, TPeriodPanel::HEIGHT); // narrow, so that every node needs a scroll
    tree->setFocus();
    tree->setCurrentItem(tree->topLevelItem(0));
    QTreeWidgetItem* secondSentence = tree->topLevelItem(0)->child(1);
    while (tree->currentItem() != secondSentence) {
        QTest::keyClick(tree, Qt::Key_Down);
        EXPECT_EQ(panel->scrollPosition(),
                  std::min(tree->currentItem()->data(0, Qt::UserRole).toInt(),
                           panel->scrollArea()->horizontalScrollBar()->maximum()));
    }
    EXPECT_EQ(panel->scrollPosition(), panel->view().children()[1]->column()->x());
    panel->scrollTo(0);
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_EQ(panel->scrollPosition(), panel->view().children()[1]->column()->x());
}

TEST_F(MenuFrameAndWindow, TheWindowGrowsFromItsDesignSizeAndTheFrameFollows) {
    EXPECT_EQ(window.minimumSize(), QSize(1016, 546));
    const QRect layoutStrip = window.periodPanel()->geometry();
    EXPECT_EQ(layoutStrip, QRect(158, 287, 856, 255));
    const QRect layoutArea = window.developmentArea()->geometry();
    EXPECT_EQ(layoutArea.left(), 3);
    EXPECT_EQ(layoutArea.width(), 1011);
    const int layoutMaximum = window.periodPanel()->scrollArea()->horizontalScrollBar()->maximum();
    window.show();

    window.resize(1600, 1000);
    EXPECT_EQ(window.periodPanel()->geometry(), QRect(158, 287, 1600 - 160, 255));
    EXPECT_EQ(window.periodPanel()->scrollArea()->horizontalScrollBar()->width(), 1600 - 160);
    EXPECT_EQ(window.periodPanel()->scrollArea()->horizontalScrollBar()->maximum(),
              layoutMaximum - (1600 - 1016));
    EXPECT_EQ(window.developmentArea()->width(), 1600 - 5);
    EXPECT_EQ(window.navigationTree()->geometry().bottom(), 1000 - 4);
    EXPECT_EQ(frame.width(), 1600);

    // A rebuilt strip takes the width the window has now.
    window.documents().buildDefault();
    EXPECT_EQ(window.periodPanel()->width(), 1600 - 160);

    window.resize(1016, 546);
    EXPECT_EQ(window.periodPanel()->geometry(), layoutStrip);
    EXPECT_EQ(window.developmentArea()->geometry(), layoutArea);
    EXPECT_EQ(frame.width(), 1016);
}

TEST_F(MenuFrameAndWindow, AStripRebuiltFromOneOfItsOwnControlsGoesAfterTheControlReturns) {
    TPeriodPanel* old = window.periodPanel();
    QSignalSpy destroyed(old, &QObject::destroyed);
    TPlayPanel* play = old->motiveCells()[0]->playPanel();
    QObject::connect(play, &QAbstractButton::pressed, &window,
                     [this] { window.documents().buildDefault(); });
    QTest::mouseClick(play, Qt::LeftButton);
    EXPECT_NE(window.periodPanel(), old);
    EXPECT_EQ(destroyed.count(), 0);
    EXPECT_FALSE(old->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(destroyed.count(), 1);
}

// The message box that the dialogs bring up, seen while it shows and then closed.
struct TShownBox {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QPoint centre;
    QString text;
};

TShownBox whileShown(const std::function<void()>& show) {
    TShownBox seen;
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        seen = {box->icon(), box->frameGeometry().center(), box->text()};
        box->accept();
    });
    show();
    return seen;
}

TEST(MessageBoxes, ErrorsAndWarningsCarryTheirIconsCentredOverTheMainWindow) {
    TEngMessageBundle bundle;
    QWidget owner;
    owner.setGeometry(40, 60, 1016, 546);
    owner.show();
    TQtDialogs dialogs(&owner, bundle, [] { return std::vector<std::string>{}; });
    const QPoint centre = owner.frameGeometry().center();

    TShownBox error = whileShown([&] { dialogs.showMessage("Unable to open file", "Error"); });
    EXPECT_EQ(error.text, "Unable to open file");
    EXPECT_EQ(error.icon, QMessageBox::Critical);
    EXPECT_LE((error.centre - centre).manhattanLength(), 10);

    TShownBox warning =
        whileShown([&] { dialogs.showMessage("There are no MIDI devices", "Warning"); });
    EXPECT_EQ(warning.icon, QMessageBox::Warning);
    EXPECT_LE((warning.centre - centre).manhattanLength(), 10);

    TShownBox question = whileShown([&] { dialogs.confirm("Replace?", "Warning"); });
    EXPECT_EQ(question.icon, QMessageBox::Warning);
}

TEST(MessageBoxes, WithoutAnOwnerTheBoxStandsInTheMiddleOfTheScreen) {
    const auto box = makeMessageBox(nullptr, QMessageBox::Critical, "Cannot open", "Error");
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((box->geometry().center() - screen.center()).manhattanLength(), 10);
    EXPECT_TRUE(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

} // namespace
