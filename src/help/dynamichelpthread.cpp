#include "help/dynamichelpthread.h"

#include "canvas/baseservice.h"
#include "files/messagebundle.h"
#include "files/periodwriter.h"
#include "help/forhelpservice.h"
#include "help/helpform.h"
#include "model/canvasgeometry.h"
#include "playback/motiveplayer.h"
#include "variants/variantview.h"
#include "widgets/dragged.h"

#include <QApplication>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QToolTip>
#include <QUrl>

#include <algorithm>
#include <cstdlib>
#include <exception>

namespace {

constexpr int DEFAULT_STEP_MS = 15;
constexpr int MAX_STEP_MS = 1000;
// When pointing at the left part of a canvas the pointer stands this far inside its left edge.
constexpr int LEFT_PART_INSET = 19;

QPoint toQPoint(TPathPoint point) {
    return {point.x, point.y};
}

// Where a control stands on the screen.
QRect screenRect(const QWidget* control) {
    return {control->mapToGlobal(QPoint(0, 0)), control->size()};
}

} // namespace

int demoStepFromEnvironment() {
    const char* text = std::getenv("TONARIA_DEMO_STEP_MS");
    if (text == nullptr || *text == '\0')
        return DEFAULT_STEP_MS;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*end != '\0' || value < 0 || value > MAX_STEP_MS)
        return DEFAULT_STEP_MS;
    return int(value);
}

TDynamicHelpThread::TDynamicHelpThread(QObject* context, TBaseService& service,
                                       TForHelpService& help, TDemoSetting setting,
                                       std::string script)
    : context_(context), service_(service), help_(help), bundle_(service.messageBundle()),
      setting_(std::move(setting)), script_(std::move(script)),
      // The X server moves the pointer for any thread; elsewhere the interface thread does.
      pointerOnThisThread_(QGuiApplication::platformName() == QLatin1String("xcb")) {}

TDynamicHelpThread::~TDynamicHelpThread() {
    // The owner has stopped the thread; a help window that remains goes with it.
    wait();
    delete helpWindow_.data();
}

void TDynamicHelpThread::onInterface(const std::function<void()>& call) {
    QMetaObject::invokeMethod(context_, call, Qt::BlockingQueuedConnection);
}

void TDynamicHelpThread::run() {
    bool error = false;
    bool cancelled = false;
    try {
        begin();
        showPage(firstPage());
        setAsideAndOpen();
        waitSteps(200);
        steps();
    } catch (const TEndOfSteps& ended) {
        error = ended.error;
        cancelled = !ended.error;
    } catch (const std::exception& problem) {
        failure_ = problem.what();
        error = true;
    }
    if (error)
        onInterface([this] {
            setting_.showMessage(bundle_.text("dynamic help error"), bundle_.text("error"));
        });
    finish();
    end_ = error ? TEnd::Failed : cancelled ? TEnd::Cancelled : TEnd::Finished;
}

void TDynamicHelpThread::fail(const std::string& why) {
    failure_ = why;
    throw TEndOfSteps{true};
}

void TDynamicHelpThread::begin() {
    onInterface([this] {
        // The pointer starts from where the user left it.
        current_ = QCursor::pos();
        QToolTip::hideText();
        userPanel_ = help_.selectedPanel();
        userMode_ = help_.canvasMode();
        if (panelAtStart() >= 0)
            service_.selectPanel(panelAtStart());
        auto* form = new THelpForm(help_.mainWindowControl(), bundle_);
        form->setBlocksPresses(!setting_.recordPath);
        helpWindow_ = form;
        form->show();
        if (helpAtRight())
            help_.placeAtMenuFrameRight(form);
        else
            help_.placeAtMenuFrameLeft(form);
        help_.setVariantViewFlag(true);
    });
}

void TDynamicHelpThread::showPage(const std::string& page) {
    page_ = page;
    onInterface([this] {
        if (helpWindow_ != nullptr)
            helpWindow_->showPage(QUrl::fromLocalFile(
                QString::fromStdString((setting_.dataFolder / page_).string())));
    });
}

