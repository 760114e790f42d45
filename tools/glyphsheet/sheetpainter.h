#pragma once

#include "model/rect.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QString>

// How a shape is scaled into its rectangle.
enum class TFit {
    Contain, // uniformly, as large as fits, centred
    Stretch, // filling the rectangle exactly
    Height,  // uniformly to the rectangle's height, squeezed only where too wide; centred
};

inline QRectF toRectF(const TRect& r) {
    return QRectF(r.left, r.top, r.width(), r.height());
}
inline QRect toQRect(const TRect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}

// The families the sheet draws with, loaded once from font files.
struct TSheetFonts {
    QString music; // serif with the musical symbols
    QString serifBold;
    QString sansBold;
};

// Drawing helpers shared by the glyph families of the sheet. Shapes are built at a large size
// and scaled into their rectangles, since the music font reports no metrics for its symbols.
class TSheetPainter {
public:
    TSheetPainter(QPainter& painter, TSheetFonts fonts);

    QPainter& painter() { return painter_; }
    const TSheetFonts& fonts() const { return fonts_; }

    // The outline of `text` set in `family` at a large size, at no particular origin.
    QPainterPath textPath(const QString& text, const QString& family,
                          QFont::Weight weight = QFont::Normal) const;
    QPainterPath symbolPath(char32_t symbol) const;

    // `shape` mapped into `area` by `fit` and filled with `colour`.
    void fillFitted(const QPainterPath& shape, const QRectF& area, const QColor& colour,
                    TFit fit = TFit::Contain);
    void symbol(char32_t symbol, const QRectF& area, const QColor& colour,
                TFit fit = TFit::Contain);
    void text(const QString& text, const QString& family, const QRectF& area, const QColor& colour,
              TFit fit = TFit::Contain, QFont::Weight weight = QFont::Normal);

    // A small note for buttons: head at the bottom of `area`, stem up the right side of the
    // head, `flags` flags (0..2), hollow for half notes, a dot after the head when dotted.
    void smallNote(const QRectF& area, int flags, bool hollow, bool dotted, const QColor& colour);
    // A small rest of `length` (30, 60, 120, 240 or 480 ticks), dotted when asked.
    void smallRest(const QRectF& area, int length, bool dotted, const QColor& colour);
    // A duration as a button shows it: positive notes, negative rests; 150 and 210 as two
    // tied notes (or two rests side by side).
    void durationSymbol(const QRectF& area, int duration, const QColor& colour);

    // A washed-out grey copy of the glyph at `from` into `to`, the disabled look of a button.
    void greyCopy(const TRect& from, const TRect& to);

private:
    QPainter& painter_;
    TSheetFonts fonts_;
};

// Music symbols of the Unicode Musical Symbols block and the accidentals of Miscellaneous
// Symbols, as FreeSerif has them.
namespace music {
inline constexpr char32_t TrebleClef = 0x1D11E;
inline constexpr char32_t BassClef = 0x1D122;
inline constexpr char32_t DoubleSharp = 0x1D12A;
inline constexpr char32_t DoubleFlat = 0x1D12B;
inline constexpr char32_t WholeRest = 0x1D13B;
inline constexpr char32_t HalfRest = 0x1D13C;
inline constexpr char32_t QuarterRest = 0x1D13D;
inline constexpr char32_t EighthRest = 0x1D13E;
inline constexpr char32_t SixteenthRest = 0x1D13F;
inline constexpr char32_t Flat = 0x266D;
inline constexpr char32_t Natural = 0x266E;
inline constexpr char32_t Sharp = 0x266F;
} // namespace music

// Colours of the sheet. White is the transparent colour of AND-blended glyphs.
namespace ink {
inline const QColor Black(0, 0, 0);
inline const QColor NonChordTone(30, 80, 210);
inline const QColor Highlight(220, 20, 20);
inline const QColor Alternate(170, 0, 0);
inline const QColor Grey(128, 128, 128);
} // namespace ink

void drawNotationGlyphs(TSheetPainter& sheet);
void drawDurationGlyphs(TSheetPainter& sheet);
void drawChordAndTurnGlyphs(TSheetPainter& sheet);
void drawInterfaceGlyphs(TSheetPainter& sheet);
void drawToolGlyphs(TSheetPainter& sheet);
void drawModeGlyphs(TSheetPainter& sheet);
void drawSettingGlyphs(TSheetPainter& sheet);
void drawSchemeGlyphs(TSheetPainter& sheet);
