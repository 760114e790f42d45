#pragma once

#include "model/key.h"
#include "model/measure.h"
#include "model/note.h"

#include <algorithm>

// The first element (note or chord) of a time-ordered list that starts at or after `t`.
// All times are multiples of 30, so probing with t - 1 finds exactly the onsets >= t.
template <class List> auto firstAtOrAfter(List& list, int t) {
    return std::lower_bound(list.begin(), list.end(), t - 1,
                            [](const auto& item, int probe) { return item.time() < probe; });
}

// Marks the raised sevenths of a minor key with the sharp sign; clears every other sign.
void markLeadingTones(TNoteList& notes, const TKey& key);

void clearHighlights(TNoteList& notes);

// The n notes before time t, most recent first. A note outside t's measure, and any position
// before the start of the list, is replaced by a default note.
TNoteList notesBefore(const TNoteList& notes, int n, const TMeasure& measure, int t);
