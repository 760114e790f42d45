#include "../engine/enginetesthelpers.h"
#include "panelstesting.h"

#include "canvas/colorpanellistener.h"
#include "canvas/umotivecanvas.h"
#include "engine/melodyrules.h"
#include "engine/schemecommand.h"
#include "engine/variantmodel.h"
#include "model/chordcatalogue.h"
#include "model/glyphatlas.h"
#include "panels/eventtranslater.h"
#include "panels/fastmenu.h"
#include "panels/fastschemepanel.h"
#include "panels/picturebutton.h"

#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <numeric>

namespace {

// A variant display that records what the canvas asks of it and, on close, leaves the motive
// with a chosen chord as the real view leaves the previewed variant.
class TRecordingDisplay : public TColorPanelListener {
public:
    void open(TScheme&, TVariantModel& model, int, int) override {
        opened = model.motive();
        ++opens;
    }
    void track(const TShiftState&, int x, int y) override { tracked.emplace_back(x, y); }
    void close() override {
        if (opened != nullptr && opened->chords().empty()) {
            TChord chosen = chordOfType("SUBDOMINANT_THREE_CHORD");
            chosen.setTime(0);
            opened->chords().push_back(chosen);
        }
        opened = nullptr;
        ++closes;
    }
    void setChoiceOwner(TVariantChoiceOwner*) override {}

    TMotive* opened = nullptr;
    int opens = 0;
    int closes = 0;
    std::vector<QPoint> tracked;
};

class TChoosingService : public TPanelsService {
public:
    TColorPanelListener* variantDisplay() override { return &display; }
    TRecordingDisplay display;
};

// The parts a motive's notes and rests fill, in ticks.
int filledTicks(const TMotive& motive, const TScheme& scheme) {
    const TDurations rhythm = scheme.durationsOfMotive(motive);
    return std::accumulate(rhythm.begin(), rhythm.end(), 0,
                           [](int sum, int d) { return sum + std::abs(d); });
}

class FastMenu : public ::testing::Test {
protected:
    FastMenu() {
        canvas.setCanvasId(CURRENT_CANVAS_ID);
        canvas.show();
        menu.showFor(&canvas);
    }

    void press(int command) { QTest::mousePress(menu.commandButton(command), Qt::LeftButton); }
    void release(int command) { QTest::mouseRelease(menu.commandButton(command), Qt::LeftButton); }
    // Plays the timer by hand and delivers the note events, until `done` or the motive ends.
    template <typename F> void playUntil(F done) {
        for (int tick = 0; tick < 400 && !done(); ++tick) {
            service.motivePlayer().tick();
            QCoreApplication::sendPostedEvents(&service.messageWindow());
        }
    }

