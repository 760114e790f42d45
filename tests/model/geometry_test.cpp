#include "model/geometry.h"
#include "model/glyphs.h"

#include <gtest/gtest.h>

TEST(FitOnScreen, KeepsWindowsOnTheScreenAboveTheTaskBar) {
    EXPECT_EQ(fitOnScreen(900, 700, 300, 200, 1024, 768), (TPoint{724, 540}));
    EXPECT_EQ(fitOnScreen(-5, -9, 300, 200, 1024, 768), (TPoint{0, 0}));
    EXPECT_EQ(fitOnScreen(10, 20, 300, 200, 1024, 768), (TPoint{10, 20}));
    // Exactly touching the edges is allowed.
    EXPECT_EQ(fitOnScreen(724, 540, 300, 200, 1024, 768), (TPoint{724, 540}));
}

TEST(Gcd, EuclidAndListFold) {
    EXPECT_EQ(gcd(0, 0), 0);
    EXPECT_EQ(gcd(0, 90), 90);
    EXPECT_EQ(gcd(90, 0), 90);
    EXPECT_EQ(gcd(240, 90), 30);
    EXPECT_EQ(gcd(std::vector<int>{120, 90, 60}), 30);
    EXPECT_EQ(gcd(std::vector<int>{240}), 240);
    EXPECT_EQ(gcd(std::vector<int>{}), 0);
}

TEST(CanvasGeometry, TimeAndPitchCoordinates) {
    EXPECT_EQ(timeToX(0), 19);
    EXPECT_EQ(timeToX(240), 8 * 23 + 19);
    EXPECT_EQ(pitchToY(0, 200), 230);
    EXPECT_EQ(pitchToY(22, 200), 200 - 110 + 30);
    // Stems follow the middle line of each staff.
    EXPECT_TRUE(stemUp(13));
    EXPECT_FALSE(stemUp(14));
    EXPECT_FALSE(stemUp(19));
    EXPECT_TRUE(stemUp(20));
    EXPECT_TRUE(stemUp(25));
    EXPECT_FALSE(stemUp(26));
    EXPECT_FALSE(stemUp(-1));
}

TEST(Glyphs, LookupsByDurationTurnAndBar) {
    EXPECT_EQ(durationGlyph(120), (TRect{148, 1, 163, 33}));
    EXPECT_EQ(durationGlyph(-240, true), (TRect{470, 70, 488, 102}));
    EXPECT_TRUE(durationGlyph(270).isEmpty());
    EXPECT_TRUE(durationGlyph(0).isEmpty());
    EXPECT_EQ(smallDurationGlyph(30), (TRect{189, 3, 205, 31}));
    EXPECT_TRUE(smallDurationGlyph(45).isEmpty());
    EXPECT_EQ(turnGlyph(9, true), (TRect{333, 112, 372, 142}));
    EXPECT_TRUE(turnGlyph(10).isEmpty());
    EXPECT_TRUE(turnGlyph(-1).isEmpty());
    EXPECT_EQ(fastMenuBarGlyph(4), (TRect{429, 3, 432, 28}));
    EXPECT_TRUE(fastMenuBarGlyph(1).isEmpty());
}

TEST(Glyphs, EveryNamedDurationAndRestHasBothGlyphs) {
    for (int d = 30; d <= 240; d += 30) {
        for (bool alternate : {false, true}) {
            EXPECT_FALSE(durationGlyph(d, alternate).isEmpty()) << d;
            EXPECT_FALSE(durationGlyph(-d, alternate).isEmpty()) << -d;
        }
    }
}

TEST(Glyphs, DegreeColours) {
    EXPECT_EQ(degreeColour(1), (TColour{0, 255, 255}));
    EXPECT_EQ(degreeColour(7), (TColour{250, 143, 194}));
    EXPECT_EQ(degreeColour(0), (TColour{255, 255, 255}));
    EXPECT_EQ(degreeColour(8), (TColour{255, 255, 255}));
    EXPECT_EQ((TColour{0x12, 0x34, 0x56}).value(), 0x563412u);
    EXPECT_EQ(TColour::fromValue(BACKGROUND_COLOUR), (TColour{0xD4, 0xD0, 0xC8}));
}
