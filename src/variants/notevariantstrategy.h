#pragma once

#include "engine/variantgeometry.h"
#include "variants/variantstrategy.h"

#include <optional>
#include <vector>

// Offers the notes the scheme allows at the cursor (its note candidates), each on the band of
// its pitch. Moving away from the middle line previews the candidate under the pointer, its
// duration growing with the distance (one column of 25 pixels per sixteenth); coming back to
// the middle band keeps it and moves on to the next note. A resting pointer never keeps.
class TNoteVariantStrategy : public TVariantStrategy {
public:
    using TVariantStrategy::TVariantStrategy;

    void paint(QPainter& painter, int side) override;
    bool isComplete() const override;
    void start(int position) override;
    void leave(int side) override;
    void track(const TShiftState& shift, int x, int y, int side) override;
    void enter(int side) override;
    bool hasVariants() const override { return !candidates_.empty(); }
    QString caption() const override;

    const std::vector<TScVariant>& candidates() const { return candidates_; }

private:
    void rebuild();
    void keepAndMoveOn();
    void paintCandidate(QPainter& painter, const TScVariant& candidate, int side, bool hovered,
                        bool previewed) const;
    void paintDurationColumns(QPainter& painter, const TScVariant& candidate, int side) const;
    QString header() const;

    std::vector<TScVariant> candidates_;
    bool hasChord_ = false;
    int lastX_ = VARIANT_RIGHT_HALF_X;
    int lastY_ = -1;
    bool active_ = false;
    int side_ = 1;
};
