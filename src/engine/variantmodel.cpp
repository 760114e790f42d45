#include "engine/variantmodel.h"

#include "engine/rhythmlayout.h"

#include <cstdlib>

namespace {

// Two chords are the same when their voicings are; unvoiced chords compare by what they are.
bool sameChord(const TChord& a, const TChord& b) {
    if (a.isVoiced() || b.isVoiced())
        return a.sameVoices(b);
    return a.base() == b.base() && a.toneCount() == b.toneCount() && a.bassTone() == b.bassTone();
}

bool isStep(int a, int b) {
    return std::abs(a - b) == 1;
}

} // namespace

const TNoteList& TChordMotiveVariantModel::notes() const {
    static const TNoteList none;
    return none;
}

const TChordList& TChordMotiveVariantModel::chordsForDisplay() {
    displayChords_.clear();
    const TChordList& own = motive_->chords();
    if (!precedingMotive_ || precedingMotive_->chords().empty())
        return own;
    const TChordList& before = precedingMotive_->chords();
    std::size_t n = before.size();
    if (!own.empty() && sameChord(before.back(), own.front()))
        --n;
    const int measureLength = motive_->ticksPerMeasure();
    for (std::size_t i = 0; i < n; ++i) {
        TChord chord = before[i];
        chord.setTime(-int(n - i) * measureLength);
        displayChords_.push_back(chord);
    }
    displayChords_.insert(displayChords_.end(), own.begin(), own.end());
    return displayChords_;
}

void TChordMotiveVariantModel::addChord(const TChord& chord) {
    TChordList& chords = motive_->chords();
    if (!chords.empty() && chords.back().time() == chord.time())
        chords.back() = chord;
    else
        chords.push_back(chord);
    motive_->notifyChanged();
}

void TRawVariantModel::filterChords(TChordList& chords, int from) {
    TMotive& edited = *motive();
    int to = from + edited.ticksPerMeasure();
    for (const TMeasurePart& part : measureParts(edited.ticksPerMeasure(), edited.zatakt()))
        if (part.from == from)
            to = part.to;
    std::vector<TNote*> notes;
    for (TNote& note : edited.notes())
        if (note.time() >= from && note.time() < to)
            notes.push_back(&note);

    TChordList kept;
    for (const TChord& chord : chords) {
        for (TNote* note : notes)
            note->setChordingNote(chord.isChordTone(edited.key(), note->pitch()));
        bool fits = true;
        for (std::size_t i = 0; i < notes.size() && fits; ++i) {
            const TNote& note = *notes[i];
            if (note.chordingNote() || i + 1 == notes.size())
                continue;
            const TNote& next = *notes[i + 1];
            const bool resolves = next.chordingNote() && isStep(note.pitch(), next.pitch());
            const bool leaves = i > 0 && notes[i - 1]->chordingNote() &&
                                isStep(note.pitch(), notes[i - 1]->pitch());
            fits = resolves || leaves;
        }
        if (fits)
            kept.push_back(chord);
    }
    chords = kept;
}

void TMotiveVariantModel::addNote(const TNote& note) {
    TMotive& edited = *motive();
    if (note.time() >= edited.end())
        return;
    TNoteList& notes = edited.notes();
    if (notes.empty() || notes.back().time() != note.time())
        notes.push_back(note);
    else
        notes.back() = note;
    edited.notifyChanged();
}

void TEditMotiveVariantModel::addNote(const TNote& note) {
    TMotive& edited = *motive();
    const int t = note.time();
    const int e = note.end();
    TNoteList result;
    bool placed = false;
    int previousEnd = edited.upbeatStart();
    for (TNote existing : edited.notes()) {
        if (!placed) {
            if (existing.time() == t || (t >= previousEnd && t < existing.time())) {
                result.push_back(note);
                placed = true;
                // `existing` now follows the new note.
            } else if (existing.time() < t && existing.end() > t) {
                existing.setDuration(static_cast<DURATION>(t - existing.time()));
                result.push_back(existing);
                result.push_back(note);
                placed = true;
                continue;
            } else {
                previousEnd = existing.end();
                result.push_back(existing);
                continue;
            }
        }
        if (existing.time() >= t && existing.time() < e) {
            if (existing.end() <= e)
                continue;
            const int end = existing.end();
            existing.setTime(e);
            existing.setDuration(static_cast<DURATION>(end - e));
        }
        result.push_back(existing);
    }
    if (!placed)
        result.push_back(note);
    edited.notes() = result;
    edited.notifyChanged();
}

TNote TEditMotiveVariantModel::carriedNote() const {
    const TMotive* before = precedingMotive();
    if (!before || before->notes().empty() || before->notes().back().end() != before->end())
        return TNote();
    return before->notes().back();
}
