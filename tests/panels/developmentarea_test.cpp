#include "panelstesting.h"

#include "canvas/umotivecanvas.h"
#include "engine/relativeeffect.h"
#include "engine/variantmodel.h"
#include "model/canvasgeometry.h"
#include "model/random.h"
#include "panels/captionbutton.h"
#include "panels/chooserrow.h"
#include "panels/developmentarea.h"
#include "panels/effectmotivepanel.h"
#include "panels/harmpanels.h"
#include "panels/rawpanel.h"
#include "panels/simplepanels.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct TChooserCase {
    int chooser;
    int panel;
    bool relative;
    int effect; // TSimpleEffect or TRelativeEffectKind
    bool hasMore;
};

// Every effect chooser, its panel and the engine's technique behind it.
const TChooserCase CHOOSER_CASES[] = {
    {2, TDevelopmentArea::SEQUENCE_UP, false, int(TSimpleEffect::SEQUENCE_UP), false},
    {3, TDevelopmentArea::SEQUENCE_DOWN, false, int(TSimpleEffect::SEQUENCE_DOWN), false},
    {4, TDevelopmentArea::REL_SEQUENCE_UP, true, int(TRelativeEffectKind::SEQUENCE_UP), false},
    {5, TDevelopmentArea::REL_SEQUENCE_DOWN, true, int(TRelativeEffectKind::SEQUENCE_DOWN), false},
    {6, TDevelopmentArea::VARIATION, false, int(TSimpleEffect::VARIATION), true},
    {7, TDevelopmentArea::REPEAT, false, int(TSimpleEffect::REPEAT), false},
    {8, TDevelopmentArea::REL_VARIATION, true, int(TRelativeEffectKind::VARIATION), true},
    {9, TDevelopmentArea::REL_REPEAT, true, int(TRelativeEffectKind::REPEAT), false},
    {10, TDevelopmentArea::RHYTHM, false, int(TSimpleEffect::RHYTHM), true},
    {11, TDevelopmentArea::REL_RHYTHM, true, int(TRelativeEffectKind::RHYTHM), true},
    {12, TDevelopmentArea::PIECE, false, int(TSimpleEffect::PIECE), true},
    {13, TDevelopmentArea::OTHER, false, int(TSimpleEffect::OTHER), false},
    {14, TDevelopmentArea::REL_PIECE, true, int(TRelativeEffectKind::PIECE), true},
    {15, TDevelopmentArea::REL_OTHER, true, int(TRelativeEffectKind::OTHER), false},
};

class DevelopmentArea : public ::testing::Test {
protected:
    void SetUp() override {
        area = std::make_unique<TDevelopmentArea>(nullptr, service, service.scheme());
        area->setMeter(TMeasure(2, 120), TKey(-2, MINOR), 60);
        sourceMotive = harmonisedMelody();
        sourceCanvas = std::make_unique<TUMotiveCanvas>(nullptr, service, sourceMotive);
        sourceHandle = std::make_unique<TDragged>(nullptr, sourceCanvas.get());
    }
    void TearDown() override {
        // The canvases of the area go first; nothing queued may reach them afterwards.
        area.reset();
    }

    // What the engine computes for the source from the random state the panel started with.
    TMotives engineVariants(const TChooserCase& c, const TRandomGenerator& from) {
        const TRandomGenerator saved = service.random();
        service.random() = from;
        TMotives variants;
        if (c.relative) {
            auto effect = makeRelativeEffect(TRelativeEffectKind(c.effect), service.scheme());
            effect->setSource(sourceMotive);
            for (int i = 0; i < VARIANT_COUNT; ++i)
                variants.push_back(effect->variant(i));
        } else {
            TEffect effect(service.scheme());
            variants = effect.makeVariants(TSimpleEffect(c.effect), sourceMotive);
        }
        service.random() = saved;
        return variants;
    }
    // Runs the player by hand, handing the posted messages over, until a note of the motive
    // is lit.
    void playUntilLit(const TMotive& motive) {
        for (int tick = 0; tick < 64 && !anyHighlighted(motive); ++tick) {
            service.motivePlayer().tick();
            QCoreApplication::sendPostedEvents(&service.messageWindow());
        }
    }
    static bool anyHighlighted(const TMotive& motive) {
        for (const TNote& note : motive.notes())
            if (note.highlighted())
                return true;
        return false;
    }

