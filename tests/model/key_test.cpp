#include "model/diagnostics.h"
#include "model/key.h"
#include "model/measure.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// Pitch class (0 = C) of each letter C..B, natural.
constexpr int naturalClass[7] = {0, 2, 4, 5, 7, 9, 11};

struct KeyCase {
    int sign;
    std::uint8_t mode;
    int tonicLetter; // 0 = C ... 6 = B
    int tonicAlteration;
};

// The 30 keys, spelled from music theory independently of the key tables.
const KeyCase allKeys[] = {
    {-7, MAJOR, 0, -1}, {-6, MAJOR, 4, -1}, {-5, MAJOR, 1, -1}, {-4, MAJOR, 5, -1},
    {-3, MAJOR, 2, -1}, {-2, MAJOR, 6, -1}, {-1, MAJOR, 3, 0},  {0, MAJOR, 0, 0},
    {1, MAJOR, 4, 0},   {2, MAJOR, 1, 0},   {3, MAJOR, 5, 0},   {4, MAJOR, 2, 0},
    {5, MAJOR, 6, 0},   {6, MAJOR, 3, 1},   {7, MAJOR, 0, 1},   {-7, MINOR, 5, -1},
    {-6, MINOR, 2, -1}, {-5, MINOR, 6, -1}, {-4, MINOR, 3, 0},  {-3, MINOR, 0, 0},
    {-2, MINOR, 4, 0},  {-1, MINOR, 1, 0},  {0, MINOR, 5, 0},   {1, MINOR, 2, 0},
    {2, MINOR, 6, 0},   {3, MINOR, 3, 1},   {4, MINOR, 0, 1},   {5, MINOR, 4, 1},
    {6, MINOR, 1, 1},   {7, MINOR, 5, 1},
};

int floorMod(int a, int m) {
    return ((a % m) + m) % m;
}

} // namespace

// Every key's table sounds its scale: each index is a step of the (harmonic minor) scale,
// index 0 is the D step of the second octave below middle C, and the degrees follow.
TEST(KeyTables, EveryKeySoundsItsScale) {
    const int majorSteps[7] = {0, 2, 4, 5, 7, 9, 11};
    const int minorSteps[7] = {0, 2, 3, 5, 7, 8, 11};
    for (const KeyCase& c : allKeys) {
        SCOPED_TRACE("sign " + std::to_string(c.sign) + (c.mode == MINOR ? " minor" : " major"));
        TKey key(c.sign, c.mode);
        const int tonicClass = floorMod(naturalClass[c.tonicLetter] + c.tonicAlteration, 12);
        const int* steps = c.mode == MINOR ? minorSteps : majorSteps;
        // The D step is the letter D with whatever the scale does to it.
        const int dDegree = floorMod(1 - c.tonicLetter, 7) + 1;
        EXPECT_EQ(key.dDegree(), dDegree);
        for (int i = 0; i < PITCH_COUNT; ++i) {
            const int degree = floorMod(i + dDegree - 1, 7) + 1;
            ASSERT_EQ(key.degree(i), degree);
            const int expectedClass = floorMod(tonicClass + steps[degree - 1], 12);
            ASSERT_EQ(floorMod(key.pitchTable()[i], 12), expectedClass) << "index " << i;
            if (i > 0) {
                const int rise = key.pitchTable()[i] - key.pitchTable()[i - 1];
                ASSERT_GE(rise, 1);
                ASSERT_LE(rise, 3);
            }
        }
        // Index 0 lies within a semitone or two of D1 (MIDI 26); index 7 is an octave higher.
        EXPECT_GE(key.pitchTable()[0], 24);
        EXPECT_LE(key.pitchTable()[0], 28);
        EXPECT_EQ(key.pitchTable()[7] - key.pitchTable()[0], 12);
    }
}

TEST(KeyTables, KnownValues) {
    TKey cMajor(0, MAJOR);
    EXPECT_EQ(cMajor.pitchTable()[13], 48);
    EXPECT_EQ(cMajor.pitchTable()[34], 84);
    EXPECT_EQ(cMajor.pitchTable()[22], 64);

    TKey aMinor(0, MINOR);
    EXPECT_EQ(aMinor.dDegree(), 4);
    EXPECT_EQ(aMinor.pitchTable()[3], 32);

    EXPECT_EQ(TKey(1, MAJOR).dDegree(), 5);
    EXPECT_EQ(TKey(1, MAJOR).pitchTable()[2], 30);
    EXPECT_EQ(TKey(-2, MAJOR).dDegree(), 3);
    EXPECT_EQ(TKey(-2, MAJOR).pitchTable()[0], 26);
    EXPECT_EQ(TKey(-4, MAJOR).pitchTable()[0], 25);
    EXPECT_EQ(TKey(4, MAJOR).pitchTable()[0], 27);
    EXPECT_EQ(TKey(4, MAJOR).dDegree(), 7);

    EXPECT_EQ(TKey(1, MINOR).pitchTable()[0], 27);
    EXPECT_EQ(TKey(1, MINOR).pitchTable()[1], 28);
    EXPECT_EQ(TKey(-6, MINOR).pitchTable()[0], 26);
    EXPECT_EQ(TKey(-6, MINOR).pitchTable()[1], 27);
}

