// Random chord successions in random keys, checked against the school rules written out here
// from the music rather than from the voicing code.
#include "model/chord.h"
#include "model/chordcatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

int floorMod(int a, int m) {
    return ((a % m) + m) % m;
}

int sign(int x) {
    return (x > 0) - (x < 0);
}

// Semitones above the tonic of each scale degree.
constexpr std::array<int, 7> majorScale{0, 2, 4, 5, 7, 9, 11};
constexpr std::array<int, 7> harmonicMinorScale{0, 2, 3, 5, 7, 8, 11};

int tonicClass(const TKey& key) {
    return floorMod(7 * key.sign() + (key.isMinor() ? 9 : 0), 12);
}

// The pitch class of each chord tone (root, third, fifth, seventh), from the scale alone.
std::vector<int> toneClasses(const TChord& chord, const TKey& key) {
    const auto& scale = key.isMinor() ? harmonicMinorScale : majorScale;
    std::vector<int> classes;
    for (int k = 0; k < chord.toneCount(); ++k)
        classes.push_back(
            (tonicClass(key) + scale[static_cast<std::size_t>((chord.base() - 1 + 2 * k) % 7)]) %
            12);
    return classes;
}

int toneOf(int pitch, const std::vector<int>& classes, const TKey& key) {
    const int pc = key.midiNote(pitch) % 12;
    const auto it = std::find(classes.begin(), classes.end(), pc);
    return it == classes.end() ? -1 : static_cast<int>(it - classes.begin());
}

// Size of the major or perfect interval spanning `steps` diatonic steps; one semitone more is
// augmented.
bool isAugmented(int steps, int semitones) {
    return steps >= 1 && steps <= 6 && semitones == majorScale[static_cast<std::size_t>(steps)] + 1;
}

bool isPerfectClass(int steps) {
    return steps % 7 == 0 || steps % 7 == 4;
}

// Does `to` follow `from` by the school rules? Both voicings are ordered top to bottom.
bool followsByTheRules(const TVoices& from, const TVoices& to, const TKey& key) {
    int leaping = 0;
    for (int v = 0; v < 4; ++v)
        leaping += std::abs(to[v] - from[v]) >= 3;
    if (leaping >= 3)
        return false;

    // Each voice stays between the old positions of its neighbours.
    for (int v = 0; v < 4; ++v) {
        if (v > 0 && to[v] > from[v - 1])
            return false;
        if (v < 3 && to[v] < from[v + 1])
            return false;
    }

    std::set<int> directions;
    for (int v = 0; v < 4; ++v)
        directions.insert(sign(to[v] - from[v]));
    if (directions.size() == 1)
        return false;

    for (int hi = 0; hi < 4; ++hi)
        for (int lo = hi + 1; lo < 4; ++lo) {
            const bool held = to[hi] == from[hi] && to[lo] == from[lo];
            const int before = from[hi] - from[lo];
            const int after = to[hi] - to[lo];
            if (!held && isPerfectClass(before) && before % 7 == after % 7)
                return false;
        }

    for (int v = 0; v < 4; ++v)
        if (isAugmented(std::abs(to[v] - from[v]),
                        std::abs(key.midiNote(to[v]) - key.midiNote(from[v]))))
            return false;

    const int sopranoMove = sign(to[0] - from[0]);
    if (sopranoMove != 0 && sopranoMove == sign(to[3] - from[3]) && isPerfectClass(to[0] - to[3]))
        return false;
    return true;
}

int motionOf(int from, int to) {
    const int d = to - from;
    if (d == 0)
        return MOTION_SAME;
    if (d > 0)
        return d <= 2 ? MOTION_STEP_UP : MOTION_LEAP_UP;
    return d >= -2 ? MOTION_STEP_DOWN : MOTION_LEAP_DOWN;
}

std::vector<TVoices> everyVoicing(const TChord& chord) {
    std::vector<TVoices> all;
    for (const auto& map : chord.arrangements())
        for (const auto& [soprano, a] : map)
            for (int j = 0; j < a.bassCount; ++j)
                all.push_back({a.soprano, a.alto, a.tenor, a.bassCandidates[j]});
    return all;
}

// Checks one arrangement's shape: window, order, spacing, doubling and bass candidates.
void checkShape(const TChord& chord, const TKey& key, const TChordArrangement& a, int low, int high,
                const std::vector<int>& classes) {
    ASSERT_GE(a.soprano, low);
    ASSERT_LE(a.soprano, high);
    ASSERT_GE(a.soprano, a.alto);
    ASSERT_GE(a.alto, a.tenor);
    ASSERT_GE(a.bassCount, 1);
    ASSERT_LE(a.bassCount, 3);

    const int upperGap = a.soprano - a.alto;
    const int lowerGap = a.alto - a.tenor;
    ASSERT_LE(upperGap, 7);
    ASSERT_LE(lowerGap, 7);
    const bool upperClose = upperGap <= 3;
    const bool lowerClose = lowerGap <= 3;
    if (a.spacing == SPACING_CLOSE)
        ASSERT_TRUE(upperClose && lowerClose);
    else if (a.spacing == SPACING_OPEN)
        ASSERT_TRUE(!upperClose && !lowerClose);
    else
        ASSERT_NE(upperClose, lowerClose);

    std::array<int, 4> counts{};
    for (int pitch : {a.soprano, a.alto, a.tenor}) {
        const int tone = toneOf(pitch, classes, key);
        ASSERT_GE(tone, 0) << "upper voice " << pitch << " is not a chord tone";
        ++counts[static_cast<std::size_t>(tone)];
    }
    const auto& doublings = chord.doublings();
    ASSERT_TRUE(std::any_of(doublings.begin(), doublings.end(),
                            [&](const TDoubling& d) { return d.counts == counts; }));

    // The highest bass lies at most an octave under the tenor; the others octaves lower, down
    // to the bottom of the range.
    const int top = a.bassCandidates[0];
    ASSERT_LE(top, a.tenor);
    ASSERT_GT(top + 7, a.tenor);
    ASSERT_EQ(a.bassCount, std::min(3, top / 7 + 1));
    for (int j = 0; j < a.bassCount; ++j) {
        const int bass = a.bassCandidates[static_cast<std::size_t>(j)];
        ASSERT_EQ(bass, top - 7 * j);
        ASSERT_GE(bass, 0);
        ASSERT_EQ(toneOf(bass, classes, key), chord.bassTone());
    }
}

