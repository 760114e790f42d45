#pragma once

#include <Qt>

class QPainter;
class TUMotiveCanvas;

// The buttons and keys held at a mouse event, as the modes need them.
struct TShiftState {
    bool rightButton = false;
    bool doubleClick = false; // the second press of a double click
    Qt::KeyboardModifiers modifiers;
};

// Cursor numbers of the canvas modes.
inline constexpr int CURSOR_MSELECT = -23;
inline constexpr int CURSOR_PLAY = -25;
inline constexpr int CURSOR_ICHNOTE = -26;
inline constexpr int CURSOR_INOTE = -27;
inline constexpr int CURSOR_ICHORD = -28;
inline constexpr int CURSOR_ICHFNOTE = -29;
inline constexpr int CURSOR_DELETE = -30;
inline constexpr int CURSOR_MAYAK = -31;

// One interaction mode of an editing canvas: the canvas hands it every mouse event and lets it
// paint. Coordinates are canvas pixels.
class TUMotiveInterface {
public:
    explicit TUMotiveInterface(TUMotiveCanvas& canvas) : canvas_(canvas) {}
    virtual ~TUMotiveInterface() = default;
    TUMotiveInterface(const TUMotiveInterface&) = delete;
    TUMotiveInterface& operator=(const TUMotiveInterface&) = delete;

    virtual void mouseUp() = 0;
    virtual void mouseDown(const TShiftState& shift, int x, int y) = 0;
    virtual void mouseMove(const TShiftState& shift, int x, int y) = 0;
    virtual void doubleClick() = 0;
    virtual void paint(QPainter& painter) = 0;
    virtual int cursorId() const = 0;

    bool isPressed() const { return pressed_; }
    // The press is over without a release (the canvas took its changes back).
    void cancelPress() { pressed_ = false; }

protected:
    TUMotiveCanvas& canvas_;
    bool pressed_ = false;
};
