// The development area: from a motive dropped on a chooser to its panel painted with three
// variants, for each of the fourteen techniques; building the whole area as the main window
// does at start-up; and the main window itself from construction to its first paint. Runs
// offscreen, beside the glyph sheet.
//
// With TONARIA_GRAB_PANELS=<folder> set, every effect panel is also painted once after a drop
// and saved there as a PNG file, so that the pictures can be looked at.

#include "canvas/umotivecanvas.h"
#include "files/settings.h"
#include "panels/developmentarea.h"
#include "panels/effectmotivepanel.h"
#include "panelstesting.h"
#include "playback/recordingbackend.h"
#include "shell/mainwindow.h"
#include "shell/topframe.h"
#include "shelltesting.h"

#include <QPixmap>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

// The choosers of the fourteen techniques, by their row index.
constexpr int FIRST_EFFECT_CHOOSER = TDevelopmentArea::SEQUENCE_UP_CHOOSER;

class TDropScene {
public:
    TDropScene()
        : area_(nullptr, service_, service_.scheme()), source_(harmonisedMelody()),
          canvas_(nullptr, service_, source_), handle_(nullptr, &canvas_) {
        area_.setMeter(source_.measure(), source_.key(), source_.zatakt());
        area_.show();
        // Painting needs the window exposed.
        QCoreApplication::processEvents();
    }

    TDevelopmentArea& area() { return area_; }
    // Drops the source on the chooser and paints the panel it shows; returns the panel.
    QWidget* dropAndPaint(int chooser) {
        dropOn(*area_.panelChooser(chooser), handle_);
        QWidget* panel = area_.effectPanelOfChooser(chooser);
        panel->repaint();
        return panel;
    }

private:
    TPanelsService service_;
    TDevelopmentArea area_;
    TMotive source_;
    TUMotiveCanvas canvas_;
    TDragged handle_;
};

void BM_DropToPainted(benchmark::State& state) {
    TDropScene scene;
    const int chooser = static_cast<int>(state.range(0));
    state.SetLabel(scene.area().panelChooser(chooser)->text().toStdString());
    for (auto _ : state)
        benchmark::DoNotOptimize(scene.dropAndPaint(chooser));
}
BENCHMARK(BM_DropToPainted)
    ->DenseRange(FIRST_EFFECT_CHOOSER, TDevelopmentArea::CHOOSER_COUNT - 1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

// The fourteen panels with their 42 canvases and the chooser row, in the period's meter,
// painted once.
void BM_BuildDevelopmentArea(benchmark::State& state) {
    TPanelsService service;
    const TMotive shape = upbeatMotive();
    for (auto _ : state) {
        TDevelopmentArea area(nullptr, service, service.scheme());
        area.setMeter(shape.measure(), shape.key(), shape.zatakt());
        area.selectFirst();
        benchmark::DoNotOptimize(area.grab());
    }
}
BENCHMARK(BM_BuildDevelopmentArea)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

// The main window with the default period, from construction to its first paint.
void BM_MainWindowToFirstPaint(benchmark::State& state) {
    QTemporaryDir temporary;
    const std::filesystem::path folder = temporary.path().toStdString();
    writeMidiDevice(folder / std::string(SETTINGS_FILE_NAME), 0);
    TRecordingBackend devices;
    TScriptedDialogs dialogs;
    TTopFrame frame;
    for (auto _ : state) {
        TMainWindow window(frame, devices, folder, &dialogs);
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(BM_MainWindowToFirstPaint)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

void grabPanels(const QString& folder) {
    TDropScene scene;
    for (int chooser = FIRST_EFFECT_CHOOSER; chooser < TDevelopmentArea::CHOOSER_COUNT; ++chooser) {
        scene.dropAndPaint(chooser);
        const QString name = scene.area().panelChooser(chooser)->text().replace(' ', '-');
        scene.area().grab().save(folder + "/" + name + ".png");
    }
}

} // namespace

int main(int argc, char** argv) {
    ensurePanelsApplication();
    if (const char* folder = std::getenv("TONARIA_GRAB_PANELS"))
        grabPanels(QString::fromLocal8Bit(folder));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
