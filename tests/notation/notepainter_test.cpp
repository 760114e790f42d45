#include "notation/notepainter.h"

#include "model/geometry.h"
#include "model/glyphatlas.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr int PICTURE_WIDTH = 295;
constexpr int PICTURE_HEIGHT = 151;
const TMeasure twoFour(2, 120);
const TKey cMajor(0, MAJOR);

// Every glyph of an all-black sheet paints its full rectangle, which shows where it went.
QImage blackSheet() {
    QImage sheet(GLYPH_SHEET_WIDTH, GLYPH_SHEET_HEIGHT, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    return sheet;
}

TNote note(int time, int pitch, int duration) {
    return TNote(time, pitch, static_cast<DURATION>(duration));
}

QImage picture(const TNoteList& notes, const QImage& sheet = QImage(),
               const TMeasure& meter = twoFour, int leadingGap = 0) {
    QImage image(PICTURE_WIDTH, PICTURE_HEIGHT, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TNotePainter notePainter(painter, sheet, meter.displayWidth(), PICTURE_HEIGHT);
    notePainter.drawMeasurePicture(notes, 0, meter.ticksPerMeasure(), meter, cMajor, leadingGap);
    return image;
}

bool black(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 100;
}

bool white(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(255, 255, 255);
}

// Rows at which column x is black between fromY and toY.
std::vector<int> blackRows(const QImage& image, int x, int fromY, int toY) {
    std::vector<int> rows;
    for (int y = fromY; y <= toY; ++y)
        if (black(image, x, y))
            rows.push_back(y);
    return rows;
}

TEST(NotePainterStaff, TenLinesAndTheOpeningBarLine) {
    const QImage image = picture({});
    EXPECT_EQ(blackRows(image, 5, 0, PICTURE_HEIGHT - 1),
              (std::vector<int>{30, 40, 50, 60, 70, 90, 100, 110, 120, 130}));
    EXPECT_EQ(blackRows(image, 0, 0, PICTURE_HEIGHT - 1).size(), 101u);
    EXPECT_TRUE(white(image, twoFour.displayWidth(), 50)) << "lines stop at the picture width";
}

TEST(NotePainterStaff, LedgerLinesByPitch) {
    const int x = timeToX(0);
    // Column x - 10 lies left of the head; ledger lines reach x - 11.
    auto ledgerRows = [&](int pitch) {
        const QImage image = picture({note(0, pitch, 240)});
        std::vector<int> rows;
        for (int y : blackRows(image, x - 10, 0, PICTURE_HEIGHT - 1))
            if (!black(image, x - 13, y))
                rows.push_back(y);
        return rows;
    };
    EXPECT_EQ(ledgerRows(20), std::vector<int>{80});
    EXPECT_EQ(ledgerRows(34), (std::vector<int>{10, 20}));
    EXPECT_EQ(ledgerRows(33), std::vector<int>{20});
    EXPECT_EQ(ledgerRows(6), (std::vector<int>{140, 150}));
    EXPECT_EQ(ledgerRows(21), std::vector<int>{});
    EXPECT_EQ(ledgerRows(19), std::vector<int>{});
}

TEST(NotePainterNotes, HeadStemAndAccidentalPlacement) {
    const QImage sheet = blackSheet();
    TNote raised = note(0, 24, 120);
    raised.setSign(1);
    QImage image(PICTURE_WIDTH, PICTURE_HEIGHT, QImage::Format_RGB32);
    QPainter painter(&image);
    TNotePainter notePainter(painter, sheet, 250, PICTURE_HEIGHT);
    notePainter.drawMeasurePicture({raised}, 0, 240, twoFour, TKey(0, MINOR));
    painter.end();
    const int x = timeToX(0);
    const int y = pictureY(24);
    // Head 9 x 9 around the centre.
    EXPECT_TRUE(black(image, x - 4, y + 4));
    EXPECT_TRUE(black(image, x + 4, y - 4));
    EXPECT_TRUE(white(image, x + 5, y + 4));
    // Stem up from y - 30 at x + 4.
    EXPECT_TRUE(black(image, x + 4, y - 29));
    EXPECT_FALSE(black(image, x + 5, y - 25));
    // Sharp: its left edge at x - width - 4, so its right edge is at x - 5.
    const TRect sharp = accidentalGlyph(ACC_SHARP);
    EXPECT_TRUE(black(image, x - 5, y - 8));
    EXPECT_TRUE(black(image, x - 4 - sharp.width(), y - 8 + sharp.height() - 1));
    EXPECT_FALSE(black(image, x - 5 - sharp.width(), y - 5));
}

TEST(NotePainterNotes, DotsKeepOutOfTheLines) {
    const QImage sheet = blackSheet();
    const int x = timeToX(0);
    // Index 23 sits in a space: the dot is level with the head; 24 sits on a line: above it.
    const QImage inSpace = picture({note(0, 23, 180)}, sheet);
    EXPECT_EQ(blackRows(inSpace, x + 8, 61, 69), (std::vector<int>{64, 65, 66}));
    const QImage onLine = picture({note(0, 24, 180)}, sheet);
    EXPECT_EQ(blackRows(onLine, x + 8, 51, 59), (std::vector<int>{54, 55, 56}));
}

TEST(NotePainterBeams, EighthsShareOneBeamAtTheStemsEnd) {
    // Index 23 (y 65) lies below the treble middle line: stems up, beam top at 65 - 30.
    const QImage image = picture({note(0, 23, 60), note(60, 23, 60)}, blackSheet());
    const int firstStem = timeToX(0) + 4;
    const int lastStem = timeToX(60) + 4;
    const int between = (firstStem + lastStem) / 2;
    EXPECT_EQ(blackRows(image, between, 20, 60), (std::vector<int>{30, 35, 36, 37, 40, 50, 60}));
    EXPECT_TRUE(black(image, firstStem, 50));
    EXPECT_TRUE(black(image, lastStem, 50));
    EXPECT_TRUE(white(image, lastStem + 1, 36));
}

TEST(NotePainterBeams, SixteenthsGetSecondaryBeamsAndStubs) {
    // Dotted eighth and sixteenth: the stub points left from the sixteenth's stem.
    const QImage dotted = picture({note(0, 23, 90), note(90, 23, 30)}, blackSheet());
    const int stem = timeToX(90) + 4;
    EXPECT_EQ(blackRows(dotted, stem - 5, 33, 45), (std::vector<int>{35, 36, 37, 40, 41, 42}));
    EXPECT_EQ(blackRows(dotted, stem - 12, 33, 45), (std::vector<int>{35, 36, 37, 40}));

    // Stems down above the middle line: beams below the heads, secondary one above the main.
    const QImage down = picture({note(0, 29, 30), note(30, 29, 30)}, blackSheet());
    const int between = (timeToX(0) + timeToX(30)) / 2 - 4;
    EXPECT_EQ(blackRows(down, between, 55, 69), (std::vector<int>{58, 59, 60, 63, 64, 65}));
}

TEST(NotePainterRests, RestsAreCentredInTheirSpan) {
    const QImage sheet = blackSheet();
    // An empty 2/4 measure: one half rest centred between x(0) and x(240).
    const QImage empty = picture({}, sheet);
    const int centre = (timeToX(0) + timeToX(240)) / 2;
    const TRect half = painterRestGlyph(240);
    const int left = centre - half.width() / 2;
    EXPECT_TRUE(black(empty, left, 47) && black(empty, left + half.width() - 1, 47));
    EXPECT_TRUE(white(empty, left - 1, 47));
    EXPECT_TRUE(white(empty, left + half.width(), 47));

    // A quarter rest after a quarter: centred between the note's x and the end's x.
    const QImage afterNote = picture({note(0, 23, 120)}, sheet);
    const int restCentre = (timeToX(0) + timeToX(240)) / 2;
    const TRect quarter = painterRestGlyph(120);
    EXPECT_EQ(blackRows(afterNote, restCentre, 36, 36 + quarter.height() - 1).size(),
              static_cast<std::size_t>(quarter.height()));
}

TEST(NotePainterRests, LeadingGapStaysEmpty) {
    const QImage image = picture({note(120, 23, 120)}, blackSheet(), twoFour, 120);
    const int gapCentre = (timeToX(0) + timeToX(120)) / 2;
    EXPECT_EQ(blackRows(image, gapCentre, 31, 69), (std::vector<int>{40, 50, 60}));
}

TEST(NotePainterTies, ArcBelowHeadsWithStemsUp) {
    const QImage image = picture({note(0, 23, 150)});
    const int middle = (timeToX(0) + timeToX(120)) / 2;
    const int centreY = pictureY(23) + 6;
    std::vector<int> below;
    for (int y = centreY; y <= centreY + 13; ++y)
        if (qGray(image.pixel(middle, y)) < 160)
            below.push_back(y);
    ASSERT_FALSE(below.empty());
    EXPECT_GE(below.front(), centreY + 10);
    for (int y = pictureY(23) - 4; y < pictureY(23); ++y)
        EXPECT_GT(qGray(image.pixel(middle, y)), 160) << "no arc above at y " << y;
}

TEST(NotePainterGlyphs, MissingSheetDrawsOnlyLines) {
    const QImage image = picture({note(0, 23, 120)});
    const int x = timeToX(0);
    EXPECT_TRUE(white(image, x, pictureY(23)));
}

TEST(NotePainterGlyphs, TransparentGlyphKeepsTheBackground) {
    QImage sheet(GLYPH_SHEET_WIDTH, GLYPH_SHEET_HEIGHT, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    sheet.setPixel(1, 1, qRgb(0, 0, 0));
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(qRgb(200, 100, 50));
    {
        QPainter painter(&image);
        TBasePainter base(painter, sheet, 20, 20);
        base.drawGlyph(5, 5, TRect{0, 0, 2, 2});
        base.drawGlyph(12, 12, TRect{0, 0, 2, 2}, true);
    }
    EXPECT_EQ(image.pixel(5, 5), qRgb(200, 100, 50));
    EXPECT_EQ(image.pixel(6, 6), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(12, 12), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(13, 13), qRgb(0, 0, 0));
}

} // namespace
