// The scheme panel driven by real pointer events under an X server (for example Xvfb): a rhythm
// scheme built by dragging durations into the gatherer, a motive generated along a contour
// that follows it, and a Motive for Contrast dropped, shown and closed.

#include "guitesting.h"

#include "canvas/umotivecanvas.h"
#include "panels/contrastmenuform.h"
#include "panels/deleter.h"
#include "panels/developmentarea.h"
#include "panels/gatherer.h"
#include "panels/groupbuttons.h"
#include "panels/modechooser.h"
#include "panels/panelchooser.h"
#include "panels/rythmset.h"
#include "panels/schemepanel.h"
#include "strip/periodpanel.h"
#include "strip/periodpanelcontrols.h"
#include "widgets/dragged.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using SchemePanelPointer = TMainWindowPointerTest;

TEST_F(SchemePanelPointer, ARhythmBuiltByDraggingShapesTheMotiveGeneratedAlongAContour) {
    TSchemePanel& panel = *window->schemePanel();
    ASSERT_TRUE(panel.isVisible());
    TRythmSet& set = *panel.rythmSet();
    TScheme& scheme = window->scheme();

    // In order, emptied, then a sixteenth and a dotted eighth dragged in.
    ASSERT_TRUE(clickPointer(centreOf(set.modeChooser()->inOrderButton())));
    EXPECT_TRUE(scheme.durationsInOrder());
    ASSERT_TRUE(clickPointer(centreOf(set.commandButton(TCommonSet::CLEAR_POSITION))));
    EXPECT_TRUE(scheme.durations().empty());
    ASSERT_TRUE(dragPointer(centreOf(set.itemHandle(30)), centreOf(set.gatherer())));
    ASSERT_TRUE(dragPointer(centreOf(set.itemHandle(90)), centreOf(set.gatherer())));
    ASSERT_EQ(scheme.durations(), (TDurations{30, 90}));
    EXPECT_EQ(set.rythmGatherer()->values(), (std::vector<DURATION>{30, 90}));

    // Ctrl-click two more, drag them in together, and drag both out again onto the deleter.
    ASSERT_TRUE(clickPointer(centreOf(set.item(60))));
    ASSERT_TRUE(
        xdotool(QStringList{"keydown", "ctrl"} + at(centreOf(set.item(240))) +
                QStringList{"sleep", "0.2", "click", "1", "sleep", "0.2", "keyup", "ctrl"}));
    EXPECT_EQ(set.itemGroup().selected().size(), 2u);
    ASSERT_TRUE(dragPointer(centreOf(set.itemHandle(60)), centreOf(set.gatherer())));
    ASSERT_EQ(scheme.durations(), (TDurations{30, 90, 240, 60}));
    TGatherer& gatherer = *set.gatherer();
    gatherer.group().items()[3]->setSelected(true);
    ASSERT_TRUE(dragPointer(centreOf(gatherer.handle(2)), centreOf(set.deleter())));
    ASSERT_EQ(scheme.durations(), (TDurations{30, 90}));

    // The contour: pressed on the first cell in "generate motive" and drawn across it.
    ASSERT_TRUE(clickPointer(centreOf(window->modeButton(4))));
    TUMotiveSet& cell = *window->periodPanel()->motiveCells()[0];
    TUMotiveCanvas& canvas = *cell.canvas();
    ASSERT_EQ(canvas.modeNumber(), TUMotiveCanvas::MODE_LIGHT);
    const QPoint left = canvas.mapToGlobal(QPoint(40, canvas.height() / 3));
    const QPoint right = canvas.mapToGlobal(QPoint(canvas.width() - 40, canvas.height() / 4));
    ASSERT_TRUE(dragPointer(left, right));

    // The scheme used cyclically, cut where a measure part ends: the upbeat (60 ticks) takes
    // the sixteenth and a sixteenth of the dotted eighth; the next part (180 ticks) goes on with
    // the dotted eighth, the sixteenth and an eighth of the next dotted eighth.
    const TMotive& motive = canvas.motive();
    EXPECT_EQ(motive.rhythm(), (TRhythm{30, 30, 90, 30, 60}));
    EXPECT_TRUE(motive.isHarmonised());
    if (const char* shots = std::getenv("TONARIA_GUI_SHOTS"))
        window->grab().save(QString::fromLocal8Bit(shots) + "/generated.png");
}

TEST_F(SchemePanelPointer, AMotiveDroppedOnContrastIsShownInItsWindowUntilClosed) {
    TUMotiveSet& cell = *window->periodPanel()->motiveCells()[0];
    TMotive& first = cell.canvas()->motive();
    first.notes() = {TNote(180, 20, 60), TNote(240, 21, 120), TNote(360, 23, 60)};
    first.notifyChanged();
    pumpEvents(100);

    TDevelopmentArea& area = *window->developmentArea();
    area.selectPanel(TDevelopmentArea::SEQUENCE_UP_CHOOSER);
    ASSERT_TRUE(dragPointer(centreOf(cell.dragHandle()),
                            centreOf(area.panelChooser(TDevelopmentArea::CONTRAST_CHOOSER))));
    EXPECT_EQ(area.shownPanel(), window->schemePanel());
    EXPECT_TRUE(window->scheme().rhythmContrastMotive().sameContent(first));
    EXPECT_TRUE(window->scheme().pitchContrastMotive().sameContent(first));

    // The show button opens the window over itself, fully on the screen; Close ends it.
    TRythmSet& set = *window->schemePanel()->rythmSet();
    QRect shown;
    int notes = -1;
    QTimer::singleShot(1500, [&] {
        auto* form = qobject_cast<TContrastMenuForm*>(QApplication::activeModalWidget());
        if (form == nullptr)
            return;
        shown = form->frameGeometry();
        // TONARIA_GUI_SHOTS=<folder> keeps pictures of the window and the panel to look at.
        if (const char* shots = std::getenv("TONARIA_GUI_SHOTS")) {
            form->grab().save(QString::fromLocal8Bit(shots) + "/contrast-window.png");
            window->grab().save(QString::fromLocal8Bit(shots) + "/scheme-panel.png");
        }
        notes = int(form->canvas()->motive().notes().size());
        clickPointer(centreOf(form->closeButton()));
    });
    ASSERT_TRUE(clickPointer(centreOf(set.showButton())));
    pumpEvents(2500);
    EXPECT_EQ(notes, 3);
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_TRUE(window->screen()->geometry().contains(shown));
    EXPECT_TRUE(shown.contains(centreOf(set.showButton())));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
