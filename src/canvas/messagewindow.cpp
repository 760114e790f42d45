#include "canvas/messagewindow.h"

#include "canvas/umotivecanvas.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

const QEvent::Type postedMessageType = static_cast<QEvent::Type>(QEvent::registerEventType());
const QEvent::Type playbackEventType = static_cast<QEvent::Type>(QEvent::registerEventType());

class TPostedMessage : public QEvent {
public:
    TPostedMessage(int message, int wParam, std::int64_t lParam)
        : QEvent(postedMessageType), message(message), wParam(wParam), lParam(lParam) {}

    int message;
    int wParam;
    std::int64_t lParam;
};

class TPostedPlaybackEvent : public QEvent {
public:
    explicit TPostedPlaybackEvent(const TPlaybackEvent& event)
        : QEvent(playbackEventType), event(event) {}

    TPlaybackEvent event;
};

} // namespace

TMessageWindow::TMessageWindow(TMessageHandler& handler, QObject* parent)
    : QObject(parent), handler_(handler) {}

TMessageWindow::~TMessageWindow() = default;

// postEvent is thread-safe and keeps the order of the events posted to one receiver, whatever
// their type.
void TMessageWindow::post(const TPlaybackEvent& event) {
    QCoreApplication::postEvent(this, new TPostedPlaybackEvent(event));
}

void TMessageWindow::post(int message, int wParam, std::int64_t lParam) {
    QCoreApplication::postEvent(this, new TPostedMessage(message, wParam, lParam));
}

TMessageWindow::TEntry::TEntry(TMessageWindow& window, TUMotiveCanvas& canvas, TCanvasSerial serial)
    : window_(window), serial_(serial) {
    window_.canvases_[serial_] = &canvas;
}

TMessageWindow::TEntry::~TEntry() {
    window_.canvases_.erase(serial_);
}

TUMotiveCanvas* TMessageWindow::canvasBySerial(TCanvasSerial serial) const {
    const auto found = canvases_.find(serial);
    return found != canvases_.end() ? found->second : nullptr;
}

void TMessageWindow::customEvent(QEvent* event) {
    if (event->type() == playbackEventType) {
        deliver(static_cast<TPostedPlaybackEvent*>(event)->event);
    } else if (event->type() == postedMessageType) {
        const auto* posted = static_cast<TPostedMessage*>(event);
        handler_.handleMessage(posted->message, posted->wParam, posted->lParam);
    } else {
        QObject::customEvent(event);
    }
}

void TMessageWindow::deliver(const TPlaybackEvent& event) {
    TUMotiveCanvas* canvas = canvasBySerial(event.canvas);
    if (canvas == nullptr)
        return; // its canvas has gone: a canvas built since must not take it
    switch (event.kind) {
    case TPlaybackEventKind::NoteStarted:
        canvas->noteStarted(event.motiveId, event.noteIndex);
        break;
    case TPlaybackEventKind::NoteStopped:
        canvas->noteFinished(event.motiveId, event.noteIndex);
        break;
    case TPlaybackEventKind::MotiveStarted:
        handler_.motivePlaying(*canvas, true);
        break;
    case TPlaybackEventKind::MotiveFinished:
        handler_.motivePlaying(*canvas, false);
        break;
    }
}
