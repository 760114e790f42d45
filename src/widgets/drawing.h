#pragma once

#include "model/rect.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>

#include <cstdint>

class QPaintDevice;
class QWidget;

// Drawing primitives shared by the panels and painters. Glyphs are regions of the glyph sheet;
// areas are inclusive pixel rectangles as QRect has them.

// A colour from the number the program writes colours as (red in the low byte, see TColour).
QColor colourOf(std::uint32_t value);
// The common background of every window and panel.
inline QColor backgroundColour() {
    return colourOf(BACKGROUND_COLOUR);
}
// Gives `widget` the common background, filled behind its children.
void paintBackground(QWidget& widget);
// The grey (g, g, g).
QColor greyLevel(int level);
inline QRect toQRect(const TRect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}

// The pixels of `glyph` in `sheet`: the rectangle times the sheet's pixel ratio (2 for the
// double-size sheet).
QRect sheetRect(const QImage& sheet, const TRect& glyph);
// The glyph cut out of the sheet, carrying the sheet's pixel ratio.
QImage cutGlyph(const QImage& sheet, const TRect& glyph);
// An image for a picture of `width` x `height` drawn for `device`: at the device's pixel ratio,
// so that notation stays crisp on a screen of ratio 2; drawn and copied in the picture's units.
QImage pictureFor(const QPaintDevice* device, int width, int height);

// Copies the glyph's region of `sheet` to (x, y) at its own size.
void copyGlyph(QPainter& painter, int x, int y, const QImage& sheet, const TRect& glyph);
// The same, AND-combined with the destination: white parts of the glyph leave it unchanged.
// The destination must be a raster device (an image, a pixmap or a raster widget).
void andGlyph(QPainter& painter, int x, int y, const QImage& sheet, const TRect& glyph);

// Filled with `fill`, outlined in grey 128, then the left and top edges white.
void raisedBox(QPainter& painter, const QRect& area, const QColor& fill);
// Filled with `fill`, outlined in white, then the left and top edges grey 128.
void sunkenBox(QPainter& painter, const QRect& area, const QColor& fill);
// Filled with `fill` and outlined in grey 128.
void fillWithOutline(QPainter& painter, const QRect& area, const QColor& fill);
void fillWhite(QPainter& painter, const QRect& area);
