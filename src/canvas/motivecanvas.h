#pragma once

#include "canvas/canvasplayerlistener.h"
#include "model/canvasgeometry.h"
#include "model/motive.h"
#include "playback/listenerguard.h"

#include <QWidget>

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

    // Told, on the timer thread, when playback of this canvas's motive starts and finishes; it
    // must outlive the canvas's queued playback.
    void setPlayListener(TMotivePlayerListener* listener) {
        playerListener_.setPlayListener(listener);
    }
    // The listener to queue this canvas's motive with: it lights the sounding notes.
    TMotivePlayerListener* playerListener() { return &playerListener_; }
    // Names this canvas for the whole run; never reused.
    TCanvasSerial canvasSerial() const { return playerListener_.serial(); }

    // Repaints and emits motiveEdited.
    void motiveChanged() override;
    // The motive is about to go (its period was rebuilt) while this canvas waits for its
    // deferred deletion: from now on the canvas neither reads nor paints it.
    void releaseMotive();
    bool motiveReleased() const { return motiveReleased_; }

    // The picture of the motive: staff area, notes, chord strip and chord boxes.
    void drawMotivePicture(QPainter& painter) const;
    // Everything the canvas shows.
    virtual void draw(QPainter& painter);

signals:
    // The shown motive changed, whoever changed it.
    void motiveEdited();

protected:
    TCanvasPlayerListener& canvasPlayerListener() { return playerListener_; }
    const TCanvasPlayerListener& canvasPlayerListener() const { return playerListener_; }

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TMotive& motive_;
    bool motiveReleased_ = false;
    TMotivePlayer* player_;
    TCanvasGeometry geometry_;
    TCanvasPlayerListener playerListener_{nextCanvasSerial()};
    // The one place where a canvas leaves the player: it goes before the listener it guards.
    TPlayerListenerGuard playerGuard_{player_, &playerListener_};
};
