// The main window worked for a long session in one process: variant choices on the period's
// cells (press, a move over a chord box that previews it through the real timer thread,
// release), developments by every technique of the chooser buttons, and save/open cycles of
// the composition. Prints the resident memory after the first 100 operations and at the end.
//
// Usage: soak [choices developments cycles]   (default: 1000 300 100)
#include "shelltesting.h"

#include "canvas/umotivecanvas.h"
#include "engine/variantgeometry.h"
#include "files/settings.h"
#include "model/rect.h"
#include "panels/developmentarea.h"
#include "playback/nullbackend.h"
#include "shell/mainwindow.h"
#include "shell/topframe.h"
#include "strip/periodpanel.h"
#include "variants/chordvariantstrategy.h"
#include "variants/variantview.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

constexpr int FIRST_EFFECT_CHOOSER = TDevelopmentArea::SEQUENCE_UP_CHOOSER;

double residentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024;
    return 0;
}

class TSoak {
public:
    explicit TSoak(const std::filesystem::path& folder) {
        writeMidiDevice(folder / std::string(SETTINGS_FILE_NAME), 0);
        window_ = std::make_unique<TMainWindow>(frame_, devices_, folder, &dialogs_);
        window_->show();
        file_ = (folder / "soak.tnr").string();
    }
    ~TSoak() { window_.reset(); }

    // Returns whether a chord box was there to choose.
    bool chooseVariant(int step) {
        const std::vector<TUMotiveSet*> cells = window_->periodPanel()->motiveCells();
        TUMotiveCanvas* canvas = cells[std::size_t(step) % cells.size()]->canvas();
        canvas->setMode(TUMotiveCanvas::MODE_NEW_CHORD);
        send(canvas, QEvent::MouseButtonPress, QPoint(40, 60), Qt::LeftButton, Qt::LeftButton);
        TVariantView* view = window_->variantView();
        auto* chords = dynamic_cast<TChordVariantStrategy*>(view->strategy(0));
        bool chosen = false;
        if (chords != nullptr && !chords->boxes().empty()) {
            const TRectWithCheck& box =
                chords->boxes()[std::size_t(step / 7) % chords->boxes().size()];
            const QPoint global = view->mapToGlobal(QPoint(box.left + 5, box.top + 5));
            QCursor::setPos(global);
            send(canvas, QEvent::MouseMove, canvas->mapFromGlobal(global), Qt::NoButton,
                 Qt::LeftButton);
            chosen = true;
        }
        send(canvas, QEvent::MouseButtonRelease, QPoint(40, 60), Qt::LeftButton, Qt::NoButton);
        settle();
        return chosen;
    }

    void develop(int step) {
        const int choosers = TDevelopmentArea::CHOOSER_COUNT - FIRST_EFFECT_CHOOSER;
        const std::vector<TUMotiveSet*> cells = window_->periodPanel()->motiveCells();
        // The cell's motive with its chords, and a line of quarter notes when it has no notes.
        TMotive source = cells[std::size_t(step) % cells.size()]->canvas()->motive();
        if (source.notes().empty())
            for (int time = 0; time < source.ticksPerMeasure(); time += 120)
                source.notes().emplace_back(time, 20 + (time / 120 + step) % 5, 120);
        window_->chooseEffect(FIRST_EFFECT_CHOOSER + step % choosers, source);
        settle();
    }

    bool saveAndOpen() {
        const bool done = window_->saveTo(file_) && window_->openFrom(file_);
        settle();
        return done;
    }

    int messages() const { return int(dialogs_.messages.size()); }

private:
    // What the event loop would do between two operations, deleting what was given up too.
    static void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static void send(TUMotiveCanvas* canvas, QEvent::Type type, QPoint at, Qt::MouseButton button,
                     Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(at), QPointF(canvas->mapToGlobal(at)), button, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(canvas, &event);
    }

    TNullBackend devices_;
    TScriptedDialogs dialogs_;
    TTopFrame frame_;
    std::unique_ptr<TMainWindow> window_;
    std::string file_;
};

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    const int choices = argc > 3 ? std::atoi(argv[1]) : 1000;
    const int developments = argc > 3 ? std::atoi(argv[2]) : 300;
    const int cycles = argc > 3 ? std::atoi(argv[3]) : 100;

    QTemporaryDir folder;
    TSoak soak(folder.path().toStdString());
    const int total = choices + developments + cycles;
    int done[3] = {0, 0, 0};
    int chosen = 0;
    int failedCycles = 0;
    double settled = 0;
    // The three kinds interleaved, so that each has run before the first figure is taken.
    for (int operation = 0; operation < total; ++operation) {
        int kind = operation % 3;
        while (done[kind] == (kind == 0 ? choices : kind == 1 ? developments : cycles))
            kind = (kind + 1) % 3;
        if (kind == 0)
            chosen += soak.chooseVariant(done[0]) ? 1 : 0;
        else if (kind == 1)
            soak.develop(done[1]);
        else
            failedCycles += soak.saveAndOpen() ? 0 : 1;
        ++done[kind];
        if (operation + 1 == 100)
            settled = residentMegabytes();
    }
    const double end = residentMegabytes();
    std::printf("%d variant choices (%d over a chord box), %d developments, %d save/open cycles "
                "(%d failed, %d messages)\n",
                done[0], chosen, done[1], done[2], failedCycles, soak.messages());
    std::printf("resident memory: %.1f MB after 100 operations, %.1f MB at the end, growth "
                "%.1f MB\n",
                settled, end, end - settled);
    return 0;
}
