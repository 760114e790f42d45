#include "sheetpainter.h"

#include "model/glyphatlas.h"

#include <QTransform>

namespace {

QRectF area(TGlyph glyph) {
    return toRectF(glyphRect(glyph));
}

// Treble and bass clef as the staff header draws them at (0, 19) of a measure picture whose
// staff lines lie at y 30..70 and 90..130: the treble clef's curl round the G line (y 60), the
// bass clef's dots either side of the F line (y 100).
void drawClefs(TSheetPainter& sheet) {
    const TRect r = glyphRect(TGlyph::TrebleBassClefs);
    const double top = r.top - 19;
    sheet.symbol(music::TrebleClef, QRectF(r.left + 1, top + 20, r.width() - 2, 64), ink::Black);
    sheet.symbol(music::BassClef, QRectF(r.left + 1, top + 89, r.width() - 4, 34), ink::Black);
}

const QColor& headColour(int kind) {
    return kind == 0 ? ink::Black : kind == 1 ? ink::NonChordTone : ink::Highlight;
}

// A 9 x 9 head; a stem-up head carries rows 0..4 of its stem in column 8, a stem-down head
// rows 4..8 in column 0, so that the stem glyphs, which start 4 pixels from the centre, join.
void drawHead(TSheetPainter& sheet, const TRect& r, int kind, bool hollow, int stem) {
    const QColor& colour = headColour(kind);
    const QPointF centre(r.left + 4.5, r.top + 4.5);
    QPainterPath head;
    head.addEllipse(QPointF(0, 0), 4.5, 3.2);
    if (hollow) {
        QPainterPath hole;
        hole.addEllipse(QPointF(0, 0), 3.4, 1.45);
        head = head.subtracted(QTransform().rotate(-12).map(hole));
    }
    head = QTransform().translate(centre.x(), centre.y()).rotate(-22).map(head);
    sheet.painter().save();
    sheet.painter().setClipRect(QRect(r.left, r.top, r.width(), r.height()));
    sheet.painter().fillPath(head, colour);
    sheet.painter().restore();
    if (stem > 0)
        sheet.painter().fillRect(QRect(r.right, r.top, 1, 5), ink::Black);
    else if (stem < 0)
        sheet.painter().fillRect(QRect(r.left, r.top + 4, 1, 5), ink::Black);
}

void drawHeads(TSheetPainter& sheet) {
    for (int kind = 0; kind < 3; ++kind) {
        for (bool hollow : {false, true})
            for (bool up : {true, false})
                drawHead(sheet, headGlyph(kind, hollow, up), kind, hollow, up ? 1 : -1);
        drawHead(sheet, wholeHeadGlyph(kind), kind, true, 0);
    }
}

// Stem in column 0 over the full height; flags to the right, hanging from the top of an up
// stem and rising from the bottom of a down stem.
void drawStem(TSheetPainter& sheet, const TRect& r, int flags, bool up) {
    QPainter& p = sheet.painter();
    p.fillRect(QRect(r.left, r.top, 1, r.height()), ink::Black);
    for (int i = 0; i < flags; ++i) {
        const double x = r.left + 0.5;
        const double w = r.width() - 0.5;
        const double y = up ? r.top + i * 5 : r.bottom + 1 - i * 5;
        const double dir = up ? 1 : -1;
        QPainterPath path(QPointF(x, y));
        path.cubicTo(x + 1, y + dir * 4, x + w + 1, y + dir * 5.5, x + w - 2, y + dir * 14);
        path.cubicTo(x + w - 0.5, y + dir * 9.5, x + 1, y + dir * 6.5, x, y + dir * 5);
        path.closeSubpath();
        p.save();
        p.setClipRect(QRect(r.left, r.top, r.width(), r.height()));
        p.fillPath(path, ink::Black);
        p.restore();
    }
}

void drawStems(TSheetPainter& sheet) {
    drawStem(sheet, glyphRect(TGlyph::StemUp), 0, true);
    drawStem(sheet, glyphRect(TGlyph::StemDown), 0, false);
    drawStem(sheet, glyphRect(TGlyph::EighthUp), 1, true);
    drawStem(sheet, glyphRect(TGlyph::EighthDown), 1, false);
    drawStem(sheet, glyphRect(TGlyph::SixteenthUp), 2, true);
    drawStem(sheet, glyphRect(TGlyph::SixteenthDown), 2, false);
}

void drawAccidentals(TSheetPainter& sheet) {
    // A round 3 x 3 dot: a black cross with softened corners.
    const TRect dot = glyphRect(TGlyph::Dot);
    sheet.painter().fillRect(QRect(dot.left, dot.top, 3, 3), QColor(150, 150, 150));
    sheet.painter().fillRect(QRect(dot.left + 1, dot.top, 1, 3), ink::Black);
    sheet.painter().fillRect(QRect(dot.left, dot.top + 1, 3, 1), ink::Black);
    sheet.symbol(music::Sharp, area(TGlyph::Sharp), ink::Black, TFit::Stretch);
    sheet.symbol(music::Flat, area(TGlyph::Flat), ink::Black, TFit::Stretch);
    sheet.symbol(music::Natural, area(TGlyph::Natural), ink::Black, TFit::Stretch);
    sheet.symbol(music::DoubleSharp, area(TGlyph::DoubleSharp).adjusted(0, 1, 0, -1), ink::Black,
                 TFit::Stretch);
    sheet.symbol(music::DoubleFlat, area(TGlyph::DoubleFlat), ink::Black, TFit::Stretch);
}

void drawDigits(TSheetPainter& sheet) {
    for (int digit = 0; digit <= 9; ++digit)
        sheet.text(QString::number(digit), sheet.fonts().serifBold, toRectF(digitGlyph(digit)),
                   ink::Black, TFit::Stretch, QFont::Bold);
}

void drawPainterRests(TSheetPainter& sheet) {
    sheet.symbol(music::SixteenthRest, area(TGlyph::RestSixteenth), ink::Black, TFit::Stretch);
    sheet.symbol(music::EighthRest, area(TGlyph::RestEighth), ink::Black, TFit::Stretch);
    sheet.symbol(music::QuarterRest, area(TGlyph::RestQuarter), ink::Black, TFit::Stretch);
    sheet.painter().fillRect(area(TGlyph::RestHalf), ink::Black);
}

} // namespace

void drawNotationGlyphs(TSheetPainter& sheet) {
    drawClefs(sheet);
    drawHeads(sheet);
    drawStems(sheet);
    drawAccidentals(sheet);
    drawDigits(sheet);
    drawPainterRests(sheet);
}
