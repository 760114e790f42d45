#pragma once

#include <QWidget>

class TMotive;

// A panel of the development area: it shows whatever a motive dropped on its chooser button
// turns into. Interface thread only.
class TMotivePanelBase : public QWidget {
    Q_OBJECT
public:
    // Where the panels stand in the main window, and their size.
    static constexpr QRect PLACE{3, 4, 1011, 215};

    explicit TMotivePanelBase(QWidget* parent);

    // Whether a dropped motive is taken.
    virtual bool acceptsMotive() const { return true; }
    // Takes a copy of `motive` as the source; `mode` tells the two scheme choosers apart
    // (0 "scheme", 1 "contrast") and is 0 for every other chooser.
    virtual void setSource(const TMotive& motive, int mode) = 0;
};