    TPanelsService service;
    std::unique_ptr<TDevelopmentArea> area;
    TMotive sourceMotive;
    std::unique_ptr<TUMotiveCanvas> sourceCanvas;
    std::unique_ptr<TDragged> sourceHandle;
};

TEST_F(DevelopmentArea, ChoosersStandInPairsInRowOrderWithTheirCaptionsAndHints) {
    // Without a scheme panel the first two choosers are missing; the others keep their index.
    EXPECT_EQ(area->panelChooser(0), nullptr);
    EXPECT_EQ(area->panelChooser(1), nullptr);
    EXPECT_EQ(area->panelChooser(16), nullptr);
    EXPECT_EQ(area->chooserGroup().count(), 14);
    const char* captions[] = {"Sequence Up",        "Sequence Down", "Rel. Sequence Up",
                              "Rel. Sequence Down", "Variation",     "Repeat",
                              "Rel. Variation",     "Rel. Repeat",   "Rhythm",
                              "Rel. Rhythm",        "Parts",         "Other",
                              "Rel. Parts",         "Rel. Other"};
    int previousRight = 0;
    for (int index = 2; index < 16; index += 2) {
        TPanelChooser* upper = area->panelChooser(index);
        TPanelChooser* lower = area->panelChooser(index + 1);
        ASSERT_NE(upper, nullptr);
        ASSERT_NE(lower, nullptr);
        EXPECT_EQ(upper->text(), captions[index - 2]);
        EXPECT_EQ(lower->text(), captions[index - 1]);
        EXPECT_EQ(upper->parentWidget(), area->chooserRow());
        EXPECT_EQ(upper->y(), 6);
        EXPECT_EQ(lower->y(), 31);
        EXPECT_EQ(upper->x(), lower->x());
        EXPECT_EQ(upper->width(), lower->width());
        EXPECT_EQ(upper->height(), 20);
        EXPECT_EQ(upper->width(), std::max(upper->sizeHint().width(), lower->sizeHint().width()));
        EXPECT_EQ(upper->x(), index == 2 ? 6 : previousRight + 6);
        previousRight = upper->x() + upper->width();
        for (TPanelChooser* chooser : {upper, lower}) {
            EXPECT_FALSE(chooser->toolTip().isEmpty()) << chooser->text().toStdString();
            EXPECT_TRUE(chooser->showsDropMark());
            EXPECT_EQ(chooser->mode(), 0);
            EXPECT_NE(chooser->focusPolicy(), Qt::NoFocus);
        }
    }
    EXPECT_LE(previousRight, area->chooserRow()->width());
    EXPECT_EQ(area->chooserRow()->geometry(), QRect(0, 220, 1011, 57));
}

TEST_F(DevelopmentArea, OneChooserIsPressedAndOnlyItsPanelIsShown) {
    area->show();
    area->selectFirst();
    EXPECT_EQ(area->chooserGroup().pressed(), area->panelChooser(2));
    EXPECT_TRUE(area->effectPanel(TDevelopmentArea::SEQUENCE_UP)->isVisible());

    QTest::mouseClick(area->panelChooser(9), Qt::LeftButton);
    EXPECT_EQ(area->chooserGroup().pressed(), area->panelChooser(9));
    for (int i = 0; i < TDevelopmentArea::EFFECT_PANEL_COUNT; ++i)
        EXPECT_EQ(area->effectPanel(i)->isVisible(), i == TDevelopmentArea::REL_REPEAT) << i;
    int pressed = 0;
    for (TPanelChooser* chooser : area->chooserGroup().choosers())
        pressed += chooser->isPressed() ? 1 : 0;
    EXPECT_EQ(pressed, 1);

    // A click on the pressed chooser leaves it pressed; the keyboard presses another.
    QTest::mouseClick(area->panelChooser(9), Qt::LeftButton);
    EXPECT_TRUE(area->panelChooser(9)->isPressed());
    area->panelChooser(6)->setFocus();
    QTest::keyClick(area->panelChooser(6), Qt::Key_Space);
    EXPECT_EQ(area->chooserGroup().pressed(), area->panelChooser(6));
    EXPECT_TRUE(area->effectPanel(TDevelopmentArea::VARIATION)->isVisible());
    EXPECT_FALSE(area->effectPanel(TDevelopmentArea::REL_REPEAT)->isVisible());
}

