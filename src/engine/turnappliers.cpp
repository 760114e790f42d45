#include "engine/turnappliers.h"

#include <array>
#include <cstdlib>

namespace {

void place(TNote& note, int pitch, bool chordTone) {
    note.setPitch(pitch);
    note.setChordingNote(chordTone);
}

} // namespace

int TTurnAppliers::apply(TURN_ROUND turn, TNoteList& notes, const TChord& chord, bool up,
                         int i) const {
    static constexpr std::array<TApplier, TURN_KIND_COUNT> appliers{nullptr,
                                                                    &TTurnAppliers::repetition,
                                                                    &TTurnAppliers::chordLeap1,
                                                                    &TTurnAppliers::chordLeap2,
                                                                    &TTurnAppliers::chordLeap3,
                                                                    &TTurnAppliers::neighbour,
                                                                    &TTurnAppliers::passing,
                                                                    &TTurnAppliers::doubleNeighbour,
                                                                    &TTurnAppliers::appoggiatura,
                                                                    &TTurnAppliers::escape};
    if (!isPlacingTurn(turn) || i < 1 || i >= int(notes.size()))
        return 0;
    return (this->*appliers[turn])(notes, chord, up, i);
}

int TTurnAppliers::repetition(TNoteList& notes, const TChord&, bool, int i) const {
    place(notes[i], notes[i - 1].pitch(), true);
    return 1;
}

int TTurnAppliers::chordLeap(TNoteList& notes, const TChord& chord, bool up, int i, int n) const {
    const int p0 = notes[i - 1].pitch();
    const int p = up ? chord.chordToneAbove(key_, p0, n) : chord.chordToneBelow(key_, p0, n);
    if (!isInMelodyRange(p))
        return 0;
    // Marked as well: an earlier failed turn may have left a non-chord mark on this note.
    place(notes[i], p, true);
    return 1;
}

int TTurnAppliers::chordLeap1(TNoteList& notes, const TChord& chord, bool up, int i) const {
    return chordLeap(notes, chord, up, i, 1);
}

int TTurnAppliers::chordLeap2(TNoteList& notes, const TChord& chord, bool up, int i) const {
    return chordLeap(notes, chord, up, i, 2);
}

int TTurnAppliers::chordLeap3(TNoteList& notes, const TChord& chord, bool up, int i) const {
    return chordLeap(notes, chord, up, i, 3);
}

int TTurnAppliers::neighbour(TNoteList& notes, const TChord& chord, bool up, int i) const {
    const int p0 = notes[i - 1].pitch();
    const int d = up ? chord.nonChordToneAbove(key_, p0, 1) : chord.nonChordToneBelow(key_, p0, 1);
    if (!isInMelodyRange(d) || std::abs(d - p0) != 1)
        return 0;
    place(notes[i], d, false);
    if (i + 1 >= int(notes.size()))
        return 1;
    place(notes[i + 1], p0, true);
    return 2;
}

int TTurnAppliers::passing(TNoteList& notes, const TChord& chord, bool up, int i) const {
    const int step = up ? 1 : -1;
    int p = notes[i - 1].pitch();
    int placed = 0;
    for (int j = i; j < int(notes.size()); ++j) {
        p += step;
        if (!isInMelodyRange(p))
            return 0;
        const bool chordTone = chord.isChordTone(key_, p);
        place(notes[j], p, chordTone);
        ++placed;
        if (chordTone)
            break;
    }
    return placed;
}

int TTurnAppliers::doubleNeighbour(TNoteList& notes, const TChord& chord, bool up, int i) const {
    const int p0 = notes[i - 1].pitch();
    const int first = up ? p0 + 1 : p0 - 1;
    const int second = up ? p0 - 1 : p0 + 1;
    auto fits = [&](int p) { return isInMelodyRange(p) && !chord.isChordTone(key_, p); };
    if (!fits(first))
        return 0;
    place(notes[i], first, false);
    if (i + 1 >= int(notes.size()))
        return 1;
    if (!fits(second))
        return 0;
    place(notes[i + 1], second, false);
    if (i + 2 >= int(notes.size()))
        return 2;
    place(notes[i + 2], p0, true);
    return 3;
}

int TTurnAppliers::appoggiatura(TNoteList& notes, const TChord& chord, bool up, int i) const {
    const int p0 = notes[i - 1].pitch();
    const int e = up ? chord.chordToneAbove(key_, p0, 1) : chord.chordToneBelow(key_, p0, 1);
    if (!isInMelodyRange(e))
        return 0;
    const int d = up ? chord.nonChordToneAbove(key_, e, 1) : chord.nonChordToneBelow(key_, e, 1);
    if (!isInMelodyRange(d))
        return 0;
    place(notes[i], d, false);
    if (i + 1 >= int(notes.size()))
        return 1;
    auto resolves = [&](int p) { return isInMelodyRange(p) && chord.isChordTone(key_, p); };
    const int back = up ? d - 1 : d + 1;
    const int onward = up ? d + 1 : d - 1;
    const int resolution = resolves(back) ? back : resolves(onward) ? onward : NO_PITCH;
    if (resolution == NO_PITCH)
        return 0;
    place(notes[i + 1], resolution, true);
    return 2;
}

int TTurnAppliers::escape(TNoteList& notes, const TChord& chord, bool up, int i) const {
    const int p0 = notes[i - 1].pitch();
    auto fits = [&](int p) { return isInMelodyRange(p) && !chord.isChordTone(key_, p); };
    int s = up ? p0 + 1 : p0 - 1;
    if (!fits(s)) {
        s = up ? p0 - 1 : p0 + 1;
        if (!fits(s))
            return 0;
    }
    place(notes[i], s, false);
    if (i + 1 >= int(notes.size()))
        return 1;
    const int t = up ? chord.chordToneAbove(key_, s, 2) : chord.chordToneBelow(key_, s, 2);
    if (!isInMelodyRange(t))
        return 0;
    place(notes[i + 1], t, true);
    return 2;
}
