#include "notation/basepainter.h"

#include "model/glyphatlas.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

QImage blackSheet() {
    QImage sheet(GLYPH_SHEET_WIDTH, GLYPH_SHEET_HEIGHT, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    return sheet;
}

QImage header(const TKey& key, const TMeasure& meter) {
    QImage image(headerWidth(key, meter), 151, QImage::Format_RGB32);
    QPainter painter(&image);
    TBasePainter base(painter, blackSheet(), image.width(), image.height());
    base.drawHeader(key, meter);
    return image;
}

bool black(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 100;
}

TEST(TimeSignature, PlainAndDottedBeats) {
    EXPECT_EQ(timeSignatureOf(TMeasure(3, 120)), (TTimeSignature{3, 4}));
    EXPECT_EQ(timeSignatureOf(TMeasure(2, 60)), (TTimeSignature{2, 8}));
    EXPECT_EQ(timeSignatureOf(TMeasure(2, 240)), (TTimeSignature{2, 2}));
    EXPECT_EQ(timeSignatureOf(TMeasure(2, 180)), (TTimeSignature{6, 8}));
    EXPECT_EQ(timeSignatureOf(TMeasure(3, 90)), (TTimeSignature{9, 16}));
}

TEST(HeaderWidth, GrowsWithAccidentalsAndWideNumbers) {
    const int clefs = glyphRect(TGlyph::TrebleBassClefs).width();
    const int digit = digitGlyph(0).width();
    EXPECT_EQ(keySignatureWidth(TKey(0, MAJOR)), clefs + 5);
    EXPECT_EQ(keySignatureWidth(TKey(3, MAJOR)),
              clefs + 3 * (accidentalGlyph(ACC_SHARP).width() + 2) + 11);
    EXPECT_EQ(keySignatureWidth(TKey(-2, MINOR)),
              clefs + 2 * (accidentalGlyph(ACC_FLAT).width() + 2) + 11);
    EXPECT_EQ(headerWidth(TKey(0, MAJOR), TMeasure(3, 120)), clefs + 5 + digit + 5);
    // 480 / 30 is written with two digits.
    EXPECT_EQ(headerWidth(TKey(0, MAJOR), TMeasure(4, 30)), clefs + 5 + 2 * digit + 1 + 5);
}

TEST(Header, ThreeFlatsOnBothStaves) {
    const QImage image = header(TKey(-3, MAJOR), TMeasure(3, 120));
    const TRect flat = accidentalGlyph(ACC_FLAT);
    const int firstX = glyphRect(TGlyph::TrebleBassClefs).width() + 8;
    // Treble positions 26, 29, 25 and bass positions 12, 15, 11, each glyph's top at y - 8.
    const int treble[] = {26, 29, 25};
    const int bass[] = {12, 15, 11};
    for (int i = 0; i < 3; ++i) {
        const int x = firstX + i * (flat.width() + 2);
        for (const int pitch : {treble[i], bass[i]}) {
            const int top = pictureY(pitch) - 8;
            EXPECT_TRUE(black(image, x + 1, top)) << "flat " << i << " at pitch " << pitch;
            EXPECT_FALSE(black(image, x + 1, top - 1)) << "flat " << i << " at pitch " << pitch;
        }
        EXPECT_FALSE(black(image, x - 1, pictureY(treble[i]) - 4)) << "gap before flat " << i;
    }
}

TEST(Header, TimeSignatureInBothStaves) {
    const TKey key(0, MAJOR);
    const QImage image = header(key, TMeasure(3, 120));
    const TRect digit = digitGlyph(0);
    const int x = keySignatureWidth(key) + 1;
    const int offset = (20 - digit.height()) / 2;
    for (const int staffTop : {30, 90}) {
        EXPECT_TRUE(black(image, x, staffTop + offset + 2));      // numerator
        EXPECT_TRUE(black(image, x, staffTop + 20 + offset + 2)); // denominator
    }
    EXPECT_FALSE(black(image, x, 80));
    EXPECT_TRUE(black(image, image.width() - 1, 30)) << "staff lines run to the right edge";
}

TEST(ChordBox, OutlineFillAndGlyphs) {
    TChord chord;
    chord.setDegreeGlyph(TRect{0, 0, 19, 15});
    chord.setFigureGlyph(TRect{0, 0, 7, 7});
    chord.setColour(TColour{10, 200, 30});
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        TBasePainter base(painter, blackSheet(), 60, 40);
        base.drawChordBox(chord, 5, 4);
    }
    const int boxWidth = 20 + 8 + 3;
    EXPECT_EQ(image.pixel(5, 4), qRgb(128, 128, 128));
    EXPECT_EQ(image.pixel(5 + boxWidth + 3, 4 + 16 + 3), qRgb(128, 128, 128));
    EXPECT_EQ(image.pixel(5 + boxWidth + 4, 10), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(6, 5), qRgb(10, 200, 30));
    // Glyphs centred on x + w / 2 + 2: the first from 5 + 15 + 2 - 15 = 7 at y 6.
    EXPECT_EQ(image.pixel(7, 6), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(6, 6), qRgb(10, 200, 30));
    // The second 3 pixels after it, bottom-aligned with the first (rows 14..21).
    EXPECT_EQ(image.pixel(7 + 20 + 3, 14), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(7 + 20 + 3, 13), qRgb(10, 200, 30));
}

} // namespace
