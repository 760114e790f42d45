#include "sheetpainter.h"

#include "model/glyphatlas.h"

#include <QPolygonF>

namespace {

// The painter moved to the glyph's corner and clipped to it.
class TGlyphScope {
public:
    TGlyphScope(QPainter& painter, const TRect& r) : p_(painter) {
        p_.save();
        p_.setClipRect(QRect(r.left, r.top, r.width(), r.height()));
        p_.translate(r.left, r.top);
    }
    ~TGlyphScope() { p_.restore(); }
    TGlyphScope(const TGlyphScope&) = delete;
    TGlyphScope& operator=(const TGlyphScope&) = delete;

private:
    QPainter& p_;
};

const QColor outline(30, 30, 30);

void shape(QPainter& p, const QPolygonF& points, const QColor& fill, const QColor& pen = outline) {
    p.setBrush(fill);
    p.setPen(pen.isValid() ? QPen(pen, 1.0) : QPen(Qt::NoPen));
    p.drawPolygon(points);
}

void page(QPainter& p, double left, double right) {
    shape(p, QPolygonF({{left, 1.5}, {right - 4, 1.5}, {right, 5.5}, {right, 20.5}, {left, 20.5}}),
          Qt::white);
    p.drawPolyline(QPolygonF({{right - 4, 1.5}, {right - 4, 5.5}, {right, 5.5}}));
}

void drawNew(QPainter& p) {
    page(p, 4.5, 17.5);
    p.setPen(QPen(QColor(160, 160, 160), 1.0));
    for (double y : {9.5, 12.5, 15.5})
        p.drawLine(QPointF(7, y), QPointF(15, y));
}

void drawOpen(QPainter& p) {
    shape(p,
          QPolygonF({{1.5, 4.5}, {7.5, 4.5}, {9.5, 6.5}, {18.5, 6.5}, {18.5, 18.5}, {1.5, 18.5}}),
          QColor(214, 160, 40));
    shape(p, QPolygonF({{4.5, 9.5}, {21.5, 9.5}, {18.5, 18.5}, {1.5, 18.5}}), QColor(250, 210, 90));
}

void drawSave(QPainter& p) {
    shape(p, QPolygonF({{2.5, 2.5}, {17.5, 2.5}, {19.5, 4.5}, {19.5, 19.5}, {2.5, 19.5}}),
          QColor(40, 70, 160));
    shape(p, QPolygonF(QRectF(5.5, 2.5, 11, 7)), Qt::white);
    shape(p, QPolygonF(QRectF(6.5, 13.5, 9, 6)), QColor(200, 200, 200));
    p.fillRect(QRectF(12, 14.5, 2, 4), outline);
}

void drawExportMidi(TSheetPainter& sheet, QPainter& p) {
    page(p, 1.5, 13.5);
    sheet.smallNote(QRectF(3, 5, 8, 13), 1, false, false, QColor(0, 0, 0));
    p.setPen(QPen(QColor(0, 130, 40), 2.2));
    p.drawLine(QPointF(10, 15), QPointF(18, 15));
    shape(p, QPolygonF({{21.5, 15}, {16.5, 10.5}, {16.5, 19.5}}), QColor(0, 150, 40),
          QColor(0, 100, 30));
}

void drawPlayAll(QPainter& p) {
    p.fillRect(QRectF(3, 3, 3, 16), QColor(0, 100, 30));
    shape(p, QPolygonF({{8.5, 3}, {19.5, 11}, {8.5, 19}}), QColor(0, 160, 40), QColor(0, 90, 20));
}

void drawStop(QPainter& p) {
    shape(p, QPolygonF(QRectF(4.5, 4.5, 13, 13)), QColor(200, 30, 30), QColor(110, 0, 0));
}

void drawMidiDevice(QPainter& p) {
    shape(p, QPolygonF(QRectF(1.5, 5.5, 19, 12)), Qt::white);
    p.setPen(QPen(outline, 1.0));
    for (double x : {5.5, 9.5, 13.5, 17.5})
        p.drawLine(QPointF(x, 5.5), QPointF(x, 17.5));
    for (double x : {4, 8, 16})
        p.fillRect(QRectF(x, 6, 3, 7), outline);
}

void drawAbout(TSheetPainter& sheet, QPainter& p) {
    p.setBrush(QColor(40, 90, 200));
    p.setPen(QPen(QColor(20, 50, 130), 1.0));
    p.drawEllipse(QRectF(1.5, 1.5, 19, 19));
    sheet.text("i", sheet.fonts().serifBold, QRectF(8, 4, 6, 14), Qt::white, TFit::Contain,
               QFont::Bold);
}

void drawToolGlyph(TSheetPainter& sheet, TGlyph glyph) {
    QPainter& p = sheet.painter();
    const TRect r = glyphRect(glyph);
    TGlyphScope scope(p, r);
    p.setRenderHint(QPainter::Antialiasing, true);
    switch (glyph) {
    case TGlyph::ToolNew:
        drawNew(p);
        break;
    case TGlyph::ToolOpen:
        drawOpen(p);
        break;
    case TGlyph::ToolSave:
        drawSave(p);
        break;
    case TGlyph::ToolExportMidi:
        drawExportMidi(sheet, p);
        break;
    case TGlyph::ToolPlayAll:
        drawPlayAll(p);
        break;
    case TGlyph::ToolStop:
        drawStop(p);
        break;
    case TGlyph::ToolMidiDevice:
        drawMidiDevice(p);
        break;
    default:
        drawAbout(sheet, p);
        break;
    }
}

void drawModeGlyph(TSheetPainter& sheet, int mode) {
    QPainter& p = sheet.painter();
    const TRect r = modeGlyph(mode);
    TGlyphScope scope(p, r);
    const QColor black(0, 0, 0);
    switch (mode) {
    case 1: // select notes: a note and the pointer
        sheet.smallNote(QRectF(0, 1, 12, 21), 0, false, false, black);
        shape(p,
              QPolygonF({{7.5, 19.5},
                         {14.5, 25.5},
                         {11, 25.5},
                         {12.5, 29.5},
                         {11, 30},
                         {9.5, 26.5},
                         {7.5, 28.5}}),
              Qt::white, black);
        break;
    case 2: // select chords: three heads on one stem
        for (int i = 0; i < 3; ++i) {
            QPainterPath head;
            head.addEllipse(QPointF(0, 0), 3.6, 2.6);
            p.fillPath(QTransform().translate(5.5, 25 - i * 5.5).rotate(-20).map(head), black);
        }
        p.fillRect(QRectF(8.4, 3, 1.3, 23), black);
        break;
    case 3: // select chords under notes: a note over a chord box
        sheet.smallNote(QRectF(1, 0, 13, 19), 0, false, false, black);
        shape(p, QPolygonF(QRectF(1.5, 21.5, 12, 8)), QColor(185, 255, 255), QColor(128, 128, 128));
        p.fillRect(QRectF(7, 23, 1.2, 5), black);
        break;
    case 4: // delete notes: a crossed-out note
        sheet.smallNote(QRectF(0, 3, 13, 24), 0, false, false, black);
        p.setPen(QPen(QColor(220, 20, 20), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(2, 12), QPointF(13, 27));
        p.drawLine(QPointF(13, 12), QPointF(2, 27));
        break;
    default: { // generate motive: a contour of beacons
        const QPolygonF contour({{3.5, 26.5}, {11.5, 19.5}, {4.5, 11.5}, {11.5, 4}});
        p.setPen(QPen(QColor(0, 70, 160), 1.2));
        p.drawPolyline(contour);
        p.setBrush(QColor(255, 60, 20));
        p.setPen(QPen(QColor(120, 0, 0), 1.0));
        for (const QPointF& point : contour)
            p.drawEllipse(point, 2.8, 2.8);
        break;
    }
    }
}

} // namespace

void drawToolGlyphs(TSheetPainter& sheet) {
    constexpr int count = 8;
    for (int i = 0; i < count; ++i) {
        const auto glyph = static_cast<TGlyph>(static_cast<int>(TGlyph::ToolNew) + i);
        const auto disabled = static_cast<TGlyph>(static_cast<int>(TGlyph::ToolNewDisabled) + i);
        drawToolGlyph(sheet, glyph);
        sheet.greyCopy(glyphRect(glyph), glyphRect(disabled));
    }
}

void drawModeGlyphs(TSheetPainter& sheet) {
    for (int mode = 1; mode <= 5; ++mode)
        drawModeGlyph(sheet, mode);
}
