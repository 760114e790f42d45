#include "engine/rhythmscheme.h"

#include <algorithm>
#include <cstdlib>

namespace {

const TDurations NOTE_VALUES{30, 60, 90, 120, 150, 180, 210, 240};

void appendNote(TNoteList& notes, int time, int length) {
    notes.emplace_back(time, 0, static_cast<DURATION>(length));
}

// Draws from the note values of the set that fit; when none fits, one note fills the room.
TNoteList rhythmFromSet(const TDurations& durations, int from, int to, TRandomGenerator& random) {
    TNoteList notes;
    for (int t = from; t < to;) {
        const int room = to - t;
        int fitting = 0;
        const DURATION* first = nullptr;
        for (const DURATION& d : durations) {
            if (d <= 0 || d > room)
                continue;
            if (!first)
                first = &d;
            ++fitting;
        }
        if (fitting == 0) {
            appendNote(notes, t, room);
            break;
        }
        const int d = first[random.draw(fitting)];
        appendNote(notes, t, d);
        t += d;
    }
    return notes;
}

} // namespace

TRhythmScheme::TRhythmScheme(TRandomGenerator& random) : random_(random) {
    setDefault();
}

void TRhythmScheme::notify() {
    if (listener_)
        listener_->schemeChanged();
}

void TRhythmScheme::set(const TDurations& durations, bool inOrder, bool notifying) {
    durations_ = durations;
    inOrder_ = inOrder;
    if (!inOrder)
        std::sort(durations_.begin(), durations_.end());
    if (notifying)
        notify();
}

void TRhythmScheme::clear() {
    durations_.clear();
    notify();
}

void TRhythmScheme::setDefault() {
    durations_ = {30, 60, 90, 120, 150, 180, 210, 240};
    inOrder_ = false;
    notify();
}

void TRhythmScheme::randomise(const TMeasure& measure) {
    const int k = random_.draw(8) + 1;
    applyChoice(NOTE_VALUES, k, inOrder_, measure);
}

void TRhythmScheme::invert(const TMeasure& measure) {
    if (!inOrder_)
        return;
    TDurations result;
    for (TDurations& part : splitAtMeasure(durations_, measure.ticksPerMeasure(), upbeat_)) {
        std::reverse(part.begin(), part.end());
        result.insert(result.end(), part.begin(), part.end());
    }
    set(result, true, true);
}

void TRhythmScheme::mix(const TMeasure& measure) {
    if (!inOrder_)
        return;
    TDurations result;
    for (TDurations& part : splitAtMeasure(durations_, measure.ticksPerMeasure(), upbeat_)) {
        shuffleFromSecond(part, random_);
        result.insert(result.end(), part.begin(), part.end());
    }
    set(result, true, true);
}

TDurations TRhythmScheme::layOutPlain(const TDurations& allowed, const TMeasure& measure) const {
    return layOutMeasure(
        measure.ticksPerMeasure(), upbeat_,
        [&](TDurations& out, int from, int to) { plainFill(out, from, to, allowed, random_); });
}

void TRhythmScheme::applyChoice(const TDurations& source, int k, bool inOrder,
                                const TMeasure& measure) {
    const TDurations choice = chooseDurations(source, k, random_);
    if (!inOrder)
        set(choice, false, true);
    else
        set(layOutPlain(choice, measure), true, true);
}

int TRhythmScheme::nextIndex() const {
    if (!inOrder_ || cursor_ + 1 >= int(durations_.size()))
        return 0;
    return cursor_ + 1;
}

int TRhythmScheme::currentIndex() const {
    return cursor_ < int(durations_.size()) ? cursor_ : 0;
}

void TRhythmScheme::advanceCursor() {
    cursor_ = inOrder_ ? nextIndex() : 0;
}

TNoteList TRhythmScheme::rhythmOfPart(int from, int to) {
    if (inOrder_)
        return rhythmInOrder(durations_, cursor_, from, to);
    return rhythmFromSet(durations_, from, to, random_);
}

TDurations durationsOfMotive(const TMotive& motive) {
    const int measureLength = motive.ticksPerMeasure();
    const int start = motive.upbeatStart();
    const int end = start + measureLength;
    TDurations out;
    auto appendRest = [&](int from, int length) {
        const int bar = (from / measureLength + 1) * measureLength;
        if (from + length > bar) {
            out.push_back(static_cast<DURATION>(from - bar));
            out.push_back(static_cast<DURATION>(bar - from - length));
        } else {
            out.push_back(static_cast<DURATION>(-length));
        }
    };
    int cursor = start;
    for (const TNote& note : motive.notes()) {
        if (note.time() > cursor) {
            appendRest(cursor, note.time() - cursor);
            cursor = note.time();
        }
        // A note that starts before the cursor overlaps its predecessor; it is taken as
        // following it.
        out.push_back(note.duration());
        cursor += std::abs(note.duration());
    }
    if (cursor < end)
        appendRest(cursor, end - cursor);
    return out;
}

TNoteList rhythmInOrder(const TDurations& durations, int& index, int from, int to) {
    TNoteList notes;
    const int count = int(durations.size());
    if (count == 0) {
        appendNote(notes, from, to - from);
        return notes;
    }
    int idle = 0; // zero values met in a row; a scheme of zeros alone would never fill
    for (int t = from; t < to;) {
        index = index < count ? index : 0;
        const int d = durations[static_cast<std::size_t>(index)];
        const int room = to - t;
        if (d == 0) {
            index = (index + 1) % count;
            if (++idle >= count) {
                appendNote(notes, t, room);
                break;
            }
            continue;
        }
        idle = 0;
        int length = std::abs(d);
        if (length > room)
            length = room;
        else
            index = (index + 1) % count;
        if (d > 0)
            appendNote(notes, t, length);
        t += length;
    }
    return notes;
}