TEST_F(DevelopmentArea, DroppingAMotiveOnEachChooserShowsTheEnginesThreeVariants) {
    area->show();
    for (const TChooserCase& c : CHOOSER_CASES) {
        SCOPED_TRACE(c.chooser);
        // A relative panel draws its effect's seed when it is built: build it first.
        TEffectMotivePanel* panel = area->effectPanel(c.panel);
        const TRandomGenerator before = service.random();
        ASSERT_TRUE(dropOn(*area->panelChooser(c.chooser), *sourceHandle));
        EXPECT_EQ(area->effectPanel(c.panel), panel);
        EXPECT_EQ(area->chooserGroup().pressed(), area->panelChooser(c.chooser));
        EXPECT_TRUE(panel->isVisible());
        EXPECT_EQ(panel->title(), area->panelChooser(c.chooser)->text());
        EXPECT_TRUE(panel->source().sameContent(sourceMotive));

        const TMotives expected = engineVariants(c, before);
        ASSERT_EQ(expected.size(), 3u);
        bool anyNotes = false;
        for (int i = 0; i < VARIANT_COUNT; ++i) {
            EXPECT_TRUE(panel->variant(i).sameContent(expected[std::size_t(i)])) << "variant " << i;
            anyNotes = anyNotes || !panel->variant(i).notes().empty();
            EXPECT_EQ(panel->canvas(i)->modeNumber(),
                      c.relative ? TUMotiveCanvas::MODE_NEW_CHORD : TUMotiveCanvas::MODE_CHORD);
        }
        EXPECT_TRUE(anyNotes);
        EXPECT_TRUE(panel->noteText().isEmpty());
        // The source itself stays as it was.
        EXPECT_EQ(sourceMotive.notes().size(), 4u);
    }
}

TEST_F(DevelopmentArea, MoreIsOfferedExactlyByTheSixRandomTechniques) {
    for (const TChooserCase& c : CHOOSER_CASES) {
        TEffectMotivePanel* panel = area->effectPanel(c.panel);
        EXPECT_EQ(panel->hasMore(), c.hasMore) << c.chooser;
        EXPECT_EQ(panel->moreButton() != nullptr, c.hasMore);
        EXPECT_EQ(panel->playAllButton()->caption(), "Play all");
        EXPECT_FALSE(panel->playAllButton()->toolTip().isEmpty());
        if (c.hasMore) {
            EXPECT_EQ(panel->moreButton()->caption(), "More");
            EXPECT_FALSE(panel->moreButton()->toolTip().isEmpty());
        }
        for (int i = 0; i < VARIANT_COUNT; ++i) {
            EXPECT_EQ(panel->playButton(i)->caption(), "Play");
            EXPECT_FALSE(panel->playButton(i)->toolTip().isEmpty());
            EXPECT_FALSE(panel->canvas(i)->toolTip().isEmpty());
            EXPECT_FALSE(panel->slot(i)->dragHandle()->toolTip().isEmpty());
            EXPECT_EQ(panel->slot(i)->dragHandle()->source(), panel->canvas(i));
        }
    }
}

