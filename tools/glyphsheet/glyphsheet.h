#pragma once

#include <QImage>
#include <QString>

// The FreeSerif file of Debian's fonts-freefont-ttf, which holds the musical symbols.
inline constexpr const char* DEFAULT_MUSIC_FONT =
    "/usr/share/fonts/truetype/freefont/FreeSerif.ttf";

// Draws every glyph of every glyph table into its rectangle, black (and a few colours) on
// white, on a sheet of GLYPH_SHEET_WIDTH x GLYPH_SHEET_HEIGHT. Needs a QGuiApplication.
// Returns a null image, with the reason in `error`, when the font cannot be loaded. With a
// scale of 2 the sheet is drawn at twice the size for screens of pixel ratio 2: every glyph
// lies in its rectangle times two.
QImage drawGlyphSheet(const QString& musicFontPath, QString* error = nullptr, int scale = 1);

// The name of the double-size sheet beside `sheetPath`: "glyphs.bmp" gives "glyphs@2x.bmp".
QString doubleSheetPath(const QString& sheetPath);