    TChoosingService service;
    TMotive motive = harmonisedMelody();
    TUMotiveCanvas canvas{nullptr, service, motive};
    TFastMenu menu{nullptr, service};
};

TEST_F(FastMenu, IsASmallStayOnTopToolWindowUnderItsAnchor) {
    EXPECT_EQ(menu.windowTitle(), "Fast Menu");
    EXPECT_TRUE(menu.windowFlags().testFlag(Qt::Tool));
    EXPECT_TRUE(menu.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.anchor(), &canvas);
    EXPECT_EQ(menu.pos(), canvas.mapToGlobal(QPoint(0, canvas.height())));
    // No wider than a motive cell of the narrowest common meter plus its handle.
    EXPECT_LE(menu.width(), canvas.width() + 11);
    EXPECT_LE(menu.height(), canvas.height() + 20);
}

TEST_F(FastMenu, EveryControlHasAHintFromTheBundleAndTakesTheKeyboardFocus) {
    ASSERT_EQ(menu.controlCount(),
              TFastMenu::MODE_AREA_COUNT + TFastMenu::COMMAND_COUNT + TFastMenu::FLAT_BUTTON_COUNT);
    for (int i = 0; i < menu.controlCount(); ++i) {
        QWidget* control = menu.control(i);
        ASSERT_NE(control, nullptr);
        EXPECT_FALSE(control->toolTip().isEmpty()) << i;
        EXPECT_EQ(control->focusPolicy(), Qt::StrongFocus) << i;
        EXPECT_TRUE(menu.rect().contains(control->geometry())) << i;
    }
    EXPECT_EQ(menu.control(menu.controlCount()), nullptr);
    EXPECT_EQ(menu.commandButton(SHORT_DURATIONS)->toolTip(),
              "Generate the rhythm scheme from short durations");
    EXPECT_EQ(menu.modeArea(TFastMenu::SELECT_CHORDS)->toolTip(), "Select chords");
    EXPECT_EQ(menu.modeArea(TFastMenu::SELECT_CHORDS_UNDER_NOTES)->toolTip(),
              "Choose a chord for current notes");
    EXPECT_EQ(menu.control(0), menu.modeArea(TFastMenu::SELECT_NOTES));
    // No two controls overlap.
    for (int i = 0; i < menu.controlCount(); ++i)
        for (int j = i + 1; j < menu.controlCount(); ++j)
            EXPECT_FALSE(menu.control(i)->geometry().intersects(menu.control(j)->geometry()))
                << i << " " << j;
}

TEST_F(FastMenu, ARhythmCommandRegeneratesTheAnchorAndShowsItsRhythmWhileHeld) {
    const TMotive before = motive;
    canvas.setMode(TUMotiveCanvas::MODE_DELETE);
    press(SHORT_DURATIONS);
    EXPECT_EQ(service.selected, std::vector<int>{0});
    EXPECT_TRUE(service.scheme().durationsInOrder());
    EXPECT_FALSE(motive.sameContent(before));
    // The new rhythm fills the motive and draws on the new scheme; the chords stay.
    EXPECT_EQ(filledTicks(motive, service.scheme()), motive.ticksPerMeasure());
    EXPECT_EQ(motive.chords().size(), before.chords().size());
    for (const TNote& note : motive.notes()) {
        EXPECT_GE(note.pitch(), 13);
        EXPECT_LE(note.pitch(), 34);
    }
    EXPECT_TRUE(canvas.backEnabled());
    EXPECT_EQ(service.motivePlayer().queuedCount(), 1);
    // The view shows the anchor's new rhythm; the anchor is in mode 1 meanwhile.
    ASSERT_TRUE(menu.schemeViewShown());
    EXPECT_TRUE(menu.schemeView()->isVisible());
    EXPECT_EQ(menu.schemeView()->kind(), TFastSchemePanel::RHYTHM);
    EXPECT_EQ(menu.schemeView()->elements().size(),
              service.scheme().durationsOfMotive(motive).size());
    EXPECT_EQ(canvas.modeNumber(), TUMotiveCanvas::MODE_EDIT);
    EXPECT_TRUE(canvas.keepOwnVersion());

    release(SHORT_DURATIONS);
    EXPECT_FALSE(menu.schemeViewShown());
    EXPECT_FALSE(menu.schemeView()->isVisible());
    EXPECT_EQ(canvas.modeNumber(), TUMotiveCanvas::MODE_DELETE);
    EXPECT_FALSE(canvas.keepOwnVersion());
    EXPECT_EQ(menu.pressedCommand(), nullptr);
}

TEST_F(FastMenu, ClearingOrResettingASchemeLeavesTheAnchorAlone) {
    for (int command : {CLEAR_DURATIONS, DEFAULT_DURATIONS, CLEAR_TURNS, DEFAULT_TURNS}) {
        const TMotive before = motive;
        press(command);
        EXPECT_TRUE(motive.sameContent(before)) << command;
        EXPECT_FALSE(menu.schemeViewShown()) << command;
        release(command);
    }
    press(CLEAR_DURATIONS);
    release(CLEAR_DURATIONS);
    EXPECT_TRUE(service.scheme().durations().empty());
    EXPECT_FALSE(canvas.backEnabled());
}

TEST_F(FastMenu, APitchCommandKeepsTheRhythmAndShowsThePitchScheme) {
    const TDurations rhythm = service.scheme().durationsOfMotive(motive);
    press(CHORD_TURNS);
    EXPECT_EQ(service.scheme().durationsOfMotive(motive), rhythm);
    ASSERT_TRUE(menu.schemeViewShown());
    EXPECT_EQ(menu.schemeView()->kind(), TFastSchemePanel::PITCH);
    // Chord turns only: every note of the new melody is a chord tone.
    for (const TNote& note : motive.notes())
        EXPECT_TRUE(note.chordingNote()) << note.time();
    release(CHORD_TURNS);
}

TEST_F(FastMenu, AnEmptyAnchorIsGeneratedFromBothSchemesAndHarmonisedFirst) {
    motive.clearAll();
    press(LONG_DURATIONS);
    EXPECT_TRUE(motive.isHarmonised());
    EXPECT_FALSE(motive.notes().empty());
    EXPECT_EQ(filledTicks(motive, service.scheme()), motive.ticksPerMeasure());
    release(LONG_DURATIONS);
}

TEST_F(FastMenu, AContrastCommandShowsTheCategoryItGeneratedPressed) {
    service.scheme().rhythmContrastMotive() = harmonisedMelody();
    press(CONTRAST_SHORT_LONG);
    TFlatButtonWithID* shown = menu.pressedCommand();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->id() == SHORT_DURATIONS || shown->id() == LONG_DURATIONS);
    EXPECT_TRUE(shown->isPressed());
    release(CONTRAST_SHORT_LONG);
    EXPECT_FALSE(shown->isPressed());
    EXPECT_EQ(menu.pressedCommand(), nullptr);
}

