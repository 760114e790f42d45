#pragma once

#include "engine/scvariant.h"
#include "model/motive.h"
#include "model/note.h"

#include <optional>
#include <vector>

// Pure geometry and picking rules of the variant view; no widget is involved.

inline constexpr int VARIANT_VIEW_WIDTH = 480;
inline constexpr int VARIANT_VIEW_HEIGHT = 450;
inline constexpr int VARIANT_HALF_WIDTH = 240;
// The right half is drawn from this column: the halves share column 239.
inline constexpr int VARIANT_RIGHT_HALF_X = 239;
// Pixels per duration column, counted from the middle line.
inline constexpr int VARIANT_COLUMN_WIDTH = 25;
// Columns on each side of the middle line where nothing is offered: the pointer enters the
// view there, and coming back there keeps what a half previews and moves on to the next part.
inline constexpr int VARIANT_MIDDLE_BAND = 7;

// The half under view column x: 0 up to 238, 1 from 240 on; 239 keeps `current`.
int variantSide(int x, int current);

// Top-left corner of a window of the given outer size placed at (x, y - height) on a screen of
// `screenWidth`: moved left to end at the screen's right edge, and down to 0 at the top.
struct TCorner {
    int left = 0;
    int top = 0;
    bool operator==(const TCorner&) const = default;
};
TCorner variantWindowCorner(int x, int y, int windowWidth, int windowHeight, int screenWidth);

// The 11 rows of a pitch index's band: 439 - 10p to 449 - 10p.
inline constexpr int noteBandTop(int pitch) {
    return 439 - 10 * pitch;
}
inline constexpr int noteBandBottom(int pitch) {
    return 449 - 10 * pitch;
}
inline constexpr int noteBandCentre(int pitch) {
    return 444 - 10 * pitch;
}
// The view row the pointer starts on: the band of `pitch`, or half the height without one.
int entryRow(int pitch);
// The view column the pointer starts on: the middle line, where no variant lies.
inline constexpr int VARIANT_ENTRY_COLUMN = VARIANT_RIGHT_HALF_X;
// Whether view column x lies in a half's part of the middle band.
bool inMiddleBand(int x, int side);

// Whole duration columns between view column x and the middle line, in the given half.
int columnsFromMiddle(int x, int side);
// The candidate whose band holds row y, else the one with the nearest band (the lower pitch
// on a tie); null when there are none.
const TScVariant* candidateAtRow(const std::vector<TScVariant>& candidates, int y);
// The candidate's only duration, else its first not shorter than (columns + 1) sixteenths,
// else its longest. A rest keeps its sign; lengths compare without it.
DURATION pickDuration(const std::vector<DURATION>& durations, int columns);

struct TNotePick {
    int pitch = NO_PITCH;
    DURATION duration = 0;
    bool sign = false;
    bool chordTone = false;
    int turnIndex = -1;
    int durationIndex = -1;
    bool operator==(const TNotePick&) const = default;
};
// The note under view position (x, y) of a half, or nothing without candidates.
std::optional<TNotePick> pickNote(const std::vector<TScVariant>& candidates, int side, int x,
                                  int y);

// Whether a note may be written into the motive as a preview: a sounding pitch 13..34 and a
// time span inside one measure part of the motive.
bool previewFits(const TMotive& motive, const TNote& note);

// The end of the measure part that contains time t.
int measurePartEnd(const TMotive& motive, int t);

// The up to three notes that begin before t in t's measure, most recent first, padded with
// default notes (pitch -1).
TNoteList precedingNotes(const TNoteList& notes, int t, int measureLength);

// What the view remembers of a choice to pick the half the next one starts in.
struct TChoiceMemory {
    bool valid = false;
    int editPosition = 0;
    int start = 0;
    int sideSwitches = 0;
    int startSide = 0;
};
// The right half only when the choice continues where the previous one stopped: same edit
// position and start, the previous choice started left and switched halves exactly once, and
// the model offers notes and is not complete.
int startingSide(const TChoiceMemory& previous, int editPosition, int start, bool offersNotes,
                 bool complete);

// The boxes of `count` chord variants in one half (240 x 450): rows of three below a header,
// in candidate order. Boxes never overlap and stay inside the half.
struct TRectWithCheck {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
    bool isEmpty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
};
std::vector<TRectWithCheck> chordBoxLayout(int count);
// The index of the box holding (x, y), or -1.
int boxAt(const std::vector<TRectWithCheck>& boxes, int x, int y);

// Brings (x, y) into the rectangle from (left, top) of the given size.
struct TClamped {
    int x = 0;
    int y = 0;
    bool moved = false;
};
TClamped clampInto(int x, int y, int left, int top, int width, int height);
