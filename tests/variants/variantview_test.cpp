#include "../canvas/fakecanvasservice.h"

#include "canvas/umotivecanvas.h"
#include "engine/harmonisation.h"
#include "model/chordcatalogue.h"
#include "model/schemechords.h"
#include "variants/chordvariantstrategy.h"
#include "variants/notevariantstrategy.h"
#include "variants/variantview.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class TCanvasEvents : public TUMotiveCanvasListener {
public:
    void motiveHarmonised(TUMotiveCanvas*) override { ++harmonised; }
    void motiveEditStarted(TUMotiveCanvas*) override { ++editStarted; }
    void pointerMoved(TUMotiveCanvas*) override {}
    int harmonised = 0;
    int editStarted = 0;
};

// The last scheme elements the view said the previewed note draws on.
class TSelectionRecord : public TTurnAndRhythmSelectionListener {
public:
    void showRhythmSelection(int d, int index) override {
        duration = d;
        rhythmIndex = index;
        ++calls;
    }
    void showTurnSelection(int index) override { turnIndex = index; }
    int duration = 0;
    int rhythmIndex = -2;
    int turnIndex = -2;
    int calls = 0;
};

// A canvas of a 4/4 motive in C major at the screen's top-left corner and the variant view in
// a window of its own, wired as the main window wires them; the view's timer is off and the
// left button counts as held unless a test says otherwise.
class VariantChoice : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<QWidget>(nullptr, Qt::Tool);
        view = new TVariantView(window.get(), service, service, window.get());
        view->move(5, 5);
        window->setFixedSize(490, 460);
        view->setTimerEnabled(false);
        view->setButtonProbe([this] { return buttonHeld; });
        view->setTraceSink(std::make_unique<TNullTraceSink>());
        service.display = view;
        host = std::make_unique<QWidget>();
        host->setGeometry(0, 0, 420, 200);
        canvas = new TUMotiveCanvas(host.get(), service, motive);
        canvas->move(0, 0);
        canvas->addCanvasListener(&events);
        host->show();
        start = canvas->mapToGlobal(QPoint(30, 60));
        QCursor::setPos(start);
    }

    void send(QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(local), QPointF(canvas->mapToGlobal(local)), button,
                          buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(canvas, &event);
    }
    void press(QPoint at = QPoint(30, 60), Qt::MouseButton button = Qt::LeftButton) {
        send(QEvent::MouseButtonPress, at, button, button);
    }
    // A move of the held pointer to a point of the view.
    void moveInView(int x, int y) {
        const QPoint global = view->mapToGlobal(QPoint(x, y));
        QCursor::setPos(global);
        send(QEvent::MouseMove, canvas->mapFromGlobal(global), Qt::NoButton, Qt::LeftButton);
    }
    void release(Qt::MouseButton button = Qt::LeftButton) {
        send(QEvent::MouseButtonRelease, QPoint(30, 60), button, Qt::NoButton);
    }
    void harmonise() {
        autoHarmonise(motive, nullptr, CONTEXT_FIRST, schemeChordTypeNames(),
                      service.scheme().random());
        ASSERT_TRUE(motive.isHarmonised());
    }
    TChordVariantStrategy* chordHalf(int side) {
        return dynamic_cast<TChordVariantStrategy*>(view->strategy(side));
    }
    TNoteVariantStrategy* noteHalf(int side) {
        return dynamic_cast<TNoteVariantStrategy*>(view->strategy(side));
    }
    void hoverBox(int side, int index) {
        const TRectWithCheck& box = chordHalf(side)->boxes()[static_cast<std::size_t>(index)];
        moveInView(box.left + 5 + (side == 1 ? VARIANT_RIGHT_HALF_X : 0), box.top + 5);
    }

    TFakeCanvasService service;
    TMotive motive{TKey(), TMeasure(4, 120)};
    TCanvasEvents events;
    bool buttonHeld = true;
    std::unique_ptr<QWidget> window;
    std::unique_ptr<QWidget> host;
    TVariantView* view = nullptr;
    TUMotiveCanvas* canvas = nullptr;
    QPoint start;
};

