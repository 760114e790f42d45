#include "canvas/messagewindow.h"

TMessageWindow::TMessageWindow(TMessageHandler& handler, QObject* parent)
    : QObject(parent), handler_(handler) {
    connect(this, &TMessageWindow::posted, this, &TMessageWindow::handleOldest,
            Qt::QueuedConnection);
}

TMessageWindow::~TMessageWindow() = default;

void TMessageWindow::post(const TPlaybackEvent& event) {
    enqueue(event);
}

void TMessageWindow::post(int message, int code, std::int64_t value) {
    enqueue(TMessage{message, code, value});
}

// The post is queued before its wake-up leaves, so the wake-up always finds a post; wake-ups
// keep their order, so the oldest post is the one each of them owes.
void TMessageWindow::enqueue(const TPost& post) {
    {
        const std::lock_guard lock(queueMutex_);
        queue_.push_back(post);
    }
    emit posted(QPrivateSignal());
}

void TMessageWindow::handleOldest() {
    TPost post;
    {
        const std::lock_guard lock(queueMutex_);
        if (queue_.empty())
            return;
        post = queue_.front();
        queue_.pop_front();
    }
    if (const auto* event = std::get_if<TPlaybackEvent>(&post)) {
        deliver(*event);
    } else {
        const auto& message = std::get<TMessage>(post);
        handler_.handleMessage(message.message, message.code, message.value);
    }
}

TMessageWindow::TEntry::TEntry(TMessageWindow& window, TProcessPlayingInterface& canvas,
                               TCanvasSerial serial)
    : window_(window), serial_(serial) {
    window_.canvases_[serial_] = &canvas;
}

TMessageWindow::TEntry::~TEntry() {
    window_.canvases_.erase(serial_);
}

TProcessPlayingInterface* TMessageWindow::canvasBySerial(TCanvasSerial serial) const {
    const auto found = canvases_.find(serial);
    return found != canvases_.end() ? found->second : nullptr;
}

void TMessageWindow::deliver(const TPlaybackEvent& event) {
    TProcessPlayingInterface* canvas = canvasBySerial(event.canvas);
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
