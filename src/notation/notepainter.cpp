#include "notation/notepainter.h"

#include "model/geometry.h"
#include "model/glyphatlas.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int BEAM_THICKNESS = 3;
// Secondary beams lie this far from the main beam, towards the heads.
constexpr int BEAM_GAP = 2;
constexpr int STUB_RIGHT = 11;
constexpr int STUB_LEFT = 10;
// Ties: half-ellipses this high, centred this far from the heads.
constexpr int TIE_HEIGHT = 24;
constexpr int TIE_OFFSET = 6;

int stemLength() {
    return glyphRect(TGlyph::StemUp).height();
}

} // namespace

void TNotePainter::drawMeasurePicture(const TNoteList& notes, int start, int end,
                                      const TMeasure& meter, const TKey& key, int leadingGap) {
    clearPicture();
    drawStaffLines(0);
    painter().drawLine(0, TREBLE_TOP_LINE_Y, 0, BASS_BOTTOM_LINE_Y);
    drawNoteViews(buildNoteViews(notes, start, end, meter, key, leadingGap), start,
                  start + std::max(leadingGap, 0));
}

void TNotePainter::drawNoteViews(const TNoteViews& views, int start, int firstShownTime) {
    // Rests are centred between the previous note's x (or the previous rest's centre) and
    // the x of their own end.
    int previousX = timeToX(0);
    std::vector<int> tieXs;
    std::size_t i = 0;
    while (i < views.size()) {
        const TNoteView& view = views[i];
        const int x = timeToX(view.time - start);
        if (view.isRest()) {
            const int restEnd = view.time + view.duration;
            const int centre = (previousX + timeToX(restEnd - start)) / 2;
            if (restEnd > firstShownTime)
                drawRest(centre, view.duration);
            previousX = centre;
            ++i;
            continue;
        }
        if (view.kind == NV_BEAMED) {
            i = drawBeamedGroup(views, i, start);
            previousX = timeToX(views[i - 1].time - start);
            continue;
        }
        drawNote(view, x, stemUp(view.pitch));
        if (view.kind == NV_TIED) {
            tieXs.push_back(x);
            if (view.position == 0) {
                drawTies(tieXs, view.pitch);
                tieXs.clear();
            }
        }
        previousX = x;
        ++i;
    }
}

void TNotePainter::drawNote(const TNoteView& view, int x, bool up) {
    const int y = pictureY(view.pitch);
    drawLedgerLines(view.pitch, x);
    drawHead(x, y, view.duration, view.head, up);
    drawStemAndFlag(x, y, view.duration, up);
    drawDot(x, y, view.pitch, view.duration);
    drawAccidental(x, y, view.accidental);
}

void TNotePainter::drawTies(const std::vector<int>& xs, int pitch) {
    const bool up = stemUp(pitch);
    const int centreY = pictureY(pitch) + (up ? TIE_OFFSET : -TIE_OFFSET);
    painter().save();
    painter().setRenderHint(QPainter::Antialiasing);
    painter().setPen(QPen(Qt::black, 1.2));
    for (std::size_t i = 1; i < xs.size(); ++i) {
        const QRectF box(xs[i - 1], centreY - TIE_HEIGHT / 2.0, xs[i] - xs[i - 1], TIE_HEIGHT);
        // Angles in sixteenths of a degree: the lower half when the stems point up.
        painter().drawArc(box, up ? 180 * 16 : 0, 180 * 16);
    }
    painter().restore();
}

std::size_t TNotePainter::drawBeamedGroup(const TNoteViews& views, std::size_t first, int start) {
    std::size_t end = first + 1;
    const std::size_t wanted =
        first + static_cast<std::size_t>(std::max(views[first].position, 0)) + 1;
    while (end < views.size() && end < wanted && views[end].kind == NV_BEAMED)
        ++end;

    int highest = views[first].pitch;
    int lowest = views[first].pitch;
    for (std::size_t i = first; i < end; ++i) {
        highest = std::max(highest, views[i].pitch);
        lowest = std::min(lowest, views[i].pitch);
    }
    const bool up = beamStemsUp(views[first].pitch, highest, lowest);
    const int reach = stemLength() + 3;
    const int beamY = up ? pictureY(highest) - reach : pictureY(lowest) + reach;

    std::vector<int> stemXs;
    std::vector<int> durations;
    for (std::size_t i = first; i < end; ++i) {
        const TNoteView& view = views[i];
        const int x = timeToX(view.time - start);
        const int y = pictureY(view.pitch);
        drawLedgerLines(view.pitch, x);
        drawHead(x, y, view.duration, view.head, up);
        drawDot(x, y, view.pitch, view.duration);
        drawAccidental(x, y, view.accidental);
        const int stemX = up ? x + 4 : x - 4;
        painter().setPen(Qt::black);
        painter().drawLine(stemX, up ? y - 4 : y + 4, stemX, beamY);
        stemXs.push_back(stemX);
        durations.push_back(view.duration);
    }

    // Beams grow from the stems' ends towards the heads.
    const int towardsHeads = up ? 1 : -1;
    auto beam = [&](int fromX, int toX, int offset) {
        const int edge = beamY + towardsHeads * offset;
        const int top = up ? edge : edge - BEAM_THICKNESS + 1;
        painter().fillRect(fromX, top, toX - fromX + 1, BEAM_THICKNESS, Qt::black);
    };
    beam(stemXs.front(), stemXs.back(), 0);
    const int secondary = BEAM_THICKNESS + BEAM_GAP;
    for (const TSecondaryBeam& piece : secondaryBeams(durations)) {
        const int stemX = stemXs[static_cast<std::size_t>(piece.member)];
        switch (piece.shape) {
        case TSecondaryBeam::Full:
            beam(stemX, stemXs[static_cast<std::size_t>(piece.member) + 1], secondary);
            break;
        case TSecondaryBeam::StubRight:
            beam(stemX, stemX + STUB_RIGHT, secondary);
            break;
        case TSecondaryBeam::StubLeft:
            beam(stemX - STUB_LEFT, stemX, secondary);
            break;
        }
    }
    return end;
}