void TDynamicHelpThread::setAsideAndOpen() {
    bool ok = false;
    onInterface([&] {
        setAside_ = help_.setAsideTo(setting_.tempFile.string());
        ok = setAside_ && help_.openCopyFrom((setting_.dataFolder / (script_ + ".tnr")).string());
    });
    if (!ok)
        fail("the compositions could not be exchanged");
}

void TDynamicHelpThread::cancelCheck() {
    bool cancelled = stopRequested_;
    onInterface(
        [&] { cancelled = cancelled || helpWindow_.isNull() || helpWindow_->isCancelled(); });
    if (cancelled)
        throw TEndOfSteps{false};
}

void TDynamicHelpThread::sleepStep() {
    if (stopRequested_)
        throw TEndOfSteps{false};
    if (setting_.stepMilliseconds > 0)
        msleep(static_cast<unsigned long>(setting_.stepMilliseconds));
}

void TDynamicHelpThread::setPointer(QPoint at) {
    if (pointerOnThisThread_)
        QCursor::setPos(at);
    else
        onInterface([at] { QCursor::setPos(at); });
}

QPoint TDynamicHelpThread::pointer() {
    if (pointerOnThisThread_)
        return QCursor::pos();
    QPoint at;
    onInterface([&at] { at = QCursor::pos(); });
    return at;
}

void TDynamicHelpThread::waitSteps(int steps) {
    for (int i = 0; i < steps; ++i) {
        setPointer(current_);
        sleepStep();
        // A key ends the demonstration at once, not only after the whole pause.
        if (i % 10 == 9)
            cancelCheck();
    }
    cancelCheck();
}

void TDynamicHelpThread::smoothMove(QPoint target) {
    const QPoint from = pointer();
    for (const TPathPoint step : smoothMoveSteps({from.x(), from.y()}, {target.x(), target.y()})) {
        setPointer(toQPoint(step));
        sleepStep();
    }
    setPointer(target);
}

void TDynamicHelpThread::bringIntoView(QWidget* control) {
    for (QWidget* outer = control->parentWidget(); outer != nullptr;
         outer = outer->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(outer))
            area->ensureWidgetVisible(control, 0, 0);
    }
}

void TDynamicHelpThread::keepHelpClearOf(const QRect& avoid) {
    THelpForm* form = helpWindow_;
    if (form == nullptr)
        return;
    const QPoint current = form->pos();
    const QSize size = form->frameGeometry().size();
    if (!QRect(current, size).intersects(avoid))
        return;
    // The help window's usual places first, then the corners of the screen.
    std::vector<QPoint> places;
    help_.placeAtMenuFrameLeft(form);
    places.push_back(form->pos());
    help_.placeAtMenuFrameRight(form);
    places.push_back(form->pos());
    const QRect screen = form->screen()->availableGeometry();
    const QPoint far = screen.bottomRight() - QPoint(size.width() - 1, size.height() - 1);
    places.insert(places.end(), {QPoint(far.x(), screen.top()), QPoint(screen.left(), far.y()), far,
                                 screen.topLeft()});
    form->move(placeClearOf(size, current, avoid, places, screen));
}

void TDynamicHelpThread::pointAtSpot(const QPointer<QWidget>& control, QPoint local) {
    bool there = false;
    onInterface([&] {
        there = control != nullptr;
        if (there) {
            bringIntoView(control);
            current_ = control->mapToGlobal(local);
            keepHelpClearOf(screenRect(control));
        }
    });
    if (!there)
        fail("the control to point at is gone");
    smoothMove(current_);
}

void TDynamicHelpThread::pointAt(const QPointer<QWidget>& control) {
    QPoint centre;
    onInterface([&] {
        if (control != nullptr)
            centre = control->rect().center();
    });
    pointAtSpot(control, centre);
}

