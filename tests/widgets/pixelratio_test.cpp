#include "widgets/drawing.h"
#include "widgetstesting.h"

#include <QApplication>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// A sheet of ratio 2 whose glyph (2, 1, 5, 3) holds a checker of single device pixels, the
// detail that only a copy at the full ratio keeps.
QImage checkerSheet() {
    QImage sheet(20, 10, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    for (int y = 2; y < 8; ++y)
        for (int x = 4; x < 12; ++x)
            sheet.setPixel(x, y, (x + y) % 2 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    sheet.setDevicePixelRatio(2.0);
    return sheet;
}

TEST(PixelRatio, AGlyphOfTheDoubleSheetKeepsItsDevicePixelsOnAPictureOfRatioTwo) {
    ensureWidgetApplication();
    const QImage sheet = checkerSheet();
    const TRect glyph{2, 1, 5, 3};
    EXPECT_EQ(sheetRect(sheet, glyph), QRect(4, 2, 8, 6));
    QImage plain(10, 10, QImage::Format_RGB32);
    EXPECT_EQ(sheetRect(plain, glyph), QRect(2, 1, 4, 3));

    QImage picture = pictureFor(&sheet, 10, 6);
    EXPECT_EQ(picture.size(), QSize(20, 12));
    EXPECT_EQ(picture.devicePixelRatio(), 2.0);
    picture.fill(Qt::gray);
    {
        QPainter painter(&picture);
        copyGlyph(painter, 1, 1, sheet, glyph);
    }
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(picture.pixel(2 + x, 2 + y), sheet.pixel(4 + x, 2 + y)) << x << "," << y;
    EXPECT_EQ(picture.pixel(1, 1), QColor(Qt::gray).rgb()) << "nothing outside the glyph";

    const QImage piece = cutGlyph(sheet, glyph);
    EXPECT_EQ(piece.size(), QSize(8, 6));
    EXPECT_EQ(piece.deviceIndependentSize(), QSizeF(4, 3));
}

TEST(PixelRatio, OnAPlainPictureTheGlyphTakesItsOwnSizeInPlace) {
    ensureWidgetApplication();
    const QImage sheet = checkerSheet();
    QImage picture(10, 6, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    {
        QPainter painter(&picture);
        copyGlyph(painter, 1, 1, sheet, TRect{2, 1, 5, 3});
    }
    EXPECT_EQ(picture.pixel(0, 0), QColor(Qt::gray).rgb());
    EXPECT_NE(picture.pixel(1, 1), QColor(Qt::gray).rgb());
    EXPECT_NE(picture.pixel(4, 3), QColor(Qt::gray).rgb());
    EXPECT_EQ(picture.pixel(5, 3), QColor(Qt::gray).rgb()) << "four pixels wide, not eight";
    EXPECT_EQ(picture.pixel(4, 4), QColor(Qt::gray).rgb()) << "three pixels high, not six";
}

} // namespace
