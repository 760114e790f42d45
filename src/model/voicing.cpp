// The four-part voicing of chords: the arrangements of a chord in a key, the voice-leading rules
// between two chords, and the choice of a bass and of a voicing for a soprano.
#include "model/chord.h"

#include <algorithm>
#include <cstdlib>

namespace {

// How wide the gap between two adjacent upper voices is, in diatonic steps.
enum TSpacingClass : int { CLASS_CLOSE = 1, CLASS_OPEN = 2, CLASS_TOO_WIDE = 3 };

int spacingClass(int steps) {
    if (steps >= 0 && steps <= 3)
        return CLASS_CLOSE;
    if (steps >= 4 && steps <= 7)
        return CLASS_OPEN;
    return CLASS_TOO_WIDE;
}

// Required gap classes (soprano to alto, alto to tenor) and the spacing they make, in the
// order in which the voicings are generated.
struct TSpacingOption {
    int upper;
    int lower;
    std::uint8_t spacing;
};
constexpr std::array<TSpacingOption, 4> spacingOptions{{
    {CLASS_CLOSE, CLASS_CLOSE, SPACING_CLOSE},
    {CLASS_OPEN, CLASS_OPEN, SPACING_OPEN},
    {CLASS_CLOSE, CLASS_OPEN, SPACING_MIXED},
    {CLASS_OPEN, CLASS_CLOSE, SPACING_MIXED},
}};

// Steps in diatonic steps and semitones of the augmented second to the augmented seventh.
constexpr std::array<std::array<int, 2>, 6> augmentedSteps{{
    {1, 3},
    {2, 5},
    {3, 6},
    {4, 8},
    {5, 10},
    {6, 12},
}};

constexpr int LEAP = 2; // a voice moving further than this leaps
constexpr int MAX_LEAPING_VOICES = 2;
constexpr int MAX_BASS_BELOW_TENOR = 14;
constexpr int OCTAVE = 7;
constexpr int FIFTH = 4;

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

int motion(int from, int to) {
    return (to > from) - (to < from);
}

// Fills one doubling's map. The counts passed along are how many of the upper voices may still
// take each chord tone.
class TArrangementBuilder {
public:
    TArrangementBuilder(const TChord& chord, TChordArrangementMap& map)
        : chord_(chord), map_(map), tones_(chord.toneCount() == 4 ? 4 : 3) {}

    // Every arrangement with the soprano at `soprano` (chord tone `tone`); returns how many.
    int fromSoprano(int soprano, int tone, const std::array<int, 4>& counts) {
        int inserted = 0;
        if (counts[at(tone)] <= 0)
            return 0;
        for (const TSpacingOption& option : spacingOptions) {
            std::array<int, 4> left = counts;
            --left[at(tone)];
            inserted += searchAlto(soprano, tone, left, option);
        }
        return inserted;
    }

private:
    int below(int tone) const { return (tone + tones_ - 1) % tones_; }

    // Walks down chord tone by chord tone from `from` (inclusive), offering each position
    // whose tone may still be taken; stops at the first one too far from `upper`.
    template <typename Take>
    int searchDown(int upper, int tone, const std::array<int, 4>& counts, int wanted, Take take) {
        int inserted = 0;
        int pos = upper;
        int t = tone;
        while (true) {
            if (counts[at(t)] > 0) {
                const int cls = spacingClass(upper - pos);
                if (cls == wanted)
                    inserted += take(pos, t);
                else if (cls > wanted)
                    break;
            }
            const int next = pos - chord_.stepDownFrom(t);
            if (next < 0)
                break;
            pos = next;
            t = below(t);
        }
        return inserted;
    }

    int searchAlto(int soprano, int tone, const std::array<int, 4>& counts,
                   const TSpacingOption& option) {
        return searchDown(soprano, tone, counts, option.upper, [&](int alto, int altoTone) {
            std::array<int, 4> left = counts;
            --left[at(altoTone)];
            return searchDown(alto, altoTone, left, option.lower, [&](int tenor, int tenorTone) {
                return placeBass(soprano, alto, tenor, tenorTone, option.spacing);
            });
        });
    }

