#pragma once

#include "files/pointerpath.h"

#include <QPoint>
#include <QPointF>
#include <QPointer>
#include <QThread>

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class TBaseService;
class TDragged;
class TForHelpService;
class THelpForm;
class TMessageBundle;

// Where a demonstration finds its data and keeps the user's composition, how fast it goes, and
// how it tells the user about a failure.
struct TDemoSetting {
    // Holds the prepared compositions, the pages and the recorded pointer paths.
    std::filesystem::path dataFolder;
    // The user's composition while a demonstration runs ("temp.tnr" in a writable folder).
    std::filesystem::path tempFile;
    // One pointer step; every pause is a number of steps.
    int stepMilliseconds = 15;
    // Shows a message box (text, caption) and returns once the user closed it.
    std::function<void(const std::string&, const std::string&)> showMessage;
    // Set only to record the pointer paths: instead of replaying the path "script.xml" over
    // `target`, the hand (a script driving the real pointer) makes the choice; true when it
    // did. The user's presses then reach the application.
    std::function<bool(QWidget* target, const std::string& script)> recordPath;
};

// The step length the environment asks for (TONARIA_DEMO_STEP_MS, 0 to 1000), else 15 ms.
int demoStepFromEnvironment();

// A demonstration: its steps run on a thread of their own, which sleeps between pointer steps
// and moves the real pointer, while every access to a window, a control or the document is a
// synchronous call executed by the interface thread (a blocking queued call on `context`, an
// object of the interface thread). A demonstration sets the user's composition aside, opens its
// prepared one, operates the interface exactly as a user would, shows one page per step and,
// however it ends (finished, failed, cancelled with a key or stopped by the application),
// opens the user's composition again under its name with its mark of unsaved changes.
// Subclasses override `steps` only.
class TDynamicHelpThread : public QThread {
    Q_OBJECT
public:
    TDynamicHelpThread(QObject* context, TBaseService& service, TForHelpService& help,
                       TDemoSetting setting, std::string script);
    ~TDynamicHelpThread() override;

    const std::string& script() const { return script_; }
    // Asks the thread to end as a cancel does: it gives the user's composition back and
    // returns. Called on the interface thread, which must keep handling events (the thread
    // calls it synchronously) until the thread has finished: see TDemoControl::stop.
    void requestStop() { stopRequested_ = true; }
    // How the last run ended. Read once the thread has finished.
    enum class TEnd { Running, Finished, Cancelled, Failed };
    TEnd end() const { return end_; }
    // True when the user's composition could not be opened again (it is in the temp file).
    bool restoreFailed() const { return restoreFailed_; }
    // The composition as the demonstration left it, just before the user's came back.
    const std::string& demonstrationDocument() const { return demonstrationDocument_; }

protected:
    void run() override;
    // The demonstration's own steps after the common opening.
    virtual void steps() = 0;
    // The first page; the common opening shows it.
    virtual std::string firstPage() const = 0;
    // Whether the help window stands at the menu frame's right instead of its left.
    virtual bool helpAtRight() const { return false; }
    // The development area's panel the demonstration shows from its first page on, or -1.
    virtual int panelAtStart() const { return -1; }

    // The primitives. A failure ends the demonstration with the error message; a cancel (a key,
    // or the application stopping it) ends it without one. Both leave the step list at once.
    void showPage(const std::string& page);
    void waitSteps(int steps);
    void smoothMove(QPoint target);
    void pointAt(const QPointer<QWidget>& control);
    // Points at `local` (pixels of the control); the help window makes room for the control.
    void pointAtSpot(const QPointer<QWidget>& control, QPoint local);
    void pointAtLeftPart(const QPointer<QWidget>& canvas);
    // Points at the middle of a canvas's chord strip, where a press chooses chords.
    void pointAtChordStrip(const QPointer<QWidget>& canvas);
    void press(const QPointer<QWidget>& control);
    void release(const QPointer<QWidget>& control);
    void click(const QPointer<QWidget>& control, int releaseAfter);
    // Drags `source` onto `target`: the drag cursor shows, the pointer travels, and the target
    // takes the drop as from the user's hand. A refused drop is a failure.
    void dragAndDrop(const QPointer<QWidget>& source, const QPointer<QWidget>& target,
                     int waitBefore, int waitAfter);
    // Presses `target` (a canvas, or an area that serves one), which opens the variant window,
    // replays the recorded path "script.xml" over the variant view and releases, which keeps
    // the variant under the pointer. A path that cannot be read is a failure (after the
    // release).
    void playPath(const QPointer<QWidget>& target, const std::string& script);
    void waitForPlayback();
    // Draws a contour over a canvas in the mode that generates a motive: presses at the first
    // point, glides through the others with the button held, releases at the last. The points
    // are fractions of the canvas's width and height.
    void drawContour(const QPointer<QWidget>& canvas, const std::vector<QPointF>& points);
    // Runs `locate` on the interface thread; a control that is not there is a failure.
    template <class Locate> QPointer<QWidget> locate(Locate locate) {
        QWidget* found = nullptr;
        onInterface([&] { found = locate(); });
        if (found == nullptr)
            fail("a control of the demonstration is missing");
        return QPointer<QWidget>(found);
    }
    // Runs `call` on the interface thread and waits for it.
    void onInterface(const std::function<void()>& call);

    TBaseService& service() { return service_; }
    TForHelpService& help() { return help_; }

private:
    struct TEndOfSteps {
        bool error;
    };
    [[noreturn]] void fail(const std::string& why);
    void begin();
    void setAsideAndOpen();
    void cancelCheck();
    void sleepStep();
    void setPointer(QPoint at);
    QPoint pointer();
    void finish();
    void sendMouse(QWidget* control, int type, QPoint local, QPoint global);
    QPoint pointerIn(QWidget* control);
    // Interface thread: scrolls the control into sight where a scroll area holds it, and moves
    // the help window off the screen rectangle `avoid` when it covers any of it.
    static void bringIntoView(QWidget* control);
    void keepHelpClearOf(const QRect& avoid);

    QObject* context_;
    TBaseService& service_;
    TForHelpService& help_;
    const TMessageBundle& bundle_;
    TDemoSetting setting_;
    std::string script_;
    bool pointerOnThisThread_;
    QPointer<THelpForm> helpWindow_;
    std::string page_;
    std::vector<QPoint> pathRelative_;
    std::vector<QPoint> pathScreen_;
    QPoint current_;
    bool setAside_ = false;
    // The user's panel of the development area, shown again at the end.
    int userPanel_ = -1;
    // The canvases' mode the user had chosen, chosen again at the end.
    int userMode_ = -1;
    std::atomic<bool> stopRequested_{false};
    std::atomic<TEnd> end_{TEnd::Running};
    std::atomic<bool> restoreFailed_{false};
    std::string failure_;
    std::string demonstrationDocument_;
};
