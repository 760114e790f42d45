#include "sheetpainter.h"

#include "model/chordcatalogue.h"
#include "model/glyphs.h"

#include <array>
#include <vector>

namespace {

QString romanNumeral(int degree) {
    static const std::array<const char*, 7> numerals{"I", "II", "III", "IV", "V", "VI", "VII"};
    return degree >= 1 && degree <= 7 ? numerals[static_cast<std::size_t>(degree - 1)] : "";
}

// A Roman numeral drawn stroke by stroke, so that it stays crisp in glyphs as narrow as 6
// pixels: upright strokes with serifs for I (neighbouring serifs join), a heavy and a light
// diagonal for V, the heavy upright and two arms for K.
void drawNumeral(QPainter& p, const QRect& area, const QString& numeral) {
    struct TWidths {
        int stroke;
        int v;
        int gap;
    };
    const int letters = static_cast<int>(numeral.size());
    const int vs = static_cast<int>(numeral.count('V') + numeral.count('K'));
    const int is = letters - vs;
    auto totalOf = [&](const TWidths& w) {
        return is * w.stroke + vs * w.v + (letters - 1) * w.gap;
    };
    TWidths chosen{1, 5, 1};
    for (const TWidths w :
         {TWidths{2, 7, 2}, TWidths{2, 6, 2}, TWidths{1, 6, 2}, TWidths{1, 5, 2}}) {
        if (totalOf(w) <= area.width() - 2) {
            chosen = w;
            break;
        }
    }
    const int top = area.top() + 1;
    const int bottom = area.bottom() - 1;
    int x = area.left() + (area.width() - totalOf(chosen)) / 2;
    p.save();
    p.setClipRect(area);
    auto upright = [&](int at) {
        p.fillRect(QRect(at, top, chosen.stroke, bottom - top + 1), Qt::black);
        p.fillRect(QRect(at - 1, top, chosen.stroke + 2, 1), Qt::black);
        p.fillRect(QRect(at - 1, bottom, chosen.stroke + 2, 1), Qt::black);
    };
    for (int i = 0; i < letters; ++i) {
        const QChar letter = numeral[i];
        if (letter == 'I') {
            upright(x);
            x += chosen.stroke + chosen.gap;
            continue;
        }
        const double right = x + chosen.v - 0.5;
        if (letter == 'V') {
            const QPointF tip(x + chosen.v / 2.0, bottom + 0.5);
            p.setPen(QPen(Qt::black, chosen.v >= 6 ? 1.8 : 1.4));
            p.drawLine(QPointF(x + 0.8, top), tip);
            p.setPen(QPen(Qt::black, 1.0));
            p.drawLine(QPointF(right, top), tip);
            p.fillRect(QRect(x - 1, top, 3, 1), Qt::black);
            p.fillRect(QRect(x + chosen.v - 2, top, 3, 1), Qt::black);
        } else { // K
            upright(x);
            const double middle = (top + bottom) / 2.0;
            p.setPen(QPen(Qt::black, 1.0));
            p.drawLine(QPointF(x + chosen.stroke, middle + 1), QPointF(right, top + 0.5));
            p.setPen(QPen(Qt::black, 1.6));
            p.drawLine(QPointF(x + chosen.stroke + 0.5, middle - 1), QPointF(right, bottom + 0.5));
        }
        x += chosen.v + chosen.gap;
    }
    p.restore();
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
                const int figW = 5;
                drawNumeral(sheet.painter(),
                            QRect(degree.left, degree.top, degree.width() - figW, degree.height()),
                            numeral);
                sheet.text("6", sheet.fonts().sansBold,
                           QRectF(r.right() - figW, r.top() + 1, figW, 8), ink::Black,
                           TFit::Stretch, QFont::Bold);
            } else {
                drawNumeral(sheet.painter(), toQRect(degree), numeral);
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