    int placeBass(int soprano, int alto, int tenor, int tenorTone, std::uint8_t spacing) {
        int pos = tenor;
        int t = tenorTone;
        // A bass tone the chord does not have is never reached; give up after one round.
        for (int guard = 0; t != chord_.bassTone(); ++guard) {
            if (guard >= tones_)
                return 0;
            pos -= chord_.stepDownFrom(t);
            t = below(t);
        }
        if (pos < 0)
            return 0;
        TChordArrangement arrangement;
        arrangement.soprano = soprano;
        arrangement.alto = alto;
        arrangement.tenor = tenor;
        arrangement.spacing = spacing;
        for (int candidate = pos; candidate >= 0 && arrangement.bassCount < 3; candidate -= OCTAVE)
            arrangement.bassCandidates[at(arrangement.bassCount++)] = candidate;
        map_.emplace(soprano, arrangement);
        return 1;
    }

    const TChord& chord_;
    TChordArrangementMap& map_;
    int tones_;
};

} // namespace

bool isPlacedVoicing(const TVoices& voices) {
    return std::all_of(voices.begin(), voices.end(), isValidPitch);
}

TVoiceLeadingRule firstBrokenRule(const TVoices& p, const TVoices& n, const TKey& key) {
    int leaps = 0;
    for (int v = 0; v < 4; ++v)
        if (std::abs(n[at(v)] - p[at(v)]) > LEAP)
            ++leaps;
    if (leaps > MAX_LEAPING_VOICES)
        return RULE_LEAPS;

    const bool overlapFree = n[SOPRANO] >= p[ALTO] && p[TENOR] <= n[ALTO] &&
                             n[ALTO] <= p[SOPRANO] && p[BASS] <= n[TENOR] && n[TENOR] <= p[ALTO] &&
                             n[BASS] <= p[TENOR];
    if (!overlapFree)
        return RULE_OVERLAP;

    const int first = motion(p[0], n[0]);
    bool together = true;
    for (int v = 1; v < 4; ++v)
        together = together && motion(p[at(v)], n[at(v)]) == first;
    if (together)
        return RULE_ONE_DIRECTION;

    for (int upper = 0; upper < 3; ++upper) {
        for (int lower = upper + 1; lower < 4; ++lower) {
            if (p[at(upper)] == n[at(upper)] && p[at(lower)] == n[at(lower)])
                continue;
            const int before = (p[at(upper)] - p[at(lower)]) % OCTAVE;
            const int after = (n[at(upper)] - n[at(lower)]) % OCTAVE;
            if (before == after && (before == FIFTH || before == 0))
                return RULE_PARALLELS;
        }
    }

    for (int v = 0; v < 4; ++v) {
        const int steps = std::abs(p[at(v)] - n[at(v)]);
        const int semitones = std::abs(key.midiNote(p[at(v)]) - key.midiNote(n[at(v)]));
        for (const auto& [s, st] : augmentedSteps)
            if (steps == s && semitones == st)
                return RULE_AUGMENTED;
    }

    const int outer = motion(p[SOPRANO], n[SOPRANO]);
    if (outer != 0 && outer == motion(p[BASS], n[BASS])) {
        const int interval = (n[SOPRANO] - n[BASS]) % OCTAVE;
        if (interval == FIFTH || interval == 0)
            return RULE_HIDDEN;
    }
    return RULE_KEPT;
}

TVoiceRange voiceRange(int voice, int widening) {
    // C4 to G5, G3 to D5, C3 to G4, E2 to D4.
    static constexpr std::array<TVoiceRange, 4> ranges{{{20, 31}, {17, 28}, {13, 24}, {8, 21}}};
    const TVoiceRange& range = ranges[at(voice)];
    return {range.low - widening, range.high + widening};
}

namespace {

// The scale degree a chord tone lies on: 0 root, 1 third, 2 fifth, 3 seventh.
int degreeOfTone(const TChord& chord, int tone) {
    return (chord.base() - 1 + 2 * tone) % OCTAVE + 1;
}

bool holdsTonic(const TChord& chord) {
    for (int tone = 0; tone < chord.toneCount(); ++tone)
        if (degreeOfTone(chord, tone) == 1)
            return true;
    return false;
}

constexpr int SEVENTH_TONE = 3;
constexpr int LEADING_TONE_DEGREE = 7;

} // namespace

