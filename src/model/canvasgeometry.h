#pragma once

#include "model/measure.h"

#include <cstdint>
#include <vector>

// One measure picture of a motive canvas: the notes from `start` up to `end` (ticks of the
// motive), drawn from picture x `left` at canvas x `at`. The time before `start` +
// `leadingGap` lies left of what the canvas shows.
struct TMeasurePicture {
    int start = 0;
    int end = 0;
    int leadingGap = 0;
    int left = 0;
    int at = 0;
    bool operator==(const TMeasurePicture&) const = default;
};

// Pixel layout of a motive canvas, and the mapping between the pointer and (time, pitch).
// A motive with an upbeat shows the tail of its first measure picture, from the upbeat start
// on, followed by the whole second picture.
class TCanvasGeometry {
public:
    static constexpr int HEIGHT = 180;
    static constexpr int STAFF_BOTTOM = 152;    // last row of the staff area
    static constexpr int CHORD_STRIP_TOP = 153; // first row of the chord strip
    static constexpr int CHORD_BOX_TOP = 156;
    static constexpr int SIXTEENTH_WIDTH = 23;
    static constexpr int PITCH_STEP = 5;
    static constexpr int LOWEST_EDITABLE_PITCH = 13;
    static constexpr int HIGHEST_EDITABLE_PITCH = 34;

    TCanvasGeometry(const TMeasure& measure, std::int16_t zatakt);

    // Width of one whole measure picture.
    int measureWidth() const { return measureWidth_; }
    int canvasWidth() const { return measureWidth_ + 21; }
    // With an upbeat: where the upbeat starts inside the first picture, and how much of the
    // first picture is shown. Without one barX is 0 and firstWidth the whole picture.
    int barX() const { return barX_; }
    int firstWidth() const { return firstWidth_; }

    // x of a motive time (ticks from the start of the motive's first measure).
    int timeToX(int ticks) const;
    // The sixteenth under the pointer, clamped to the motive's span: upbeat start (0 without
    // one) to the last sixteenth of the motive.
    int xToTime(int x) const;

    // One picture without upbeat; with one, the upbeat's measure (shown from the upbeat on)
    // and the measure after the bar line, which ends where the motive ends.
    std::vector<TMeasurePicture> measurePictures() const;

    static int pitchToY(int pitch) { return HEIGHT - PITCH_STEP * pitch; }
    // The pitch index under the pointer, clamped to the editable range; -1 (no pitch) in the
    // chord strip.
    static int yToPitch(int y);

private:
    int ticksPerMeasure_;
    int zatakt_;
    int measureWidth_;
    int barX_;
    int firstWidth_;
};
