#include "model/chord.h"

#include <algorithm>

namespace {

// Diatonic steps from each chord tone to the next one above: root to third, third to fifth,
// then fifth to the root an octave up (triad) or fifth to seventh and seventh to root.
constexpr std::array<int, 3> triadStepsUp{2, 2, 3};
constexpr std::array<int, 4> seventhStepsUp{2, 2, 2, 1};

// From `from`, moves one index at a time in `direction` until it has met `n` indices whose
// flag equals `wanted`. Starts beyond the range are brought to its edge first, so a walk
// from 42 downwards still finds index 41.
int walk(const TToneMap& map, int from, int n, int direction, bool wanted) {
    if (n <= 0)
        return from;
    int p = std::clamp(from, LOWEST_PITCH - 1, HIGHEST_PITCH + 1);
    for (int found = 0; found < n; ++found) {
        do {
            p += direction;
        } while (isValidPitch(p) && map[static_cast<std::size_t>(p)] != wanted);
        if (!isValidPitch(p))
            return NO_CHORD_TONE;
    }
    return p;
}

} // namespace

TChord::TChord(int base, int toneCount, int bassTone)
    : base_(static_cast<std::uint8_t>(base)), toneCount_(static_cast<std::uint8_t>(toneCount)),
      bassTone_(static_cast<std::uint8_t>(bassTone)) {}

// Any tone count other than four is walked as a triad, so a malformed chord cannot stall the
// tone walks.
int TChord::stepUpFrom(int tone) const {
    if (toneCount_ == 4)
        return seventhStepsUp[static_cast<std::size_t>(((tone % 4) + 4) % 4)];
    return triadStepsUp[static_cast<std::size_t>(((tone % 3) + 3) % 3)];
}

int TChord::stepDownFrom(int tone) const {
    return stepUpFrom(tone - 1);
}

TChordTonePosition TChord::lowestChordTone(const TKey& key) const {
    const int tones = toneCount_ == 4 ? 4 : 3;
    const int dDegree = key.dDegree();
    TChordTonePosition lowest{PITCH_COUNT, 0};
    int degree = base_;
    for (int tone = 0; tone < tones; ++tone) {
        // Index 0 is the D step, so a tone's lowest index is its degree's distance above it.
        const int distance = degree + (dDegree > degree ? 7 : 0) - dDegree;
        if (distance < lowest.pitch)
            lowest = {distance, tone};
        degree += 2;
        if (degree > 7)
            degree -= 7;
    }
    return lowest;
}

TToneMap TChord::toneMap(const TKey& key) const {
    TToneMap map{};
    auto [pitch, tone] = lowestChordTone(key);
    const int tones = toneCount_ == 4 ? 4 : 3;
    while (pitch <= HIGHEST_PITCH) {
        map[static_cast<std::size_t>(pitch)] = true;
        pitch += stepUpFrom(tone);
        tone = (tone + 1) % tones;
    }
    return map;
}

bool TChord::isChordTone(const TKey& key, int pitch) const {
    return isValidPitch(pitch) && toneMap(key)[static_cast<std::size_t>(pitch)];
}

std::vector<int> TChord::chordTones(const TKey& key) const {
    const TToneMap map = toneMap(key);
    std::vector<int> tones;
    for (int p = LOWEST_PITCH; p <= HIGHEST_PITCH; ++p)
        if (map[static_cast<std::size_t>(p)])
            tones.push_back(p);
    return tones;
}

int TChord::chordToneAbove(const TKey& key, int pitch, int n) const {
    return walk(toneMap(key), pitch, n, +1, true);
}

int TChord::chordToneBelow(const TKey& key, int pitch, int n) const {
    return walk(toneMap(key), pitch, n, -1, true);
}

int TChord::nonChordToneAbove(const TKey& key, int pitch, int n) const {
    return walk(toneMap(key), pitch, n, +1, false);
}

int TChord::nonChordToneBelow(const TKey& key, int pitch, int n) const {
    return walk(toneMap(key), pitch, n, -1, false);
}

void TChord::dump(std::ostream& out) const {
    out << "Chord: Base:" << static_cast<int>(base_)
        << " Tone Count:" << static_cast<int>(toneCount_) << " Bass:" << static_cast<int>(bassTone_)
        << '\n';
}
