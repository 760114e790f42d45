#pragma once

#include "canvas/umotiveinterface.h"

#include <QPoint>
#include <QRect>

// Base of the modes in which the user picks a variant from the variant window. The variant
// window arrives in a later part: until then a press of these modes changes nothing.
class TSGIBaseUMInterface : public TUMotiveInterface {
public:
    using TUMotiveInterface::TUMotiveInterface;

    void mouseUp() override;
    void mouseDown(const TShiftState& shift, int x, int y) override;
    void mouseMove(const TShiftState& shift, int x, int y) override;
    void doubleClick() override {}
    void paint(QPainter& painter) override;
};

// Mode 0: notes and chords together.
class TChordAndNoteUMInterface : public TSGIBaseUMInterface {
public:
    using TSGIBaseUMInterface::TSGIBaseUMInterface;
    int cursorId() const override { return CURSOR_ICHNOTE; }
};

// Notes over the existing chords; no mode number selects it.
class TNoteUMInterface : public TSGIBaseUMInterface {
public:
    using TSGIBaseUMInterface::TSGIBaseUMInterface;
    int cursorId() const override { return CURSOR_INOTE; }
};

// Mode 3: chords under the existing notes.
class TChordUMInterface : public TSGIBaseUMInterface {
public:
    using TSGIBaseUMInterface::TSGIBaseUMInterface;
    int cursorId() const override { return CURSOR_ICHFNOTE; }
};

// Mode 2: new chords, the notes cleared.
class TNewChordUMInterface : public TSGIBaseUMInterface {
public:
    using TSGIBaseUMInterface::TSGIBaseUMInterface;
    int cursorId() const override { return CURSOR_ICHORD; }
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

// The standard picture of every mode: the motive, the drop mark and the small buttons.
void paintStandardPicture(TUMotiveCanvas& canvas, QPainter& painter);
