#pragma once

#include "canvas/canvasgeometry.h"
#include "model/motive.h"
#include "playback/motiveplayerlistener.h"

#include <QWidget>

#include <atomic>

class QImage;
class TMotivePlayer;

// The glyph sheet of the application folder, or a null image when it cannot be read: the
// pictures then lack their glyphs.
const QImage& canvasGlyphSheet();

// A canvas that shows one motive in notation: a grand staff with the notes above a strip of
// chord boxes. It never owns the motive; it registers as the motive's listener and repaints on
// every change. With a motive player it shows the "PLAY" cursor and plays its motive on a
// press.
class TMotiveCanvas : public QWidget, public TMotiveListener {
    Q_OBJECT
public:
    TMotiveCanvas(QWidget* parent, TMotive& motive, TMotivePlayer* player);
    ~TMotiveCanvas() override;

    TMotive& motive() { return motive_; }
    const TMotive& motive() const { return motive_; }
    const TCanvasGeometry& canvasGeometry() const { return geometry_; }
    TMotivePlayer* motivePlayer() const { return player_; }

    // Told, on the timer thread, when playback of this canvas's motive starts and finishes.
    void setPlayListener(TMotivePlayerListener* listener) { playListener_.store(listener); }
    // The listener to queue this canvas's motive with: it lights the sounding notes.
    TMotivePlayerListener* playerListener() { return &playerListener_; }

    void motiveChanged() override;

    // The picture of the motive: staff area, notes, chord strip and chord boxes.
    void drawMotivePicture(QPainter& painter) const;
    // Everything the canvas shows.
    virtual void draw(QPainter& painter);

protected:
    // Called on the timer thread with the player's lock held.
    virtual void noteStartedHook(int motiveId, int noteIndex);
    // Called on the timer thread with the player's lock held.
    virtual void noteStoppedHook(int motiveId, int noteIndex);
    // Forgets this canvas in the player's schedule, so no callback reaches a dead canvas.
    void detachFromPlayer();

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The canvas as the player sees it; called on the timer thread.
    class TPlayerListener : public TMotivePlayerListener {
    public:
        explicit TPlayerListener(TMotiveCanvas& canvas) : canvas_(canvas) {}
        void noteStarted(int motiveId, int noteIndex) override;
        void noteStopped(int motiveId, int noteIndex) override;
        void motiveStarted() override;
        void motiveFinished() override;

    private:
        TMotiveCanvas& canvas_;
    };

    TMotive& motive_;
    TMotivePlayer* player_;
    TCanvasGeometry geometry_;
    std::atomic<TMotivePlayerListener*> playListener_{nullptr};
    TPlayerListener playerListener_{*this};
};
