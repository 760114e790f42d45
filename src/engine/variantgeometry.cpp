#include "engine/variantgeometry.h"

#include "model/pitch.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

int variantSide(int x, int current) {
    if (x <= VARIANT_RIGHT_HALF_X - 1)
        return 0;
    if (x >= VARIANT_HALF_WIDTH)
        return 1;
    return current;
}

TCorner variantWindowCorner(int x, int y, int windowWidth, int windowHeight, int screenWidth) {
    TCorner corner{x, std::max(y - windowHeight, 0)};
    if (x + windowWidth > screenWidth)
        corner.left = screenWidth - windowWidth;
    return corner;
}

int entryRow(int pitch) {
    if (!isValidPitch(pitch))
        return VARIANT_VIEW_HEIGHT / 2;
    return std::clamp(noteBandCentre(pitch), 0, VARIANT_VIEW_HEIGHT - 1);
}

bool inMiddleBand(int x, int side) {
    return side == 0 ? x >= VARIANT_RIGHT_HALF_X - VARIANT_MIDDLE_BAND && x <= VARIANT_RIGHT_HALF_X
                     : x >= VARIANT_RIGHT_HALF_X && x <= VARIANT_RIGHT_HALF_X + VARIANT_MIDDLE_BAND;
}

int columnsFromMiddle(int x, int side) {
    const int distance = side == 0 ? (VARIANT_RIGHT_HALF_X - 1) - x : x - VARIANT_HALF_WIDTH;
    return std::max(distance, 0) / VARIANT_COLUMN_WIDTH;
}

const TScVariant* candidateAtRow(const std::vector<TScVariant>& candidates, int y) {
    const TScVariant* best = nullptr;
    int bestDistance = std::numeric_limits<int>::max();
    for (const TScVariant& candidate : candidates) {
        const int top = noteBandTop(candidate.pitch);
        const int bottom = noteBandBottom(candidate.pitch);
        const int distance = y < top ? top - y : (y > bottom ? y - bottom : 0);
        if (distance < bestDistance ||
            (distance == bestDistance && best && candidate.pitch < best->pitch)) {
            best = &candidate;
            bestDistance = distance;
        }
    }
    return best;
}

DURATION pickDuration(const std::vector<DURATION>& durations, int columns) {
    if (durations.empty())
        return 0;
    if (durations.size() == 1)
        return durations.front();
    const int wanted = (columns + 1) * TICKS_PER_SIXTEENTH;
    for (DURATION d : durations)
        if (std::abs(d) >= wanted)
            return d;
    return *std::max_element(durations.begin(), durations.end(),
                             [](DURATION a, DURATION b) { return std::abs(a) < std::abs(b); });
}

std::optional<TNotePick> pickNote(const std::vector<TScVariant>& candidates, int side, int x,
                                  int y) {
    const TScVariant* candidate = candidateAtRow(candidates, y);
    if (candidate == nullptr || candidate->durations.empty())
        return std::nullopt;
    return TNotePick{
        candidate->pitch,     pickDuration(candidate->durations, columnsFromMiddle(x, side)),
        candidate->sign,      candidate->chordTone,
        candidate->turnIndex, candidate->durationIndex};
}

int measurePartEnd(const TMotive& motive, int t) {
    const int m = motive.ticksPerMeasure();
    if (motive.zatakt() > 0 && t < m)
        return m;
    return motive.end();
}

bool previewFits(const TMotive& motive, const TNote& note) {
    if (!isInMelodyRange(note.pitch()) || note.duration() <= 0)
        return false;
    if (note.time() < motive.upbeatStart())
        return false;
    return note.end() <= measurePartEnd(motive, note.time());
}

TNoteList precedingNotes(const TNoteList& notes, int t, int measureLength) {
    const int measureStart = t / measureLength * measureLength;
    TNoteList before;
    for (auto it = notes.rbegin(); it != notes.rend() && before.size() < 3; ++it)
        if (it->time() < t && it->time() >= measureStart)
            before.push_back(*it);
    while (before.size() < 3)
        before.emplace_back();
    return before;
}

int startingSide(const TChoiceMemory& previous, int editPosition, int start, bool offersNotes,
                 bool complete) {
    const bool continues = previous.valid && previous.editPosition == editPosition &&
                           previous.start == start && previous.sideSwitches == 1 &&
                           previous.startSide == 0;
    return continues && offersNotes && !complete ? 1 : 0;
}

TClamped clampInto(int x, int y, int left, int top, int width, int height) {
    const int cx = std::clamp(x, left, left + width - 1);
    const int cy = std::clamp(y, top, top + height - 1);
    return {cx, cy, cx != x || cy != y};
}

std::vector<TRectWithCheck> chordBoxLayout(int count) {
    constexpr int columns = 3;
    constexpr int left = 9;
    constexpr int top = 44;
    constexpr int width = 70;
    constexpr int height = 44;
    constexpr int gap = 6;
    constexpr int lowest = VARIANT_VIEW_HEIGHT - 30; // the caption lies below
    std::vector<TRectWithCheck> boxes;
    // Fewer rows when the list is long: the boxes get lower, never leave the half.
    const int rows = (count + columns - 1) / columns;
    const int pitch = rows > 0 ? std::min(height + gap, (lowest - top) / rows) : height + gap;
    for (int i = 0; i < count; ++i) {
        const int x = left + (i % columns) * (width + gap);
        const int y = top + (i / columns) * pitch;
        boxes.push_back({x, y, x + width, y + std::max(pitch - gap, 8)});
    }
    return boxes;
}

int boxAt(const std::vector<TRectWithCheck>& boxes, int x, int y) {
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i].contains(x, y))
            return static_cast<int>(i);
    return -1;
}
