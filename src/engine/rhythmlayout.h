#pragma once

#include "model/duration.h"
#include "model/random.h"

#include <functional>
#include <vector>

using TDurations = std::vector<DURATION>;

// One stretch of a measure that a rhythm is laid into: [from, to) in ticks.
struct TMeasurePart {
    int from = 0;
    int to = 0;
    int length() const { return to - from; }
    bool operator==(const TMeasurePart&) const = default;
};

// The parts one measure of L ticks falls into: [0, L) without upbeat; with an upbeat u the
// upbeat [L - u, L) and the rest of the measure [L, 2L - u). An upbeat outside 1..L-1 counts
// as none.
std::vector<TMeasurePart> measureParts(int measureLength, int upbeat);

// Where a sequence is laid out from: 0, or L - u with an upbeat.
int layoutStart(int measureLength, int upbeat);

// Appends durations to `out` until the part [from, to) is exactly full.
using TFiller = std::function<void(TDurations& out, int from, int to)>;

// One measure laid out part by part with `fill`.
TDurations layOutMeasure(int measureLength, int upbeat, const TFiller& fill);

// The plain filler: a uniform draw among the allowed durations that fit, or a rest of the
// whole remaining room when none does.
void plainFill(TDurations& out, int from, int to, const TDurations& allowed,
               TRandomGenerator& random);

// k durations at distinct positions of `source`, drawn one by one, sorted ascending.
TDurations chooseDurations(const TDurations& source, int k, TRandomGenerator& random);

// The sequence cut into the parts of one measure when its values add up to exactly one
// measure and each part is filled exactly; otherwise the whole sequence as a single part.
std::vector<TDurations> splitAtMeasure(const TDurations& durations, int measureLength, int upbeat);

// Drops every duration longer than the largest part of the measure.
TDurations filterByMeasure(const TDurations& durations, int measureLength, int upbeat);

// True when at least one measure of the laid-out sequence holds `count` notes.
bool hasNotesPerMeasure(const TDurations& durations, int count, int measureLength, int upbeat);

int totalLength(const TDurations& durations);
bool containsRest(const TDurations& durations);
// True when some note differs from the note before it (rests in between are skipped).
bool hasTwoNoteValues(const TDurations& durations);
