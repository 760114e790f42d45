#pragma once

#include "canvas/canvaslisteners.h"

#include <QObject>

#include <cstdint>
#include <functional>

// Messages handed from the playback timer thread (and the variant view's timer) to the
// interface thread.
inline constexpr int MESSAGE_VARIANT_UPDATE = 0x200; // wParam 1, lParam 0
inline constexpr int MESSAGE_NOTE = 0x207;           // wParam 1 starts, 2 stops; lParam below
inline constexpr int MESSAGE_MOTIVE_PLAYING = 0x208; // wParam 1 started, 2 finished; lParam id

// Canvas ids in messages: 255 the current canvas, 0 to 47 the effect panels' variant
// canvases, 48 and up the motive cells of the period strip.
inline constexpr int CURRENT_CANVAS_ID = 255;
inline constexpr int FIRST_CELL_CANVAS_ID = 48;

// Handles the posted messages on the interface thread, in posting order.
class TMessageHandler {
public:
    virtual ~TMessageHandler() = default;
    virtual void handleMessage(int message, int wParam, std::int64_t lParam) = 0;
};

// The main window's invisible message window: any thread posts, the handler runs later on the
// thread this object lives on (the interface thread), in posting order.
class TMessageWindow : public QObject {
    Q_OBJECT
public:
    explicit TMessageWindow(TMessageHandler& handler, QObject* parent = nullptr);

    // Called on any thread, the timer thread included; never waits.
    void post(int message, int wParam, std::int64_t lParam);

protected:
    void customEvent(QEvent* event) override;

private:
    TMessageHandler& handler_;
};

// A note message: note index in bits 0 to 7, canvas id in bits 8 to 15, motive id from bit 16.
struct TNoteMessage {
    bool started = false;
    int noteIndex = 0;
    int canvasId = 0;
    int motiveId = 0;
};

std::int64_t noteMessageParam(int noteIndex, int canvasId, int motiveId);
TNoteMessage decodeNoteMessage(int wParam, std::int64_t lParam);

// Calls noteStarted or noteFinished of the canvas that `canvasById` finds for the message's
// canvas id; an id that names no canvas (null) is ignored. Returns whether a canvas got it.
bool deliverNoteMessage(int wParam, std::int64_t lParam,
                        const std::function<TProcessPlayingInterface*(int canvasId)>& canvasById);
