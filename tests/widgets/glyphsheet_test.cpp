#include "glyphsheet.h"
#include "widgets/resources.h"
#include "widgetstesting.h"

#include "model/glyphatlas.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

const QImage& drawnSheet() {
    ensureWidgetApplication();
    static const QImage sheet = drawGlyphSheet(DEFAULT_MUSIC_FONT);
    return sheet;
}

bool isWhite(QRgb pixel) {
    return qRed(pixel) == 255 && qGreen(pixel) == 255 && qBlue(pixel) == 255;
}

} // namespace

TEST(GlyphSheet, EveryRectangleOfEveryTableHoldsAGlyph) {
    const QImage& sheet = drawnSheet();
    ASSERT_FALSE(sheet.isNull());
    ASSERT_EQ(sheet.size(), QSize(GLYPH_SHEET_WIDTH, GLYPH_SHEET_HEIGHT));
    const std::vector<TRect> rects = allSheetRects();
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const TRect& r = rects[i];
        int inked = 0;
        for (int y = r.top; y <= r.bottom; ++y)
            for (int x = r.left; x <= r.right; ++x)
                inked += isWhite(sheet.pixel(x, y)) ? 0 : 1;
        // Every glyph but the two-pixel empty figure must show something substantial.
        const int wanted =
            r.width() * r.height() <= 4 ? 0 : std::max(2, r.width() * r.height() / 40);
        EXPECT_GE(inked, wanted) << "rectangle " << i << " at (" << r.left << ", " << r.top << ", "
                                 << r.right << ", " << r.bottom << ")";
    }
}

TEST(GlyphSheet, NothingIsDrawnOutsideTheRectangles) {
    const QImage& sheet = drawnSheet();
    ASSERT_FALSE(sheet.isNull());
    std::vector<bool> covered(static_cast<std::size_t>(GLYPH_SHEET_WIDTH * GLYPH_SHEET_HEIGHT));
    for (const TRect& r : allSheetRects())
        for (int y = r.top; y <= r.bottom; ++y)
            for (int x = r.left; x <= r.right; ++x)
                covered[static_cast<std::size_t>(y * GLYPH_SHEET_WIDTH + x)] = true;
    int stray = 0;
    for (int y = 0; y < GLYPH_SHEET_HEIGHT; ++y)
        for (int x = 0; x < GLYPH_SHEET_WIDTH; ++x)
            if (!covered[static_cast<std::size_t>(y * GLYPH_SHEET_WIDTH + x)] &&
                !isWhite(sheet.pixel(x, y))) {
                if (++stray <= 5)
                    ADD_FAILURE() << "ink outside every glyph at (" << x << ", " << y << ")";
            }
    EXPECT_EQ(stray, 0);
}

TEST(GlyphSheet, HeadsCarryTheirStemStubOnTheStemSide) {
    const QImage& sheet = drawnSheet();
    for (int kind = 0; kind < 3; ++kind) {
        const TRect up = headGlyph(kind, false, true);
        const TRect down = headGlyph(kind, true, false);
        EXPECT_EQ(sheet.pixel(up.right, up.top), qRgb(0, 0, 0));
        EXPECT_EQ(sheet.pixel(down.left, down.bottom), qRgb(0, 0, 0));
        EXPECT_TRUE(isWhite(sheet.pixel(up.left, up.top)));
        EXPECT_TRUE(isWhite(sheet.pixel(down.right, down.bottom)));
        const TRect whole = wholeHeadGlyph(kind);
        EXPECT_TRUE(isWhite(sheet.pixel(whole.right, whole.top)));
    }
    // A stem glyph is a full-height line in its first column.
    const TRect stem = glyphRect(TGlyph::SixteenthUp);
    for (int y = stem.top; y <= stem.bottom; ++y)
        EXPECT_EQ(sheet.pixel(stem.left, y), qRgb(0, 0, 0)) << y;
}

TEST(GlyphSheet, AMissingFontIsReported) {
    ensureWidgetApplication();
    QString error;
    EXPECT_TRUE(drawGlyphSheet("/nonexistent/font.ttf", &error).isNull());
    EXPECT_TRUE(error.contains("/nonexistent/font.ttf"));
}

TEST(GlyphSheetTool, WritesTheDrawnSheetAsA24BitBitmap) {
    ensureWidgetApplication();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString out = folder.filePath("glyphs.bmp");
    QProcess tool;
    tool.start(GLYPHSHEET_TOOL, {out});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();

    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(30);
    ASSERT_EQ(header.size(), 30);
    EXPECT_EQ(header.left(2), QByteArray("BM"));
    EXPECT_EQ(static_cast<unsigned char>(header[28]), 24u); // bits per pixel

    const QImage written = QImage(out).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(written, drawnSheet().convertToFormat(QImage::Format_RGB32));
    const QImage doubled(folder.filePath("glyphs@2x.bmp"));
    EXPECT_EQ(doubled.size(), QSize(2 * GLYPH_SHEET_WIDTH, 2 * GLYPH_SHEET_HEIGHT))
        << "the double-size sheet is written beside the plain one";

    // The program reads both sheets with its own bitmap reader: pixel for pixel what was drawn.
    TResourceFactory factory;
    EXPECT_EQ(static_cast<const QImage&>(factory.bitmap(out)), written);
    EXPECT_EQ(static_cast<const QImage&>(factory.bitmap(folder.filePath("glyphs@2x.bmp"))),
              doubled.convertToFormat(QImage::Format_RGB32));
}

TEST(GlyphSheet, TheDoubleSheetHoldsEveryGlyphInItsRectangleTimesTwo) {
    ensureWidgetApplication();
    const QImage doubled = drawGlyphSheet(DEFAULT_MUSIC_FONT, nullptr, 2);
    ASSERT_EQ(doubled.size(), QSize(2 * GLYPH_SHEET_WIDTH, 2 * GLYPH_SHEET_HEIGHT));
    EXPECT_EQ(doubleSheetPath("/app/glyphs.bmp"), "/app/glyphs@2x.bmp");
    auto ink = [](const QImage& sheet, const QRect& area) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += isWhite(sheet.pixel(x, y)) ? 0 : 1;
        return count;
    };
    int compared = 0;
    for (const TRect& r : allSheetRects()) {
        const QRect plain(r.left, r.top, r.width(), r.height());
        const QRect twice(2 * r.left, 2 * r.top, 2 * r.width(), 2 * r.height());
        const int small = ink(drawnSheet(), plain);
        const int large = ink(doubled, twice);
        if (small < 20)
            continue; // thin marks do not scale by area
        // Four times the pixels, give or take the edges that antialiasing blurs at either size.
        EXPECT_GT(large, 2 * small) << r.left << "," << r.top;
        EXPECT_LT(large, 6 * small) << r.left << "," << r.top;
        ++compared;
    }
    EXPECT_GT(compared, 50);
}

TEST(GlyphSheetTool, FailsWithoutAnOutputFileOrFont) {
    ensureWidgetApplication();
    QProcess tool;
    tool.start(GLYPHSHEET_TOOL, {});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_NE(tool.exitCode(), 0);

    QTemporaryDir folder;
    tool.start(GLYPHSHEET_TOOL, {folder.filePath("glyphs.bmp"), "/nonexistent/font.ttf"});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_NE(tool.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(folder.filePath("glyphs.bmp")));
}
