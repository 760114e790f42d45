#include "files/appfolders.h"
#include "playback/brokenpipes.h"
#include "playback/mididevices.h"
#include "shell/commandline.h"
#include "shell/endsignals.h"
#include "shell/mainwindow.h"
#include "shell/topframe.h"
#include "testedits.h"
#include "widgets/windowplacement.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QSessionManager>
#include <QStandardPaths>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {

// With TONARIA_STARTUP_PROBE set, the program reports how long it took from the start of main
// to the first paint of the main window and to the moment the stored MIDI device has opened
// (sound ready), each with the wall clock then (seconds since the epoch, for timing the whole
// process from outside: bench/startup.py), and ends two seconds after the first paint.
class TStartupProbe : public QObject {
public:
    explicit TStartupProbe(const QElapsedTimer& clock) : clock_(clock) {}

    void report(const char* what) const {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        std::fprintf(stderr, "%s after %lld ms (clock %.6f)\n", what,
                     static_cast<long long>(clock_.elapsed()),
                     std::chrono::duration<double>(now).count());
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !reported_) {
            reported_ = true;
            report("main window painted");
            QTimer::singleShot(2000, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer& clock_;
    bool reported_ = false;
};

std::filesystem::path standardFolder(QStandardPaths::StandardLocation location) {
    return QStandardPaths::writableLocation(location).toStdString();
}

} // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer clock;
    clock.start();
    // A JACK server that stops must cost a message, not the program.
    ignoreBrokenPipes();
    // --help and --version answer in a terminal without any window system.
    if (asksForTextOnly(argc, argv)) {
        std::vector<std::string> arguments(argv + 1, argv + argc);
        std::cout << (parseCommandLine(arguments).help ? commandLineUsage() : versionText());
        return EXIT_SUCCESS;
    }
    QApplication application(argc, argv);
    // The user's configuration folder is named after the program: ~/.config/tonaria.
    QApplication::setApplicationName("tonaria");
    QStringList qtArguments = QApplication::arguments();
    qtArguments.removeFirst();
    std::vector<std::string> arguments;
    for (const QString& argument : qtArguments)
        arguments.push_back(argument.toStdString());
    const TCommandLine line = parseCommandLine(arguments);
    if (!line.error.empty()) {
        std::cerr << "tonaria: " << line.error << "\n" << commandLineUsage();
        return 2;
    }

    const std::filesystem::path executableFolder =
        QDir(QApplication::applicationDirPath()).absolutePath().toStdString();
    const TAppFolders folders =
        locateAppFolders(executableFolder, standardFolder(QStandardPaths::AppConfigLocation),
                         standardFolder(QStandardPaths::DocumentsLocation) / "Tonaria",
                         userStateFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME")));

    const auto devices = makeSystemDevices(&std::cerr);
    TTopFrame frame;
    // The device dialog of a first start comes up alone, before either window shows.
    // The stored device (the synthesizer, typically) opens once the window has been painted.
    TMainWindow window(frame, *devices, folders, nullptr,
                       TMainWindow::TDeviceOpening::AfterFirstPaint);
    fitOnScreen(frame);
    frame.show();
    // Right below the menu frame, whatever height its title bar and menu have here.
    window.move(0, frame.frameGeometry().bottom() + 1);
    fitOnScreen(window);
    TStartupProbe probe(clock);
    if (std::getenv("TONARIA_STARTUP_PROBE") != nullptr) {
        window.installEventFilter(&probe);
        QObject::connect(&window, &TMainWindow::startUpDeviceOpened, &probe,
                         [&probe] { probe.report("sound ready"); });
    }
    window.show();
    // Ended from outside (the desktop's logout or shutdown, a terminal closed, kill): the
    // unsaved work is kept for the next start, and the program ends cleanly.
    TEndSignals endSignals;
    QObject::connect(&endSignals, &TEndSignals::endRequested, &window, [&window] {
        window.keepRecovery();
        // exit, not quit: quit closes the windows first, and the menu frame would ask about
        // the unsaved changes that the copy now holds.
        QCoreApplication::exit(0);
    });
    // The session ends: asked as quitting asks where the session lets the program ask, the work
    // kept for the next start otherwise.
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager& manager) {
                         if (manager.allowsInteraction()) {
                             const bool mayEnd = window.mayQuit();
                             manager.release();
                             if (!mayEnd)
                                 manager.cancel();
                         } else {
                             window.keepRecovery();
                         }
                     });
    // Once the windows show, so that the messages and questions stand in front of them: missing
    // data files are named, the work an ended program left is offered, and the composition named
    // on the command line opens.
    QTimer::singleShot(0, &window, [&window, &line] {
        window.reportMissingData();
        const bool recovered = window.offerRecovery();
        startTestEdits(window, recovered);
        openCommandLineFile(window, line);
    });
    return application.exec();
}
