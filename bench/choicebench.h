// A canvas and the variant view in its own window, wired as the main window wires them, for
// the benchmarks that drive a choice with pointer events.
#pragma once

#include "fakecanvasservice.h"

#include "canvas/umotivecanvas.h"
#include "variants/variantview.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <memory>

struct TChoiceBench {
    // `timerStarts`: the motive player's timer thread starts as soon as something is queued.
    explicit TChoiceBench(bool timerStarts = false) : service(timerStarts) {
        window = std::make_unique<QWidget>(nullptr, Qt::Tool);
        view = new TVariantView(window.get(), service, service, window.get());
        view->move(5, 5);
        window->setFixedSize(490, 460);
        view->setTimerEnabled(false);
        view->setButtonProbe([] { return true; });
        view->setTraceSink(std::make_unique<TNullTraceSink>());
        service.display = view;
        host = std::make_unique<QWidget>();
        host->setGeometry(0, 0, 420, 200);
        canvas = new TUMotiveCanvas(host.get(), service, motive);
        host->show();
    }

    void send(QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(local), QPointF(canvas->mapToGlobal(local)), button,
                          buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(canvas, &event);
    }

    TFakeCanvasService service;
    TMotive motive{TKey(-2, MINOR), TMeasure(4, 120)};
    std::unique_ptr<QWidget> window;
    std::unique_ptr<QWidget> host;
    TVariantView* view = nullptr;
    TUMotiveCanvas* canvas = nullptr;
};
