// The pieces of the period strip: play and selection strips, the coloured column boxes, the key
// box and the motive cells with their canvases.
#pragma once

#include "canvas/canvaslisteners.h"
#include "model/key.h"
#include "model/measure.h"
#include "widgets/buttons.h"

#include <QWidget>

class TCanvasService;
class TDragged;
class TMotive;
class TUMotiveCanvas;
class TUMotiveSet;

// What a motive cell tells the period panel.
class TUMotiveListener {
public:
    virtual ~TUMotiveListener() = default;
    // The cell's motive started playing: bring the cell into view.
    virtual void setStartedPlaying(TUMotiveSet* cell) = 0;
    // The pointer moved over a cell's canvas in mode 1.
    virtual void canvasPointerMoved(TUMotiveCanvas* canvas) = 0;
    // Left or Right on a cell's strips: the selection moves `step` cells along the strip.
    virtual void stepSelection(TUMotiveSet* cell, int step) = 0;
};

// The 28-pixel play strip at the top of a cell or column; a press tells its listener.
class TPlayPanel : public TKeyboardButton {
    Q_OBJECT
public:
    static constexpr int HEIGHT = 28;

    TPlayPanel(QWidget* parent, TButtonListener* listener);
    // Repaints when it changes.
    void setPlaying(bool playing);
    bool isPlaying() const { return playing_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TButtonListener* listener_;
    bool playing_ = false;
};

// The 21-pixel selection strip of a motive cell; a press tells its listener, which decides
// about the selection.
class TSelectionPanel : public TKeyboardButton {
    Q_OBJECT
public:
    static constexpr int HEIGHT = 21;

    TSelectionPanel(QWidget* parent, TButtonListener* listener);
    void setSelected(bool selected);
    bool isSelected() const { return selected_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TButtonListener* listener_;
    bool selected_ = false;
};

// The coloured box of a column: level 0 period, 1 sentence, 2 phrase, with the level glyph
// and the label glyph (label code 0 for none).
class TColoredBox : public QWidget {
    Q_OBJECT
public:
    TColoredBox(QWidget* parent, int level, int labelCode);
    int level() const { return level_; }
    int labelCode() const { return labelCode_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int level_;
    int labelCode_;
};

// One column of the strip for the period, a sentence or a phrase: a play strip over a
// coloured box. Pressing the play strip reports the column to its listener.
class TColoredBoxSet : public QWidget, public TButtonListener {
    Q_OBJECT
public:
    static constexpr int WIDTH = 32;

    TColoredBoxSet(QWidget* parent, int level, int labelCode, TButtonListener* listener);
    TPlayPanel* playPanel() const { return playPanel_; }
    TColoredBox* box() const { return box_; }

    void buttonPressed(QWidget* button) override;

private:
    TButtonListener* listener_;
    TPlayPanel* playPanel_;
    TColoredBox* box_;
};

// The staff header of the period's key and meter at the left of the strip.
class TKeyBox : public QWidget {
    Q_OBJECT
public:
    TKeyBox(QWidget* parent, const TKey& key, const TMeasure& measure);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TKey key_;
    TMeasure measure_;
};

// One motive cell of the strip: play strip, selection strip, drag handle and the canvas that
// edits the period's motive. While the canvas's motive plays, the period panel lights the play
// strip (told through the message window on the interface thread).
class TUMotiveSet : public QWidget, public TButtonListener, public TUMotiveCanvasListener {
    Q_OBJECT
public:
    TUMotiveSet(QWidget* parent, TCanvasService& service, TMotive& motive, int canvasId, int group,
                TButtonListener* selectionListener, TUMotiveListener* motiveListener);
    ~TUMotiveSet() override;

    TUMotiveCanvas* canvas() const { return canvas_; }
    TDragged* dragHandle() const { return dragged_; }
    TPlayPanel* playPanel() const { return playPanel_; }
    TSelectionPanel* selectionPanel() const { return selectionPanel_; }
    int group() const { return group_; }

    void buttonPressed(QWidget* button) override;

    void motiveHarmonised(TUMotiveCanvas*) override {}
    void motiveEditStarted(TUMotiveCanvas* canvas) override;
    void pointerMoved(TUMotiveCanvas* canvas) override;
    // Selects the cell as a press on its selection strip would, unless it is selected.
    void select();

protected:
    // On the play and selection strips Left and Right move the selection along the strip, and
    // Enter on the selection strip plays the cell's motive (selecting the cell first).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TCanvasService& service_;
    TPlayPanel* playPanel_;
    TSelectionPanel* selectionPanel_;
    TDragged* dragged_;
    TUMotiveCanvas* canvas_;
    int group_;
    TButtonListener* selectionListener_;
    TUMotiveListener* motiveListener_;
};
