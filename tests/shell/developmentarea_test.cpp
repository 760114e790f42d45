#include "shelltesting.h"

#include "canvas/messagewindow.h"
#include "canvas/umotivecanvas.h"
#include "files/periodreader.h"
#include "panels/captionbutton.h"
#include "panels/chooserrow.h"
#include "panels/deleter.h"
#include "panels/developmentarea.h"
#include "panels/effectmotivepanel.h"
#include "panels/gatherer.h"
#include "panels/modechooser.h"
#include "panels/rawpanel.h"
#include "panels/rythmset.h"
#include "panels/schemepanel.h"
#include "panels/turnroundset.h"
#include "playback/recordingbackend.h"
#include "shell/mainwindow.h"
#include "shell/topframe.h"
#include "strip/periodpanel.h"
#include "widgets/dragged.h"
#include "widgets/hintpanel.h"

#include <QApplication>
#include <QDropEvent>

#include <gtest/gtest.h>

namespace {

class MainWindowDevelopment : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<TMainWindow>(frame, devices, folder.path(), &dialogs);
    }

    // A drop of the handle's drag onto `target`, as the pointer would make it.
    static bool drop(QWidget& target, TDragged& handle) {
        TDraggedMimeData data(&handle);
        const QPoint centre = target.rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent event(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&target, &event);
        return event.isAccepted();
    }
    // Gives the first cell a melody of four quarters rising by steps.
    TUMotiveSet& firstCellWithMelody() {
        TUMotiveSet& cell = *window->periodPanel()->motiveCells()[0];
        TMotive& motive = cell.canvas()->motive();
        motive.notes() = {TNote(180, 20, 60), TNote(240, 21, 60), TNote(300, 22, 60),
                          TNote(360, 23, 60)};
        motive.notifyChanged();
        return cell;
    }

    TTempFolder folder;
    TRecordingBackend devices{2};
    TScriptedDialogs dialogs;
    TTopFrame frame;
    std::unique_ptr<TMainWindow> window;
};

TEST_F(MainWindowDevelopment, TheAreaStandsAboveTheStripWithTheSchemePanelShown) {
    TDevelopmentArea* area = window->developmentArea();
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->parentWidget(), window.get());
    const QPoint origin = area->pos();
    TMotivePanelBase* shown = window->schemePanel();
    EXPECT_EQ(area->shownPanel(), shown);
    EXPECT_EQ(QRect(origin + shown->pos(), shown->size()), QRect(3, 4, 1011, 215));
    EXPECT_EQ(QRect(origin + area->chooserRow()->pos(), area->chooserRow()->size()),
              QRect(3, 224, 1011, 57));
    EXPECT_EQ(window->panelChooser(0)->text(), "Scheme");
    EXPECT_EQ(window->panelChooser(1)->text(), "Contrast");
    EXPECT_EQ(window->panelChooser(1)->panel(), shown);
    EXPECT_EQ(window->panelChooser(1)->mode(), 1);
    EXPECT_TRUE(window->panelChooser(0)->isPressed());
    EXPECT_EQ(window->panelChooser(2)->text(), "Sequence Up");
    EXPECT_FALSE(window->panelChooser(2)->isPressed());
    EXPECT_EQ(window->panelChooser(16), nullptr);

    // Every variant canvas carries its place in the panel order as id.
    for (int id = 0; id < TDevelopmentArea::EFFECT_CANVAS_COUNT; ++id)
        EXPECT_EQ(area->effectCanvas(id)->canvasId(), id);
    EXPECT_EQ(area->effectCanvas(42), nullptr);
    // The panels work in the period's meter.
    EXPECT_EQ(area->effectCanvas(0)->motive().measure(), window->period().measure());
    EXPECT_EQ(area->effectCanvas(41)->motive().zatakt(), window->period().zatakt());

    window->selectPanel(15);
    EXPECT_EQ(area->shownPanel(), area->effectPanel(TDevelopmentArea::REL_OTHER));
}

