#include "model/motive.h"

#include "model/notelist.h"

#include <algorithm>
#include <iterator>

void appendRestSplitAtBar(TRhythm& out, int start, int length, int measureLength) {
    const int restEnd = start + length;
    const int firstBar = start / measureLength * measureLength;
    const int lastBar = restEnd / measureLength * measureLength;
    if (firstBar == lastBar) {
        appendRestValues(out, length);
        return;
    }
    appendRestValues(out, lastBar - start);
    if (restEnd != lastBar)
        appendRestValues(out, restEnd - lastBar);
}

TRhythm rhythmOf(const TNoteList& notes, int start, int measureLength, int end) {
    TRhythm out;
    int cur = start;
    auto note = notes.begin();
    while (note != notes.end()) {
        // A note that does not start at `cur` leaves a gap (negative length) before it.
        const int len = note->time() == cur ? note->duration() : cur - note->time();
        if (len < 0) {
            appendRestSplitAtBar(out, cur, -len, measureLength);
            cur -= len;
            continue; // the same note again, now starting at cur
        }
        out.push_back(static_cast<DURATION>(len));
        cur += len;
        ++note;
    }
    if (cur < end)
        appendRestSplitAtBar(out, cur, end - cur, measureLength);
    return out;
}

TMotive::TMotive(const TMotive& other)
    : key_(other.key_), measure_(other.measure_), zatakt_(other.zatakt_), notes_(other.notes_),
      chords_(other.chords_) {}

TMotive& TMotive::operator=(const TMotive& other) {
    key_ = other.key_;
    measure_ = other.measure_;
    notes_ = other.notes_;
    chords_ = other.chords_;
    zatakt_ = other.zatakt_;
    return *this;
}

void TMotive::copyContent(const TMotive& other) {
    notes_ = other.notes_;
    chords_ = other.chords_;
}

void TMotive::setNotes(const TNoteList& notes) {
    notes_ = notes;
    notifyChanged();
}

void TMotive::clearNotes() {
    notes_.clear();
    notifyChanged();
}

void TMotive::setChords(const TChordList& chords) {
    chords_ = chords;
    notifyChanged();
}

void TMotive::clearChords() {
    chords_.clear();
    notifyChanged();
}

void TMotive::clearAll() {
    notes_.clear();
    chords_.clear();
    notifyChanged();
}

void TMotive::setZatakt(std::int16_t ticks) {
    zatakt_ = ticks;
    notifyChanged();
}

void TMotive::notifyChanged() {
    if (listener_)
        listener_->motiveChanged();
}

bool TMotive::sameContent(const TMotive& other) const {
    return notes_ == other.notes_ &&
           std::equal(chords_.begin(), chords_.end(), other.chords_.begin(), other.chords_.end(),
                      [](const TChord& a, const TChord& b) { return a.sameVoices(b); });
}

TRhythm TMotive::rhythm() const {
    return rhythmOf(notes_, upbeatStart(), ticksPerMeasure(), end());
}

TNoteList TMotive::notesOfMeasure(int t) const {
    const int from = measure_.measureStartOf(t);
    const int to = from + ticksPerMeasure();
    TNoteList result;
    std::copy_if(notes_.begin(), notes_.end(), std::back_inserter(result),
                 [&](const TNote& n) { return n.time() >= from && n.time() < to; });
    return result;
}

const TChord* TMotive::chordOfMeasure(int index) const {
    auto chord = firstAtOrAfter(chords_, index * ticksPerMeasure());
    return chord == chords_.end() ? nullptr : &*chord;
}

void TMotive::recomputeChordingFlags() {
    if (chords_.empty())
        return;
    for (TNote& note : notes_) {
        const TChord* chord = chordOfMeasureAt(note.time());
        if (!chord)
            break;
        note.setChordingNote(chord->isChordTone(key_, note.pitch()));
    }
    notifyChanged();
}

void TMotive::markLeadingTones() {
    ::markLeadingTones(notes_, key_);
}

void TMotive::dump(std::ostream& out) const {
    out << "MOTIVE:\n";
    measure_.dump(out);
    key_.dump(out);
    out << "Zatakt:" << zatakt_ << '\n';
    for (const TChord& chord : chords_)
        chord.dump(out);
    for (const TNote& note : notes_)
        note.dump(out);
}