TEST(VoicingProperty, EveryValidVoicingKeepsTheRulesInRandomSuccessions) {
    std::mt19937 rng(20240611);
    const std::vector<std::string>& names = chordTypeNames();
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };

    int pairs = 0;
    int followed = 0;
    long validVoicings = 0;
    while (pairs < 10000) {
        const TKey key(pick(15) - 7, pick(2) == 0 ? MAJOR : MINOR);
        TChord previous = chordOfType(names[static_cast<std::size_t>(pick(29))]);
        TChord next = chordOfType(names[static_cast<std::size_t>(pick(29))]);
        if (!previous.isAvailableIn(key) || !next.isAvailableIn(key))
            continue;

        previous.generateArrangements(key, MIN_MELODY_PITCH, MAX_MELODY_PITCH);
        const std::vector<TVoices> previousVoicings = everyVoicing(previous);
        ASSERT_FALSE(previousVoicings.empty()) << previous.name();
        const TVoices from = previousVoicings[static_cast<std::size_t>(
            pick(static_cast<int>(previousVoicings.size())))];

        const int low = std::max(from[0] - 7, MIN_MELODY_PITCH);
        const int high = std::min(from[0] + 7, MAX_MELODY_PITCH);
        next.generateArrangements(key, low, high);
        next.testAgainst(from, key, low, high);
        ++pairs;

        const std::vector<int> classes = toneClasses(next, key);
        std::array<bool, 6> expectedFlags{};
        for (const auto& map : next.arrangements()) {
            for (const auto& [soprano, a] : map) {
                checkShape(next, key, a, low, high, classes);
                if (testing::Test::HasFatalFailure())
                    FAIL() << next.name() << " in key " << key.sign() << "/" << int(key.mode());
                for (int j = 0; j < a.bassCount; ++j) {
                    const TVoices to{a.soprano, a.alto, a.tenor,
                                     a.bassCandidates[static_cast<std::size_t>(j)]};
                    const bool valid = a.bassValid[static_cast<std::size_t>(j)];
                    ASSERT_EQ(valid, followsByTheRules(from, to, key))
                        << previous.name() << " -> " << next.name() << " from " << from[0] << ","
                        << from[1] << "," << from[2] << "," << from[3] << " to " << to[0] << ","
                        << to[1] << "," << to[2] << "," << to[3];
                    if (!valid)
                        continue;
                    ++validVoicings;
                    expectedFlags[static_cast<std::size_t>(motionOf(from[0], to[0]))] = true;
                    if (next.base() == 1 && key.midiNote(to[0]) % 12 == tonicClass(key))
                        expectedFlags[MOTION_TONIC_SOPRANO] = true;
                }
            }
        }
        ASSERT_EQ(next.motionFlags(), expectedFlags) << previous.name() << " -> " << next.name();

        if (next.canFollow()) {
            ++followed;
            ASSERT_TRUE(next.chooseVoicing(from[0]));
            ASSERT_TRUE(followsByTheRules(from, next.voices(), key));
        }
    }
    // The run must exercise both outcomes to mean anything.
    EXPECT_GT(followed, pairs / 2);
    EXPECT_LT(followed, pairs);
    EXPECT_GT(validVoicings, pairs);
}

TEST(VoicingProperty, WholeRangeArrangementsOfEveryTypeInEveryKeyAreWellFormed) {
    for (int sign = -7; sign <= 7; ++sign) {
        for (std::uint8_t mode : {MAJOR, MINOR}) {
            const TKey key(sign, mode);
            for (const std::string& name : chordTypeNames()) {
                TChord chord = chordOfType(name);
                chord.generateArrangements(key, MIN_MELODY_PITCH, MAX_MELODY_PITCH);
                const std::vector<int> classes = toneClasses(chord, key);
                for (std::size_t d = 0; d < chord.arrangements().size(); ++d) {
                    int most = 0;
                    for (int p = MIN_MELODY_PITCH; p <= MAX_MELODY_PITCH; ++p)
                        most = std::max(most, static_cast<int>(chord.arrangements()[d].count(p)));
                    ASSERT_EQ(chord.maxPerSoprano()[d], most) << name;
                    for (const auto& [soprano, a] : chord.arrangements()[d]) {
                        checkShape(chord, key, a, MIN_MELODY_PITCH, MAX_MELODY_PITCH, classes);
                        if (testing::Test::HasFatalFailure())
                            FAIL() << name << " in key " << sign << "/" << int(mode);
                    }
                }
                ASSERT_GT(chord.arrangementCount(), 0) << name;
                ASSERT_TRUE(chord.hasValidArrangement()) << name;
            }
        }
    }
}

} // namespace
