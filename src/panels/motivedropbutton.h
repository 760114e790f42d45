#pragma once

#include "widgets/buttons.h"

class QMimeData;
class TMotiveCanvas;

// A flat button that also takes a motive: a drag from the drag handle of a motive canvas may be
// dropped on it; anything else is refused.
class TMotiveDropButton : public TFlatButtonWithID {
    Q_OBJECT
public:
    TMotiveDropButton(QWidget* owner, TFlatGroup* group, const TRect& glyph, int id);

    // The canvas whose handle a drag carries, or null when the drag is no motive's.
    static TMotiveCanvas* motiveCanvasOf(const QMimeData* data);

signals:
    // A motive canvas's handle was dropped here.
    void motiveDropped(TMotiveCanvas* source);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
