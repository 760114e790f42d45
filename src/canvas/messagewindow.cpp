#include "canvas/messagewindow.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

const QEvent::Type postedMessageType = static_cast<QEvent::Type>(QEvent::registerEventType());

class TPostedMessage : public QEvent {
public:
    TPostedMessage(int message, int wParam, std::int64_t lParam)
        : QEvent(postedMessageType), message(message), wParam(wParam), lParam(lParam) {}

    int message;
    int wParam;
    std::int64_t lParam;
};

} // namespace

TMessageWindow::TMessageWindow(TMessageHandler& handler, QObject* parent)
    : QObject(parent), handler_(handler) {}

void TMessageWindow::post(int message, int wParam, std::int64_t lParam) {
    // postEvent is thread-safe and keeps the order of events posted to one receiver.
    QCoreApplication::postEvent(this, new TPostedMessage(message, wParam, lParam));
}

void TMessageWindow::customEvent(QEvent* event) {
    if (event->type() != postedMessageType) {
        QObject::customEvent(event);
        return;
    }
    const auto* posted = static_cast<TPostedMessage*>(event);
    handler_.handleMessage(posted->message, posted->wParam, posted->lParam);
}

// The canvas id needs 16 bits: a period of up to 1,000 motives numbers its cells from 48 on.
std::int64_t noteMessageParam(int noteIndex, int canvasId, int motiveId) {
    return static_cast<std::int64_t>(noteIndex & 0xFF) |
           static_cast<std::int64_t>(canvasId & 0xFFFF) << 8 |
           static_cast<std::int64_t>(motiveId) << 24;
}

TNoteMessage decodeNoteMessage(int wParam, std::int64_t lParam) {
    return {wParam == 1, static_cast<int>(lParam & 0xFF), static_cast<int>((lParam >> 8) & 0xFFFF),
            static_cast<int>(lParam >> 24)};
}

bool deliverNoteMessage(int wParam, std::int64_t lParam,
                        const std::function<TProcessPlayingInterface*(int canvasId)>& canvasById) {
    const TNoteMessage note = decodeNoteMessage(wParam, lParam);
    TProcessPlayingInterface* canvas = canvasById(note.canvasId);
    if (canvas == nullptr)
        return false;
    if (note.started)
        canvas->noteStarted(note.motiveId, note.noteIndex);
    else
        canvas->noteFinished(note.motiveId, note.noteIndex);
    return true;
}
