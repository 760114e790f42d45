#include "model/canvasgeometry.h"

#include "model/geometry.h"

#include <algorithm>

namespace {

constexpr int SIXTEENTH = 30;
// Pointer columns start this far left of the first note position, so each 23-pixel column
// belongs to one sixteenth.
constexpr int POINTER_MARGIN = 8;

int mappedTime(int x) {
    return (std::max(x - POINTER_MARGIN, 0) / TCanvasGeometry::SIXTEENTH_WIDTH) * SIXTEENTH;
}

} // namespace

TCanvasGeometry::TCanvasGeometry(const TMeasure& measure, std::int16_t zatakt)
    : ticksPerMeasure_(measure.ticksPerMeasure()), zatakt_(std::max<int>(zatakt, 0)),
      measureWidth_(
          (measure.beatValue() / SIXTEENTH) * measure.beatsPerMeasure() * SIXTEENTH_WIDTH + 19),
      barX_(zatakt_ > 0 ? ((ticksPerMeasure_ - zatakt_) / SIXTEENTH) * SIXTEENTH_WIDTH : 0),
      firstWidth_(zatakt_ > 0 ? measureWidth_ - barX_ + 1 : measureWidth_) {}

std::vector<TMeasurePicture> TCanvasGeometry::measurePictures() const {
    const int m = ticksPerMeasure_;
    // Pictures are copied one pixel in from the canvas's edge.
    if (zatakt_ == 0)
        return {{0, m, 0, 0, 1}};
    // The picture after the bar line ends with the motive, an upbeat's length before its own
    // bar line: nothing may be written after the motive's end.
    const int motiveEnd = 2 * m - zatakt_;
    return {{0, m, m - zatakt_, barX_, 1}, {m, motiveEnd, 0, 0, firstWidth_}};
}

int TCanvasGeometry::timeToX(int ticks) const {
    const int m = ticksPerMeasure_;
    if (zatakt_ == 0)
        return ::timeToX(ticks);
    if (ticks < m)
        return ::timeToX(ticks - (m - zatakt_));
    return ::timeToX(ticks - m) + firstWidth_;
}

int TCanvasGeometry::xToTime(int x) const {
    const int m = ticksPerMeasure_;
    if (zatakt_ == 0)
        return std::min(mappedTime(x), m - SIXTEENTH);
    if (x < firstWidth_)
        return std::clamp(mappedTime(x + barX_), m - zatakt_, m - SIXTEENTH);
    return std::min(m + mappedTime(x - firstWidth_), 2 * m - zatakt_ - SIXTEENTH);
}

int TCanvasGeometry::yToPitch(int y) {
    if (y > CHORD_STRIP_TOP)
        return -1;
    return std::clamp((CHORD_STRIP_TOP - y) / PITCH_STEP + 6, LOWEST_EDITABLE_PITCH,
                      HIGHEST_EDITABLE_PITCH);
}