TEST_F(DevelopmentArea, MoreKeepsTheEarlierVariantsOneBackStepAway) {
    for (int panelIndex : {TDevelopmentArea::VARIATION, TDevelopmentArea::REL_VARIATION}) {
        SCOPED_TRACE(panelIndex);
        TEffectMotivePanel* panel = area->effectPanel(panelIndex);
        panel->setSource(sourceMotive, 0);
        std::vector<TMotive> first;
        for (int i = 0; i < VARIANT_COUNT; ++i)
            first.push_back(panel->variant(i));

        QTest::mousePress(panel->moreButton(), Qt::LeftButton);
        QTest::mouseRelease(panel->moreButton(), Qt::LeftButton);
        bool changed = false;
        for (int i = 0; i < VARIANT_COUNT; ++i)
            changed = changed || !panel->variant(i).sameContent(first[std::size_t(i)]);
        EXPECT_TRUE(changed);
        // "More" plays the new variants at once.
        EXPECT_GT(service.motivePlayer().queuedCount(), 0);
        service.motivePlayer().stop();

        for (int i = 0; i < VARIANT_COUNT; ++i) {
            TUMotiveCanvas* canvas = panel->canvas(i);
            ASSERT_TRUE(canvas->backEnabled());
            canvas->buttonPressed(nullptr); // no button: nothing moves
            QTest::mouseClick(canvas, Qt::LeftButton, {}, TUMotiveCanvas::BACK_BUTTON.center());
            EXPECT_TRUE(panel->variant(i).sameContent(first[std::size_t(i)])) << i;
        }
    }
}

TEST_F(DevelopmentArea, PlayAllQueuesTheThreeVariantsInOrderWithTheirCanvasesListening) {
    TEffectMotivePanel* panel = area->effectPanel(TDevelopmentArea::SEQUENCE_UP);
    panel->setSource(sourceMotive, 0);
    QTest::mousePress(panel->playAllButton(), Qt::LeftButton);
    QTest::mouseRelease(panel->playAllButton(), Qt::LeftButton);

    EXPECT_EQ(service.motivePlayer().queuedCount(), 3);
    std::vector<TMotivePlayerListener*> listeners;
    for (const TPlayUnit& unit : service.motivePlayer().allUnits())
        if (unit.listener != nullptr && (listeners.empty() || listeners.back() != unit.listener))
            listeners.push_back(unit.listener);
    const std::vector<TMotivePlayerListener*> expected = {panel->canvas(0)->playerListener(),
                                                          panel->canvas(1)->playerListener(),
                                                          panel->canvas(2)->playerListener()};
    EXPECT_EQ(listeners, expected);
    // The keyboard presses it too.
    service.motivePlayer().stop();
    panel->playAllButton()->setFocus();
    QTest::keyClick(panel->playAllButton(), Qt::Key_Space);
    EXPECT_EQ(service.motivePlayer().queuedCount(), 3);
}

TEST_F(DevelopmentArea, APlayButtonPlaysItsVariantAndAnEmptyVariantStaysSilent) {
    TEffectMotivePanel* panel = area->effectPanel(TDevelopmentArea::REPEAT);
    // An octave up leaves the range for a high motive: that variant is empty.
    TMotive high = upbeatMotive();
    high.notes() = {TNote(180, 33, 60), TNote(240, 34, 180)};
    panel->setSource(high, 0);
    ASSERT_FALSE(panel->variant(0).notes().empty());
    ASSERT_TRUE(panel->variant(2).notes().empty());

    QTest::mousePress(panel->playButton(2), Qt::LeftButton);
    EXPECT_EQ(service.motivePlayer().queuedCount(), 0);
    QTest::mousePress(panel->playButton(0), Qt::LeftButton);
    EXPECT_EQ(service.motivePlayer().queuedCount(), 1);
    playUntilLit(panel->variant(0));
    EXPECT_TRUE(anyHighlighted(panel->variant(0)));
}

