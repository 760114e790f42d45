// The floor of the start-up benchmark: an empty main window of the program's main window size,
// with the same first-paint report, so that bench/startup.py can time both alike.
//
// With --menus the window has a menu bar with the program's six menu titles: the text floor, what
// any window that shows text pays for the font database, the first text it lays out and draws and
// the menu bar itself.
//
// Built as startup_synth_floor (TONARIA_SYNTH_FLOOR), the empty window opens the built-in
// synthesizer once it has been painted, as the program opens its stored device, and reports
// sound ready: the synthesizer floor, what the synthesizer, its module and their libraries hold.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstring>

#ifdef TONARIA_SYNTH_FLOOR
#include "playback/mididevices.h"
#include "playback/player.h"

#include <iostream>
#include <memory>
#endif

namespace {

class TFirstPaintReport : public QObject {
public:
    explicit TFirstPaintReport(const QElapsedTimer& clock) : clock_(clock) {}

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
#ifdef TONARIA_SYNTH_FLOOR
            QTimer::singleShot(0, this, [this] { openSynthesizer(); });
#endif
            // Long enough for bench/startup.py to read the resident memory one second later.
            QTimer::singleShot(2000, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
#ifdef TONARIA_SYNTH_FLOOR
    // Device 0 with the program's instruments, as the program opens its stored synthesizer.
    void openSynthesizer() {
        devices_ = makeSystemDevices(&std::cerr);
        player_ = std::make_unique<TPlayer>(*devices_);
        player_->open(0);
        player_->sendInstrumentSetup();
        report("sound ready");
    }

    std::unique_ptr<TMidiDevices> devices_;
    std::unique_ptr<TPlayer> player_;
#endif
    const QElapsedTimer& clock_;
    bool reported_ = false;
};

} // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer clock;
    clock.start();
    QApplication application(argc, argv);
    QMainWindow window;
    window.resize(1016, 546);
    if (argc > 1 && std::strcmp(argv[1], "--menus") == 0) {
        for (const char* title : {"&File", "&Edit", "&View", "&Tools", "&Demo", "&Help"})
            window.menuBar()->addMenu(title);
    }
    TFirstPaintReport report(clock);
    window.installEventFilter(&report);
    window.show();
    return application.exec();
}
