#include "model/chord.h"
#include "model/chordcatalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

int floorMod(int a, int m) {
    return ((a % m) + m) % m;
}

// Pitch classes (0 = C) of a chord on `degree` with `tones` tones, from the scale alone: the
// tonic moves a fifth per sharp, the relative minor lies three semitones below its major.
std::set<int> theoryClasses(int sign, std::uint8_t mode, int degree, int tones) {
    const int majorSteps[7] = {0, 2, 4, 5, 7, 9, 11};
    const int minorSteps[7] = {0, 2, 3, 5, 7, 8, 11};
    const int* steps = mode == MINOR ? minorSteps : majorSteps;
    const int tonic = floorMod(7 * sign + (mode == MINOR ? 9 : 0), 12);
    std::set<int> classes;
    for (int k = 0; k < tones; ++k)
        classes.insert((tonic + steps[(degree - 1 + 2 * k) % 7]) % 12);
    return classes;
}

// Pitch classes of spelled notes such as "E G# B D".
std::set<int> spelled(const std::string& notes) {
    const int natural[7] = {9, 11, 0, 2, 4, 5, 7}; // A..G
    std::set<int> classes;
    std::istringstream in(notes);
    for (std::string note; in >> note;) {
        int pc = natural[note[0] - 'A'];
        for (std::size_t i = 1; i < note.size(); ++i)
            pc += note[i] == '#' ? 1 : -1;
        classes.insert(floorMod(pc, 12));
    }
    return classes;
}

std::set<int> soundingClasses(const TChord& chord, const TKey& key) {
    std::set<int> classes;
    for (int p : chord.chordTones(key))
        classes.insert(key.pitchTable()[static_cast<std::size_t>(p)] % 12);
    return classes;
}

// The tone map marks exactly the indices that sound one of `classes`, in every octave.
void expectMarksExactly(const TChord& chord, const TKey& key, const std::set<int>& classes) {
    const TToneMap map = chord.toneMap(key);
    for (int p = 0; p < PITCH_COUNT; ++p) {
        const bool expected = classes.count(key.pitchTable()[static_cast<std::size_t>(p)] % 12);
        ASSERT_EQ(map[static_cast<std::size_t>(p)], expected) << "index " << p;
    }
}

} // namespace

TEST(ChordTones, EveryCatalogueChordSoundsItsNotesInCMajorAndAMinor) {
    const TKey cMajor(0, MAJOR);
    const TKey aMinor(0, MINOR);
    for (const std::string& name : chordTypeNames()) {
        SCOPED_TRACE(name);
        const TChord chord = chordOfType(name);
        expectMarksExactly(chord, cMajor, theoryClasses(0, MAJOR, chord.base(), chord.toneCount()));
        expectMarksExactly(chord, aMinor, theoryClasses(0, MINOR, chord.base(), chord.toneCount()));
    }
}

TEST(ChordTones, EveryDegreeAndSizeIsRightInAllThirtyKeys) {
    for (int sign = -7; sign <= 7; ++sign)
        for (std::uint8_t mode : {MAJOR, MINOR})
            for (int degree = 1; degree <= 7; ++degree)
                for (int tones : {3, 4}) {
                    SCOPED_TRACE("sign " + std::to_string(sign) + " mode " + std::to_string(mode) +
                                 " degree " + std::to_string(degree) + " tones " +
                                 std::to_string(tones));
                    expectMarksExactly(TChord(degree, tones, 0), TKey(sign, mode),
                                       theoryClasses(sign, mode, degree, tones));
                }
}

TEST(ChordTones, SpelledExamples) {
    const TKey aMinor(0, MINOR);
    EXPECT_EQ(soundingClasses(chordOfType("DOMINANT_FOUR_CHORD"), aMinor), spelled("E G# B D"));
    EXPECT_EQ(soundingClasses(chordOfType("TOPINTRO_FOUR_CHORD"), aMinor), spelled("G# B D F"));
    EXPECT_EQ(soundingClasses(chordOfType("LOWM_SIXTH_CHORD"), aMinor), spelled("C E G#"));
    EXPECT_TRUE(chordOfType("DOMINANT_THREE_CHORD").isChordTone(aMinor, 3)); // G sharp
    EXPECT_EQ(soundingClasses(chordOfType("SUBDOMINANT_FOUR_CHORD"), TKey(-3, MAJOR)),
              spelled("Ab C Eb G"));
    EXPECT_EQ(soundingClasses(chordOfType("DOMINANT_THREE_CHORD"), TKey(1, MINOR)),
              spelled("B D# F#"));
}

