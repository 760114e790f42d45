#include "sheetpainter.h"

#include "model/glyphatlas.h"

namespace {

// The painter moved to the glyph's corner and clipped to it.
class TCornerScope {
public:
    TCornerScope(QPainter& painter, const TRect& r) : p_(painter) {
        p_.save();
        p_.setClipRect(toQRect(r));
        p_.translate(r.left, r.top);
        p_.setRenderHint(QPainter::Antialiasing, true);
    }
    ~TCornerScope() { p_.restore(); }
    TCornerScope(const TCornerScope&) = delete;
    TCornerScope& operator=(const TCornerScope&) = delete;

private:
    QPainter& p_;
};

// A rounded tile with a letter: C on a warm tile for major, a on a cool one for minor, the
// way key names write the two modes.
void drawKeyMode(TSheetPainter& sheet, bool minor) {
    const TRect r = keyModeGlyph(minor);
    QPainter& p = sheet.painter();
    TCornerScope scope(p, r);
    p.setPen(QPen(QColor(60, 60, 60), 1.0));
    p.setBrush(minor ? QColor(150, 180, 225) : QColor(250, 210, 90));
    p.drawRoundedRect(QRectF(0.5, 0.5, r.width() - 1, r.height() - 1), 4, 4);
    sheet.text(minor ? "a" : "C", sheet.fonts().serifBold, QRectF(5, 4, r.width() - 10, 16),
               ink::Black, TFit::Height, QFont::Bold);
}

// Weak beats as breves, strong ones as macrons, the bar line before the first strong beat.
void drawMotiveType(TSheetPainter& sheet, int type) {
    const TRect r = motiveTypeGlyph(type);
    QPainter& p = sheet.painter();
    TCornerScope scope(p, r);
    const QPen pen(ink::Black, 2.0, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    double x = 1.5;
    const auto weak = [&] {
        p.drawArc(QRectF(x, 1, 9, 13), 180 * 16, 180 * 16);
        x += 12;
    };
    const auto strong = [&] {
        p.drawLine(QPointF(x, 11), QPointF(x + 9, 11));
        x += 12;
    };
    const auto bar = [&] {
        p.setPen(QPen(ink::Grey, 1.5));
        p.drawLine(QPointF(x + 1, 1), QPointF(x + 1, 18));
        p.setPen(pen);
        x += 5;
    };
    switch (type) {
    case 0: // iambus: weak | strong
        weak();
        bar();
        strong();
        break;
    case 1: // trochee: | strong weak
        bar();
        strong();
        weak();
        break;
    default: // amphibrachys: weak | strong weak
        weak();
        bar();
        strong();
        weak();
        break;
    }
}

} // namespace

void drawSettingGlyphs(TSheetPainter& sheet) {
    drawKeyMode(sheet, false);
    drawKeyMode(sheet, true);
    for (int type = 0; type < 3; ++type)
        drawMotiveType(sheet, type);
}
