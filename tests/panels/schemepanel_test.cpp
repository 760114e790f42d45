#include "panelstesting.h"

#include "canvas/umotivecanvas.h"
#include "engine/schemecommand.h"
#include "panels/deleter.h"
#include "panels/developmentarea.h"
#include "panels/gatherer.h"
#include "panels/groupbuttons.h"
#include "panels/modechooser.h"
#include "panels/panelchooser.h"
#include "panels/rythmset.h"
#include "panels/schemepanel.h"
#include "panels/turnroundset.h"
#include "widgets/hintpanel.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A motive of quarter notes over one 2/4 measure, without upbeat.
TMotive quarterNotes() {
    TMotive motive(TKey(-2, MINOR), TMeasure(2, 120));
    motive.notes() = {TNote(0, 22, 120), TNote(120, 24, 120)};
    return motive;
}

// Durations, turns and their modes of a scheme.
struct TSchemeState {
    TDurations durations;
    bool durationsInOrder;
    TTurns turns;
    bool turnsInOrder;
    bool operator==(const TSchemeState&) const = default;
};

TSchemeState stateOf(const TScheme& scheme) {
    return {scheme.durations(), scheme.durationsInOrder(), scheme.turns(), scheme.turnsInOrder()};
}

void setState(TScheme& scheme, const TSchemeState& state) {
    scheme.setDurations(state.durations, state.durationsInOrder, true);
    scheme.setTurns(state.turns, state.turnsInOrder, true);
}

int numberOfLabelsShown(const TGatherer& gatherer) {
    int shown = 0;
    for (int i = 0; gatherer.numberLabel(i) != nullptr; ++i)
        shown += gatherer.numberLabel(i)->isHidden() ? 0 : 1;
    return shown;
}

TCommonSet& setOf(TSchemePanel& panel, int command) {
    if (command < FIRST_PITCH_COMMAND)
        return *panel.rythmSet();
    return *panel.pitchSet();
}

class SchemePanel : public ::testing::Test {
protected:
    void SetUp() override {
        panel = std::make_unique<TSchemePanel>(nullptr, service, service.scheme());
        source = harmonisedMelody();
        sourceCanvas = std::make_unique<TUMotiveCanvas>(nullptr, service, source);
        sourceHandle = std::make_unique<TDragged>(nullptr, sourceCanvas.get());
    }

    TRythmGatherer& rhythm() { return *panel->rythmSet()->rythmGatherer(); }
    TTurnRoundGatherer& turns() { return *panel->pitchSet()->turnGatherer(); }

    TPanelsService service;
    std::unique_ptr<TSchemePanel> panel;
    TMotive source;
    std::unique_ptr<TUMotiveCanvas> sourceCanvas;
    std::unique_ptr<TDragged> sourceHandle;
};

} // namespace

TEST_F(SchemePanel, EachCommandButtonChangesTheSchemeExactlyAsTheEngineDoes) {
    // A twin scheme that draws from its own generator in the same initial state.
    TRandomGenerator twinRandom;
    TScheme twin(twinRandom);
    const TMeasure measure = service.period().measure();
    for (int mode : {0, 1}) {
        for (int command = 0; command < SCHEME_COMMAND_COUNT; ++command) {
            const TSchemeState start{{60, 60, 120, -60, 30, 30, 90},
                                     mode == 1,
                                     {PASSING, REPETITION, CHORD_LEAP_2, PASSING},
                                     mode == 1};
            for (TScheme* scheme : {&service.scheme(), &twin}) {
                setState(*scheme, start);
                scheme->rhythmContrastMotive() = quarterNotes();
                scheme->pitchContrastMotive() = harmonisedMelody();
            }
            TFlatButtonWithID* button = setOf(*panel, command).buttonOfCommand(command);
            ASSERT_NE(button, nullptr) << command;
            EXPECT_EQ(button->id(), command);
            EXPECT_EQ(button->toolTip().toStdString(),
                      service.messageBundle().text(schemeCommandKey(command)));

            QTest::mouseClick(button, Qt::LeftButton);
            const int shown = twin.runCommand(command, measure, mode == 1);

            EXPECT_EQ(stateOf(service.scheme()), stateOf(twin)) << "command " << command;
            // Both generators drew the same numbers: the next draws agree.
            EXPECT_EQ(service.random().draw(1000), twinRandom.draw(1000)) << command;
            // The gatherers show what the scheme holds.
            EXPECT_EQ(rhythm().values(), service.scheme().durations()) << command;
            EXPECT_EQ(turns().values(), service.scheme().turns()) << command;
            TCommonSet& set = setOf(*panel, command);
            if (shown >= 0) {
                ASSERT_NE(set.pressedButton(), nullptr) << command;
                EXPECT_EQ(set.pressedButton()->id(), shown);
                EXPECT_TRUE(set.pressedButton()->isPressed());
            }
        }
    }
}

