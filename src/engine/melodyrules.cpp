#include "engine/melodyrules.h"

#include "model/diagnostics.h"

#include <cstdlib>

namespace {

constexpr int SEMITONES_OF_AUGMENTED_SECOND = 3;
constexpr int SEMITONES_OF_TRITONE = 6;
constexpr int OCTAVE = 12;

bool isDominantTone(const TKey& key, int pitch) {
    const int degree = key.degree(pitch);
    return degree == 5 || degree == 7 || degree == 2;
}

// Whether `pitch` may stand between `before` and `after` (either may be missing).
bool fitsBetween(const TKey& key, int before, int pitch, int after) {
    return isInMelodyRange(pitch) && !isForbiddenMelodicInterval(key, before, pitch) &&
           !isForbiddenMelodicInterval(key, pitch, after);
}

int pitchAt(const TNoteList& notes, int i, int previousPitch) {
    if (i < 0)
        return previousPitch;
    if (i >= int(notes.size()))
        return NO_PITCH;
    return notes[std::size_t(i)].pitch();
}

} // namespace

bool isAugmentedSecond(const TKey& key, int from, int to) {
    if (!isValidPitch(from) || !isValidPitch(to) || std::abs(from - to) != 1)
        return false;
    return std::abs(key.midiNote(from) - key.midiNote(to)) == SEMITONES_OF_AUGMENTED_SECOND;
}

bool isTritoneLeap(const TKey& key, int from, int to) {
    if (!isValidPitch(from) || !isValidPitch(to))
        return false;
    return std::abs(key.midiNote(from) - key.midiNote(to)) % OCTAVE == SEMITONES_OF_TRITONE;
}

bool isForbiddenMelodicInterval(const TKey& key, int from, int to) {
    return isAugmentedSecond(key, from, to) || isTritoneLeap(key, from, to);
}

bool meetsClose(TMelodyClose close, const TKey& key, int pitch) {
    switch (close) {
    case TMelodyClose::NONE:
        return true;
    case TMelodyClose::DOMINANT:
        return isDominantTone(key, pitch);
    case TMelodyClose::KEYNOTE:
        return key.degree(pitch) == 1;
    }
    return true;
}

int closingPitch(TMelodyClose close, const TKey& key, int from) {
    if (close == TMelodyClose::NONE)
        return NO_PITCH;
    int best = NO_PITCH;
    for (int p = MIN_MELODY_PITCH; p <= MAX_MELODY_PITCH; ++p) {
        if (!meetsClose(close, key, p) || isForbiddenMelodicInterval(key, from, p))
            continue;
        if (!isValidPitch(from))
            return p; // nothing to lead from: the lowest will do, the caller anchors it
        if (best == NO_PITCH || std::abs(p - from) < std::abs(best - from))
            best = p;
    }
    return best;
}

TMelodyPlace melodyPlace(const TPeriodData& period, const TMotive& motive) {
    TMelodyPlace place;
    const std::vector<const TMotive*> motives = period.allMotives();
    std::size_t firstSentenceEnd = 0;
    if (!period.sentences().empty())
        for (const TPhraseData& phrase : period.sentences().front().phrases())
            firstSentenceEnd += phrase.motives().size();
    for (std::size_t i = 0; i < motives.size(); ++i) {
        if (motives[i] != &motive)
            continue;
        if (i + 1 == motives.size())
            place.close = TMelodyClose::KEYNOTE;
        else if (i + 1 == firstSentenceEnd)
            place.close = TMelodyClose::DOMINANT;
        for (std::size_t j = i; j > 0; --j) {
            if (!motives[j - 1]->notes().empty()) {
                place.previousPitch = motives[j - 1]->notes().back().pitch();
                break;
            }
        }
        break;
    }
    return place;
}

int repairForbiddenLeaps(TNoteList& notes, const TKey& key, int previousPitch) {
    int left = 0;
    for (int i = 0; i < int(notes.size()); ++i) {
        const int before = pitchAt(notes, i - 1, previousPitch);
        const int here = notes[std::size_t(i)].pitch();
        if (!isForbiddenMelodicInterval(key, before, here))
            continue;
        // The later note first, towards the earlier one (the leap shrinks), then away; then
        // the earlier note, when it belongs to the run.
        const int toward = here > before ? -1 : 1;
        bool repaired = false;
        for (int move : {toward, -toward}) {
            if (fitsBetween(key, before, here + move, pitchAt(notes, i + 1, previousPitch))) {
                notes[std::size_t(i)].setPitch(here + move);
                repaired = true;
                break;
            }
        }
        for (int move : {-toward, toward}) {
            if (repaired || i == 0)
                break;
            const int earlier = pitchAt(notes, i - 2, previousPitch);
            if (fitsBetween(key, earlier, before + move, here)) {
                notes[std::size_t(i - 1)].setPitch(before + move);
                repaired = true;
            }
        }
        if (!repaired)
            ++left;
    }
    return left;
}

void keepMelodicRules(TMotive& variant) {
    const TNoteList before = variant.notes();
    if (repairForbiddenLeaps(variant.notes(), variant.key()) > 0)
        reportMelodyRule("a variant keeps a forbidden leap that no step removes");
    if (variant.notes() == before)
        return;
    variant.markLeadingTones();
    for (TNote& note : variant.notes())
        if (const TChord* chord = variant.chordOfMeasureAt(note.time()))
            note.setChordingNote(chord->isChordTone(variant.key(), note.pitch()));
}

TMelodyFaults melodyFaults(const TMotive& motive, const TMelodyPlace& place) {
    TMelodyFaults faults;
    const TKey& key = motive.key();
    int before = place.previousPitch;
    for (const TNote& note : motive.notes()) {
        if (isForbiddenMelodicInterval(key, before, note.pitch()))
            ++faults.forbiddenLeaps;
        before = note.pitch();
        if (motive.measure().isBarTime(note.time())) {
            const TChord* chord = motive.chordOfMeasureAt(note.time());
            if (chord && !chord->isChordTone(key, note.pitch()))
                ++faults.downbeatNonChord;
        }
    }
    if (!motive.notes().empty() && !meetsClose(place.close, key, motive.notes().back().pitch()))
        ++faults.openClose;
    return faults;
}

void reportMelodyRule(const std::string& reason) {
    diagnostics() << "School harmony: " << reason << '\n';
}
