#pragma once

#include "canvas/umotivecanvas.h"
#include "model/rect.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class TButtonListener;
class TButtonReleasedListener;

// An area that lets the user operate a canvas in a chosen mode without touching the mode
// buttons: a press switches the canvas to the area's mode and passes the press on, moves and
// the release follow it there (in the canvas's pixels), and the release gives the canvas back
// its own mode. The variant window of a choosing mode thus opens for the canvas although the
// press was made here. Interface thread only.
class TEventTranslater : public QWidget {
    Q_OBJECT
public:
    // `glyphs` are drawn side by side in the area.
    TEventTranslater(QWidget* owner, int mode, std::vector<TRect> glyphs);

    void setTarget(TUMotiveCanvas* canvas) { target_ = canvas; }
    TUMotiveCanvas* target() const { return target_; }
    int mode() const { return mode_; }
    bool isPressed() const { return pressed_; }
    // Told before the press reaches the canvas, and after the release gave it back its mode.
    void setListeners(TButtonListener* pressed, TButtonReleasedListener* released);
    void setHint(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QPoint toCanvas(const QPoint& at) const;

    QPointer<TUMotiveCanvas> target_;
    int mode_;
    int restoreMode_ = -1;
    bool pressed_ = false;
    std::vector<TRect> glyphs_;
    TButtonListener* pressListener_ = nullptr;
    TButtonReleasedListener* releaseListener_ = nullptr;
};
