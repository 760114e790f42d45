#include "shelltesting.h"

#include "canvas/umotivecanvas.h"
#include "files/periodbuilder.h"
#include "files/periodwriter.h"
#include "panels/developmentarea.h"
#include "panels/effectmotivepanel.h"
#include "panels/rawpanel.h"
#include "playback/recordingbackend.h"
#include "shell/mainwindow.h"
#include "shell/temppanel.h"
#include "shell/topframe.h"
#include "shell/undorecorder.h"
#include "strip/periodpanel.h"
#include "variants/chordvariantstrategy.h"
#include "variants/variantview.h"
#include "widgets/dragged.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDropEvent>
#include <QMouseEvent>
#include <QTest>

#include <functional>

#include <gtest/gtest.h>

namespace {

class Undo : public ::testing::Test {
protected:
    Undo() {
        dialogs.deviceAnswers = {0};
        window = std::make_unique<TMainWindow>(frame, devices, folder.path(), &dialogs);
    }

    QAction* undoAction() const { return frame.command("menu undo"); }
    QAction* redoAction() const { return frame.command("menu redo"); }
    TUMotiveCanvas* cell(int i) const {
        return window->periodPanel()->motiveCells()[std::size_t(i)]->canvas();
    }
    TMotive& motive(int i) const { return *window->period().allMotives()[std::size_t(i)]; }
    int steps() { return window->undoRecorder().stack().count(); }
    std::string document() const { return periodDocument(window->period()); }
    // Lets the recorder see the change, as the event loop does after every user action.
    static void settle() { QCoreApplication::processEvents(); }
    void click(TUMotiveCanvas* canvas, QPoint at) {
        QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, at);
        settle();
    }

    TTempFolder folder;
    TRecordingBackend devices{2};
    TScriptedDialogs dialogs;
    TTopFrame frame;
    std::unique_ptr<TMainWindow> window;
};

TEST_F(Undo, TwentyChangesUndoneGiveTheOpenedDocumentAndRedoneTheEndState) {
    // A composition with notes in every motive, saved and opened again.
    window->composeEmptyMotives();
    const auto file = folder / "opened.tnr";
    ASSERT_TRUE(window->saveTo(file.string()));
    ASSERT_TRUE(window->openFrom(file.string()));
    const std::string opened = readWhole(file);
    ASSERT_EQ(document(), opened);
    EXPECT_EQ(steps(), 0) << "an opened composition starts a fresh history";
    EXPECT_FALSE(undoAction()->isEnabled());

    const QPoint back = TUMotiveCanvas::BACK_BUTTON.center();
    const QPoint forward = TUMotiveCanvas::FORWARD_BUTTON.center();
    // As every edit path of a cell does: the motive shown is kept as a version first.
    const auto edit = [&](int i, const std::function<void(TMotive&)>& change) {
        cell(i)->saveVersion();
        change(motive(i));
        motive(i).notifyChanged();
    };
    const std::vector<std::function<void()>> changes = {
        [&] { window->tempoPicked(130); },
        [&] { edit(0, [](TMotive& m) { m.notes().clear(); }); },
        [&] { click(cell(0), back); },
        [&] { click(cell(0), forward); },
        [&] { edit(1, [](TMotive& m) { m.notes().clear(), m.chords().clear(); }); },
        [&] { frame.command("menu harmonise period")->trigger(); },
        [&] { frame.command("menu compose empty motives")->trigger(); },
        [&] {
            edit(2, [](TMotive& m) { m.notes().front().setPitch(m.notes().front().pitch() + 1); });
        },
        [&] { edit(3, [](TMotive& m) { m.chords().pop_back(); }); },
        [&] { edit(4, [&](TMotive& m) { m.copyContent(motive(5)); }); },
        [&] { edit(5, [](TMotive& m) { m.notes().pop_back(); }); },
        [&] { edit(6, [](TMotive& m) { m.notes().clear(); }); },
        [&] { click(cell(6), back); },
        [&] { window->tempoPicked(55); },
        [&] {
            dialogs.saveAnswers = {TSaveChangesAnswer::Discard};
            TPeriodStructure small = defaultPeriodStructure();
            small.motiveCounts = {1, 1, 1, 1};
            dialogs.newAnswers = {small};
            window->newComposition();
        },
        [&] { window->composeEmptyMotives(); },
        [&] { edit(0, [](TMotive& m) { m.notes().clear(), m.chords().clear(); }); },
        [&] { click(cell(0), back); },
        [&] {
            edit(1, [](TMotive& m) { m.notes().front().setPitch(m.notes().front().pitch() - 1); });
        },
        [&] {
            edit(2, [](TMotive& m) {
                m.notes().front().setChordingNote(!m.notes().front().chordingNote());
            });
        },
    };
    std::vector<std::string> states{document()};
    for (std::size_t i = 0; i < changes.size(); ++i) {
        changes[i]();
        settle();
        const std::string now = document();
        EXPECT_TRUE(now != states.back()) << "change " << i << " changed the document";
        states.push_back(now);
        EXPECT_EQ(steps(), int(i) + 1) << "change " << i << " is one step";
    }
    const std::string end = document();

    for (std::size_t i = changes.size(); i > 0; --i) {
        ASSERT_TRUE(undoAction()->isEnabled());
        undoAction()->trigger();
        EXPECT_TRUE(document() == states[i - 1]) << "undo " << i;
    }
    EXPECT_EQ(document(), opened);
    EXPECT_EQ(window->period().name(), file.string());
    EXPECT_EQ(window->windowTitle().toStdString(), file.string()) << "no * at the opened state";
    EXPECT_FALSE(undoAction()->isEnabled());

    for (std::size_t i = 0; i < changes.size(); ++i)
        redoAction()->trigger();
    EXPECT_EQ(document(), end);
    EXPECT_FALSE(redoAction()->isEnabled());
}

