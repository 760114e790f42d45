#include "sheetpainter.h"

#include "model/glyphatlas.h"

#include <QPolygonF>

#include <initializer_list>
#include <vector>

// Pictures of the scheme commands. A rhythm is a row of bars as long as its durations (rests
// hollow); a pitch scheme is a line through its notes (chord tones filled, others hollow).

namespace {

class TScope {
public:
    TScope(QPainter& painter, TGlyph glyph) : p_(painter) {
        p_.save();
        const TRect r = glyphRect(glyph);
        p_.setClipRect(QRect(r.left, r.top, r.width(), r.height()));
        p_.translate(r.left, r.top);
    }
    ~TScope() { p_.restore(); }
    TScope(const TScope&) = delete;
    TScope& operator=(const TScope&) = delete;

private:
    QPainter& p_;
};

const QColor RHYTHM(20, 20, 20);
const QColor PITCH(0, 60, 150);
const QColor CONTRAST(170, 0, 0);

// Bars of the given widths, centred in the 40 x 11 glyph; a negative width is a rest.
void bars(QPainter& p, std::initializer_list<int> widths, double top = 3, double height = 5) {
    int total = -2;
    for (int w : widths)
        total += std::abs(w) + 2;
    double x = (40 - total) / 2.0;
    for (int w : widths) {
        const QRectF bar(x, top, std::abs(w), height);
        if (w > 0) {
            p.fillRect(bar, RHYTHM);
        } else {
            p.setPen(QPen(RHYTHM, 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(bar.adjusted(0.5, 0.5, -0.5, -0.5));
        }
        x += std::abs(w) + 2;
    }
}

// A melodic line through the points (x, y in the 40 x 11 glyph); `kinds` marks each point
// 1 chord tone (filled), 0 other (hollow), -1 no dot.
void line(QPainter& p, const std::vector<QPointF>& points, const std::vector<int>& kinds) {
    p.setPen(QPen(PITCH, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF(QList<QPointF>(points.begin(), points.end())));
    for (std::size_t i = 0; i < points.size(); ++i) {
        const int kind = i < kinds.size() ? kinds[i] : 1;
        if (kind < 0)
            continue;
        p.setBrush(kind == 1 ? QBrush(PITCH) : QBrush(Qt::white));
        p.setPen(QPen(PITCH, 1));
        p.drawEllipse(points[i], 2.0, 2.0);
    }
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
    p.setPen(QPen(colour, 1.3));
    p.drawLine(from, to);
    const double dir = to.x() > from.x() ? -1 : 1;
    p.setBrush(colour);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF(
        {to, QPointF(to.x() + dir * 4, to.y() - 2.6), QPointF(to.x() + dir * 4, to.y() + 2.6)}));
}

void drawRhythmCategories(QPainter& p) {
    {
        TScope s(p, TGlyph::SchemeShortDurations);
        bars(p, {3, 3, 3, 3, 3, 3, 3});
    }
    {
        TScope s(p, TGlyph::SchemeLongDurations);
        bars(p, {17, 17});
    }
    {
        TScope s(p, TGlyph::SchemeUniformRhythm);
        bars(p, {7, 7, 7, 7});
    }
    {
        TScope s(p, TGlyph::SchemeNonUniformRhythm);
        bars(p, {3, 11, 2, 8, 4});
    }
    {
        TScope s(p, TGlyph::SchemeSlowToFast);
        bars(p, {13, 8, 5, 3, 2});
    }
    {
        TScope s(p, TGlyph::SchemeFastToSlow);
        bars(p, {2, 3, 5, 8, 13});
    }
    {
        TScope s(p, TGlyph::SchemeWithRests);
        bars(p, {8, -5, 8, -5, 6});
    }
    {
        TScope s(p, TGlyph::SchemeWithoutRests);
        bars(p, {9, 5, 9, 5, 6});
    }
    {
        // One duration: the same bar again and again.
        TScope s(p, TGlyph::SchemeOneDuration);
        bars(p, {5, 5, 5, 5, 5}, 4, 3);
    }
    {
        // Many durations: bars of several lengths stacked as a choice.
        TScope s(p, TGlyph::SchemeManyDurations);
        bars(p, {4}, 0, 2);
        bars(p, {12}, 4.5, 2);
        bars(p, {22}, 9, 2);
    }
}

void drawPitchCategories(QPainter& p) {
    {
        TScope s(p, TGlyph::SchemeSmallTurns);
        line(p, {{3, 6}, {10, 4}, {17, 6}, {24, 4}, {31, 6}, {37, 4}}, {1, 0, 1, 0, 1, 0});
    }
    {
        TScope s(p, TGlyph::SchemeLargeTurns);
        line(p, {{3, 8.5}, {14, 2}, {25, 8.5}, {36, 2}}, {1, 1, 1, 1});
    }
    {
        TScope s(p, TGlyph::SchemeUniformTurns);
        line(p, {{3, 8}, {9, 3}, {15, 8}, {21, 3}, {27, 8}, {33, 3}, {38, 8}},
             {1, -1, 1, -1, 1, -1, 1});
    }
    {
        TScope s(p, TGlyph::SchemeNonUniformTurns);
        line(p, {{3, 5}, {8, 8.5}, {19, 2}, {23, 5}, {28, 4}, {37, 8.5}}, {1, 0, 1, 0, 0, 1});
    }
    {
        TScope s(p, TGlyph::SchemeChordTurns);
        line(p, {{4, 8.5}, {14, 2.5}, {24, 6}, {35, 2.5}}, {1, 1, 1, 1});
    }
    {
        TScope s(p, TGlyph::SchemeNonChordTurns);
        line(p, {{4, 7}, {12, 5.5}, {20, 4}, {28, 5.5}, {36, 4}}, {0, 0, 0, 0, 0});
    }
    {
        TScope s(p, TGlyph::SchemeChordThenNonChord);
        line(p, {{4, 6}, {12, 4}, {20, 6}, {28, 4}, {36, 6}}, {1, 0, 1, 0, 1});
    }
    {
        TScope s(p, TGlyph::SchemeNonChordThenChord);
        line(p, {{4, 6}, {12, 4}, {20, 6}, {28, 4}, {36, 6}}, {0, 1, 0, 1, 0});
    }
    {
        TScope s(p, TGlyph::SchemeOneTurn);
        line(p, {{12, 8}, {20, 3}, {28, 8}}, {1, 0, 1});
    }
    {
        TScope s(p, TGlyph::SchemeManyTurns);
        line(p, {{2, 8}, {7, 3}, {12, 8}}, {1, 0, 1});
        line(p, {{16, 3}, {24, 8}}, {1, 1});
        line(p, {{28, 6}, {32, 4}, {37, 6}}, {0, 1, 0});
    }
}

void drawSchemeOperations(QPainter& p) {
    {
        // Contrast: the opposite of the Motive for Contrast, both ways.
        TScope s(p, TGlyph::SchemeContrast);
        p.setPen(QPen(CONTRAST, 1));
        p.setBrush(CONTRAST);
        p.drawPie(QRectF(15, 0.5, 10, 10), 90 * 16, 180 * 16);
        p.setBrush(Qt::white);
        p.drawPie(QRectF(15, 0.5, 10, 10), -90 * 16, 180 * 16);
        arrow(p, {4, 3}, {12, 3}, CONTRAST);
        arrow(p, {12, 8}, {4, 8}, CONTRAST);
        arrow(p, {28, 3}, {36, 3}, CONTRAST);
        arrow(p, {36, 8}, {28, 8}, CONTRAST);
    }
    {
        TScope s(p, TGlyph::SchemeClear);
        p.setPen(QPen(QColor(200, 0, 0), 2));
        p.drawLine(QPointF(16, 1.5), QPointF(24, 9.5));
        p.drawLine(QPointF(24, 1.5), QPointF(16, 9.5));
    }
    {
        // Default: back to the start.
        TScope s(p, TGlyph::SchemeDefault);
        p.setPen(QPen(RHYTHM, 1.3));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(15, 1, 10, 9), 60 * 16, 280 * 16);
        p.setBrush(RHYTHM);
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({QPointF(22, 0), QPointF(26, 2.5), QPointF(22, 4.5)}));
        p.drawEllipse(QPointF(20, 5.5), 1.5, 1.5);
    }
    {
        // Random: a die.
        TScope s(p, TGlyph::SchemeRandom);
        p.setPen(QPen(RHYTHM, 1));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(15.5, 0.5, 10, 10), 2, 2);
        p.setBrush(RHYTHM);
        p.setPen(Qt::NoPen);
        for (const QPointF& dot : {QPointF(18, 3), QPointF(20.5, 5.5), QPointF(23, 8)})
            p.drawEllipse(dot, 1.2, 1.2);
    }
    {
        // Invert: the order mirrored.
        TScope s(p, TGlyph::SchemeInvert);
        p.setPen(QPen(RHYTHM, 1));
        p.drawLine(QPointF(20, 0), QPointF(20, 11));
        arrow(p, {18, 5.5}, {9, 5.5}, RHYTHM);
        arrow(p, {22, 5.5}, {31, 5.5}, RHYTHM);
    }
    {
        // Mix: crossing paths.
        TScope s(p, TGlyph::SchemeMix);
        arrow(p, {11, 2}, {29, 2}, RHYTHM);
        arrow(p, {11, 9}, {29, 9}, RHYTHM);
        p.setPen(QPen(RHYTHM, 1.2));
        p.drawLine(QPointF(14, 2), QPointF(24, 9));
        p.drawLine(QPointF(14, 9), QPointF(24, 2));
    }
}

