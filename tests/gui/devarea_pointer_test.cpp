// The development area driven by real pointer events under an X server (for example Xvfb):
// a motive dragged from the period onto "Sequence Up", a variant played and dragged back into
// the period, the composition saved and read back by tonaria-cli.

#include "guitesting.h"

#include "canvas/umotivecanvas.h"
#include "panels/captionbutton.h"
#include "panels/developmentarea.h"
#include "panels/effectmotivepanel.h"
#include "panels/rawpanel.h"
#include "strip/periodpanel.h"
#include "widgets/dragged.h"

#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using DevelopmentAreaPointer = TMainWindowPointerTest;

TEST_F(DevelopmentAreaPointer, AMotiveGoesThroughSequenceUpAndBackIntoTheSavedPeriod) {
    std::vector<TUMotiveSet*> cells = window->periodPanel()->motiveCells();
    TMotive& first = cells[0]->canvas()->motive();
    first.notes() = {TNote(180, 20, 60), TNote(240, 21, 60), TNote(300, 22, 60),
                     TNote(360, 23, 60)};
    first.notifyChanged();
    pumpEvents(100);

    // The first cell's handle onto "Sequence Up".
    TDevelopmentArea* area = window->developmentArea();
    area->selectPanel(TDevelopmentArea::SEQUENCE_UP_CHOOSER + 1);
    ASSERT_TRUE(dragPointer(centreOf(cells[0]->dragHandle()),
                            centreOf(area->panelChooser(TDevelopmentArea::SEQUENCE_UP_CHOOSER))));
    TEffectMotivePanel* up = area->effectPanel(TDevelopmentArea::SEQUENCE_UP);
    EXPECT_EQ(area->shownPanel(), up);
    ASSERT_TRUE(up->source().sameContent(first));
    ASSERT_EQ(up->variant(0).notes().size(), 4u);
    EXPECT_EQ(up->variant(0).notes()[0].pitch(), 21);

    // Its first variant plays, to the device and lit on its canvas.
    devices.clear();
    ASSERT_TRUE(clickPointer(centreOf(up->playButton(0))));
    bool lit = false;
    pumpEvents(2500, [&] {
        for (const TNote& note : up->variant(0).notes())
            lit = lit || note.highlighted();
    });
    EXPECT_TRUE(lit);
    int noteOns = 0;
    for (std::uint32_t message : devices.messageValues())
        noteOns += (message & 0xF0) == 0x90 && ((message >> 16) & 0x7F) > 0 ? 1 : 0;
    EXPECT_GE(noteOns, 4);

    // The second variant's handle onto the second cell.
    const TMotive chosen = up->variant(1);
    ASSERT_TRUE(dragPointer(centreOf(up->slot(1)->dragHandle()), centreOf(cells[1]->canvas())));
    EXPECT_TRUE(cells[1]->canvas()->motive().sameContent(chosen));

    // Saved and read back by the command-line companion.
    const auto file = folder / "developed.tnr";
    dialogs.fileAnswers = {file};
    window->save();
    ASSERT_TRUE(std::filesystem::exists(file));
    QProcess cli;
    cli.start(TONARIA_CLI, {"info", QString::fromStdString(file.string())});
    ASSERT_TRUE(cli.waitForFinished(10000));
    const QString info = QString::fromUtf8(cli.readAllStandardOutput());
    EXPECT_TRUE(info.contains("Phrase A: 2 motives\n      Motive 1: 4 notes, 0 chords\n"
                              "      Motive 2: 4 notes, 0 chords"))
        << info.toStdString();
}

} // namespace
