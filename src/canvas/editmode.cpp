#include "canvas/editmode.h"

#include "canvas/buttons.h"
#include "canvas/umotivecanvas.h"
#include "canvas/umotivemodes.h"
#include "model/glyphatlas.h"

#include <QPainter>

#include <array>
#include <cstdlib>

int editGap(const TMotive& motive, int position) {
    const int m = motive.ticksPerMeasure();
    const auto gapFrom = [&](int stretchStart) {
        if (stretchStart == position)
            return 0;
        if (motive.zatakt() > 0 && stretchStart < m && m <= position)
            return m - position;
        return stretchStart - position;
    };
    int previousEnd = motive.upbeatStart();
    for (const TNote& note : motive.notes()) {
        const int start = note.time();
        const int end = note.end();
        if (position == start)
            return 0;
        if (previousEnd <= position && position < start)
            return gapFrom(previousEnd);
        if (start < position && position < end)
            return position - start;
        previousEnd = end;
    }
    return position >= previousEnd ? gapFrom(previousEnd) : 0;
}

std::vector<int> gapGlyphValues(int gap) {
    if (gap > 0)
        return {gap};
    static constexpr std::array<int, 9> restValues{480, 240, 210, 180, 150, 120, 90, 60, 30};
    std::vector<int> values;
    int left = -gap;
    for (int value : restValues) {
        while (left >= value) {
            values.push_back(-value);
            left -= value;
        }
    }
    return values;
}

int TEditUMInterface::cursorId() const {
    return canvas_.motive().isHarmonised() ? CURSOR_INOTE : CURSOR_ICHORD;
}

void TEditUMInterface::mouseDown(const TShiftState&, int, int) {
    // The note and chord variants of a press come with the variant window.
}

void TEditUMInterface::mouseUp() {
    pressed_ = false;
}

void TEditUMInterface::mouseMove(const TShiftState&, int x, int) {
    if (pressed_)
        return;
    canvas_.refreshCursor();
    const TMotive& motive = canvas_.motive();
    if (!motive.isHarmonised())
        return;
    const int time = canvas_.canvasGeometry().xToTime(x);
    if (time != editPosition_) {
        editPosition_ = time;
        gap_ = editGap(motive, time);
        canvas_.update();
    }
    canvas_.firePointerMoved();
}

void TEditUMInterface::paint(QPainter& painter) {
    canvas_.drawMotivePicture(painter);
    if (canvas_.motive().isHarmonised() && editPosition_ != -1) {
        const int x = canvas_.canvasGeometry().timeToX(editPosition_);
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawLine(x, LINE_TOP, x, LINE_BOTTOM);
        if (gap_ != 0)
            paintGap(painter, x);
    }
    canvas_.drawDecorations(painter);
}

void TEditUMInterface::paintGap(QPainter& painter, int lineX) const {
    constexpr int overlap = 2;
    std::vector<TRect> glyphs;
    int total = 0;
    for (int value : gapGlyphValues(gap_)) {
        const TRect glyph = gapGlyph(value);
        if (glyph.isEmpty())
            continue;
        total += glyph.width() - (glyphs.empty() ? 0 : overlap);
        glyphs.push_back(glyph);
    }
    // Rightwards from the line, or leftwards ending at it when they would reach the edge.
    int x = lineX + total >= canvas_.width() - 1 ? lineX - total : lineX;
    for (const TRect& glyph : glyphs) {
        drawGlyphCentred(painter, glyph, QRect(x, GAP_GLYPH_TOP, glyph.width(), glyph.height()),
                         true);
        x += glyph.width() - overlap;
    }
}