TEST(ChordTones, MapStartsAtTheLowestToneAboveTheDStep) {
    const TKey cMajor(0, MAJOR);
    const std::vector<int> tonic{1, 3, 6, 8, 10, 13, 15, 17, 20};
    const auto tonicTones = chordOfType("TONIC_THREE_CHORD").chordTones(cMajor);
    EXPECT_EQ(std::vector<int>(tonicTones.begin(), tonicTones.begin() + 9), tonic);
    EXPECT_EQ(tonicTones.back(), 41);

    const auto dominant = chordOfType("DOMINANT_FOUR_CHORD").chordTones(cMajor);
    EXPECT_EQ(std::vector<int>(dominant.begin(), dominant.begin() + 8),
              (std::vector<int>{0, 2, 3, 5, 7, 9, 10, 12}));

    EXPECT_EQ(TChord(1, 3, 0).lowestChordTone(cMajor), (TChordTonePosition{1, 1}));
    EXPECT_EQ(TChord(5, 4, 0).lowestChordTone(cMajor), (TChordTonePosition{0, 2}));
    // In E minor the D step is the leading tone, the third of the dominant.
    EXPECT_EQ(TChord(5, 3, 0).lowestChordTone(TKey(1, MINOR)), (TChordTonePosition{0, 1}));
    EXPECT_EQ(TChord(1, 3, 0).lowestChordTone(TKey(1, MINOR)), (TChordTonePosition{1, 0}));
}

TEST(ChordTones, WalksStopAtTheEdgesOfTheRange) {
    const TKey cMajor(0, MAJOR);
    const TChord tonic = chordOfType("TONIC_THREE_CHORD");
    EXPECT_EQ(tonic.chordToneAbove(cMajor, 40, 1), 41);
    EXPECT_EQ(tonic.chordToneAbove(cMajor, 41, 1), NO_CHORD_TONE);
    EXPECT_EQ(tonic.chordToneAbove(cMajor, 36, 2), 41);
    EXPECT_EQ(tonic.chordToneAbove(cMajor, 36, 3), NO_CHORD_TONE);
    EXPECT_EQ(tonic.chordToneBelow(cMajor, 1, 1), NO_CHORD_TONE);
    EXPECT_EQ(tonic.chordToneBelow(cMajor, 3, 1), 1);
    EXPECT_EQ(tonic.nonChordToneAbove(cMajor, 41, 1), NO_CHORD_TONE);
    EXPECT_EQ(tonic.nonChordToneBelow(cMajor, 0, 1), NO_CHORD_TONE);
    EXPECT_EQ(tonic.nonChordToneBelow(cMajor, 1, 1), 0);
    EXPECT_FALSE(tonic.isChordTone(cMajor, NO_PITCH));
    EXPECT_FALSE(tonic.isChordTone(cMajor, PITCH_COUNT));
}

TEST(ChordTones, WalksCountTonesStrictlyBeyondTheStart) {
    const TKey cMajor(0, MAJOR);
    const TChord tonic = chordOfType("TONIC_THREE_CHORD");
    EXPECT_EQ(tonic.chordToneAbove(cMajor, 13, 1), 15);
    EXPECT_EQ(tonic.chordToneAbove(cMajor, 13, 3), 20);
    EXPECT_EQ(tonic.chordToneAbove(cMajor, 14, 1), 15); // from a non-chord tone
    EXPECT_EQ(tonic.chordToneBelow(cMajor, 13, 2), 8);
    EXPECT_EQ(tonic.nonChordToneAbove(cMajor, 13, 1), 14);
    EXPECT_EQ(tonic.nonChordToneAbove(cMajor, 14, 2), 18);
    EXPECT_EQ(tonic.nonChordToneBelow(cMajor, 15, 2), 12);
}

TEST(ChordRecord, ConstructionAndDump) {
    const TChord chord(5, 4, 2);
    EXPECT_EQ(chord.base(), 5);
    EXPECT_EQ(chord.toneCount(), 4);
    EXPECT_EQ(chord.bassTone(), 2);
    EXPECT_FALSE(chord.isVoiced());
    // Walking down from the root of a seventh chord reaches the seventh one step below.
    EXPECT_EQ(chord.stepDownFrom(0), 1);
    EXPECT_EQ(TChord(1, 3, 0).stepDownFrom(0), 3);

    std::ostringstream out;
    chord.dump(out);
    EXPECT_EQ(out.str(), "Chord: Base:5 Tone Count:4 Bass:2\n");
}
