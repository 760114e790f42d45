#pragma once

#include "engine/variantgeometry.h"
#include "model/chord.h"
#include "variants/variantstrategy.h"

// Offers the chords that may stand at the cursor's measure (the same succession and voice
// leading as automatic harmonisation; under existing notes only those the notes allow), as
// rows of boxes in the degree colours. The box under the pointer is previewed and sounds.
// When only chords are chosen, coming back to the middle band keeps the preview and moves on
// to the next measure; with notes, the notes' cursor leads the chords on. A resting pointer
// never keeps.
class TChordVariantStrategy : public TVariantStrategy {
public:
    using TVariantStrategy::TVariantStrategy;

    void paint(QPainter& painter, int side) override;
    bool isComplete() const override { return false; }
    void start(int position) override;
    void leave(int side) override;
    void track(const TShiftState& shift, int x, int y, int side) override;
    void enter(int side) override;
    bool hasVariants() const override { return !variants_.empty(); }
    QString caption() const override;

    const TChordList& variants() const { return variants_; }
    const std::vector<TRectWithCheck>& boxes() const { return boxes_; }
    int targetTime() const { return target_; }

private:
    void moveOn();
    bool movesOnAtTheMiddle() const;
    void paintBox(QPainter& painter, int index) const;

    TChordList variants_;
    std::vector<TRectWithCheck> boxes_;
    int target_ = 0;
    // The chords before this time are settled: the middle band moves past a preview.
    int floor_ = 0;
    int hovered_ = -1;
    int previewed_ = -1;
    bool active_ = false;
};
