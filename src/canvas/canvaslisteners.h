#pragma once

class TUMotiveCanvas;

// Told by an editing canvas when the user starts to change its motive. Listeners are called in
// registration order on the interface thread.
class TUMotiveCanvasListener {
public:
    virtual ~TUMotiveCanvasListener() = default;
    // Chords were just chosen by one of the chord-choosing modes.
    virtual void motiveHarmonised(TUMotiveCanvas* canvas) = 0;
    // A press begins to change the motive, or a motive was dropped onto the canvas.
    virtual void motiveEditStarted(TUMotiveCanvas* canvas) = 0;
    // The pointer moved over the canvas in mode 1 with no button held.
    virtual void pointerMoved(TUMotiveCanvas* canvas) = 0;
};

// Told which note of the canvas's motive is being lit while it plays (the fast menu follows the
// notes with its scheme view). Interface thread only.
class TUMotivePlayingListener {
public:
    virtual ~TUMotivePlayingListener() = default;
    virtual void noteStarted(int noteIndex) = 0;
    virtual void motiveStarted() = 0;
    virtual void motiveFinished() = 0;
};

// A canvas as the message window sees it: what a playback event posted for the canvas reaches,
// on the interface thread, in posting order.
class TProcessPlayingInterface {
public:
    virtual ~TProcessPlayingInterface() = default;
    virtual void noteStarted(int motiveId, int noteIndex) = 0;
    virtual void noteFinished(int motiveId, int noteIndex) = 0;
};

// Told which element of the rhythm scheme and of the pitch scheme the variant being chosen
// draws on, so the scheme sets can light them. Index -1 puts the light out. Interface thread
// only.
class TTurnAndRhythmSelectionListener {
public:
    virtual ~TTurnAndRhythmSelectionListener() = default;
    // `duration` is the scheme's element at `index` (a set lights every item of that value).
    virtual void showRhythmSelection(int duration, int index) = 0;
    virtual void showTurnSelection(int index) = 0;
};
