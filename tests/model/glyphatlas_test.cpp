#include "model/glyphatlas.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace {

bool overlap(const TRect& a, const TRect& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

auto key(const TRect& r) {
    return std::tuple(r.left, r.top, r.right, r.bottom);
}

} // namespace

TEST(GlyphAtlas, EveryRectangleOfTheSheetIsInsideItAndOverlapsNoOther) {
    const std::vector<TRect> rects = allSheetRects();
    // 148 own glyphs, 32 duration, 20 turn and 6 bar glyphs, 18 distinct chord glyphs.
    EXPECT_EQ(rects.size(), 148u + 32u + 20u + 6u + 18u);
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const TRect& r = rects[i];
        ASSERT_FALSE(r.isEmpty()) << "rectangle " << i;
        EXPECT_GE(r.left, 0) << i;
        EXPECT_GE(r.top, 0) << i;
        EXPECT_LT(r.right, GLYPH_SHEET_WIDTH) << i;
        EXPECT_LT(r.bottom, GLYPH_SHEET_HEIGHT) << i;
        for (std::size_t j = i + 1; j < rects.size(); ++j)
            EXPECT_FALSE(overlap(r, rects[j]))
                << "rectangles " << i << " and " << j << " at (" << r.left << ", " << r.top
                << ") and (" << rects[j].left << ", " << rects[j].top << ")";
    }
}

TEST(GlyphAtlas, EnumTableHasOneDistinctRectanglePerGlyph) {
    std::set<std::tuple<int, int, int, int>> seen;
    for (int i = 0; i < GLYPH_COUNT; ++i)
        seen.insert(key(glyphRect(static_cast<TGlyph>(i))));
    EXPECT_EQ(static_cast<int>(seen.size()), GLYPH_COUNT);
    EXPECT_TRUE(glyphRect(TGlyph::Count).isEmpty());
}

TEST(GlyphAtlas, HeadsAreNineByNineAndDifferByKindFillingAndStem) {
    std::set<std::tuple<int, int, int, int>> seen;
    for (int kind = 0; kind < 3; ++kind) {
        for (bool hollow : {false, true})
            for (bool up : {false, true}) {
                const TRect head = headGlyph(kind, hollow, up);
                EXPECT_EQ(head.width(), 9);
                EXPECT_EQ(head.height(), 9);
                seen.insert(key(head));
            }
        EXPECT_EQ(wholeHeadGlyph(kind).width(), 9);
        seen.insert(key(wholeHeadGlyph(kind)));
    }
    EXPECT_EQ(seen.size(), 15u);
    EXPECT_TRUE(headGlyph(3, false, true).isEmpty());
    EXPECT_TRUE(headGlyph(-1, true, false).isEmpty());
    EXPECT_TRUE(wholeHeadGlyph(3).isEmpty());
}

TEST(GlyphAtlas, StemsFollowTheDurationAndShareOneHeight) {
    EXPECT_EQ(stemGlyph(30, true), glyphRect(TGlyph::SixteenthUp));
    EXPECT_EQ(stemGlyph(30, false), glyphRect(TGlyph::SixteenthDown));
    EXPECT_EQ(stemGlyph(60, true), stemGlyph(90, true));
    EXPECT_EQ(stemGlyph(90, false), glyphRect(TGlyph::EighthDown));
    for (int plain : {120, 180, 240}) {
        EXPECT_EQ(stemGlyph(plain, true), glyphRect(TGlyph::StemUp));
        EXPECT_EQ(stemGlyph(plain, false).width(), 1);
    }
    EXPECT_TRUE(stemGlyph(480, true).isEmpty());
    EXPECT_TRUE(stemGlyph(150, true).isEmpty());
    // The beam distance of a beamed group is taken from the plain stem; flagged stems must
    // reach exactly as far.
    for (int d : {30, 60, 120})
        for (bool up : {false, true})
            EXPECT_EQ(stemGlyph(d, up).height(), 27) << d;
}