TEST_F(Undo, ComposeEmptyMotivesFillsEveryMotiveInOneStep) {
    const std::string empty = document();
    frame.command("menu compose empty motives")->trigger();
    settle();
    for (const TMotive* each : window->period().allMotives()) {
        EXPECT_FALSE(each->notes().empty());
        EXPECT_FALSE(each->chords().empty());
        EXPECT_TRUE(each->isHarmonised());
    }
    EXPECT_EQ(steps(), 1);
    EXPECT_EQ(undoAction()->text(), "&Undo Compose Empty Motives");
    EXPECT_EQ(window->windowTitle(), "Untitled*");
    undoAction()->trigger();
    EXPECT_EQ(document(), empty);
    EXPECT_EQ(window->windowTitle(), "Untitled") << "back at the built state";
    EXPECT_EQ(redoAction()->text(), "&Redo Compose Empty Motives");
}

TEST_F(Undo, HarmonisePeriodGivesEveryMotiveChordsAndNoNotes) {
    frame.command("menu harmonise period")->trigger();
    settle();
    for (const TMotive* each : window->period().allMotives()) {
        EXPECT_TRUE(each->isHarmonised());
        EXPECT_TRUE(each->notes().empty());
    }
    EXPECT_EQ(undoAction()->text(), "&Undo Harmonise Period");
    EXPECT_EQ(steps(), 1);
}

TEST_F(Undo, TheCellsBackAndForwardButtonsAgreeWithTheStack) {
    window->composeEmptyMotives();
    settle();
    const std::string composed = document();
    const TNoteList notes = motive(3).notes();
    cell(3)->saveVersion();
    motive(3).clearNotes();
    settle();
    EXPECT_EQ(undoAction()->text(), "&Undo Change Notes");
    undoAction()->trigger();
    EXPECT_EQ(motive(3).notes(), notes);
    EXPECT_EQ(document(), composed);
    // What was undone stays in the cell's history: its back button brings it, as a step.
    click(cell(3), TUMotiveCanvas::BACK_BUTTON.center());
    EXPECT_TRUE(motive(3).notes().empty());
    EXPECT_EQ(undoAction()->text(), "&Undo Earlier Version");
    EXPECT_FALSE(redoAction()->isEnabled()) << "a new step drops the undone ones";
    click(cell(3), TUMotiveCanvas::FORWARD_BUTTON.center());
    EXPECT_EQ(motive(3).notes(), notes);
    EXPECT_EQ(undoAction()->text(), "&Undo Later Version");
    undoAction()->trigger();
    EXPECT_TRUE(motive(3).notes().empty());
    undoAction()->trigger();
    EXPECT_EQ(document(), composed);
    EXPECT_EQ(steps(), 3);
}

