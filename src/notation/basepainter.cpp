#include "notation/basepainter.h"

#include "widgets/drawing.h"

#include "model/duration.h"
#include "model/glyphatlas.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

// Ledger lines reach this far to each side of a head's centre.
constexpr int LEDGER_HALF_LENGTH = 11;
// Digits of a written number stand this far apart.
constexpr int DIGIT_GAP = 1;
// Tops of the dots of dotted rests: in the second space of the treble staff.
constexpr int REST_DOT_Y = 44;

int digitCount(int number) {
    return static_cast<int>(std::to_string(std::abs(number)).size());
}

int numberWidth(int number) {
    const int count = digitCount(number);
    return count * digitGlyph(0).width() + (count - 1) * DIGIT_GAP;
}

int restTop(int length) {
    switch (length) {
    case 30:
    case 60:
    case 90:
        return 42;
    case 120:
    case 180:
        return 36;
    case 240:
        return 47;
    default:
        return 41; // the whole rest hangs from the fourth line
    }
}

int accidentalTop(int y, int code) {
    switch (code) {
    case ACC_DOUBLE_SHARP:
    case ACC_DOUBLE_FLAT:
        return y - 5;
    case ACC_NATURAL:
        return y - 7;
    default:
        return y - 8;
    }
}

int keyAccidentalCount(const TKey& key) {
    return std::min(std::abs(key.sign()), 7);
}

TRect keyAccidentalGlyph(const TKey& key) {
    return accidentalGlyph(key.sign() > 0 ? ACC_SHARP : ACC_FLAT);
}

} // namespace

TTimeSignature timeSignatureOf(const TMeasure& meter) {
    const int beat = meter.beatValue();
    if (beat <= 0)
        return {meter.beatsPerMeasure(), 0};
    // The longest plain note value that divides the beat is the written unit.
    for (const int unit : {480, 240, 120, 60, 30}) {
        if (beat % unit == 0)
            return {meter.beatsPerMeasure() * (beat / unit), 480 / unit};
    }
    return {meter.beatsPerMeasure(), 480 / beat};
}

int keySignatureWidth(const TKey& key) {
    const int clefs = glyphRect(TGlyph::TrebleBassClefs).width();
    const int count = keyAccidentalCount(key);
    if (count == 0)
        return clefs + 5;
    return clefs + count * (keyAccidentalGlyph(key).width() + 2) + 11;
}

int headerWidth(const TKey& key, const TMeasure& meter) {
    const TTimeSignature signature = timeSignatureOf(meter);
    return keySignatureWidth(key) +
           std::max(numberWidth(signature.numerator), numberWidth(signature.denominator)) + 5;
}

TBasePainter::TBasePainter(QPainter& target, const QImage& glyphs, int width, int height)
    : painter_(target), glyphs_(glyphs), width_(width), height_(height) {}

TBasePainter::~TBasePainter() = default;

void TBasePainter::clearPicture() {
    painter_.fillRect(0, 0, width_, height_, Qt::white);
}

void TBasePainter::drawGlyph(int x, int y, const TRect& glyph, bool opaque) {
    if (opaque)
        copyGlyph(painter_, x, y, glyphs_, glyph);
    else
        andGlyph(painter_, x, y, glyphs_, glyph);
}

void TBasePainter::drawStaffLines(int fromX) {
    painter_.setPen(Qt::black);
    for (const int top : {TREBLE_TOP_LINE_Y, BASS_TOP_LINE_Y}) {
        for (int line = 0; line < 5; ++line)
            painter_.drawLine(fromX, top + 10 * line, width_ - 1, top + 10 * line);
    }
}

void TBasePainter::drawLedgerLines(int pitch, int x) {
    painter_.setPen(Qt::black);
    auto line = [&](int y) {
        painter_.drawLine(x - LEDGER_HALF_LENGTH, y, x + LEDGER_HALF_LENGTH, y);
    };
    if (pitch == 20)
        line(pictureY(20));
    for (int i = 0; pitch >= 32 && i < (pitch - 30) / 2; ++i)
        line(TREBLE_TOP_LINE_Y - 10 - 10 * i);
    for (int i = 0; pitch <= 8 && i < (10 - pitch) / 2; ++i)
        line(BASS_BOTTOM_LINE_Y + 10 + 10 * i);
}

