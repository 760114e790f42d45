#pragma once

#include <cstdint>

// A number that names one canvas for the whole run and is never given to another: an event
// still queued for a canvas that has gone cannot reach a canvas built after it.
using TCanvasSerial = std::uint64_t;

// The next unused serial; called on any thread.
TCanvasSerial nextCanvasSerial();

enum class TPlaybackEventKind : std::uint8_t {
    NoteStarted,
    NoteStopped,
    MotiveStarted,
    MotiveFinished,
};

// What the playback timer thread tells the interface thread about one canvas. It travels by
// value through the message window, which hands it to the canvas on the interface thread in
// posting order, or drops it when the canvas no longer exists.
struct TPlaybackEvent {
    TPlaybackEventKind kind = TPlaybackEventKind::NoteStarted;
    TCanvasSerial canvas = 0;
    // The number the canvas's owner gave it: 48 and up the cells of the period strip, 0 to 47
    // the effect panels' variant canvases, 255 the current extra canvas.
    int canvasId = 0;
    // The melody note within its motive, in time order; -1 for the motive events.
    int noteIndex = -1;
    int motiveId = 0;
};
