#include "canvas/editmode.h"
#include "model/motive.h"

#include <gtest/gtest.h>

namespace {

TEST(EditGap, ZeroAtNoteStartsOffsetInsideNotesNegativeInEmptyTime) {
    TMotive motive(TKey(0, 0), TMeasure(4, 120));
    motive.notes().push_back(TNote(0, 22, 120));
    motive.notes().push_back(TNote(240, 22, 120));
    EXPECT_EQ(editGap(motive, 0), 0);
    EXPECT_EQ(editGap(motive, 60), 60);
    EXPECT_EQ(editGap(motive, 120), 0); // the empty stretch starts here
    EXPECT_EQ(editGap(motive, 180), -60);
    EXPECT_EQ(editGap(motive, 240), 0);
    EXPECT_EQ(editGap(motive, 420), -60); // after the last note
}

TEST(EditGap, AnEmptyStretchAcrossTheBarLineCountsFromTheBarLine) {
    TMotive motive(TKey(0, 0), TMeasure(4, 120), 120);
    motive.notes().push_back(TNote(600, 22, 120));
    EXPECT_EQ(editGap(motive, 540), 480 - 540);
    EXPECT_EQ(editGap(motive, 390), -30); // before the bar line: from the upbeat start
    EXPECT_EQ(editGap(motive, 360), 0);
}

TEST(GapGlyphs, RestsSplitGreedilyANoteStaysWhole) {
    EXPECT_EQ(gapGlyphValues(150), (std::vector<int>{150}));
    EXPECT_EQ(gapGlyphValues(-60), (std::vector<int>{-60}));
    EXPECT_EQ(gapGlyphValues(-450), (std::vector<int>{-240, -210}));
    EXPECT_EQ(gapGlyphValues(-750), (std::vector<int>{-480, -240, -30}));
}

} // namespace

#include "canvas/umotivemodes.h"

namespace {

TEST(VariantPopup, RightOfTheCanvasWhenItFitsElseWhereItCoversLess) {
    // Level with the top of the chord strip.
    EXPECT_EQ(variantPopupPosition(QRect(100, 200, 408, 180), 300, 1024), QPoint(508, 353));
    // 1408 > 1024: left of the canvas covers nothing, flush right would cover 384.
    EXPECT_EQ(variantPopupPosition(QRect(700, 0, 408, 180), 300, 1024).x(), 400);
    // Near the left edge: flush right covers less.
    EXPECT_EQ(variantPopupPosition(QRect(100, 0, 800, 180), 300, 1024).x(), 724);
    // A tie goes to the right edge: left covers 300 - 200 = 100, right 200 + 724 + 300 - 1024.
    EXPECT_EQ(variantPopupPosition(QRect(200, 0, 624, 180), 300, 1024).x(), 724);
}

} // namespace