TEST_F(VariantChoice, ModeZeroComposesChordAndNotesBesideTheCanvasAndPlaysInContext) {
    TMotive previous(TKey(), TMeasure(4, 120));
    autoHarmonise(previous, nullptr, CONTEXT_FIRST, schemeChordTypeNames(),
                  service.scheme().random());
    previous.notes() = {TNote(0, 22, 480)};
    service.preceding = &previous;
    canvas->setMode(TUMotiveCanvas::MODE_CHORD_AND_NOTE);
    TSelectionRecord selection;
    view->addSelectionListener(&selection);
    view->addSelectionListener(&selection); // once is enough

    press();
    ASSERT_TRUE(view->isOpen());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(events.editStarted, 1);
    ASSERT_NE(canvas->variantModel(), nullptr);
    EXPECT_TRUE(canvas->variantModel()->offersChords());
    // Beside the canvas, its bottom level with the chord strip, kept on the screen.
    const QPoint popup = canvas->variantPopupPoint();
    EXPECT_EQ(popup, canvas->mapToGlobal(QPoint(408, 153)));
    const QRect frame = window->frameGeometry();
    const TCorner corner = variantWindowCorner(popup.x(), popup.y(), frame.width(), frame.height(),
                                               window->screen()->geometry().right() + 1);
    EXPECT_EQ(frame.topLeft(), QPoint(corner.left, corner.top));
    // Chords on the left, notes on the right; the pointer stands on the middle line, on no
    // variant, and resting there previews nothing.
    EXPECT_EQ(view->side(), 0);
    EXPECT_EQ(QCursor::pos(), view->mapToGlobal(QPoint(239, 225)));
    for (int tick = 0; tick < 40; ++tick)
        view->timerUpdate();
    EXPECT_TRUE(motive.chords().empty());
    EXPECT_EQ(service.motivePlayer().queuedCount(), 0);
    ASSERT_NE(chordHalf(0), nullptr);
    ASSERT_NE(noteHalf(1), nullptr);
    ASSERT_GE(chordHalf(0)->variants().size(), 2u);
    EXPECT_TRUE(view->clipMaker().isConfined());

    hoverBox(0, 1);
    ASSERT_EQ(motive.chords().size(), 1u);
    EXPECT_EQ(motive.chords()[0].name(), chordHalf(0)->variants()[1].name());
    // A chord draws on no scheme element.
    EXPECT_EQ(selection.rhythmIndex, -1);
    EXPECT_EQ(selection.turnIndex, -1);
    EXPECT_EQ(service.motivePlayer().queuedCount(), 1); // the chord sounded once

    moveInView(250, 225);
    EXPECT_EQ(view->side(), 1);
    EXPECT_EQ(view->sideSwitches(), 1);
    const std::vector<TScVariant>& offered = noteHalf(1)->candidates();
    ASSERT_FALSE(offered.empty());
    const int row = noteBandCentre(offered.front().pitch);
    moveInView(330, row);
    const std::optional<TNotePick> expected = pickNote(offered, 1, 330, row);
    ASSERT_TRUE(expected);
    ASSERT_EQ(motive.notes().size(), 1u);
    EXPECT_EQ(motive.notes()[0].time(), 0);
    EXPECT_EQ(motive.notes()[0].pitch(), expected->pitch);
    EXPECT_EQ(motive.notes()[0].duration(), expected->duration);
    EXPECT_EQ(service.motivePlayer().queuedCount(), 1); // the note replaced the chord's sound
    // The scheme sets light the elements the note comes from.
    EXPECT_EQ(selection.duration, expected->duration);
    EXPECT_EQ(selection.rhythmIndex, expected->durationIndex);
    EXPECT_EQ(selection.turnIndex, expected->turnIndex);

    // Back towards the middle line: the pick stays.
    moveInView(300, noteBandCentre(offered.back().pitch));
    EXPECT_EQ(motive.notes()[0].pitch(), expected->pitch);
    // Resting never keeps the note; coming back to the middle does, and the next note
    // follows.
    for (int tick = 0; tick < 40; ++tick)
        view->timerUpdate();
    EXPECT_EQ(canvas->variantModel()->cursor(), 0);
    moveInView(242, noteBandCentre(offered.back().pitch));
    EXPECT_EQ(canvas->variantModel()->cursor(), expected->duration);
    EXPECT_EQ(motive.notes().size(), 1u);

    const int calls = selection.calls;
    release();
    EXPECT_FALSE(view->isOpen());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(canvas->variantModel(), nullptr);
    EXPECT_EQ(selection.calls, calls + 1);
    EXPECT_EQ(selection.rhythmIndex, -1);
    EXPECT_EQ(selection.turnIndex, -1);
    view->removeSelectionListener(&selection);
    EXPECT_FALSE(view->clipMaker().isConfined());
    EXPECT_EQ(QCursor::pos(), start);
    EXPECT_EQ(motive.notes().size(), 1u);
    EXPECT_EQ(motive.chords().size(), 1u);
    // The preceding motive, then this one.
    EXPECT_EQ(service.motivePlayer().queuedCount(), 2);
}

