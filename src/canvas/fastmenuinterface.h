#pragma once

class TUMotiveCanvas;

// What a canvas's fast-menu button asks of the fast menu: attach to this canvas and show
// below it. Interface thread only.
class TFastMenuInterface {
public:
    virtual ~TFastMenuInterface() = default;
    virtual void showFor(TUMotiveCanvas* canvas) = 0;
};