TEST_F(Undo, UndoingToTheSavedStateClearsTheStar) {
    const auto file = folder / "saved.tnr";
    window->tempoPicked(70);
    ASSERT_TRUE(window->saveTo(file.string()));
    EXPECT_TRUE(window->undoRecorder().stack().isClean());
    motive(0).clearAll(); // nothing to clear: no step
    settle();
    EXPECT_EQ(steps(), 1);
    window->tempoPicked(115);
    window->tempoPicked(130);
    settle();
    EXPECT_EQ(window->windowTitle().toStdString(), file.string() + "*");
    EXPECT_EQ(undoAction()->text(), "&Undo Change Tempo");
    undoAction()->trigger();
    EXPECT_EQ(window->period().tempo(), 70) << "the tempo control's steps are one";
    EXPECT_EQ(frame.tempoPanel()->tempo(), 70) << "the control shows the tempo undone";
    EXPECT_EQ(window->windowTitle().toStdString(), file.string());
    EXPECT_TRUE(window->undoRecorder().stack().isClean());
    undoAction()->trigger();
    EXPECT_EQ(window->period().tempo(), 100);
    EXPECT_EQ(window->windowTitle().toStdString(), file.string() + "*")
        << "before the save is unsaved again";
}

TEST_F(Undo, NewIsOneStepThatGivesTheOldPeriodAndNameBack) {
    const auto file = folder / "old.tnr";
    window->composeEmptyMotives();
    ASSERT_TRUE(window->saveTo(file.string()));
    const std::string old = document();
    window->newComposition(); // cancelled
    window->tempoPicked(145);
    settle();
    EXPECT_EQ(undoAction()->text(), "&Undo Change Tempo") << "a cancelled New names nothing";
    undoAction()->trigger();
    TPeriodStructure structure = defaultPeriodStructure();
    structure.motiveCounts = {3, 1, 1, 1};
    dialogs.newAnswers = {structure};
    window->newComposition();
    settle();
    EXPECT_EQ(window->period().motiveCount(), 6);
    EXPECT_EQ(undoAction()->text(), "&Undo New Composition");
    undoAction()->trigger();
    EXPECT_EQ(document(), old);
    EXPECT_EQ(window->period().name(), file.string());
    EXPECT_EQ(window->motiveCellCount(), 8);
    redoAction()->trigger();
    EXPECT_EQ(window->period().name(), "Untitled");
    EXPECT_EQ(window->motiveCellCount(), 6);
}

TEST_F(Undo, AChordChosenInTheVariantWindowIsOneStepNamedSo) {
    window->show();
    TUMotiveCanvas* canvas = cell(0);
    canvas->setMode(TUMotiveCanvas::MODE_NEW_CHORD);
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(at), QPointF(canvas->mapToGlobal(at)), Qt::LeftButton,
                          buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(canvas, &event);
    };
    send(QEvent::MouseButtonPress, QPoint(40, 60), Qt::LeftButton);
    ASSERT_TRUE(window->variantWindowBusy());
    auto* chords = dynamic_cast<TChordVariantStrategy*>(window->variantView()->strategy(0));
    ASSERT_NE(chords, nullptr);
    ASSERT_GE(chords->boxes().size(), 2u);
    // The pointer goes over two chords in turn: each previews in the motive.
    for (std::size_t box : {0u, 1u}) {
        const QPoint global = window->variantView()->mapToGlobal(
            QPoint(chords->boxes()[box].left + 5, chords->boxes()[box].top + 5));
        QCursor::setPos(global);
        send(QEvent::MouseMove, canvas->mapFromGlobal(global), Qt::LeftButton);
        ASSERT_TRUE(window->variantWindowBusy());
        EXPECT_FALSE(motive(0).chords().empty()) << "the chord under the pointer previews";
        EXPECT_FALSE(window->undoRecorder().settle()) << "the choice goes on";
        EXPECT_EQ(steps(), 0) << "nothing is recorded while the choice goes on";
    }
    send(QEvent::MouseButtonRelease, QPoint(40, 60), Qt::NoButton);
    QTest::qWait(120);
    ASSERT_FALSE(window->variantWindowBusy());
    ASSERT_FALSE(motive(0).chords().empty());
    EXPECT_EQ(steps(), 1);
    EXPECT_EQ(undoAction()->text(), "&Undo Choose Chord");
    undoAction()->trigger();
    EXPECT_TRUE(motive(0).chords().empty());
}

