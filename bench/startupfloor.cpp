// The floor of the start-up benchmark: an empty main window of the program's main window size,
// with the same first-paint report, so that bench/startup.py can time both alike.
//
// With --menus the window has a menu bar with the program's six menu titles: the text floor, what
// any window that shows text pays for the font database, the first text it lays out and draws and
// the menu bar itself.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

class TFirstPaintReport : public QObject {
public:
    explicit TFirstPaintReport(const QElapsedTimer& clock) : clock_(clock) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !reported_) {
            reported_ = true;
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            std::fprintf(stderr, "main window painted after %lld ms (clock %.6f)\n",
                         static_cast<long long>(clock_.elapsed()),
                         std::chrono::duration<double>(now).count());
            // Long enough for bench/startup.py to read the resident memory one second later.
            QTimer::singleShot(2000, qApp, &QCoreApplication::quit);
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