TEST_F(DevelopmentArea, APlayingVariantStopsCleanlyWhenItsPanelIsRefilledHiddenOrReMetered) {
    TEffectMotivePanel* panel = area->effectPanel(TDevelopmentArea::SEQUENCE_UP);
    area->show();
    area->selectPanel(2);
    const std::vector<std::function<void()>> interruptions = {
        [&] { panel->setSource(sourceMotive, 0); },
        [&] { area->selectPanel(3); },
        [&] { area->setMeter(TMeasure(3, 120), TKey(0, MAJOR), 0); },
    };
    for (std::size_t k = 0; k < interruptions.size(); ++k) {
        SCOPED_TRACE(k);
        area->selectPanel(2);
        panel->setSource(sourceMotive, 0);
        panel->playVariant(0);
        playUntilLit(panel->variant(0));
        ASSERT_GT(service.soundingNotes(), 0);
        ASSERT_TRUE(anyHighlighted(panel->variant(0)));

        interruptions[k]();
        EXPECT_EQ(service.soundingNotes(), 0);
        EXPECT_EQ(service.motivePlayer().queuedCount(), 0);
        EXPECT_TRUE(service.motivePlayer().allUnits().empty());
        for (int i = 0; i < VARIANT_COUNT; ++i)
            EXPECT_FALSE(anyHighlighted(panel->variant(i)));
        // Messages that were still on their way find nothing lit afterwards either.
        QCoreApplication::sendPostedEvents(&service.messageWindow());
        EXPECT_FALSE(anyHighlighted(panel->variant(0)));
    }
    // A motive of another canvas keeps playing when a panel that plays nothing is refilled.
    area->selectPanel(2);
    panel->setSource(sourceMotive, 0);
    service.motivePlayer().play(sourceMotive, sourceCanvas->playerListener());
    panel->setSource(sourceMotive, 0);
    area->selectPanel(3);
    EXPECT_EQ(service.motivePlayer().queuedCount(), 1);
    EXPECT_FALSE(service.motivePlayer().allUnits().empty());
}

TEST_F(DevelopmentArea, SlotsStandSideBySideAndAWideMeterScrollsWithTheButtonsInSight) {
    TEffectMotivePanel* panel = area->effectPanel(TDevelopmentArea::VARIATION);
    area->show();
    area->selectPanel(6);
    const int slotWidth = panel->slot(0)->width();
    for (int i = 0; i < VARIANT_COUNT; ++i) {
        EXPECT_EQ(panel->slot(i)->pos(), QPoint(6 + i * (slotWidth + 5), 6));
        const QRect play = panel->playButton(i)->geometry();
        EXPECT_EQ(play.right(), panel->slot(i)->geometry().right());
        EXPECT_GT(play.top(), panel->slot(i)->geometry().bottom());
        EXPECT_LE(play.bottom(), 215);
    }
    EXPECT_GT(panel->moreButton()->x(), panel->slot(2)->geometry().right());

    // Three 4/4 canvases are wider than the panel: it scrolls sideways, and the scroll bar
    // leaves the play buttons in sight.
    area->setMeter(TMeasure(4, 120), TKey(), 0);
    auto* scroller = panel->findChild<QScrollArea*>();
    ASSERT_NE(scroller, nullptr);
    QCoreApplication::processEvents();
    EXPECT_TRUE(scroller->horizontalScrollBar()->isVisible());
    for (int i = 0; i < VARIANT_COUNT; ++i)
        EXPECT_LE(panel->playButton(i)->geometry().bottom(), scroller->viewport()->height() - 1);
}