TEST_F(SchemePanel, ContrastToQuarterNotesGeneratesShortDurationsAndShowsThemPressed) {
    TRythmSet& set = *panel->rythmSet();
    service.scheme().rhythmContrastMotive() = quarterNotes();
    QTest::mouseClick(set.buttonOfCommand(CONTRAST_SHORT_LONG), Qt::LeftButton);
    ASSERT_EQ(set.pressedButton(), set.buttonOfCommand(SHORT_DURATIONS));
    EXPECT_TRUE(set.buttonOfCommand(SHORT_DURATIONS)->isPressed());
    EXPECT_FALSE(set.buttonOfCommand(CONTRAST_SHORT_LONG)->isPressed());
    for (DURATION d : service.scheme().durations())
        EXPECT_LT(d, 120);

    // Another command of the set puts the light out; the pitch set keeps its own.
    QTest::mouseClick(panel->pitchSet()->buttonOfCommand(CONTRAST_CHORD_TURNS), Qt::LeftButton);
    EXPECT_NE(panel->pitchSet()->pressedButton(), nullptr);
    EXPECT_EQ(set.pressedButton(), set.buttonOfCommand(SHORT_DURATIONS));
    QTest::mouseClick(set.buttonOfCommand(DEFAULT_DURATIONS), Qt::LeftButton);
    EXPECT_EQ(set.pressedButton(), nullptr);
    EXPECT_FALSE(set.buttonOfCommand(SHORT_DURATIONS)->isPressed());
    EXPECT_NE(panel->pitchSet()->pressedButton(), nullptr);
}

TEST_F(SchemePanel, CommandButtonsStandInFiveColumnsOfThreeAboveTheirSchemeRow) {
    for (TCommonSet* set :
         std::initializer_list<TCommonSet*>{panel->rythmSet(), panel->pitchSet()}) {
        for (int column = 0; column < 5; ++column) {
            const QRect top = set->commandButton(4 * column)->geometry();
            for (int row = 1; row < 4; ++row) {
                const QRect below = set->commandButton(4 * column + row)->geometry();
                EXPECT_EQ(below.left(), top.left());
                EXPECT_GT(below.top(),
                          set->commandButton(4 * column + row - 1)->geometry().bottom());
            }
            if (column > 0) {
                EXPECT_GT(top.left(), set->commandButton(4 * (column - 1))->geometry().right());
            }
        }
        // Commands sit right of the mode chooser and above the item row; nothing sticks out.
        for (int position = 0; position < TCommonSet::COMMAND_COUNT; ++position) {
            const QRect r = set->commandButton(position)->geometry();
            EXPECT_GT(r.left(), set->modeChooser()->geometry().right());
            EXPECT_LT(r.bottom(), set->items().front()->y());
            EXPECT_LE(r.right(), set->width());
        }
        EXPECT_EQ(set->deleter()->y(), set->gatherer()->geometry().bottom() + 1);
        EXPECT_LE(set->deleter()->geometry().bottom(), set->height());
        EXPECT_EQ(set->gatherer()->width(), set->deleter()->width());
    }
    EXPECT_EQ(panel->rythmSet()->geometry(), TSchemePanel::RYTHM_SET_PLACE);
    EXPECT_EQ(panel->pitchSet()->geometry(), TSchemePanel::PITCH_SET_PLACE);
}