// A drop of the handle's drag onto `target`, as the pointer would make it.
void drop(QWidget& target, TDragged& handle) {
    TDraggedMimeData data(&handle);
    const QPoint centre = target.rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&target, &enter);
    QDropEvent event(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&target, &event);
}

TEST_F(Undo, ADropIsNamedAfterWhereTheMotiveCameFrom) {
    window->composeEmptyMotives();
    settle();
    const std::string composed = document();
    TDevelopmentArea* area = window->developmentArea();
    TUMotiveSet& first = *window->periodPanel()->motiveCells()[0];
    drop(*area->panelChooser(2), *first.dragHandle());
    TEffectMotivePanel* up = area->effectPanel(TDevelopmentArea::SEQUENCE_UP);
    drop(*cell(1), *up->slot(1)->dragHandle());
    settle();
    ASSERT_TRUE(motive(1).sameContent(up->variant(1)));
    EXPECT_EQ(undoAction()->text(), "&Undo Sequence Up");
    drop(*cell(2), *first.dragHandle());
    settle();
    EXPECT_EQ(undoAction()->text(), "&Undo Copy Motive");
    undoAction()->trigger();
    undoAction()->trigger();
    EXPECT_EQ(document(), composed) << "the drop on the chooser changed nothing";
}

TEST_F(Undo, TheStepsWaitWhileADemonstrationHasTheWindow) {
    window->composeEmptyMotives();
    const std::string composed = document();
    const auto demo = folder / "demo.tnr";
    writeWhole(demo, composed);
    ASSERT_TRUE(window->setAsideTo((folder / "aside.tnr").string()));
    ASSERT_TRUE(window->openFrom(demo.string()));
    motive(0).clearAll();
    settle();
    EXPECT_EQ(steps(), 1) << "the demonstration's own changes are no steps";
    ASSERT_TRUE(window->takeBackFrom((folder / "aside.tnr").string()));
    EXPECT_EQ(document(), composed);
    EXPECT_EQ(undoAction()->text(), "&Undo Compose Empty Motives");
    undoAction()->trigger();
    EXPECT_TRUE(motive(0).notes().empty());
    window->tempoPicked(145);
    settle();
    EXPECT_EQ(undoAction()->text(), "&Undo Change Tempo") << "recording goes on afterwards";
}

TEST_F(Undo, ALongSessionKeepsTheLatestStepsOnly) {
    // Every step holds the composition twice: without a bound a long session only grows.
    const int changes = TUndoRecorder::UNDO_LIMIT + 5;
    std::vector<std::string> states{document()};
    for (int i = 0; i < changes; ++i) {
        // Tempo changes in a row make one step; a note between them keeps them apart.
        if (i % 2 == 0) {
            window->tempoPicked(60 + i % 4 * 10);
        } else {
            cell(0)->saveVersion();
            motive(0).notes() = i % 4 == 1 ? TNoteList{TNote(0, 20, 120)} : TNoteList{};
            motive(0).notifyChanged();
        }
        settle();
        states.push_back(document());
    }
    EXPECT_EQ(steps(), TUndoRecorder::UNDO_LIMIT);
    for (int i = 0; i < TUndoRecorder::UNDO_LIMIT; ++i)
        undoAction()->trigger();
    EXPECT_FALSE(undoAction()->isEnabled());
    EXPECT_EQ(document(), states[std::size_t(changes - TUndoRecorder::UNDO_LIMIT)])
        << "the oldest steps are the ones forgotten";
}

} // namespace
