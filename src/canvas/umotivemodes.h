#pragma once

#include "canvas/umotiveinterface.h"

#include <QPoint>
#include <QRect>

class TMotive;

// Base of the modes in which the user picks a variant in the variant window while the mouse
// button is held: the press builds a variant model and opens the window beside the canvas,
// moves are handed to it, the release keeps the last preview and plays the motive in context.
class TSGIBaseUMInterface : public TUMotiveInterface {
public:
    using TUMotiveInterface::TUMotiveInterface;

    void mouseUp() override;
    void mouseDown(const TShiftState& shift, int x, int y) override;
    void mouseMove(const TShiftState& shift, int x, int y) override;
    void doubleClick() override {}
    void paint(QPainter& painter) override;

    // Prepares the motive and stores the model of the coming choice in the canvas.
    virtual void buildVariantModel() = 0;

protected:
    // Called after the model is destroyed, before the motive plays in context.
    virtual void afterChoice() {}
};

// Mode 0: notes and chords together, from an empty motive.
class TChordAndNoteUMInterface : public TSGIBaseUMInterface {
public:
    using TSGIBaseUMInterface::TSGIBaseUMInterface;
    int cursorId() const override { return CURSOR_ICHNOTE; }
    void buildVariantModel() override;
};

// Notes over the existing chords; no mode number selects it.
class TNoteUMInterface : public TSGIBaseUMInterface {
public:
    using TSGIBaseUMInterface::TSGIBaseUMInterface;
    int cursorId() const override { return CURSOR_INOTE; }
    void buildVariantModel() override;
};

// Mode 3: chords under the existing notes.
class TChordUMInterface : public TSGIBaseUMInterface {
public:
    using TSGIBaseUMInterface::TSGIBaseUMInterface;
    int cursorId() const override { return CURSOR_ICHFNOTE; }
    void buildVariantModel() override;

protected:
    void afterChoice() override;
};

// Mode 2: new chords, the notes cleared.
class TNewChordUMInterface : public TSGIBaseUMInterface {
public:
    using TSGIBaseUMInterface::TSGIBaseUMInterface;
    int cursorId() const override { return CURSOR_ICHORD; }
    void buildVariantModel() override;

protected:
    void afterChoice() override;
};

// Mode 4: the note starting in each column the pointer sweeps over while pressed goes.
class TDeleteUMInterface : public TUMotiveInterface {
public:
    using TUMotiveInterface::TUMotiveInterface;

    void mouseUp() override { pressed_ = false; }
    void mouseDown(const TShiftState& shift, int x, int y) override;
    void mouseMove(const TShiftState& shift, int x, int y) override;
    void doubleClick() override {}
    void paint(QPainter& painter) override;
    int cursorId() const override { return CURSOR_DELETE; }
};

// Mode 6: a press plays the motive.
class TPlayUMInterface : public TUMotiveInterface {
public:
    using TUMotiveInterface::TUMotiveInterface;

    void mouseUp() override {}
    void mouseDown(const TShiftState& shift, int x, int y) override;
    void mouseMove(const TShiftState&, int, int) override {}
    void doubleClick() override {}
    void paint(QPainter& painter) override;
    int cursorId() const override { return CURSOR_PLAY; }
};

// Where the variant window pops up beside a canvas with the given screen rectangle: level
// with the chord strip, right of the canvas when it fits on the screen, else left of it or
// flush with the screen's right edge, whichever covers less of the canvas (the right edge on
// a tie).
QPoint variantPopupPosition(const QRect& canvasOnScreen, int windowWidth, int screenWidth);

// When the motive has an upbeat and a preceding motive with chords, a copy of that motive's
// last chord becomes the motive's chord at time 0 (its chords must be cleared) and the
// listeners are told. Returns whether a chord was carried over.
bool carryUpbeatChord(TMotive& motive, const TMotive* preceding);

// The standard picture of every mode: the motive, the drop mark and the small buttons.
void paintStandardPicture(TUMotiveCanvas& canvas, QPainter& painter);