TEST_F(SchemePanel, TheItemRowsHoldTheDurationsAndTheNineTurnsWithTheirHandles) {
    TRythmSet& rhythmSet = *panel->rythmSet();
    const DURATION order[] = {240, 210, 180, 150, 120, 90, 60, 30};
    int x = -1;
    for (DURATION d : order) {
        TGroupButton* item = rhythmSet.item(d);
        ASSERT_NE(item, nullptr) << d;
        EXPECT_FALSE(item->isHidden());
        EXPECT_GT(item->x(), x);
        x = item->x();
        EXPECT_EQ(rhythmSet.itemHandle(d)->source(), item);
        EXPECT_TRUE(rhythmSet.item(DURATION(-d))->isHidden());
        EXPECT_TRUE(rhythmSet.itemHandle(DURATION(-d))->isHidden());
    }
    EXPECT_EQ(rhythmSet.itemHandle(45), nullptr);
    TTurnRoundSet& pitchSet = *panel->pitchSet();
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(static_cast<TTurnRoundButton*>(pitchSet.itemHandle(i)->source())->value(), i + 1);
    EXPECT_EQ(pitchSet.itemHandle(9), nullptr);
}

TEST_F(SchemePanel, TheModeChooserSwitchesTheGathererAndTheScheme) {
    TRythmSet& set = *panel->rythmSet();
    service.scheme().setDurations({120, -60, 60, 120, 30}, true, true);
    EXPECT_EQ(set.modeChooser()->mode(), TModeChooser::IN_ORDER_MODE);
    EXPECT_TRUE(set.modeChooser()->inOrderButton()->isChecked());
    EXPECT_TRUE(set.restsButton()->isEnabled());
    set.showRests(true);
    EXPECT_FALSE(set.item(-60)->isHidden());

    QTest::mouseClick(set.modeChooser()->setButton(), Qt::LeftButton);
    // The rests and the repeated quarter leave; the scheme holds the rest sorted.
    EXPECT_EQ(rhythm().values(), (std::vector<DURATION>{120, 60, 30}));
    EXPECT_EQ(service.scheme().durations(), (TDurations{30, 60, 120}));
    EXPECT_FALSE(service.scheme().durationsInOrder());
    EXPECT_TRUE(set.modeChooser()->setButton()->isChecked());
    EXPECT_FALSE(set.modeChooser()->inOrderButton()->isChecked());
    // Rests have no place in a set: the row shows the notes and the switch is off.
    EXPECT_FALSE(set.showsRests());
    EXPECT_FALSE(set.restsButton()->isEnabled());
    EXPECT_TRUE(set.item(-60)->isHidden());

    // Pressing the button that is down changes nothing.
    QTest::mouseClick(set.modeChooser()->setButton(), Qt::LeftButton);
    EXPECT_TRUE(set.modeChooser()->setButton()->isChecked());
    // Inverting is only for a scheme in order.
    QTest::mouseClick(set.buttonOfCommand(INVERT_DURATIONS), Qt::LeftButton);
    EXPECT_EQ(service.scheme().durations(), (TDurations{30, 60, 120}));

    QTest::mouseClick(set.modeChooser()->inOrderButton(), Qt::LeftButton);
    EXPECT_TRUE(service.scheme().durationsInOrder());
    EXPECT_EQ(numberOfLabelsShown(rhythm()), 3);

    // The pitch set keeps its own mode.
    TTurnRoundSet& pitch = *panel->pitchSet();
    service.scheme().setTurns({PASSING, PASSING, NEIGHBOUR}, true, true);
    QTest::mouseClick(pitch.modeChooser()->setButton(), Qt::LeftButton);
    EXPECT_EQ(service.scheme().turns(), (TTurns{PASSING, NEIGHBOUR}));
    EXPECT_FALSE(service.scheme().turnsInOrder());
    EXPECT_TRUE(service.scheme().durationsInOrder());
}