void TBasePainter::drawHead(int x, int y, int duration, int headKind, bool stemUp) {
    const TRect head =
        duration >= 480 ? wholeHeadGlyph(headKind) : headGlyph(headKind, duration >= 240, stemUp);
    drawGlyph(x - 4, y - 4, head);
}

void TBasePainter::drawStemAndFlag(int x, int y, int duration, bool stemUp) {
    const TRect stem = stemGlyph(duration, stemUp);
    if (stemUp)
        drawGlyph(x + 4, y - 30, stem);
    else
        drawGlyph(x - 4, y + 4, stem);
}

void TBasePainter::drawDot(int x, int y, int pitch, int duration) {
    if (!isDotted(duration))
        return;
    // A dot on a line would hide in it: lines lie on the even pitch indices.
    const int top = pitch % 2 == 0 ? y - 6 : y - 1;
    drawGlyph(x + 7, top, glyphRect(TGlyph::Dot));
}

void TBasePainter::drawAccidental(int x, int y, int code) {
    const TRect glyph = accidentalGlyph(code);
    drawGlyph(x - glyph.width() - 4, accidentalTop(y, code), glyph);
}

void TBasePainter::drawRest(int centreX, int length) {
    const TRect glyph = painterRestGlyph(length);
    if (glyph.isEmpty())
        return;
    int left = centreX - glyph.width() / 2;
    if (isDotted(length)) {
        const TRect dot = glyphRect(TGlyph::Dot);
        left -= dot.width() / 2 + 3;
        drawGlyph(left + glyph.width() + 2, REST_DOT_Y, dot);
    }
    drawGlyph(left, restTop(length), glyph);
}

void TBasePainter::drawHeader(const TKey& key, const TMeasure& meter) {
    clearPicture();
    drawStaffLines(0);
    const TRect clefs = glyphRect(TGlyph::TrebleBassClefs);
    drawGlyph(0, CLEFS_Y, clefs);

    const int count = keyAccidentalCount(key);
    const bool sharps = key.sign() > 0;
    const TRect accidental = keyAccidentalGlyph(key);
    int x = clefs.width() + 8;
    for (int i = 0; i < count; ++i) {
        const int treble = (sharps ? SHARP_POSITIONS : FLAT_POSITIONS)[static_cast<std::size_t>(i)];
        // The bass staff repeats the pattern two octaves lower.
        for (const int pitch : {treble, treble - 14})
            drawGlyph(x, pictureY(pitch) - 8, accidental);
        x += accidental.width() + 2;
    }
    drawTimeSignature(meter, keySignatureWidth(key));
}

void TBasePainter::drawTimeSignature(const TMeasure& meter, int x) {
    const TTimeSignature signature = timeSignatureOf(meter);
    const int offset = (20 - digitGlyph(0).height()) / 2;
    for (const int staffTop : {TREBLE_TOP_LINE_Y, BASS_TOP_LINE_Y}) {
        drawNumber(signature.numerator, x, staffTop + offset);
        drawNumber(signature.denominator, x, staffTop + 20 + offset);
    }
}

void TBasePainter::drawNumber(int number, int x, int y) {
    for (const char digit : std::to_string(std::abs(number))) {
        const TRect glyph = digitGlyph(digit - '0');
        drawGlyph(x, y, glyph);
        x += glyph.width() + DIGIT_GAP;
    }
}

void TBasePainter::drawChordBox(const TChord& chord, int x, int y) {
    const TRect first = chord.degreeGlyph();
    const TRect second = chord.figureGlyph();
    const int boxWidth = first.width() + second.width() + 3;
    painter_.setPen(greyLevel(128));
    painter_.setBrush(colourOf(chord.colour().value()));
    painter_.drawRect(x, y, boxWidth + 3, first.height() + 3);
    painter_.setBrush(Qt::NoBrush);

    const int total = first.width() + second.width() + 3;
    const int left = x + boxWidth / 2 + 2 - total / 2;
    drawGlyph(left, y + 2, first);
    drawGlyph(left + first.width() + 3, y + 2 + first.height() - second.height(), second);
}