TEST_F(FastMenu, WhileTheAnchorPlaysTheLitRhythmElementFollowsItsNotes) {
    // A rest in the middle: notes and rhythm elements no longer share their indices.
    motive.notes() = {TNote(180, 20, 60), TNote(300, 24, 60), TNote(360, 21, 60)};
    motive.recomputeChordingFlags();
    menu.flatButton(TFastMenu::SHOW_RHYTHM_SCHEME)->click();
    ASSERT_TRUE(menu.schemeViewShown());
    ASSERT_EQ(menu.schemeView()->elements(), (std::vector<int>{60, -60, 60, 60}));
    std::vector<int> lit;
    canvas.playMotive();
    int last = -2;
    playUntil([&] {
        if (menu.schemeView()->litElement() != last) {
            last = menu.schemeView()->litElement();
            lit.push_back(last);
        }
        return service.motivePlayer().queuedCount() == 0;
    });
    std::erase(lit, -1);
    EXPECT_EQ(lit, (std::vector<int>{0, 2, 3}));
    // A second press of the show button takes the view away.
    menu.flatButton(TFastMenu::SHOW_RHYTHM_SCHEME)->click();
    EXPECT_FALSE(menu.schemeViewShown());
    // So does hiding the menu, which gives the anchor back its mode.
    canvas.setMode(TUMotiveCanvas::MODE_LIGHT);
    menu.flatButton(TFastMenu::SHOW_PITCH_SCHEME)->click();
    ASSERT_EQ(canvas.modeNumber(), TUMotiveCanvas::MODE_EDIT);
    menu.hide();
    EXPECT_FALSE(menu.schemeViewShown());
    EXPECT_EQ(canvas.modeNumber(), TUMotiveCanvas::MODE_LIGHT);
    EXPECT_FALSE(canvas.keepOwnVersion());
}