TEST(KeyDegrees, WrapAndRaisedSeventh) {
    TKey cMajor(0, MAJOR);
    EXPECT_EQ(cMajor.degree(6), 1);
    EXPECT_EQ(cMajor.degree(5), 7);
    EXPECT_FALSE(cMajor.isRaisedSeventh(5));
    EXPECT_TRUE(TKey(0, MINOR).isRaisedSeventh(3));
    EXPECT_EQ(cMajor.degree(-1), 1); // the C below the lowest D
}

TEST(KeyAccidentals, AlteredNotesAgainstTheSignature) {
    EXPECT_EQ(TKey(0, MINOR).accidentalFor(3, ALTER_RAISE), ACC_SHARP);    // G sharp in A minor
    EXPECT_EQ(TKey(-2, MINOR).accidentalFor(2, ALTER_RAISE), ACC_SHARP);   // F sharp in G minor
    EXPECT_EQ(TKey(-3, MINOR).accidentalFor(5, ALTER_RAISE), ACC_NATURAL); // B in C minor
    EXPECT_EQ(TKey(1, MAJOR).accidentalFor(2, ALTER_RAISE), ACC_DOUBLE_SHARP);
    EXPECT_EQ(TKey(1, MAJOR).accidentalFor(2, ALTER_LOWER), ACC_NATURAL);
    EXPECT_EQ(TKey(-1, MAJOR).accidentalFor(5, ALTER_LOWER), ACC_DOUBLE_FLAT);
    EXPECT_EQ(TKey(0, MAJOR).accidentalFor(5, ALTER_LOWER), ACC_FLAT);
    for (int sign = -7; sign <= 7; ++sign)
        for (int p = 0; p < PITCH_COUNT; ++p)
            ASSERT_EQ(TKey(sign, MINOR).accidentalFor(p, ALTER_NONE), ACC_NONE);
}

// The raised seventh of every minor key is drawn with the accidental that raises it.
TEST(KeyAccidentals, EveryMinorLeadingToneGetsARaisingSign) {
    for (int sign = -7; sign <= 7; ++sign) {
        TKey key(sign, MINOR);
        for (int p = 13; p <= 34; ++p) {
            if (!key.isRaisedSeventh(p))
                continue;
            const int acc = key.accidentalFor(p, ALTER_RAISE);
            EXPECT_TRUE(acc == ACC_SHARP || acc == ACC_DOUBLE_SHARP || acc == ACC_NATURAL) << sign;
        }
    }
}

TEST(KeyIdentity, ModeAndSignatureBothCount) {
    EXPECT_NE(TKey(0, MAJOR), TKey(0, MINOR));
    EXPECT_EQ(TKey(3, MINOR), TKey(3, MINOR));
    TKey copy;
    copy = TKey(-5, MINOR);
    EXPECT_EQ(copy.pitchTable(), TKey(-5, MINOR).pitchTable());
}

TEST(KeyIdentity, DumpNamesModeAndSignature) {
    std::ostringstream out;
    TKey(-3, MINOR).dump(out);
    TMeasure(3, 120).dump(out);
    EXPECT_EQ(out.str(), "Tonalnost: Minor -3\nMeasure:3/120\n");
}

TEST(Measure, BarLinesAndMeasureIndices) {
    TMeasure threeFour(3, 120);
    EXPECT_EQ(threeFour.ticksPerMeasure(), 360);
    EXPECT_EQ(TMeasure().ticksPerMeasure(), 240);
    EXPECT_TRUE(threeFour.isBarTime(0));
    EXPECT_TRUE(threeFour.isBarTime(360));
    EXPECT_FALSE(threeFour.isBarTime(120));
    EXPECT_EQ(threeFour.measureIndexOf(359), 0);
    EXPECT_EQ(threeFour.measureIndexOf(360), 1);
    EXPECT_EQ(threeFour.measureStartOf(500), 360);
    EXPECT_EQ(threeFour.displayWidth(), 4 * 3 * 23 + 19);
}