// The figure on which a Motive for Contrast is dropped: a motive sign half dark, half light;
// grey while no motive is there, in colour once one is.
void drawContrastFigure(QPainter& p, TGlyph glyph, const QColor& ink) {
    TScope s(p, glyph);
    p.setPen(QPen(ink, 1.4));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(2, 2, 20, 20));
    p.setBrush(ink);
    p.drawPie(QRectF(2, 2, 20, 20), 90 * 16, 180 * 16);
    // A note on either half.
    p.setPen(QPen(Qt::white, 1.2));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(6, 13, 4.5, 3.5));
    p.drawLine(QPointF(10.2, 14.5), QPointF(10.2, 6.5));
    p.setPen(QPen(ink, 1.2));
    p.setBrush(ink);
    p.drawEllipse(QRectF(13.5, 13, 4.5, 3.5));
    p.drawLine(QPointF(17.7, 14.5), QPointF(17.7, 6.5));
}

void drawShowContrast(QPainter& p) {
    // An eye: look at the Motive for Contrast.
    TScope s(p, TGlyph::ShowContrast);
    QPainterPath eye;
    eye.moveTo(2, 12);
    eye.quadTo(12, 2, 22, 12);
    eye.quadTo(12, 22, 2, 12);
    p.setPen(QPen(RHYTHM, 1.4));
    p.setBrush(Qt::white);
    p.drawPath(eye);
    p.setBrush(PITCH);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(12, 12), 4.2, 4.2);
    p.setBrush(RHYTHM);
    p.drawEllipse(QPointF(12, 12), 1.8, 1.8);
}

} // namespace

void drawSchemeGlyphs(TSheetPainter& sheet) {
    QPainter& p = sheet.painter();
    drawRhythmCategories(p);
    drawPitchCategories(p);
    drawSchemeOperations(p);
    drawContrastFigure(p, TGlyph::ContrastFigure, QColor(150, 150, 150));
    drawContrastFigure(p, TGlyph::ContrastFigureSet, CONTRAST);
    drawShowContrast(p);
}
