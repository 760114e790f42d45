#include "canvas/resources.h"
#include "canvas/windowplacement.h"
#include "playback/mididevices.h"
#include "shell/mainwindow.h"
#include "shell/topframe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>

#include <cstdio>
#include <cstdlib>

namespace {

// With TONARIA_STARTUP_PROBE set, the program reports how long it took from the start of main
// to the first paint of the main window, and ends: a diagnostic for the start-up time.
class TStartupProbe : public QObject {
public:
    explicit TStartupProbe(const QElapsedTimer& clock) : clock_(clock) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !reported_) {
            reported_ = true;
            std::fprintf(stderr, "main window painted after %lld ms\n",
                         static_cast<long long>(clock_.elapsed()));
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer& clock_;
    bool reported_ = false;
};

} // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer clock;
    clock.start();
    QApplication application(argc, argv);
    const std::filesystem::path folder = applicationFolder().toStdString();

    const auto devices = makeSystemDevices();
    TTopFrame frame;
    // The device dialog of a first start comes up alone, before either window shows.
    TMainWindow window(frame, *devices, folder);
    fitOnScreen(frame);
    frame.show();
    // Right below the menu frame, whatever height its title bar and menu have here.
    window.move(0, frame.frameGeometry().bottom() + 1);
    fitOnScreen(window);
    TStartupProbe probe(clock);
    if (std::getenv("TONARIA_STARTUP_PROBE") != nullptr)
        window.installEventFilter(&probe);
    window.show();
    return application.exec();
}
