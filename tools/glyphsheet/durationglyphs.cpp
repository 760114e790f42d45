#include "sheetpainter.h"

#include "model/glyphatlas.h"
#include "model/glyphs.h"

namespace {

// The button glyphs keep a margin of 2 pixels, which the small buttons cut off.
void drawButtonDurations(TSheetPainter& sheet) {
    for (int duration = 30; duration <= 240; duration += 30)
        for (int sign : {1, -1})
            for (bool alternate : {false, true}) {
                const TRect r = durationGlyph(sign * duration, alternate);
                sheet.durationSymbol(toRectF(r.shrunk(2)).adjusted(0, 1, 0, -1), sign * duration,
                                     alternate ? ink::Alternate : ink::Black);
            }
}

// The gap glyphs of the edit line: small notes for a gap inside a note, small rests for
// empty time.
void drawGapGlyphs(TSheetPainter& sheet) {
    for (int ticks : {30, 60, 90, 120, 150, 180, 210, 240})
        sheet.durationSymbol(toRectF(gapGlyph(ticks)).adjusted(0, 1, 0, -1), ticks, ink::Grey);
    for (int ticks : {-30, -60, -90, -120, -150, -180, -210, -240, -480})
        sheet.durationSymbol(toRectF(gapGlyph(ticks)).adjusted(0, 1, 0, -1), ticks, ink::Grey);
}

} // namespace

void drawDurationGlyphs(TSheetPainter& sheet) {
    drawButtonDurations(sheet);
    drawGapGlyphs(sheet);
}