TEST_F(DevelopmentArea, AMeterChangeEmptiesEverySlotAndItsHistory) {
    for (const TChooserCase& c : CHOOSER_CASES)
        area->effectPanel(c.panel)->setSource(sourceMotive, 0);
    area->effectPanel(TDevelopmentArea::VARIATION)->more();
    service.motivePlayer().stop();
    const int beforeWidth = area->effectCanvas(0)->width();

    area->setMeter(TMeasure(3, 120), TKey(1, MAJOR), 0);
    for (int id = 0; id < TDevelopmentArea::EFFECT_CANVAS_COUNT; ++id) {
        TUMotiveCanvas* canvas = area->effectCanvas(id);
        ASSERT_NE(canvas, nullptr);
        EXPECT_EQ(canvas->canvasId(), id);
        EXPECT_TRUE(canvas->motive().isEmpty()) << id;
        EXPECT_FALSE(canvas->backEnabled()) << id;
        EXPECT_EQ(canvas->motive().measure(), TMeasure(3, 120));
        EXPECT_EQ(canvas->motive().zatakt(), 0);
        // The canvas is as wide as a 3/4 measure now.
        EXPECT_EQ(canvas->width(), TCanvasGeometry(TMeasure(3, 120), 0).canvasWidth());
    }
    EXPECT_NE(area->effectCanvas(0)->width(), beforeWidth);
    // Chords chosen for an emptied relative variant do not bring back the old design.
    auto* relative =
        static_cast<THarmEffectPanel*>(area->effectPanel(TDevelopmentArea::REL_REPEAT));
    TChord chord = sourceMotive.chords()[0];
    chord.setTime(0);
    relative->variant(0).chords() = {chord};
    relative->motiveHarmonised(relative->canvas(0));
    relative->more();
    for (int i = 0; i < VARIANT_COUNT; ++i)
        EXPECT_TRUE(relative->variant(i).notes().empty()) << i;
}

TEST_F(DevelopmentArea, PanelsAreBuiltWhenFirstAskedForWithTheMeterAndWidthOfTheirTime) {
    // Nothing of the forty-two canvases is built until a panel is asked for.
    EXPECT_EQ(area->builtEffectPanels(), 0);
    area->resize(1200, area->height());
    area->show();
    area->setMeter(TMeasure(3, 120), TKey(1, MAJOR), 0);
    EXPECT_EQ(area->builtEffectPanels(), 0);

    // Pressing a chooser builds and shows its panel only, empty in the meter set before.
    QTest::mouseClick(area->panelChooser(9), Qt::LeftButton);
    EXPECT_EQ(area->builtEffectPanels(), 1);
    TEffectMotivePanel* panel = area->effectPanel(TDevelopmentArea::REL_REPEAT);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->width(), 1200);
    for (int i = 0; i < VARIANT_COUNT; ++i) {
        EXPECT_EQ(panel->variant(i).measure(), TMeasure(3, 120)) << i;
        EXPECT_EQ(panel->variant(i).zatakt(), 0) << i;
        EXPECT_EQ(panel->canvas(i)->canvasId(), TDevelopmentArea::REL_REPEAT * VARIANT_COUNT + i);
        EXPECT_EQ(panel->canvas(i)->width(), TCanvasGeometry(TMeasure(3, 120), 0).canvasWidth());
    }
    // A panel built while another is shown stays hidden; asking again gives the same panel.
    TEffectMotivePanel* other = area->effectPanel(TDevelopmentArea::PIECE);
    EXPECT_FALSE(other->isVisible());
    EXPECT_EQ(area->effectPanel(TDevelopmentArea::PIECE), other);
    EXPECT_EQ(area->builtEffectPanels(), 2);
    EXPECT_EQ(area->effectCanvas(TDevelopmentArea::PIECE * VARIANT_COUNT + 1), other->canvas(1));
}

TEST_F(DevelopmentArea, ATechniqueWithoutVariantsLeavesTheSlotsEmptyAndSaysSo) {
    TEffectMotivePanel* panel = area->effectPanel(TDevelopmentArea::PIECE);
    panel->setSource(sourceMotive, 0);
    ASSERT_FALSE(panel->variant(0).notes().empty());

    TMotive oneNote = upbeatMotive();
    oneNote.notes() = {TNote(180, 20, 240)};
    TUMotiveCanvas oneNoteCanvas(nullptr, service, oneNote);
    TDragged oneNoteHandle(nullptr, &oneNoteCanvas);
    ASSERT_TRUE(dropOn(*area->panelChooser(12), oneNoteHandle));
    for (int i = 0; i < VARIANT_COUNT; ++i) {
        EXPECT_TRUE(panel->variant(i).isEmpty()) << i;
        EXPECT_FALSE(panel->canvas(i)->backEnabled());
    }
    EXPECT_EQ(panel->noteText(), "This technique gives no variants for this motive.");

    // The next source with variants clears the line again.
    panel->setSource(sourceMotive, 0);
    EXPECT_TRUE(panel->noteText().isEmpty());
}

