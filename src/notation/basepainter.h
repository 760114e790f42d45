#pragma once

#include "model/chord.h"
#include "model/key.h"
#include "model/measure.h"
#include "model/rect.h"

#include <QImage>

class QPainter;

// Vertical geometry of a measure picture on the grand staff: 5 pixels per diatonic step,
// middle C (index 20) at y 80, the treble staff's lines at 30..70, the bass staff's at 90..130.
inline constexpr int pictureY(int pitch) {
    return 180 - 5 * pitch;
}
inline constexpr int TREBLE_TOP_LINE_Y = 30;
inline constexpr int BASS_TOP_LINE_Y = 90;
inline constexpr int BASS_BOTTOM_LINE_Y = 130;
// Top of the clefs glyph in the staff header.
inline constexpr int CLEFS_Y = 19;

// The written time signature: beats per measure over the note value of a beat, or over a
// finer value when the beat is dotted (two beats of 180 ticks are 6/8).
struct TTimeSignature {
    int numerator = 0;
    int denominator = 0;
    bool operator==(const TTimeSignature&) const = default;
};
TTimeSignature timeSignatureOf(const TMeasure& meter);

// Widths of the staff header (the clefs, key signature and time signature).
int keySignatureWidth(const TKey& key);
int headerWidth(const TKey& key, const TMeasure& meter);

// Draws the parts of notation with glyphs cut from the glyph sheet onto a picture of a given
// size. It paints through a painter that the caller has opened on the target, and keeps
// nothing between pictures. A null glyph sheet leaves every glyph out.
class TBasePainter {
public:
    TBasePainter(QPainter& target, const QImage& glyphs, int width, int height);
    virtual ~TBasePainter();

    int width() const { return width_; }
    int height() const { return height_; }

    void clearPicture();
    // Opaque copies the glyph's rectangle as it is; transparent ANDs it with the picture, so
    // white parts of the glyph leave the background visible.
    void drawGlyph(int x, int y, const TRect& glyph, bool opaque = false);

    // The ten lines of the grand staff from fromX to the picture's width.
    void drawStaffLines(int fromX = 0);
    // Short lines above or below the staves for a note centred at x.
    void drawLedgerLines(int pitch, int x);
    // Head of a note centred at (x, y): filled, hollow (half) or whole by duration, variant by
    // head kind and stem direction.
    void drawHead(int x, int y, int duration, int headKind, bool stemUp);
    // Stem with its flags from the head's edge; the whole note has none.
    void drawStemAndFlag(int x, int y, int duration, bool stemUp);
    // The augmentation dot of 90 and 180; a note on a line has it in the space above.
    void drawDot(int x, int y, int pitch, int duration);
    void drawAccidental(int x, int y, int code);
    // A rest glyph of a drawable length with its centre at x; dotted rests get their dot.
    void drawRest(int centreX, int length);

    // Clefs, key signature on both staves, the staff lines and the time signature.
    void drawHeader(const TKey& key, const TMeasure& meter);
    void drawTimeSignature(const TMeasure& meter, int x);
    // The coloured box of a chord with its name in two glyphs, at (x, y) top-left.
    void drawChordBox(const TChord& chord, int x, int y);

protected:
    QPainter& painter() { return painter_; }

private:
    void drawNumber(int number, int x, int y);

    QPainter& painter_;
    QImage glyphs_;
    int width_;
    int height_;
};