TEST_F(MainWindowDevelopment, TheSchemePanelFollowsTheSchemeFromStartUpAndTakesMotives) {
    TSchemePanel& panel = *window->schemePanel();
    TScheme& scheme = window->scheme();
    // Both sets show the scheme and hear of its changes.
    EXPECT_EQ(scheme.rhythmListener(), panel.rythmSet());
    EXPECT_EQ(scheme.pitchListener(), panel.pitchSet());
    EXPECT_EQ(panel.rythmSet()->rythmGatherer()->values(), scheme.durations());
    EXPECT_EQ(panel.pitchSet()->turnGatherer()->values(), scheme.turns());

    const TMotive source = firstCellWithMelody().canvas()->motive();
    window->selectPanel(5);
    window->takeRhythmFrom(source);
    EXPECT_EQ(scheme.durations(), source.rhythm());
    EXPECT_TRUE(scheme.durationsInOrder());
    EXPECT_EQ(panel.rythmSet()->rythmGatherer()->values(), source.rhythm());
    scheme.setTurns({}, false, true);
    window->takePitchFrom(source);
    EXPECT_TRUE(scheme.turnsInOrder());
    EXPECT_FALSE(scheme.turns().empty());
    EXPECT_EQ(panel.pitchSet()->turnGatherer()->values(), scheme.turns());

    // A new period resets the schemes and the Motives for Contrast, and the sets show that.
    const TRect emptyFigure = panel.rythmSet()->contrastFigure()->glyph();
    panel.setSource(source, TSchemePanel::CONTRAST_MODE);
    EXPECT_FALSE(panel.pitchSet()->contrastFigure()->glyph() == emptyFigure);
    window->periodChanged();
    EXPECT_EQ(panel.rythmSet()->rythmGatherer()->values(), scheme.durations());
    EXPECT_FALSE(scheme.durationsInOrder());
    EXPECT_TRUE(scheme.pitchContrastMotive().isEmpty());
    EXPECT_EQ(panel.pitchSet()->contrastFigure()->glyph(), emptyFigure);

    // The guided help finds the sets' controls.
    TRythmSet& rhythm = *panel.rythmSet();
    EXPECT_EQ(window->rhythmGatherer(), static_cast<QWidget*>(rhythm.gatherer()));
    EXPECT_EQ(window->pitchGatherer(), static_cast<QWidget*>(panel.pitchSet()->gatherer()));
    EXPECT_EQ(window->rhythmDeleter(), static_cast<QWidget*>(rhythm.deleter()));
    EXPECT_EQ(window->pitchDeleter(), static_cast<QWidget*>(panel.pitchSet()->deleter()));
    EXPECT_EQ(window->rhythmModeChooser(), static_cast<QWidget*>(rhythm.modeChooser()));
    EXPECT_EQ(window->rhythmContrastFigure(), static_cast<QWidget*>(rhythm.contrastFigure()));
    EXPECT_EQ(window->rhythmShowButton(), static_cast<QWidget*>(rhythm.showButton()));
    EXPECT_EQ(window->rhythmItemHandle(90)->source(), rhythm.item(90));
    EXPECT_EQ(window->rhythmItemHandle(-30)->source(), rhythm.item(-30));
    EXPECT_EQ(window->pitchItemHandle(8), panel.pitchSet()->itemHandle(8));
    EXPECT_EQ(window->pitchItemHandle(9), nullptr);
    const int held = int(scheme.durations().size());
    EXPECT_EQ(window->rhythmGathererItem(held - 1), rhythm.gatherer()->group().items().back());
    EXPECT_EQ(window->rhythmGathererEntry(0)->source(), rhythm.gatherer()->group().items()[0]);
    EXPECT_EQ(window->rhythmGathererItem(held), nullptr);
    EXPECT_EQ(window->rhythmGathererEntry(held), nullptr);
    EXPECT_EQ(window->rhythmGathererItem(-1), nullptr);
}

