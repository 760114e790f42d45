#pragma once

#include "canvas/umotiveinterface.h"

#include <vector>

class TMotive;

// The gap at an edit position p of a motive: 0 at a note's start, the offset into a note that
// sounds at p, or minus the distance back to the start of the empty stretch p lies in
// (measured from the bar line when that stretch crosses it after an upbeat).
int editGap(const TMotive& motive, int position);
// The glyph values that show a gap: one note of that length for a positive gap; rests of the
// absolute length, split greedily (480, 240, 210, ..., 30), as negative values for a
// negative one.
std::vector<int> gapGlyphValues(int gap);

// Mode 1, "select notes": follows the pointer with an edit line and the gap at it while the
// motive is harmonised. A press there opens the note variants that insert at the edit line;
// on an unharmonised motive it clears it and offers chords, as mode 2 does.
class TEditUMInterface : public TUMotiveInterface {
public:
    static constexpr int LINE_TOP = 3;
    static constexpr int LINE_BOTTOM = 128;
    static constexpr int GAP_GLYPH_TOP = 97;

    using TUMotiveInterface::TUMotiveInterface;

    void mouseUp() override;
    void mouseDown(const TShiftState& shift, int x, int y) override;
    void mouseMove(const TShiftState& shift, int x, int y) override;
    void doubleClick() override {}
    void paint(QPainter& painter) override;
    int cursorId() const override;

    int editPosition() const { return editPosition_; }
    int gap() const { return gap_; }
    // Drops the edit line (another canvas has the pointer now).
    void forgetEditPosition() {
        editPosition_ = -1;
        gap_ = 0;
    }

private:
    void paintGap(QPainter& painter, int lineX) const;

    int editPosition_ = -1;
    int gap_ = 0;
    bool editing_ = false; // the model of this press inserts notes at the edit position
};
