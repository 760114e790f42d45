// tonaria-recordpaths DATA_FOLDER [NUMBER...]
//
// Runs the demonstrations (all nine, or those named) against the real main window under an X
// server. Where a demonstration would replay a pointer path, xdotool presses the real mouse
// button on the control, glides the pointer along the route that makes the intended choice
// (routes.cpp) and lets go; the variant view's trace sink records the path, which is written to
// DATA_FOLDER/dynamichelp/SCRIPT.xml. Everything else runs as the demonstration runs for a user.

#include "routes.h"

#include "files/settings.h"
#include "files/tracesink.h"
#include "help/democontrol.h"
#include "help/demonstrations.h"
#include "playback/recordingbackend.h"
#include "shell/mainwindow.h"
#include "shell/topframe.h"
#include "shell/userdialogsinterface.h"
#include "variants/variantview.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QProcess>

#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace {

namespace fs = std::filesystem;

// Runs xdotool while the event loop goes on.
bool xdotool(const QStringList& arguments) {
    QProcess process;
    process.start("xdotool", arguments);
    if (!process.waitForStarted(2000))
        return false;
    while (process.state() != QProcess::NotRunning)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void pump(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

QStringList moveTo(QPoint at) {
    return {"mousemove", QString::number(at.x()), QString::number(at.y())};
}

// Answers nothing and reports every message, so that nothing blocks.
class TQuietDialogs : public TUserDialogsInterface {
public:
    void showMessage(const std::string& text, const std::string& caption) override {
        std::cerr << caption << ": " << text << "\n";
        failed = true;
    }
    bool confirm(const std::string&, const std::string&) override { return false; }
    std::optional<fs::path> askSaveName(const TFileChoice&) override { return std::nullopt; }
    std::optional<fs::path> askOpenName(const TFileChoice&) override { return std::nullopt; }
    int chooseMidiDevice(int) override { return -1; }
    void showAbout() override {}
    TSaveChangesAnswer askSaveChanges(const std::string&, const std::string&) override {
        return TSaveChangesAnswer::Discard;
    }
    // Copies of unsaved work are left for the user.
    TRecoverAnswer askRecover(const std::string&, const std::string&) override {
        return TRecoverAnswer::Later;
    }
    std::optional<TPeriodStructure> askNewComposition() override { return std::nullopt; }
    bool failed = false;
};

// Presses over the pointer's place, follows the route and lets go; the trace is the path.
bool recordPath(TMainWindow& window, const fs::path& trace, const fs::path& target,
                const std::string& script) {
    const std::vector<TRouteStep> route = routeOf(script);
    if (route.empty()) {
        std::cerr << "no route for " << script << "\n";
        return false;
    }
    fs::remove(trace);
    if (!xdotool(moveTo(QCursor::pos()) + QStringList{"mousedown", "1"}))
        return false;
    pump(300);
    const QPoint origin = window.variantView()->mapToGlobal(QPoint(0, 0));
    QPoint at = QCursor::pos();
    for (const TRouteStep& step : route) {
        const QPoint to = origin + QPoint(step.x, step.y);
        // A glide of 4-pixel steps, as a hand moves.
        const int steps = std::max(1, (to - at).manhattanLength() / 4);
        QStringList glide;
        for (int i = 1; i <= steps; ++i)
            glide += moveTo(at + (to - at) * i / steps) + QStringList{"sleep", "0.015"};
        if (!xdotool(glide))
            return false;
        at = to;
        pump(step.restMs);
    }
    if (!xdotool({"mouseup", "1"}))
        return false;
    pump(300);
    if (!fs::exists(trace)) {
        std::cerr << "nothing recorded for " << script << "\n";
        return false;
    }
    fs::copy_file(trace, target / (script + ".xml"), fs::copy_options::overwrite_existing);
    std::cout << "recorded " << script << "\n";
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc < 2 || QGuiApplication::platformName() != "xcb") {
        std::cerr << "usage (under an X server with xdotool): tonaria-recordpaths DATA_FOLDER "
                     "[NUMBER...]\n";
        return 2;
    }
    const fs::path data = fs::absolute(argv[1]) / "dynamichelp";
    std::vector<int> numbers;
    for (int i = 2; i < argc; ++i)
        numbers.push_back(std::atoi(argv[i]));
    if (numbers.empty())
        for (int n = 1; n <= DEMONSTRATION_COUNT; ++n)
            numbers.push_back(n);

    // The demonstrations run on a copy, so that the data folder only gains the paths.
    const fs::path work = fs::temp_directory_path() / "tonaria-recordpaths";
    fs::remove_all(work);
    fs::create_directories(work);
    fs::copy(data, work / "dynamichelp");
    writeMidiDevice(work / std::string(SETTINGS_FILE_NAME), 0);
    const fs::path trace = work / "trace.xml";

    int failures = 0;
    for (const int number : numbers) {
        TRecordingBackend devices(2);
        TQuietDialogs dialogs;
        TTopFrame frame;
        TMainWindow window(frame, devices, work, &dialogs);
        frame.show();
        window.show();
        pump(500);
        window.variantView()->setTraceSink(std::make_unique<TFileTraceSink>(trace));
        window.demonstrations().setPathRecorder([&](QWidget* target, const std::string& script) {
            (void)target;
            return recordPath(window, trace, data, script);
        });
        frame.command("demo" + std::to_string(number))->trigger();
        while (window.demonstrations().isRunning())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        const auto* demo = window.demonstrations().demonstration();
        if (dialogs.failed || demo->end() != TDynamicHelpThread::TEnd::Finished) {
            std::cerr << "demonstration " << number << " failed\n";
            ++failures;
        }
    }
    fs::remove_all(work);
    return failures == 0 ? 0 : 1;
}