void TDynamicHelpThread::pointAtLeftPart(const QPointer<QWidget>& canvas) {
    QPoint spot;
    onInterface([&] {
        if (canvas != nullptr)
            spot = QPoint(LEFT_PART_INSET, canvas->height() / 2);
    });
    pointAtSpot(canvas, spot);
}

void TDynamicHelpThread::pointAtChordStrip(const QPointer<QWidget>& canvas) {
    QPoint spot;
    onInterface([&] {
        if (canvas != nullptr)
            spot = QPoint(canvas->width() / 2,
                          (TCanvasGeometry::CHORD_STRIP_TOP + canvas->height()) / 2);
    });
    pointAtSpot(canvas, spot);
}

QPoint TDynamicHelpThread::pointerIn(QWidget* control) {
    // The press lands where the pointer stands, kept inside the control.
    const QPoint local = control->mapFromGlobal(QCursor::pos());
    return {std::clamp(local.x(), 0, std::max(0, control->width() - 1)),
            std::clamp(local.y(), 0, std::max(0, control->height() - 1))};
}

void TDynamicHelpThread::sendMouse(QWidget* control, int type, QPoint local, QPoint global) {
    const auto eventType = static_cast<QEvent::Type>(type);
    const Qt::MouseButton button = eventType == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held =
        eventType == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(eventType, QPointF(local), QPointF(global), button, held, Qt::NoModifier);
    QApplication::sendEvent(control, &event);
}

void TDynamicHelpThread::press(const QPointer<QWidget>& control) {
    bool there = false;
    onInterface([&] {
        there = control != nullptr;
        if (there) {
            const QPoint local = pointerIn(control);
            sendMouse(control, QEvent::MouseButtonPress, local, control->mapToGlobal(local));
        }
    });
    if (!there)
        fail("the control to press is gone");
}

void TDynamicHelpThread::release(const QPointer<QWidget>& control) {
    bool there = false;
    onInterface([&] {
        there = control != nullptr;
        if (there) {
            const QPoint local = pointerIn(control);
            sendMouse(control, QEvent::MouseButtonRelease, local, control->mapToGlobal(local));
        }
    });
    if (!there)
        fail("the control to release is gone");
}

void TDynamicHelpThread::click(const QPointer<QWidget>& control, int releaseAfter) {
    press(control);
    try {
        waitSteps(releaseAfter);
    } catch (const TEndOfSteps&) {
        release(control);
        throw;
    }
    release(control);
}

void TDynamicHelpThread::dragAndDrop(const QPointer<QWidget>& source,
                                     const QPointer<QWidget>& target, int waitBefore,
                                     int waitAfter) {
    onInterface([] { QApplication::setOverrideCursor(Qt::DragMoveCursor); });
    try {
        waitSteps(waitBefore);
        pointAt(target);
        waitSteps(waitAfter);
    } catch (const TEndOfSteps&) {
        onInterface([] { QApplication::restoreOverrideCursor(); });
        throw;
    }
    bool dropped = false;
    onInterface([&] {
        QApplication::restoreOverrideCursor();
        auto* handle = qobject_cast<TDragged*>(source.data());
        if (handle == nullptr || target == nullptr || !target->acceptDrops())
            return;
        TDraggedMimeData data(handle);
        const QPoint at(1, 1);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return;
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        dropped = drop.isAccepted();
    });
    if (!dropped)
        fail("the drop was refused");
}

