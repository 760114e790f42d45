#include "sheetpainter.h"

#include "model/chordcatalogue.h"
#include "model/glyphs.h"

#include <array>
#include <vector>

namespace {

// The Roman numeral characters keep their letters joined by one serif line, which reads as
// one numeral even where the glyph rectangles of two degrees touch.
QString romanNumeral(int degree) {
    if (degree < 1 || degree > 7)
        return {};
    const char32_t numeral = 0x2160 + static_cast<char32_t>(degree - 1);
    return QString::fromUcs4(&numeral, 1);
}

// The figure of a chord by its tones and bass tone: 53 for a root-position triad, 6, 64; 7,
// 65, 43 and 2 for the seventh chords.
QString figure(int tones, int bass) {
    if (tones == 3)
        return bass == 0 ? "53" : bass == 1 ? "6" : "64";
    switch (bass) {
    case 0:
        return "7";
    case 1:
        return "65";
    case 2:
        return "43";
    default:
        return "2";
    }
}

void drawChordGlyphs(TSheetPainter& sheet) {
    std::vector<TRect> done;
    auto once = [&done](const TRect& r) {
        if (r.width() < 3 || std::find(done.begin(), done.end(), r) != done.end())
            return false;
        done.push_back(r);
        return true;
    };
    for (const auto& name : chordTypeNames()) {
        const TChord chord = chordOfType(name);
        const TRect degree = chord.degreeGlyph();
        const TRect fig = chord.figureGlyph();
        const QString numeral = name.starts_with("K_") ? "K" : romanNumeral(chord.base());
        if (once(degree)) {
            if (fig.width() < 3) {
                // The figure lives inside the degree glyph: the numeral with a small 6.
                const QRectF r = toRectF(degree);
                const double figW = 5;
                sheet.text(numeral, sheet.fonts().music,
                           QRectF(r.left(), r.top() + 1, r.width() - figW - 1, r.height() - 2),
                           ink::Black, TFit::Height);
                sheet.text("6", sheet.fonts().sansBold,
                           QRectF(r.right() - figW, r.top() + 1, figW, 8), ink::Black,
                           TFit::Stretch, QFont::Bold);
            } else {
                sheet.text(numeral, sheet.fonts().music, toRectF(degree).adjusted(1, 1, -1, -1),
                           ink::Black, TFit::Height);
            }
        }
        if (once(fig))
            sheet.text(figure(chord.toneCount(), chord.bassTone()), sheet.fonts().sansBold,
                       toRectF(fig), ink::Black, TFit::Stretch, QFont::Bold);
    }
}

// A turn as a melodic pictogram: notes as dots joined by lines, chord tones filled and
// non-chord tones open. Heights count steps above the lowest note.
struct TTurnFigure {
    std::vector<int> heights;
    std::vector<bool> chordTone;
};

TTurnFigure turnFigure(int turn) {
    switch (turn) {
    case 0:
        return {{0}, {true}};
    case 1:
        return {{0, 0}, {true, true}};
    case 2:
        return {{0, 2}, {true, true}};
    case 3:
        return {{0, 4}, {true, true}};
    case 4:
        return {{0, 6}, {true, true}};
    case 5:
        return {{0, 1, 0}, {true, false, true}};
    case 6:
        return {{0, 1, 2}, {true, false, true}};
    case 7:
        return {{1, 2, 0, 1}, {true, false, false, true}};
    case 8:
        return {{0, 3, 2}, {true, false, true}};
    default:
        return {{0, 1, 4}, {true, false, true}};
    }
}

void drawTurn(TSheetPainter& sheet, const TRect& r, int turn, const QColor& colour) {
    const TTurnFigure f = turnFigure(turn);
    const int count = static_cast<int>(f.heights.size());
    const double dot = std::min(7.0, r.height() / 3.2);
    int top = 0;
    for (int h : f.heights)
        top = std::max(top, h);
    const QRectF inner = toRectF(r).adjusted(dot / 2 + 1, dot / 2 + 1, -dot / 2 - 1, -dot / 2 - 1);
    std::vector<QPointF> points;
    for (int i = 0; i < count; ++i) {
        const double x =
            count == 1 ? inner.center().x() : inner.left() + inner.width() * i / (count - 1);
        const double y =
            top == 0 ? inner.center().y() : inner.bottom() - inner.height() * f.heights[i] / top;
        points.push_back({x, y});
    }
    QPainter& p = sheet.painter();
    p.save();
    p.setClipRect(QRect(r.left, r.top, r.width(), r.height()));
    p.setPen(QPen(colour, 1.2));
    for (int i = 1; i < count; ++i)
        p.drawLine(points[i - 1], points[i]);
    for (int i = 0; i < count; ++i) {
        const QRectF box(points[i].x() - dot / 2, points[i].y() - dot / 2, dot, dot);
        p.setBrush(f.chordTone[i] ? QBrush(colour) : QBrush(Qt::white));
        p.setPen(QPen(colour, 1.3));
        p.drawEllipse(box.adjusted(0.6, 0.6, -0.6, -0.6));
    }
    p.restore();
}

void drawTurnGlyphs(TSheetPainter& sheet) {
    for (int turn = 0; turn < 10; ++turn) {
        drawTurn(sheet, turnGlyph(turn), turn, ink::Black);
        drawTurn(sheet, turnGlyph(turn, true), turn, ink::Alternate);
    }
    for (int code : {5, 3, 4})
        for (bool alternate : {false, true})
            sheet.painter().fillRect(toRectF(fastMenuBarGlyph(code, alternate)),
                                     alternate ? ink::Alternate : ink::Black);
}

} // namespace

void drawChordAndTurnGlyphs(TSheetPainter& sheet) {
    drawChordGlyphs(sheet);
    drawTurnGlyphs(sheet);
}