TEST_F(VariantChoice, ModeThreeReplacesTheChordsKeepsTheNotesAndRemarksChordTones) {
    motive.notes() = {TNote(0, 20, 120), TNote(120, 22, 120), TNote(240, 24, 120),
                      TNote(360, 27, 120)};
    harmonise();
    const TNoteList notes = motive.notes();
    canvas->setMode(TUMotiveCanvas::MODE_CHORD);
    press();
    ASSERT_TRUE(view->isOpen());
    EXPECT_TRUE(motive.chords().empty());
    ASSERT_NE(chordHalf(0), nullptr);
    ASSERT_NE(chordHalf(1), nullptr);
    ASSERT_FALSE(chordHalf(0)->variants().empty());
    hoverBox(0, 0);
    const std::string chosen = chordHalf(0)->variants()[0].name();
    for (TNote& note : motive.notes())
        note.setChordingNote(false);
    release();
    ASSERT_EQ(motive.notes().size(), notes.size());
    for (std::size_t i = 0; i < notes.size(); ++i)
        EXPECT_EQ(motive.notes()[i], notes[i]);
    ASSERT_EQ(motive.chords().size(), 1u);
    EXPECT_EQ(motive.chords()[0].name(), chosen);
    EXPECT_EQ(events.harmonised, 1);
    for (const TNote& note : motive.notes())
        EXPECT_EQ(note.chordingNote(), motive.chords()[0].isChordTone(motive.key(), note.pitch()))
            << note.pitch();
}

TEST_F(VariantChoice, ModeTwoClearsTheNotesAndOffersChordsInBothHalves) {
    motive.notes() = {TNote(0, 20, 240), TNote(240, 22, 240)};
    harmonise();
    canvas->setMode(TUMotiveCanvas::MODE_NEW_CHORD);
    press();
    EXPECT_TRUE(motive.notes().empty());
    EXPECT_TRUE(motive.chords().empty());
    ASSERT_NE(chordHalf(1), nullptr);
    moveInView(300, 225);
    hoverBox(1, 0);
    release();
    EXPECT_TRUE(motive.notes().empty());
    EXPECT_EQ(motive.chords().size(), 1u);
    EXPECT_EQ(events.harmonised, 1);
}

TEST_F(VariantChoice, RightButtonPressesChangeNothingInAnyChoosingMode) {
    motive.notes() = {TNote(0, 20, 240), TNote(240, 22, 240)};
    harmonise();
    const TMotive before = motive;
    for (int mode : {0, 1, 2, 3}) {
        canvas->setMode(mode);
        press(QPoint(30, 60), Qt::RightButton);
        EXPECT_FALSE(view->isOpen()) << mode;
        EXPECT_EQ(canvas->variantModel(), nullptr) << mode;
        release(Qt::RightButton);
        EXPECT_TRUE(motive.sameContent(before)) << mode;
    }
    EXPECT_EQ(events.editStarted, 0);
    EXPECT_EQ(canvas->history().size(), 0u);
}

