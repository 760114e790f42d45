#include "sheetpainter.h"

#include "model/glyphatlas.h"

#include <QPolygonF>

#include <array>

namespace {

// Scoped painter state clipped to one glyph, so that no stroke spills into a neighbour.
class TGlyphScope {
public:
    TGlyphScope(QPainter& painter, TGlyph glyph) : p_(painter) {
        p_.save();
        const TRect r = glyphRect(glyph);
        p_.setClipRect(QRect(r.left, r.top, r.width(), r.height()));
        p_.translate(r.left, r.top);
    }
    ~TGlyphScope() { p_.restore(); }
    TGlyphScope(const TGlyphScope&) = delete;
    TGlyphScope& operator=(const TGlyphScope&) = delete;

private:
    QPainter& p_;
};

void polygon(QPainter& p, std::initializer_list<QPointF> points, const QColor& fill,
             const QColor& outline, double width = 1.0) {
    p.setBrush(fill);
    p.setPen(outline.isValid() ? QPen(outline, width) : QPen(Qt::NoPen));
    p.drawPolygon(QPolygonF(QList<QPointF>(points)));
}

void drawBeacons(TSheetPainter& sheet) {
    QPainter& p = sheet.painter();
    {
        TGlyphScope scope(p, TGlyph::Beacon);
        p.setPen(QPen(QColor(0, 70, 160), 1.6));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(1, 1, 9, 9));
        p.setBrush(QColor(0, 70, 160));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(3.8, 3.8, 3.4, 3.4));
    }
    TGlyphScope scope(p, TGlyph::BeaconLit);
    p.setPen(QPen(QColor(120, 0, 0), 1.2));
    p.setBrush(QColor(255, 60, 20));
    p.drawEllipse(QRectF(0.8, 0.8, 9.4, 9.4));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 120));
    p.drawEllipse(QRectF(3.2, 3.2, 3.4, 3.4));
}

void drawPlayGlyphs(TSheetPainter& sheet) {
    QPainter& p = sheet.painter();
    {
        TGlyphScope scope(p, TGlyph::Play);
        polygon(p, {{5, 2.5}, {17, 10}, {5, 17.5}}, QColor(40, 40, 40), QColor(0, 0, 0));
    }
    TGlyphScope scope(p, TGlyph::PlayActive);
    polygon(p, {{3, 2.5}, {15, 10}, {3, 17.5}}, QColor(0, 150, 40), QColor(0, 70, 0));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 110, 30), 1.3));
    p.drawArc(QRectF(11, 5, 6, 10), -60 * 16, 120 * 16);
    p.drawArc(QRectF(11, 2, 8, 16), -60 * 16, 120 * 16);
}

// Level glyphs as bars: three for the period, two for a sentence, one for a phrase.
void drawLevelGlyphs(TSheetPainter& sheet) {
    QPainter& p = sheet.painter();
    for (int level = 0; level < 3; ++level) {
        const TRect r = levelGlyph(level);
        const int bars = 3 - level;
        for (int i = 0; i < bars; ++i) {
            const int y = r.bottom - 3 - i * 5;
            p.fillRect(QRect(r.left + 1, y, r.width() - 2, 3), QColor(30, 30, 30));
        }
    }
}

void drawLabelGlyphs(TSheetPainter& sheet) {
    static const std::array<const char*, 15> labels{"1", "2",  "3",  "4",  "A",  "B",  "C", "D",
                                                    "E", "A1", "B1", "C1", "D1", "E1", "A2"};
    for (int code = 1; code <= 15; ++code) {
        const QRectF r = toRectF(labelGlyph(code)).adjusted(0.5, 1.5, -0.5, -1.5);
        sheet.text(labels[static_cast<std::size_t>(code - 1)], sheet.fonts().sansBold, r,
                   ink::Black, TFit::Contain, QFont::Bold);
    }
}

// The tree's diamonds in the colours of the strip's columns, light blue for a motive.
void drawDiamonds(TSheetPainter& sheet) {
    static const std::array<QColor, 4> fills{QColor(253, 147, 147), QColor(247, 228, 157),
                                             QColor(150, 225, 150), QColor(150, 190, 250)};
    QPainter& p = sheet.painter();
    for (int image = 0; image < 4; ++image) {
        const TRect r = diamondGlyph(image);
        p.save();
        p.translate(r.left, r.top);
        polygon(p, {{8, 1}, {15, 8}, {8, 15}, {1, 8}}, fills[static_cast<std::size_t>(image)],
                QColor(60, 60, 60));
        p.setPen(QPen(Qt::white, 1.2));
        p.drawLine(QPointF(4.5, 8), QPointF(8, 4.5));
        p.restore();
    }
}

void drawHandleAndDelete(TSheetPainter& sheet) {
    QPainter& p = sheet.painter();
    {
        // Arrows to all four sides: a motive can be picked up and moved.
        TGlyphScope scope(p, TGlyph::DragHandle);
        p.fillRect(QRectF(6, 2, 1, 9), ink::Black);
        p.fillRect(QRectF(2, 6, 9, 1), ink::Black);
        polygon(p, {{6.5, 0}, {9.5, 3}, {3.5, 3}}, ink::Black, QColor());
        polygon(p, {{6.5, 13}, {9.5, 10}, {3.5, 10}}, ink::Black, QColor());
        polygon(p, {{0, 6.5}, {3, 3.5}, {3, 9.5}}, ink::Black, QColor());
        polygon(p, {{13, 6.5}, {10, 3.5}, {10, 9.5}}, ink::Black, QColor());
    }
    TGlyphScope scope(p, TGlyph::Delete);
    p.setPen(QPen(QColor(120, 0, 0), 4.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3, 3), QPointF(13, 13));
    p.drawLine(QPointF(13, 3), QPointF(3, 13));
    p.setPen(QPen(QColor(230, 30, 30), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3, 3), QPointF(13, 13));
    p.drawLine(QPointF(13, 3), QPointF(3, 13));
}

void drawSmallButtonGlyphs(TSheetPainter& sheet) {
    QPainter& p = sheet.painter();
    for (bool enabled : {true, false}) {
        const QColor colour = enabled ? ink::Black : ink::Grey;
        {
            TGlyphScope scope(p, enabled ? TGlyph::Back : TGlyph::BackDisabled);
            polygon(p, {{1, 4}, {6, -0.5}, {6, 8.5}}, colour, QColor());
            p.fillRect(QRectF(6, 3, 4, 2), colour);
        }
        {
            TGlyphScope scope(p, enabled ? TGlyph::Forward : TGlyph::ForwardDisabled);
            polygon(p, {{10, 4}, {5, -0.5}, {5, 8.5}}, colour, QColor());
            p.fillRect(QRectF(1, 3, 4, 2), colour);
        }
        TGlyphScope scope(p, enabled ? TGlyph::FastMenu : TGlyph::FastMenuDisabled);
        for (int i = 0; i < 3; ++i)
            p.fillRect(QRectF(1, i * 3, 9, 2), colour);
    }
}

} // namespace

void drawInterfaceGlyphs(TSheetPainter& sheet) {
    drawBeacons(sheet);
    drawPlayGlyphs(sheet);
    drawLevelGlyphs(sheet);
    drawLabelGlyphs(sheet);
    drawDiamonds(sheet);
    drawHandleAndDelete(sheet);
    drawSmallButtonGlyphs(sheet);
    drawToolGlyphs(sheet);
    drawModeGlyphs(sheet);
    drawSettingGlyphs(sheet);
    drawSchemeGlyphs(sheet);
}