TEST_F(SchemePanel, EveryChangeOfTheSchemeShowsInTheGatherersAndChoosers) {
    service.scheme().setDurations({90, 30, 30}, false, true);
    EXPECT_EQ(rhythm().values(), (std::vector<DURATION>{30, 30, 90}));
    EXPECT_EQ(rhythm().mode(), TGroup::SET);
    EXPECT_EQ(panel->rythmSet()->modeChooser()->mode(), TModeChooser::SET_MODE);
    service.scheme().clearTurns();
    EXPECT_TRUE(turns().values().empty());
    service.scheme().setTurns({ESCAPE, REPETITION}, true, true);
    EXPECT_EQ(turns().values(), (std::vector<TURN_ROUND>{ESCAPE, REPETITION}));
    EXPECT_EQ(panel->pitchSet()->modeChooser()->mode(), TModeChooser::IN_ORDER_MODE);
}

TEST_F(SchemePanel, DraggingDurationsFromTheRowBuildsTheRhythmAndTheDeleterTakesThemOut) {
    TRythmSet& set = *panel->rythmSet();
    service.scheme().setDurations({}, true, true);
    // Ctrl-click selects several; the drag takes them all, in row order.
    QTest::mouseClick(set.item(60), Qt::LeftButton);
    QTest::mouseClick(set.item(240), Qt::LeftButton, Qt::ControlModifier);
    ASSERT_TRUE(dropOn(rhythm(), *set.itemHandle(60)));
    EXPECT_EQ(service.scheme().durations(), (TDurations{240, 60}));
    EXPECT_TRUE(set.itemGroup().selected().empty());
    // A drop on an item inserts before it.
    ASSERT_TRUE(dropOn(*rhythm().group().items()[1], *set.itemHandle(30)));
    EXPECT_EQ(service.scheme().durations(), (TDurations{240, 30, 60}));
    EXPECT_TRUE(service.scheme().durationsInOrder());
    EXPECT_FALSE(rhythm().takenFromMotive());

    // Rests join only a scheme in order.
    set.showRests(true);
    ASSERT_TRUE(dropOn(rhythm(), *set.itemHandle(-30)));
    EXPECT_EQ(service.scheme().durations(), (TDurations{240, 30, 60, -30}));

    // Two selected items go to the deleter with the one dragged.
    rhythm().group().items()[0]->setSelected(true);
    rhythm().group().items()[3]->setSelected(true);
    ASSERT_TRUE(dropOn(*set.deleter(), *rhythm().handle(1)));
    EXPECT_EQ(service.scheme().durations(), (TDurations{60}));

    // The turn items belong to the other gatherer.
    EXPECT_FALSE(dropOn(rhythm(), *panel->pitchSet()->itemHandle(0)));
    service.scheme().setTurns({PASSING}, true, true);
    EXPECT_TRUE(dropOn(turns(), *panel->pitchSet()->itemHandle(4)));
    EXPECT_EQ(service.scheme().turns().back(), TURN_ROUND(5));
}

TEST_F(SchemePanel, TheKeyboardAddsItemsWithEnterAndRemovesThemWithDelete) {
    TRythmSet& set = *panel->rythmSet();
    service.scheme().setDurations({}, true, true);
    QTest::keyClick(set.item(240), Qt::Key_Space);
    QTest::keyClick(set.item(60), Qt::Key_Space, Qt::ControlModifier);
    QTest::keyClick(set.item(30), Qt::Key_Return);
    EXPECT_EQ(service.scheme().durations(), (TDurations{240, 60, 30}));
    rhythm().group().items()[2]->setSelected(true);
    QTest::keyClick(rhythm().group().items()[0], Qt::Key_Delete);
    EXPECT_EQ(service.scheme().durations(), (TDurations{60}));

    // The mode chooser's buttons and the command buttons take the keyboard too.
    QTest::keyClick(set.modeChooser()->setButton(), Qt::Key_Space);
    EXPECT_FALSE(service.scheme().durationsInOrder());
    QTest::keyClick(set.buttonOfCommand(CLEAR_DURATIONS), Qt::Key_Return);
    EXPECT_TRUE(service.scheme().durations().empty());
}

