#include "model/notelist.h"

void markLeadingTones(TNoteList& notes, const TKey& key) {
    for (TNote& note : notes)
        note.setSign(key.isRaisedSeventh(note.pitch()) ? 1 : 0);
}

void clearHighlights(TNoteList& notes) {
    for (TNote& note : notes)
        note.setHighlighted(false);
}

TNoteList notesBefore(const TNoteList& notes, int n, const TMeasure& measure, int t) {
    TNoteList result;
    const int measureOfT = measure.measureIndexOf(t);
    auto it = notes.rbegin();
    while (it != notes.rend() && it->time() >= t)
        ++it;
    for (int i = 0; i < n; ++i) {
        if (it != notes.rend()) {
            result.push_back(measure.measureIndexOf(it->time()) == measureOfT ? *it : TNote());
            ++it;
        } else {
            result.push_back(TNote());
        }
    }
    return result;
}