TEST_F(MainWindowDevelopment, TheGuidedHelpReachesTheSequenceUpPanels) {
    TDevelopmentArea* area = window->developmentArea();
    TEffectMotivePanel* up = area->effectPanel(TDevelopmentArea::SEQUENCE_UP);
    TEffectMotivePanel* relUp = area->effectPanel(TDevelopmentArea::REL_SEQUENCE_UP);
    EXPECT_EQ(window->sequenceUpPlayButton(), up->playButton(0));
    EXPECT_EQ(window->sequenceUpCanvas(), up->canvas(0));
    EXPECT_EQ(window->sequenceUpHandle(), up->slot(0)->dragHandle());
    EXPECT_EQ(window->relSequenceUpCanvas(), relUp->canvas(0));
    EXPECT_EQ(window->relSequenceUpHandle(), relUp->slot(0)->dragHandle());

    const TMotive source = firstCellWithMelody().canvas()->motive();
    window->chooseEffect(3, source);
    TEffectMotivePanel* down = area->effectPanel(TDevelopmentArea::SEQUENCE_DOWN);
    EXPECT_EQ(area->shownPanel(), down);
    EXPECT_EQ(down->variant(0).notes()[0].pitch(), 19);
}

TEST_F(MainWindowDevelopment, NoteEventsLightTheEffectCanvasThatPlaysThem) {
    TUMotiveSet& cell = firstCellWithMelody();
    window->chooseEffect(2, cell.canvas()->motive());
    // Canvas 4 is the second variant of the sequence-down panel, which has no motive: the
    // event reaches the canvas and changes nothing; canvas 1 lights its first note.
    TDevelopmentArea* area = window->developmentArea();
    TMotive& variant = area->effectPanel(0)->variant(1);
    area->effectCanvas(4)->playerListener()->noteStarted(0, 0);
    area->effectCanvas(1)->playerListener()->noteStarted(variant.id(), 0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(variant.notes()[0].highlighted());
    area->effectCanvas(1)->playerListener()->noteStopped(variant.id(), 0);
    QCoreApplication::processEvents();
    EXPECT_FALSE(variant.notes()[0].highlighted());
}

TEST_F(MainWindowDevelopment, AVariantDraggedOntoACellReplacesItsMotiveInTheSavedDocument) {
    TUMotiveSet& source = firstCellWithMelody();
    TDevelopmentArea* area = window->developmentArea();
    ASSERT_TRUE(drop(*area->panelChooser(2), *source.dragHandle()));
    TEffectMotivePanel* up = area->effectPanel(TDevelopmentArea::SEQUENCE_UP);
    const TMotive variant = up->variant(1);
    ASSERT_EQ(variant.notes().size(), 4u);

    TUMotiveSet& target = *window->periodPanel()->motiveCells()[1];
    ASSERT_TRUE(drop(*target.canvas(), *up->slot(1)->dragHandle()));
    EXPECT_TRUE(target.canvas()->motive().sameContent(variant));
    // The cell's earlier (empty) motive is not saved; a second drop keeps the first variant.
    ASSERT_TRUE(drop(*target.canvas(), *up->slot(2)->dragHandle()));
    EXPECT_TRUE(target.canvas()->backEnabled());

    const auto file = folder / "developed.tnr";
    ASSERT_TRUE(window->saveTo(file.string()));
    TPeriodData saved;
    readPeriodFile(saved, file);
    ASSERT_EQ(saved.motiveCount(), 8);
    const TMotive& second = *saved.allMotives()[1];
    EXPECT_TRUE(second.sameContent(up->variant(2)));
    EXPECT_EQ(second.notes()[0].pitch(), 23);
    EXPECT_TRUE(saved.allMotives()[0]->sameContent(source.canvas()->motive()));
}

} // namespace
