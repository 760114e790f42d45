#pragma once

#include "engine/turn.h"
#include "widgets/commonbufferedpanel.h"

#include <vector>

class TMotive;
class TScheme;

// The horizontal range, in pixels, that one scheme element occupies in the scheme view.
struct TDiapasonPair {
    int first = 0;
    int last = 0;
    bool operator==(const TDiapasonPair&) const = default;
};

// The rhythm or the pitch scheme of one motive, read from its notes, shown from left to right
// with the element being played lit. Rhythm elements stand on a time line (each as wide as it
// lasts); turns share the width evenly. The motive is not owned; interface thread only.
class TFastSchemePanel : public TCommonBufferedPanel {
    Q_OBJECT
public:
    static constexpr int RHYTHM = 0;
    static constexpr int PITCH = 1;

    TFastSchemePanel(QWidget* parent, const TScheme& scheme);

    // Shows the scheme of that kind of `motive` (null shows nothing) and lights nothing.
    void showScheme(int kind, const TMotive* motive);
    int kind() const { return kind_; }
    const TMotive* motive() const { return motive_; }

    // Lights the element that sounds while note `noteIndex` of the motive plays: the rhythm
    // element that starts with it, the turn before it. -1 lights nothing.
    void lightNote(int noteIndex);
    // Lights an element by its position; out of range lights nothing.
    void lightElement(int index);
    int litElement() const { return lit_; }

    // Rhythm: durations, rests negative. Pitch: turn codes.
    const std::vector<int>& elements() const { return elements_; }
    const std::vector<TDiapasonPair>& ranges() const { return ranges_; }

protected:
    void draw(QPainter& painter) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void readElements();
    void layOut();

    const TScheme& scheme_;
    int kind_ = RHYTHM;
    const TMotive* motive_ = nullptr;
    int lit_ = -1;
    std::vector<int> elements_;
    std::vector<bool> upward_; // turns only: the direction of each
    std::vector<int> starts_;  // rhythm only: the tick at which each element starts
    int firstTick_ = 0;
    int ticks_ = 0;
    std::vector<TDiapasonPair> ranges_;
};