TEST(GlyphAtlas, LookupsByCodeCoverTheirRangesAndNothingElse) {
    EXPECT_EQ(accidentalGlyph(1), glyphRect(TGlyph::Sharp));
    EXPECT_EQ(accidentalGlyph(2), glyphRect(TGlyph::DoubleSharp));
    EXPECT_EQ(accidentalGlyph(3), glyphRect(TGlyph::Flat));
    EXPECT_EQ(accidentalGlyph(4), glyphRect(TGlyph::DoubleFlat));
    EXPECT_EQ(accidentalGlyph(5), glyphRect(TGlyph::Natural));
    EXPECT_TRUE(accidentalGlyph(0).isEmpty());
    EXPECT_TRUE(accidentalGlyph(6).isEmpty());

    EXPECT_EQ(digitGlyph(0), glyphRect(TGlyph::Digit0));
    EXPECT_EQ(digitGlyph(9), glyphRect(TGlyph::Digit9));
    EXPECT_TRUE(digitGlyph(10).isEmpty());

    EXPECT_EQ(labelGlyph(1), glyphRect(TGlyph::Label1));
    EXPECT_EQ(labelGlyph(4), glyphRect(TGlyph::Label4));
    EXPECT_EQ(labelGlyph(5), glyphRect(TGlyph::LabelA));
    EXPECT_EQ(labelGlyph(10), glyphRect(TGlyph::LabelA1));
    EXPECT_EQ(labelGlyph(15), glyphRect(TGlyph::LabelA2));
    EXPECT_TRUE(labelGlyph(0).isEmpty());
    EXPECT_TRUE(labelGlyph(16).isEmpty());

    EXPECT_EQ(levelGlyph(2), glyphRect(TGlyph::LevelPhrase));
    EXPECT_TRUE(levelGlyph(3).isEmpty());
    EXPECT_EQ(diamondGlyph(3), glyphRect(TGlyph::DiamondMotive));
    EXPECT_TRUE(diamondGlyph(4).isEmpty());
    EXPECT_EQ(modeGlyph(1), glyphRect(TGlyph::ModeSelectNotes));
    EXPECT_EQ(modeGlyph(5), glyphRect(TGlyph::ModeGenerateMotive));
    EXPECT_TRUE(modeGlyph(0).isEmpty());
    EXPECT_TRUE(modeGlyph(6).isEmpty());

    EXPECT_EQ(keyModeGlyph(true), glyphRect(TGlyph::KeyMinor));
    EXPECT_EQ(motiveTypeGlyph(0), glyphRect(TGlyph::MotiveIambus));
    EXPECT_EQ(motiveTypeGlyph(2), glyphRect(TGlyph::MotiveAmphibrachys));
    EXPECT_TRUE(motiveTypeGlyph(-1).isEmpty());
    EXPECT_TRUE(motiveTypeGlyph(3).isEmpty());
}

TEST(GlyphAtlas, ColumnGlyphsFitAColumnSideBySide) {
    // A coloured box is 32 wide: level glyph at x 2, label glyph at level width + 3.
    for (int level = 0; level < 3; ++level)
        for (int code = 1; code <= 15; ++code)
            EXPECT_LE(levelGlyph(level).width() + 3 + labelGlyph(code).width(), 32);
}

TEST(GlyphAtlas, RestsAndGapsByLength) {
    EXPECT_EQ(painterRestGlyph(30), glyphRect(TGlyph::RestSixteenth));
    EXPECT_EQ(painterRestGlyph(60), painterRestGlyph(90));
    EXPECT_EQ(painterRestGlyph(120), painterRestGlyph(180));
    EXPECT_EQ(painterRestGlyph(240), painterRestGlyph(480));
    EXPECT_TRUE(painterRestGlyph(150).isEmpty());

    std::set<std::tuple<int, int, int, int>> seen;
    for (int ticks :
         {-480, -240, -210, -180, -150, -120, -90, -60, -30, 30, 60, 90, 120, 150, 180, 210, 240}) {
        ASSERT_FALSE(gapGlyph(ticks).isEmpty()) << ticks;
        seen.insert(key(gapGlyph(ticks)));
    }
    EXPECT_EQ(seen.size(), 17u);
    EXPECT_EQ(gapGlyph(-30), glyphRect(TGlyph::GapRest30));
    EXPECT_EQ(gapGlyph(150), glyphRect(TGlyph::GapNote150));
    for (int ticks : {0, 15, -270, 270, 480, -45})
        EXPECT_TRUE(gapGlyph(ticks).isEmpty()) << ticks;
}