TSchoolRule firstBrokenSchoolRule(const TChord* previous, const TChord& chord, const TVoices& next,
                                  const TKey& key, int widening) {
    for (int v = 0; v < 4; ++v)
        if (!voiceRange(v, widening).contains(next[at(v)]))
            return SCHOOL_RANGE;
    if (previous == nullptr || !isPlacedVoicing(previous->voices()))
        return SCHOOL_KEPT;
    const TVoices& p = previous->voices();
    if (previous->toneCount() == 4) {
        const int seventh = degreeOfTone(*previous, SEVENTH_TONE);
        for (int v = 0; v < 4; ++v)
            if (key.degree(p[at(v)]) == seventh && next[at(v)] != p[at(v)] &&
                next[at(v)] != p[at(v)] - 1)
                return SCHOOL_SEVENTH;
    }
    if (holdsTonic(chord))
        for (int v : {SOPRANO, BASS})
            if (key.degree(p[at(v)]) == LEADING_TONE_DEGREE && next[at(v)] != p[at(v)] + 1)
                return SCHOOL_LEADING_TONE;
    return SCHOOL_KEPT;
}

void TChord::generateArrangements(const TKey& key, int low, int high) {
    arrangements_.assign(doublings_.size(), TChordArrangementMap{});
    maxPerSoprano_.assign(doublings_.size(), 0);
    // Voices outside the pitch range have no sound in the key.
    low = std::max(low, LOWEST_PITCH);
    high = std::min(high, HIGHEST_PITCH);

    const int tones = toneCount_ == 4 ? 4 : 3;
    TChordTonePosition start = lowestChordTone(key);
    while (start.pitch < low) {
        start.pitch += stepUpFrom(start.tone);
        start.tone = (start.tone + 1) % tones;
    }

    for (std::size_t d = 0; d < doublings_.size(); ++d) {
        TArrangementBuilder builder(*this, arrangements_[d]);
        for (TChordTonePosition s = start; s.pitch <= high;
             s = {s.pitch + stepUpFrom(s.tone), (s.tone + 1) % tones}) {
            const int inserted = builder.fromSoprano(s.pitch, s.tone, doublings_[d].counts);
            maxPerSoprano_[d] = std::max(maxPerSoprano_[d], inserted);
        }
    }
    motionFlags_.fill(true);
}

void TChord::testAgainst(const TVoices& previous, const TKey& key, int low, int high) {
    testVoicings(previous, key, low, high, nullptr);
}

void TChord::testAgainst(const TSchoolHarmony& school, const TKey& key, int low, int high) {
    const TVoices unvoiced{NO_PITCH, NO_PITCH, NO_PITCH, NO_PITCH};
    testVoicings(school.previous ? school.previous->voices() : unvoiced, key, low, high, &school);
}

void TChord::testVoicings(const TVoices& previous, const TKey& key, int low, int high,
                          const TSchoolHarmony* school) {
    const bool constrained = isPlacedVoicing(previous);
    const TChord* before = constrained && school ? school->previous : nullptr;
    motionFlags_.fill(!constrained);
    for (TChordArrangementMap& map : arrangements_) {
        for (auto& [soprano, arrangement] : map) {
            const bool inWindow = soprano >= low && soprano <= high;
            bool validSeen = false;
            for (int j = 0; j < arrangement.bassCount; ++j) {
                if (!inWindow) {
                    arrangement.bassValid[at(j)] = false;
                    continue;
                }
                const TVoices next{arrangement.soprano, arrangement.alto, arrangement.tenor,
                                   arrangement.bassCandidates[at(j)]};
                bool valid = !constrained || firstBrokenRule(previous, next, key) == RULE_KEPT;
                if (valid && school)
                    // Candidates stand highest first: the first valid one is nearest the tenor.
                    valid = !validSeen && firstBrokenSchoolRule(before, *this, next, key,
                                                                school->widening) == SCHOOL_KEPT;
                arrangement.bassValid[at(j)] = valid;
                validSeen = validSeen || valid;
                if (!valid || !constrained)
                    continue;
                const int from = previous[SOPRANO];
                const int to = arrangement.soprano;
                if (to < from)
                    motionFlags_[from - to > LEAP ? MOTION_LEAP_DOWN : MOTION_STEP_DOWN] = true;
                else if (to > from)
                    motionFlags_[to - from > LEAP ? MOTION_LEAP_UP : MOTION_STEP_UP] = true;
                else
                    motionFlags_[MOTION_SAME] = true;
                if (base_ == 1 && key.degree(to) == 1)
                    motionFlags_[MOTION_TONIC_SOPRANO] = true;
            }
        }
    }
}