TEST_F(SchemePanel, ASchemeSourceLoadsBothSchemesInOrderAndAContrastSourceBothFigures) {
    service.scheme().setDurations({30, 60}, false, true);
    panel->setSource(source, TSchemePanel::SCHEME_MODE);
    EXPECT_EQ(service.scheme().durations(), source.rhythm());
    EXPECT_TRUE(service.scheme().durationsInOrder());
    EXPECT_TRUE(service.scheme().turnsInOrder());
    EXPECT_FALSE(service.scheme().turns().empty());
    EXPECT_EQ(rhythm().values(), source.rhythm());
    EXPECT_TRUE(rhythm().takenFromMotive());
    EXPECT_EQ(panel->rythmSet()->modeChooser()->mode(), TModeChooser::IN_ORDER_MODE);
    EXPECT_TRUE(service.scheme().rhythmContrastMotive().isEmpty());

    const TRect emptyFigure = panel->rythmSet()->contrastFigure()->glyph();
    panel->setSource(quarterNotes(), TSchemePanel::CONTRAST_MODE);
    EXPECT_TRUE(service.scheme().rhythmContrastMotive().sameContent(quarterNotes()));
    EXPECT_TRUE(service.scheme().pitchContrastMotive().sameContent(quarterNotes()));
    EXPECT_FALSE(panel->rythmSet()->contrastFigure()->glyph() == emptyFigure);
    EXPECT_FALSE(panel->pitchSet()->contrastFigure()->glyph() == emptyFigure);
    // The schemes stay as they were.
    EXPECT_EQ(service.scheme().durations(), source.rhythm());
}

TEST_F(SchemePanel, AMotiveDroppedOnAFigureOrShowButtonBecomesThatSetsMotiveForContrast) {
    EXPECT_FALSE(dropForeign(*panel->rythmSet()->contrastFigure()));
    EXPECT_FALSE(dropOn(*panel->rythmSet()->contrastFigure(), *panel->rythmSet()->itemHandle(60)));
    EXPECT_EQ(service.contrastChanges, 0);
    ASSERT_TRUE(dropOn(*panel->rythmSet()->contrastFigure(), *sourceHandle));
    EXPECT_TRUE(service.scheme().rhythmContrastMotive().sameContent(source));
    EXPECT_TRUE(service.scheme().pitchContrastMotive().isEmpty());
    ASSERT_TRUE(dropOn(*panel->pitchSet()->showButton(), *sourceHandle));
    EXPECT_TRUE(service.scheme().pitchContrastMotive().sameContent(source));
    // The fast menu's figures hear of each drop.
    EXPECT_EQ(service.contrastChanges, 2);
    // The dropped motive's own scheme is untouched by a contrast drop.
    EXPECT_FALSE(rhythm().takenFromMotive());
}

TEST_F(SchemePanel, TheVariantBeingChosenLightsTheSchemeElementItDrawsOn) {
    TRythmSet& set = *panel->rythmSet();
    service.scheme().setDurations({60, 120, 60}, true, true);
    set.showRhythmSelection(60, 2);
    const auto& items = rhythm().group().items();
    EXPECT_FALSE(items[0]->isHighlighted());
    EXPECT_TRUE(items[2]->isHighlighted());
    EXPECT_FALSE(items[2]->isSelected());

    service.scheme().setDurations({60, 120, 90}, false, true);
    // A set lights every item of the duration, whatever the index.
    set.showRhythmSelection(120, 0);
    EXPECT_TRUE(rhythm().group().items()[2]->isHighlighted());
    EXPECT_FALSE(rhythm().group().items()[0]->isHighlighted());
    set.showRhythmSelection(0, -1);
    for (const TGroupButton* item : rhythm().group().items())
        EXPECT_FALSE(item->isHighlighted());

    service.scheme().setTurns({PASSING, NEIGHBOUR}, true, true);
    panel->pitchSet()->showTurnSelection(1);
    EXPECT_TRUE(turns().group().items()[1]->isHighlighted());
    panel->pitchSet()->showTurnSelection(-1);
    EXPECT_FALSE(turns().group().items()[1]->isHighlighted());
}

