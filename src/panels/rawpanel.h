#pragma once

#include <QWidget>

class TBaseService;
class TDragged;
class TMotive;
class TUMotiveCanvas;
class TUMotiveCanvasListener;

// One variant slot of an effect panel: a canvas over the variant and, at its left edge, the
// drag handle through which the variant is dragged into the period. The slot never owns the
// variant. Interface thread only.
class TRawPanel : public QWidget {
    Q_OBJECT
public:
    // `mode` is the canvas mode that chooses chords (3 for simple effects, 2 for relative
    // ones); once the variant has a chord for every measure segment, a press on its staff
    // chooses notes over them. `listener` may be null.
    TRawPanel(QWidget* parent, TBaseService& service, TMotive& variant, int mode,
              TUMotiveCanvasListener* listener, const QString& hint);

    TUMotiveCanvas* canvas() const { return canvas_; }
    TDragged* dragHandle() const { return handle_; }
    TMotive& variant() const { return variant_; }

    // The variant took another meter or upbeat: a canvas of the new width replaces the old
    // one, keeping its id, mode and listener, with an empty history.
    void rebuildCanvas();

private:
    void buildCanvas(int id);

    TBaseService& service_;
    TMotive& variant_;
    int mode_;
    TUMotiveCanvasListener* listener_;
    QString hint_;
    TDragged* handle_;
    TUMotiveCanvas* canvas_ = nullptr;
};