TEST_F(DevelopmentArea, DropsFromAnythingButAMotiveCanvasHandleAreRefused) {
    TPanelChooser* chooser = area->panelChooser(2);
    QWidget notACanvas;
    TDragged strayHandle(nullptr, &notACanvas);
    TDragged orphanHandle(nullptr, nullptr);
    EXPECT_FALSE(dropOn(*chooser, strayHandle));
    EXPECT_FALSE(dropOn(*chooser, orphanHandle));
    EXPECT_FALSE(dropForeign(*chooser));
    EXPECT_FALSE(chooser->isPressed());
    EXPECT_FALSE(area->effectPanel(TDevelopmentArea::SEQUENCE_UP)->hasSource());

    // A variant of another panel is a motive canvas like any other.
    area->effectPanel(TDevelopmentArea::REPEAT)->setSource(sourceMotive, 0);
    EXPECT_TRUE(
        dropOn(*chooser, *area->effectPanel(TDevelopmentArea::REPEAT)->slot(0)->dragHandle()));
    EXPECT_TRUE(area->effectPanel(TDevelopmentArea::SEQUENCE_UP)
                    ->source()
                    .sameContent(area->effectPanel(TDevelopmentArea::REPEAT)->variant(0)));
}

TEST_F(DevelopmentArea, DroppingAVariantOnItsOwnChooserDevelopsItFurther) {
    TEffectMotivePanel* panel = area->effectPanel(TDevelopmentArea::SEQUENCE_UP);
    panel->setSource(sourceMotive, 0);
    const TMotive firstVariant = panel->variant(0);
    ASSERT_TRUE(dropOn(*area->panelChooser(2), *panel->slot(0)->dragHandle()));
    EXPECT_TRUE(panel->source().sameContent(firstVariant));
    ASSERT_EQ(panel->variant(0).notes().size(), firstVariant.notes().size());
    EXPECT_EQ(panel->variant(0).notes()[0].pitch(), firstVariant.notes()[0].pitch() + 1);
}

TEST_F(DevelopmentArea, RelativeVariantsFollowTheChordsChosenForOneOfThem) {
    auto* panel = static_cast<THarmEffectPanel*>(area->effectPanel(TDevelopmentArea::REL_REPEAT));
    TMotive unharmonised = sourceMotive;
    unharmonised.chords().clear();
    panel->setSource(unharmonised, 0);
    // Without chords the variants show the source and wait.
    EXPECT_TRUE(panel->variant(1).sameContent(unharmonised));
    EXPECT_EQ(panel->noteText(), "Choose chords under a variant: the variants are built on them.");

    // The user starts choosing chords in variant 2: all three lose their notes...
    panel->motiveEditStarted(panel->canvas(1));
    for (int i = 0; i < VARIANT_COUNT; ++i)
        EXPECT_TRUE(panel->variant(i).notes().empty()) << i;
    // ...and once it holds a chord per measure, all three are rebuilt under its chords.
    panel->variant(1).chords() = sourceMotive.chords();
    panel->motiveHarmonised(panel->canvas(1));
    for (int i = 0; i < VARIANT_COUNT; ++i) {
        EXPECT_EQ(panel->variant(i).chords().size(), 2u) << i;
    }
    EXPECT_FALSE(panel->variant(0).notes().empty());
    EXPECT_TRUE(panel->noteText().isEmpty());
}

// Where a press on a variant's canvas lands: on its staff, or on its chord strip.
const QPoint ON_STAFF(120, 60);
const QPoint ON_CHORD_STRIP(120, (TCanvasGeometry::CHORD_STRIP_TOP + TCanvasGeometry::HEIGHT) / 2);