TEST_F(FastMenu, APressAndReleaseInAModeAreaChoosesInThatModeAndRestoresTheCanvasMode) {
    canvas.setMode(TUMotiveCanvas::MODE_DELETE);
    TEventTranslater* area = menu.modeArea(TFastMenu::SELECT_CHORDS);
    const QPoint moved(5, 7);
    QTest::mousePress(area, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(canvas.modeNumber(), TUMotiveCanvas::MODE_NEW_CHORD);
    EXPECT_EQ(service.display.opens, 1);
    EXPECT_TRUE(area->isPressed());
    // Moves reach the canvas at the same place on the screen.
    QMouseEvent move(QEvent::MouseMove, QPointF(moved), QPointF(area->mapToGlobal(moved)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(area, &move);
    ASSERT_EQ(service.display.tracked.size(), 1u);
    EXPECT_EQ(service.display.tracked[0], area->mapToGlobal(moved));
    QTest::mouseRelease(area, Qt::LeftButton, {}, moved);
    EXPECT_EQ(service.display.closes, 1);
    EXPECT_EQ(canvas.modeNumber(), TUMotiveCanvas::MODE_DELETE);
    // Mode 2 chose new chords: the notes went and the chosen chord stands.
    EXPECT_TRUE(motive.notes().empty());
    ASSERT_EQ(motive.chords().size(), 1u);
    EXPECT_EQ(motive.chords()[0].name(), "SUBDOMINANT_THREE_CHORD");
    EXPECT_TRUE(canvas.backEnabled());
    // A right-button press starts nothing.
    QTest::mousePress(area, Qt::RightButton);
    EXPECT_EQ(canvas.modeNumber(), TUMotiveCanvas::MODE_DELETE);
    EXPECT_EQ(service.display.opens, 1);
    QTest::mouseRelease(area, Qt::RightButton);
}

TEST_F(FastMenu, TheNotesAreaChoosesNotesOverTheExistingChords) {
    TEventTranslater* area = menu.modeArea(TFastMenu::SELECT_NOTES);
    QTest::mousePress(area, Qt::LeftButton);
    EXPECT_EQ(canvas.modeNumber(), TUMotiveCanvas::MODE_NOTE);
    EXPECT_TRUE(motive.notes().empty());
    EXPECT_EQ(motive.chords().size(), 2u);
    QTest::mouseRelease(area, Qt::LeftButton);
    EXPECT_EQ(canvas.modeNumber(), TUMotiveCanvas::MODE_EDIT);
}

TEST_F(FastMenu, DropTargetsTakeOnlyAMotiveCanvasHandle) {
    TFlatButton* rhythmTarget = menu.flatButton(TFastMenu::DROP_FOR_RHYTHM);
    TFlatButton* pitchTarget = menu.flatButton(TFastMenu::DROP_FOR_PITCH);
    QWidget notACanvas;
    TDragged foreignHandle(nullptr, &notACanvas);
    EXPECT_FALSE(dropForeign(*rhythmTarget));
    EXPECT_FALSE(dropOn(*rhythmTarget, foreignHandle));
    EXPECT_FALSE(dropOn(*pitchTarget, foreignHandle));
    EXPECT_TRUE(service.rhythmTakenFrom.empty());
    EXPECT_TRUE(service.pitchTakenFrom.empty());
    EXPECT_TRUE(service.selected.empty());

    TMotive source = harmonisedMelody();
    TUMotiveCanvas sourceCanvas(nullptr, service, source);
    TDragged handle(nullptr, &sourceCanvas);
    EXPECT_TRUE(dropOn(*rhythmTarget, handle));
    ASSERT_EQ(service.rhythmTakenFrom.size(), 1u);
    EXPECT_TRUE(service.rhythmTakenFrom[0].sameContent(source));
    EXPECT_TRUE(service.pitchTakenFrom.empty());
    EXPECT_TRUE(dropOn(*pitchTarget, handle));
    ASSERT_EQ(service.pitchTakenFrom.size(), 1u);
    // From the keyboard the anchor's own motive stands for a dropped one.
    menu.flatButton(TFastMenu::DROP_FOR_PITCH)->click();
    ASSERT_EQ(service.pitchTakenFrom.size(), 2u);
    EXPECT_TRUE(service.pitchTakenFrom[1].sameContent(motive));
    EXPECT_EQ(service.selected, (std::vector<int>{0, 0, 0}));
    // The Motive for Contrast figures take a motive the same way.
    EXPECT_FALSE(dropForeign(*menu.flatButton(TFastMenu::PITCH_CONTRAST_MOTIVE)));
    EXPECT_EQ(service.contrastChanges, 0);
    EXPECT_TRUE(dropOn(*menu.flatButton(TFastMenu::PITCH_CONTRAST_MOTIVE), handle));
    EXPECT_TRUE(service.scheme().pitchContrastMotive().sameContent(source));
    // The scheme panel's figures hear of it too.
    EXPECT_EQ(service.contrastChanges, 1);
    // Its figure shows that the pitch half has a Motive for Contrast now.
    auto figure = [&](TFastMenu::FlatButton which) {
        return static_cast<TPictureButton*>(menu.flatButton(which))->picture().glyphs.at(0);
    };
    EXPECT_EQ(figure(TFastMenu::PITCH_CONTRAST_MOTIVE), glyphRect(TGlyph::ContrastFigureSet));
    EXPECT_EQ(figure(TFastMenu::RHYTHM_CONTRAST_MOTIVE), glyphRect(TGlyph::ContrastFigure));
    // Command buttons take no drops.
    EXPECT_FALSE(dropOn(*menu.commandButton(SHORT_DURATIONS), handle));
}

TEST_F(FastMenu, DeletingAndResettingWorkOnTheAnchorAndTheScheme) {
    menu.flatButton(TFastMenu::DELETE_ALL_NOTES)->click();
    EXPECT_TRUE(motive.notes().empty());
    EXPECT_EQ(motive.chords().size(), 2u);
    // The notes can be brought back.
    EXPECT_TRUE(canvas.backEnabled());

    menu.flatButton(TFastMenu::DELETE_ALL_FROM_SCHEME)->click();
    EXPECT_TRUE(service.scheme().durations().empty());
    EXPECT_TRUE(service.scheme().turns().empty());
    menu.flatButton(TFastMenu::DEFAULT_SCHEME)->click();
    EXPECT_EQ(service.scheme().durations().size(), 8u);
    EXPECT_EQ(service.scheme().turns().size(), 9u);

    canvas.playMotive();
    menu.flatButton(TFastMenu::STOP)->click();
    EXPECT_EQ(service.motivePlayer().queuedCount(), 0);
}

TEST_F(FastMenu, WithoutAnAnchorTheActionsOnTheMotiveDoNothing) {
    TFastMenu lonely(nullptr, service);
    EXPECT_EQ(lonely.anchor(), nullptr);
    const TMotive before = motive;
    QTest::mousePress(lonely.commandButton(SHORT_DURATIONS), Qt::LeftButton);
    QTest::mouseRelease(lonely.commandButton(SHORT_DURATIONS), Qt::LeftButton);
    lonely.flatButton(TFastMenu::DELETE_ALL_NOTES)->click();
    EXPECT_TRUE(motive.sameContent(before));
    EXPECT_FALSE(lonely.schemeViewShown());
    EXPECT_FALSE(lonely.flatButton(TFastMenu::MOVE_TO_LEFT)->isEnabled());
    EXPECT_FALSE(lonely.flatButton(TFastMenu::MOVE_TO_RIGHT)->isEnabled());
    // Its areas pass nothing on.
    QTest::mousePress(lonely.modeArea(TFastMenu::SELECT_CHORDS), Qt::LeftButton);
    EXPECT_EQ(service.display.opens, 0);
}

TEST_F(FastMenu, AGoneAnchorIsForgotten) {
    auto* other = new TUMotiveCanvas(nullptr, service, motive);
    menu.showFor(other);
    menu.flatButton(TFastMenu::SHOW_PITCH_SCHEME)->click();
    delete other;
    EXPECT_EQ(menu.anchor(), nullptr);
    menu.flatButton(TFastMenu::DELETE_ALL_NOTES)->click();
    EXPECT_EQ(motive.notes().size(), 4u);
}

} // namespace

namespace {

class TSchoolService : public TPanelsService {
public:
    TSchoolService() { scheme().setSchoolHarmony(true); }
    bool schoolHarmony() override { return true; }
};

} // namespace

// Under school harmony the empty motive the fast menu generates closes as its place in the
// period asks: at the period's end on the keynote.
TEST(FastMenuSchoolHarmony, AnEmptyMotiveAtThePeriodsEndClosesOnTheKeynote) {
    TSchoolService service;
    service.period() = emptyPeriod(TKey(), TMeasure(2, QUARTER), 0, 1, 1);
    TMotive& last = *service.period().allMotives().back();
    TUMotiveCanvas canvas{nullptr, service, last};
    canvas.setCanvasId(CURRENT_CANVAS_ID);
    TFastMenu menu{nullptr, service};
    menu.showFor(&canvas);
    for (int draw = 0; draw < 6; ++draw) {
        last.clearAll();
        QTest::mousePress(menu.commandButton(LONG_DURATIONS), Qt::LeftButton);
        QTest::mouseRelease(menu.commandButton(LONG_DURATIONS), Qt::LeftButton);
        ASSERT_FALSE(last.notes().empty());
        EXPECT_TRUE(meetsClose(TMelodyClose::KEYNOTE, last.key(), last.notes().back().pitch()))
            << "draw " << draw << " ends on " << last.notes().back().pitch();
    }
}

// A command on a motive that already has notes keeps half of its design, and still closes it
// as its place asks: the period's last motive ends on the keynote after rhythm and pitch
// commands alike.
TEST(FastMenuSchoolHarmony, CommandsOnTheLastMotiveKeepTheKeynoteClose) {
    TSchoolService service;
    service.period() = emptyPeriod(TKey(), TMeasure(4, QUARTER), 0, 1, 1);
    TMotive& last = *service.period().allMotives().back();
    TUMotiveCanvas canvas{nullptr, service, last};
    canvas.setCanvasId(CURRENT_CANVAS_ID);
    TFastMenu menu{nullptr, service};
    menu.showFor(&canvas);
    for (const int command : {SHORT_DURATIONS, LARGE_TURNS, NON_UNIFORM_RHYTHM, SMALL_TURNS,
                              SLOW_TO_FAST, NON_UNIFORM_TURNS, SHORT_DURATIONS, LARGE_TURNS}) {
        QTest::mousePress(menu.commandButton(command), Qt::LeftButton);
        QTest::mouseRelease(menu.commandButton(command), Qt::LeftButton);
        ASSERT_FALSE(last.notes().empty());
        EXPECT_TRUE(meetsClose(TMelodyClose::KEYNOTE, last.key(), last.notes().back().pitch()))
            << "command " << command << " ends on " << last.notes().back().pitch();
    }
}