void TDynamicHelpThread::playPath(const QPointer<QWidget>& target, const std::string& script) {
    if (setting_.recordPath) {
        bool recorded = false;
        onInterface([&] { recorded = target != nullptr && setting_.recordPath(target, script); });
        if (!recorded)
            fail("the pointer path " + script + " was not recorded");
        return;
    }
    press(target);
    bool ok = false;
    page_ = (setting_.dataFolder / (script + ".xml")).string();
    onInterface([&] {
        pathRelative_.clear();
        pathScreen_.clear();
        TVariantView* view = help_.variantView();
        if (target == nullptr || view == nullptr)
            return;
        // The variant window opened for the press: the page makes room for it.
        keepHelpClearOf(view->window()->frameGeometry());
        const QPoint origin = target->mapToGlobal(QPoint(0, 0));
        try {
            for (const TPathPoint point : readPointerPath(page_)) {
                const QPoint screen = view->mapToGlobal(toQPoint(point));
                pathRelative_.push_back(screen - origin);
                pathScreen_.push_back(screen);
            }
            ok = true;
        } catch (const TPointerPathError& error) {
            failure_ = error.what();
        }
    });
    try {
        if (ok) {
            sleepStep();
            for (std::size_t i = 0; i < pathScreen_.size(); ++i) {
                setPointer(pathScreen_[i]);
                current_ = pathScreen_[i];
                const QPoint relative = pathRelative_[i];
                const QPoint screen = pathScreen_[i];
                onInterface([&] {
                    if (target != nullptr)
                        sendMouse(target, QEvent::MouseMove, relative, screen);
                });
                sleepStep();
            }
        }
    } catch (const TEndOfSteps&) {
        release(target);
        throw;
    }
    release(target);
    if (!ok)
        fail("the pointer path " + page_ + " cannot be played");
}

void TDynamicHelpThread::drawContour(const QPointer<QWidget>& canvas,
                                     const std::vector<QPointF>& points) {
    std::vector<QPoint> screen;
    onInterface([&] {
        if (canvas == nullptr)
            return;
        bringIntoView(canvas);
        keepHelpClearOf(screenRect(canvas));
        for (const QPointF& point : points)
            screen.push_back(canvas->mapToGlobal(
                QPoint(int(point.x() * canvas->width()), int(point.y() * canvas->height()))));
    });
    if (screen.empty())
        fail("the canvas to draw on is gone");
    smoothMove(screen.front());
    press(canvas);
    try {
        for (std::size_t i = 1; i < screen.size(); ++i) {
            const QPoint from = pointer();
            for (const TPathPoint step :
                 smoothMoveSteps({from.x(), from.y()}, {screen[i].x(), screen[i].y()})) {
                const QPoint at = toQPoint(step);
                setPointer(at);
                onInterface([&] {
                    if (canvas != nullptr)
                        sendMouse(canvas, QEvent::MouseMove, canvas->mapFromGlobal(at), at);
                });
                sleepStep();
            }
            current_ = screen[i];
        }
    } catch (const TEndOfSteps&) {
        release(canvas);
        throw;
    }
    release(canvas);
}

void TDynamicHelpThread::waitForPlayback() {
    onInterface([this] { help_.markPlaying(); });
    for (bool finished = false; !finished;) {
        sleepStep();
        onInterface([&] {
            // A click that started nothing has nothing to wait for.
            finished = help_.playFinished() || !service_.motivePlayer().isPlaying();
        });
    }
    cancelCheck();
}

void TDynamicHelpThread::finish() {
    onInterface([this] {
        // A choice the demonstration left open ends before its composition goes.
        if (TVariantView* view = help_.variantView())
            view->abandon();
        service_.motivePlayer().stop();
        demonstrationDocument_ = periodDocument(service_.period());
        if (setAside_ && !help_.takeBackFrom(setting_.tempFile.string())) {
            restoreFailed_ = true;
            setting_.showMessage(bundle_.text("dynamic help restore error") + "\n" +
                                     setting_.tempFile.string(),
                                 bundle_.text("error"));
        }
        setAside_ = false;
        // The development area shows the user's panel again.
        if (userPanel_ >= 0)
            service_.selectPanel(userPanel_);
        if (userMode_ >= 0)
            help_.chooseCanvasMode(userMode_);
        delete helpWindow_.data();
        QToolTip::hideText();
        help_.setVariantViewFlag(false);
        while (QApplication::overrideCursor() != nullptr)
            QApplication::restoreOverrideCursor();
    });
}