TEST_F(VariantChoice, ModeOneInsertsAtTheEditLineAndMovesThePointerPastTheChange) {
    motive.notes() = {TNote(0, 20, 120), TNote(120, 22, 120), TNote(240, 24, 120),
                      TNote(360, 27, 120)};
    harmonise();
    const TMotive before = motive;
    const int x = canvas->canvasGeometry().timeToX(120);
    press(QPoint(x, 60));
    ASSERT_TRUE(view->isOpen());
    EXPECT_TRUE(service.scheme().editSnapshot().sameContent(before));
    EXPECT_EQ(canvas->variantModel()->cursor(), 120);
    EXPECT_FALSE(canvas->variantModel()->offersChords());
    ASSERT_NE(noteHalf(0), nullptr);
    const std::vector<TScVariant>& offered = noteHalf(0)->candidates();
    ASSERT_FALSE(offered.empty());
    const int row = noteBandCentre(offered.back().pitch);
    moveInView(20, row);
    const std::optional<TNotePick> pick = pickNote(offered, 0, 20, row);
    ASSERT_TRUE(pick);
    release();
    const int end = 120 + pick->duration;
    // The new note stands at 120; what it covers is gone or starts after it.
    const auto inserted = std::find_if(motive.notes().begin(), motive.notes().end(),
                                       [](const TNote& n) { return n.time() == 120; });
    ASSERT_NE(inserted, motive.notes().end());
    EXPECT_EQ(inserted->pitch(), pick->pitch);
    EXPECT_EQ(inserted->duration(), pick->duration);
    for (std::size_t i = 1; i < motive.notes().size(); ++i)
        EXPECT_GE(motive.notes()[i].time(), motive.notes()[i - 1].end());
    const int shown = std::min(end, motive.end() - 30);
    EXPECT_EQ(QCursor::pos().x(),
              canvas->mapToGlobal(QPoint(canvas->canvasGeometry().timeToX(shown), 0)).x());
    // One back step brings the melody back.
    send(QEvent::MouseButtonPress, QPoint(10, 140), Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, QPoint(10, 140), Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(motive.sameContent(before));
}

TEST_F(VariantChoice, ModeOneOnAnUnharmonisedMotiveClearsItAndOffersChords) {
    motive.notes() = {TNote(0, 20, 240)};
    EXPECT_EQ(canvas->mode().cursorId(), CURSOR_ICHORD);
    press();
    EXPECT_TRUE(motive.isEmpty());
    ASSERT_NE(chordHalf(0), nullptr);
    ASSERT_NE(chordHalf(1), nullptr);
    hoverBox(0, 0);
    release();
    EXPECT_TRUE(motive.isHarmonised());
    EXPECT_EQ(canvas->mode().cursorId(), CURSOR_INOTE);
}

TEST_F(VariantChoice, EscapePutsTheMotiveAndItsVersionsBackAndSilencesThePreview) {
    motive.notes() = {TNote(0, 20, 240), TNote(240, 22, 240)};
    harmonise();
    const TMotive before = motive;
    for (int mode : {TUMotiveCanvas::MODE_CHORD_AND_NOTE, TUMotiveCanvas::MODE_EDIT,
                     TUMotiveCanvas::MODE_NEW_CHORD, TUMotiveCanvas::MODE_CHORD}) {
        canvas->setMode(mode);
        const int versions = canvas->history().size();
        const int id = motive.id();
        press();
        ASSERT_TRUE(view->isOpen()) << mode;
        if (chordHalf(0) != nullptr)
            hoverBox(0, 0);
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(canvas, &escape);
        EXPECT_FALSE(view->isOpen()) << mode;
        EXPECT_FALSE(view->clipMaker().isConfined()) << mode;
        EXPECT_EQ(QCursor::pos(), start) << mode;
        EXPECT_FALSE(canvas->pointerPressed()) << mode;
        EXPECT_EQ(canvas->variantModel(), nullptr) << mode;
        EXPECT_TRUE(motive.sameContent(before)) << mode;
        EXPECT_EQ(motive.id(), id) << mode;
        EXPECT_EQ(canvas->history().size(), versions) << mode;
        // The preview was stopped and nothing new plays.
        EXPECT_FALSE(service.motivePlayer().isPlaying()) << mode;
        EXPECT_EQ(service.motivePlayer().queuedCount(), 0) << mode;
        release();
        EXPECT_TRUE(motive.sameContent(before)) << mode;
    }
    EXPECT_EQ(events.harmonised, 0);
}

// How a choice can end without the release reaching the canvas.
enum class TLoss { FocusLost, ReleaseLost };

class AbandonedChoice : public VariantChoice, public ::testing::WithParamInterface<TLoss> {};

TEST_P(AbandonedChoice, ReleasesThePointerKeepsThePreviewAndOneBackStepRestores) {
    motive.notes() = {TNote(0, 20, 240), TNote(240, 22, 240)};
    harmonise();
    const TMotive before = motive;
    canvas->setMode(TUMotiveCanvas::MODE_NEW_CHORD);
    press();
    ASSERT_TRUE(view->isOpen());
    hoverBox(0, chordHalf(0)->variants().size() > 1 ? 1 : 0);
    const TChordList previewed = motive.chords();
    switch (GetParam()) {
    case TLoss::FocusLost: {
        QEvent deactivate(QEvent::ApplicationDeactivate);
        QCoreApplication::sendEvent(qApp, &deactivate);
        break;
    }
    case TLoss::ReleaseLost:
        buttonHeld = false;
        view->timerUpdate();
        break;
    }
    EXPECT_FALSE(view->isOpen());
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(view->clipMaker().isConfined());
    EXPECT_EQ(QCursor::pos(), start);
    EXPECT_FALSE(canvas->pointerPressed());
    EXPECT_EQ(canvas->variantModel(), nullptr);
    EXPECT_EQ(events.harmonised, 1);
    ASSERT_EQ(motive.chords().size(), previewed.size());
    EXPECT_TRUE(motive.chords()[0].sameVoices(previewed[0]));
    // A late release does nothing more.
    release();
    EXPECT_EQ(events.harmonised, 1);

    send(QEvent::MouseButtonPress, QPoint(10, 140), Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, QPoint(10, 140), Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(motive.sameContent(before));
}

INSTANTIATE_TEST_SUITE_P(Losses, AbandonedChoice,
                         ::testing::Values(TLoss::FocusLost, TLoss::ReleaseLost));

TEST_F(VariantChoice, TheTimerPostsUpdatesOnlyWhileTheViewIsOpen) {
    view->setTimerEnabled(true);
    canvas->setMode(TUMotiveCanvas::MODE_NEW_CHORD);
    press();
    QTest::qWait(260);
    const auto updates = [&] {
        return std::count_if(service.posted.begin(), service.posted.end(), [](const auto& p) {
            return p.message == MESSAGE_VARIANT_UPDATE && p.code == 1 && p.value == 0;
        });
    };
    EXPECT_GE(updates(), 2);
    release();
    QTest::qWait(60);
    const auto afterClose = updates();
    QTest::qWait(160);
    EXPECT_EQ(updates(), afterClose);
}

TEST_F(VariantChoice, ThePointerStaysInTheViewAndTheNearestEdgeIsTracked) {
    canvas->setMode(TUMotiveCanvas::MODE_NEW_CHORD);
    press();
    ASSERT_TRUE(view->isOpen());
    // Far right of the view: the pointer is brought back to its right edge.
    const QPoint outside = view->mapToGlobal(QPoint(900, 100));
    QCursor::setPos(outside);
    send(QEvent::MouseMove, canvas->mapFromGlobal(outside), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(QCursor::pos(), view->mapToGlobal(QPoint(479, 100)));
    EXPECT_EQ(view->side(), 1);

    // Where the platform refuses to move the pointer, the edge is tracked all the same.
    view->clipMaker().setPointer([] { return QCursor::pos(); }, [](const QPoint&) {});
    const QPoint left = view->mapToGlobal(QPoint(-300, 100));
    QCursor::setPos(left);
    send(QEvent::MouseMove, canvas->mapFromGlobal(left), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(view->side(), 0);
    EXPECT_EQ(QCursor::pos(), left);
    release();
}

} // namespace

TEST_F(VariantChoice, UnderSchoolHarmonyTheChordHalfOffersOnlyWhatItsRulesAllow) {
    // The preceding motive ends on the cadential six-four, which only V or V7 may follow.
    TMotive previous(TKey(), TMeasure(4, 120));
    TChord sixFour = chordOfType("K_SIXTH_FOURTH_CHORD");
    sixFour.generateArrangements(TKey(), MIN_MELODY_PITCH, MAX_MELODY_PITCH);
    sixFour.testAgainst(TSchoolHarmony{}, TKey(), MIN_MELODY_PITCH, MAX_MELODY_PITCH);
    ASSERT_TRUE(sixFour.chooseVoicing(25));
    previous.chords().push_back(sixFour);
    service.preceding = &previous;
    service.scheme().setSchoolHarmony(true);
    canvas->setMode(TUMotiveCanvas::MODE_NEW_CHORD);
    press();
    ASSERT_NE(chordHalf(0), nullptr);
    ASSERT_FALSE(chordHalf(0)->variants().empty());
    for (const TChord& chord : chordHalf(0)->variants())
        EXPECT_TRUE(chord.name() == "DOMINANT_THREE_CHORD" || chord.name() == "DOMINANT_FOUR_CHORD")
            << chord.name();
    release();
}

namespace {

// Every line the halves write under themselves is read whole in the caption box, on one line
// or two; only text far beyond any of them is cut.
TEST_F(VariantChoice, CaptionsFitTheirBoxWholeAndOnlyOverlongTextIsCut) {
    QFont font = window->font();
    font.setPointSize(8);
    const QRect box(0, 0, VARIANT_HALF_WIDTH - 14, 22);
    for (const QString& caption : {
             QStringLiteral("Release: F\u266F4, dotted quarter \u00B7 to the middle: next note"),
             QStringLiteral("Choose this measure's chord in the other half"),
             QStringLiteral("The motive is full: release to keep it"),
         }) {
        const variantpaint::TCaptionFit fit = variantpaint::fitCaption(font, caption, box);
        EXPECT_EQ(fit.text, caption);
        if (fit.wrapped) {
            EXPECT_LT(fit.font.pointSize(), font.pointSize());
        }
    }
    const QString overlong = QString("a very long caption ").repeated(8);
    const variantpaint::TCaptionFit cut = variantpaint::fitCaption(font, overlong, box);
    EXPECT_FALSE(cut.wrapped);
    EXPECT_TRUE(cut.text.endsWith(QChar(0x2026)));
}

} // namespace
