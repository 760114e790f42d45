#include "notation/notepainter.h"

#include "model/glyphatlas.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

// The sheet the build places beside the executable; a black sheet stands in without it, which
// copies the same rectangles.
QImage glyphSheet() {
    QImage sheet(QStringLiteral(TONARIA_GLYPH_SHEET));
    if (sheet.isNull()) {
        sheet = QImage(GLYPH_SHEET_WIDTH, GLYPH_SHEET_HEIGHT, QImage::Format_RGB32);
        sheet.fill(Qt::black);
    }
    return sheet.convertToFormat(QImage::Format_RGB32);
}

TNote note(int time, int pitch, int duration, bool raised = false) {
    TNote n(time, pitch, static_cast<DURATION>(duration));
    n.setSign(raised ? 1 : 0);
    return n;
}

// A busy 3/4 measure: a beamed run of sixteenths, a dotted rhythm, a tie, a rest, ledger
// lines and an accidental.
const TNoteList busyMeasure{note(0, 24, 30),   note(30, 26, 30),       note(60, 27, 30),
                            note(90, 33, 30),  note(120, 28, 90),      note(210, 27, 30),
                            note(240, 19, 30), note(300, 25, 60, true)};
const TMeasure threeFour(3, 120);
const TKey aMinor(0, MINOR);

void BM_BuildNoteViews(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(buildNoteViews(busyMeasure, 0, 360, threeFour, aMinor));
}
BENCHMARK(BM_BuildNoteViews);

// One canvas repaint: the measure picture drawn in full into the note picture buffer.
void BM_DrawMeasurePicture(benchmark::State& state) {
    const QImage sheet = glyphSheet();
    QImage picture(295, 151, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&picture);
        TNotePainter notePainter(painter, sheet, threeFour.displayWidth(), 151);
        notePainter.drawMeasurePicture(busyMeasure, 0, 360, threeFour, aMinor);
    }
    benchmark::DoNotOptimize(picture.constBits());
}
BENCHMARK(BM_DrawMeasurePicture)->Unit(benchmark::kMicrosecond);

void BM_DrawHeader(benchmark::State& state) {
    const QImage sheet = glyphSheet();
    const TKey key(-4, MINOR);
    QImage picture(headerWidth(key, threeFour), 151, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&picture);
        TBasePainter basePainter(painter, sheet, picture.width(), picture.height());
        basePainter.drawHeader(key, threeFour);
    }
    benchmark::DoNotOptimize(picture.constBits());
}
BENCHMARK(BM_DrawHeader)->Unit(benchmark::kMicrosecond);

} // namespace