int TChord::chooseBass(const TChordArrangement& arrangement) const {
    const int count = std::clamp(arrangement.bassCount, 0, 3);
    const auto& candidates = arrangement.bassCandidates;
    std::array<bool, 3> valid{};
    int validCount = 0;
    for (int j = 0; j < count; ++j)
        if ((valid[at(j)] = arrangement.bassValid[at(j)]))
            ++validCount;
    // Candidates stand highest first, so the lowest kept one is the last.
    auto lowest = [&](const std::array<bool, 3>& kept) {
        for (int j = count - 1; j >= 0; --j)
            if (kept[at(j)])
                return candidates[at(j)];
        return NO_PITCH;
    };
    if (validCount <= 1)
        return lowest(valid);

    std::array<bool, 3> near = valid;
    int nearCount = 0;
    for (int j = 0; j < count; ++j) {
        if (near[at(j)] && arrangement.tenor - candidates[at(j)] > MAX_BASS_BELOW_TENOR)
            near[at(j)] = false;
        nearCount += near[at(j)];
    }
    if (nearCount == 0)
        near = valid;
    else if (nearCount == 1)
        return lowest(near);
    if (prevBass_ == NO_PITCH)
        return lowest(near);

    // Move against the previous bass motion: up after a bass that did not rise, else not up.
    std::array<bool, 3> against{};
    for (int j = 0; j < count; ++j)
        against[at(j)] = near[at(j)] && (prevBassUp_ ? candidates[at(j)] <= prevBass_
                                                     : candidates[at(j)] > prevBass_);
    const int choice = lowest(against);
    return choice != NO_PITCH ? choice : lowest(near);
}

namespace {

// The first arrangement at `soprano` (in insertion order) with a valid bass, or nullptr.
const TChordArrangement* firstValidAt(const TChordArrangementMap& map, int soprano) {
    const auto [begin, end] = map.equal_range(soprano);
    for (auto it = begin; it != end; ++it)
        if (it->second.hasValidBass())
            return &it->second;
    return nullptr;
}

} // namespace

bool TChord::chooseVoicing(int targetSoprano) {
    for (const TChordArrangementMap& map : arrangements_) {
        const TChordArrangement* best = nullptr;
        for (int p = MIN_MELODY_PITCH; p <= MAX_MELODY_PITCH; ++p) {
            const TChordArrangement* found = firstValidAt(map, p);
            if (found &&
                (!best || std::abs(p - targetSoprano) < std::abs(best->soprano - targetSoprano)))
                best = found;
        }
        if (best) {
            voices_ = {best->soprano, best->alto, best->tenor, chooseBass(*best)};
            return true;
        }
    }
    return false;
}

bool TChord::canFollow() const {
    return std::any_of(motionFlags_.begin(), motionFlags_.begin() + MOTION_TONIC_SOPRANO,
                       [](bool flag) { return flag; });
}

bool TChord::hasValidArrangement() const {
    for (const TChordArrangementMap& map : arrangements_)
        for (int p = MIN_MELODY_PITCH; p <= MAX_MELODY_PITCH; ++p)
            if (firstValidAt(map, p))
                return true;
    return false;
}

int TChord::arrangementCount() const {
    int total = 0;
    for (int count : maxPerSoprano_)
        total += count;
    return total;
}