// Presses the canvas at `at`, hands back what the press made of the variant, and releases.
struct TPressed {
    bool notesModel;  // the choice offers notes
    bool chordsModel; // the choice offers chords
    bool choosingNotes;
    TMotive during; // the variant while the choice is open
};

TPressed pressAndRelease(TUMotiveCanvas& canvas, QPoint at) {
    QTest::mousePress(&canvas, Qt::LeftButton, {}, at);
    TPressed pressed{};
    if (const TVariantModel* model = canvas.variantModel()) {
        pressed.notesModel = model->offersNotes();
        pressed.chordsModel = model->offersChords();
    }
    pressed.choosingNotes = canvas.choosingNotes();
    pressed.during = canvas.motive();
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, at);
    return pressed;
}

TEST_F(DevelopmentArea, ASimpleVariantTakesChordsUnderItsNotesThenNotesOverItsChords) {
    TEffectMotivePanel* panel = area->effectPanel(TDevelopmentArea::SEQUENCE_UP);
    panel->setSource(sourceMotive, 0);
    TUMotiveCanvas& canvas = *panel->canvas(0);
    const TNoteList melody = panel->variant(0).notes();
    ASSERT_TRUE(panel->variant(0).chords().empty()) << "a simple variant is melody only";
    EXPECT_EQ(canvas.modeNumber(), TUMotiveCanvas::MODE_CHORD);

    // Without chords a press anywhere offers chords under the notes.
    TPressed pressed = pressAndRelease(canvas, ON_STAFF);
    EXPECT_TRUE(pressed.chordsModel);
    EXPECT_FALSE(pressed.notesModel);
    EXPECT_EQ(pressed.during.notes(), melody);

    // With a chord for each measure part, the staff offers notes over the chords...
    panel->variant(0).chords() = sourceMotive.chords();
    pressed = pressAndRelease(canvas, ON_STAFF);
    EXPECT_TRUE(pressed.notesModel);
    EXPECT_FALSE(pressed.chordsModel);
    EXPECT_TRUE(pressed.choosingNotes);
    EXPECT_TRUE(pressed.during.notes().empty());
    EXPECT_EQ(pressed.during.chords().size(), 2u);
    EXPECT_FALSE(canvas.choosingNotes()) << "the release ends the note choice";

    // ...while the chord strip still offers chords under the notes, in the slot's own mode.
    panel->variant(0).notes() = melody;
    pressed = pressAndRelease(canvas, ON_CHORD_STRIP);
    EXPECT_TRUE(pressed.chordsModel);
    EXPECT_FALSE(pressed.notesModel);
    EXPECT_EQ(pressed.during.notes(), melody);
    EXPECT_EQ(canvas.modeNumber(), TUMotiveCanvas::MODE_CHORD);
}

TEST_F(DevelopmentArea, NotesChosenForARelativeVariantLeaveTheOtherVariantsAlone) {
    TEffectMotivePanel* panel = area->effectPanel(TDevelopmentArea::REL_SEQUENCE_UP);
    panel->setSource(sourceMotive, 0);
    ASSERT_FALSE(panel->variant(1).notes().empty());
    const TNoteList second = panel->variant(1).notes();
    const TNoteList third = panel->variant(2).notes();

    const TPressed pressed = pressAndRelease(*panel->canvas(0), ON_STAFF);
    EXPECT_TRUE(pressed.notesModel);
    EXPECT_EQ(pressed.during.chords().size(), 2u);
    EXPECT_EQ(panel->variant(1).notes(), second);
    EXPECT_EQ(panel->variant(2).notes(), third);

    // Choosing chords on the chord strip starts all three again, as before.
    pressAndRelease(*panel->canvas(0), ON_CHORD_STRIP);
    EXPECT_TRUE(panel->variant(1).notes().empty());
    EXPECT_TRUE(panel->variant(2).notes().empty());
}

} // namespace
