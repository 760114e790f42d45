#include "canvas/canvasplayerlistener.h"

#include "canvas/messagewindow.h"

TCanvasSerial nextCanvasSerial() {
    static std::atomic<TCanvasSerial> next{1};
    return next.fetch_add(1);
}

void TCanvasPlayerListener::post(TPlaybackEventKind kind, int noteIndex, int motiveId) {
    if (TMessageWindow* window = window_.load())
        window->post(TPlaybackEvent{kind, serial_, canvasId_.load(), noteIndex, motiveId});
}

void TCanvasPlayerListener::noteStarted(int motiveId, int noteIndex) {
    post(TPlaybackEventKind::NoteStarted, noteIndex, motiveId);
}

void TCanvasPlayerListener::noteStopped(int motiveId, int noteIndex) {
    post(TPlaybackEventKind::NoteStopped, noteIndex, motiveId);
}

void TCanvasPlayerListener::motiveStarted() {
    if (TMotivePlayerListener* listener = playListener_.load())
        listener->motiveStarted();
    post(TPlaybackEventKind::MotiveStarted, -1, 0);
}

void TCanvasPlayerListener::motiveFinished() {
    if (TMotivePlayerListener* listener = playListener_.load())
        listener->motiveFinished();
    post(TPlaybackEventKind::MotiveFinished, -1, 0);
}
