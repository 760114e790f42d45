// The development area driven by real pointer events under an X server (for example Xvfb):
// a motive dragged from the period onto "Sequence Up", a variant played and dragged back into
// the period, the composition saved and read back by tonaria-cli.

#include "shelltesting.h"

#include "canvas/dragged.h"
#include "canvas/periodpanel.h"
#include "canvas/umotivecanvas.h"
#include "files/settings.h"
#include "panels/captionbutton.h"
#include "panels/developmentarea.h"
#include "panels/effectmotivepanel.h"
#include "panels/rawpanel.h"
#include "playback/recordingbackend.h"
#include "shell/mainwindow.h"
#include "shell/topframe.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Runs xdotool with `arguments` while the event loop goes on; false when it failed.
bool xdotool(const QStringList& arguments) {
    QProcess process;
    process.start(XDOTOOL, arguments);
    if (!process.waitForStarted(2000))
        return false;
    QElapsedTimer clock;
    clock.start();
    while (process.state() != QProcess::NotRunning && clock.elapsed() < 15000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QStringList at(const QPoint& point) {
    return {"mousemove", QString::number(point.x()), QString::number(point.y())};
}

QPoint centreOf(const QWidget* widget) {
    return widget->mapToGlobal(widget->rect().center());
}

// Presses over `from`, moves in small steps to `to` and releases there.
bool dragPointer(const QPoint& from, const QPoint& to) {
    QStringList script = at(from) + QStringList{"sleep", "0.3", "mousedown", "1", "sleep", "0.2"};
    for (int step = 1; step <= 10; ++step)
        script += at(from + (to - from) * step / 10) + QStringList{"sleep", "0.05"};
    script += QStringList{"sleep", "0.3", "mouseup", "1", "sleep", "0.3"};
    return xdotool(script);
}

bool clickPointer(const QPoint& point) {
    return xdotool(at(point) + QStringList{"sleep", "0.2", "click", "1", "sleep", "0.2"});
}

void pumpEvents(int milliseconds, const std::function<void()>& each = {}) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (each)
            each();
    }
}

class DevelopmentAreaPointer : public ::testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != "xcb" || std::string(XDOTOOL).empty() ||
            std::string(XDOTOOL).find("NOTFOUND") != std::string::npos)
            GTEST_SKIP() << "needs an X server and xdotool";
        writeMidiDevice(folder / std::string(SETTINGS_FILE_NAME), 0);
        window = std::make_unique<TMainWindow>(frame, devices, folder.path(), &dialogs);
        window->move(0, 0);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        pumpEvents(300);
    }

    TTempFolder folder;
    TRecordingBackend devices{2};
    TScriptedDialogs dialogs;
    TTopFrame frame;
    std::unique_ptr<TMainWindow> window;
};

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