TEST_F(SchemePanel, EveryControlHasItsHint) {
    for (TCommonSet* set :
         std::initializer_list<TCommonSet*>{panel->rythmSet(), panel->pitchSet()}) {
        EXPECT_EQ(set->contrastFigure()->toolTip().toStdString(),
                  service.messageBundle().text("motive for contrast"));
        EXPECT_EQ(set->showButton()->toolTip().toStdString(),
                  service.messageBundle().text("show motive for contrast"));
        EXPECT_FALSE(set->gatherer()->toolTip().isEmpty());
        EXPECT_FALSE(set->deleter()->toolTip().isEmpty());
        EXPECT_FALSE(set->modeChooser()->setButton()->toolTip().isEmpty());
        EXPECT_FALSE(set->modeChooser()->inOrderButton()->toolTip().isEmpty());
        for (int position = 0; position < TCommonSet::COMMAND_COUNT; ++position)
            EXPECT_FALSE(set->commandButton(position)->toolTip().isEmpty());
    }
}

TEST_F(SchemePanel, ItemsAreNamedInTheRowsAndInTheGatherers) {
    EXPECT_EQ(panel->rythmSet()->item(90)->toolTip(), "Pointed eighth");
    EXPECT_EQ(panel->rythmSet()->item(-240)->toolTip(), "Rest: Half");
    EXPECT_EQ(panel->pitchSet()->itemHandle(8)->source()->toolTip(), "Escape tone");
    service.scheme().setDurations({150, -30}, true, true);
    EXPECT_EQ(rhythm().group().items()[0]->toolTip(), "Quarter and sixteenth");
    EXPECT_EQ(rhythm().group().items()[1]->accessibleName(), "Rest: Sixteenth");
    service.scheme().setTurns({}, true, true);
    ASSERT_TRUE(dropOn(turns(), *panel->pitchSet()->itemHandle(0)));
    EXPECT_EQ(turns().group().items().back()->toolTip(), "Repetition");
}

TEST(SchemeChoosers, DroppingOnSchemeLoadsTheSchemesAndOnContrastTheMotivesForContrast) {
    TPanelsService service;
    auto* panel = new TSchemePanel(nullptr, service, service.scheme());
    TDevelopmentArea area(nullptr, service, service.scheme(), panel);
    area.setMeter(TMeasure(2, 120), TKey(-2, MINOR), 60);
    area.selectFirst();
    EXPECT_EQ(area.shownPanel(), panel);

    TMotive source = harmonisedMelody();
    TUMotiveCanvas canvas(nullptr, service, source);
    TDragged handle(nullptr, &canvas);
    area.selectPanel(TDevelopmentArea::SEQUENCE_UP_CHOOSER);
    ASSERT_TRUE(dropOn(*area.panelChooser(TDevelopmentArea::CONTRAST_CHOOSER), handle));
    EXPECT_EQ(area.shownPanel(), panel);
    EXPECT_TRUE(area.panelChooser(TDevelopmentArea::CONTRAST_CHOOSER)->isPressed());
    EXPECT_TRUE(service.scheme().rhythmContrastMotive().sameContent(source));
    EXPECT_TRUE(service.scheme().pitchContrastMotive().sameContent(source));
    EXPECT_NE(service.scheme().durations(), source.rhythm());

    ASSERT_TRUE(dropOn(*area.panelChooser(TDevelopmentArea::SCHEME_CHOOSER), handle));
    EXPECT_TRUE(area.panelChooser(TDevelopmentArea::SCHEME_CHOOSER)->isPressed());
    EXPECT_FALSE(area.panelChooser(TDevelopmentArea::CONTRAST_CHOOSER)->isPressed());
    EXPECT_EQ(service.scheme().durations(), source.rhythm());
    EXPECT_TRUE(service.scheme().durationsInOrder());
    EXPECT_EQ(panel->rythmSet()->rythmGatherer()->values(), source.rhythm());
}
