#pragma once

#include "model/chord.h"
#include "model/key.h"

#include <string>

// How a chord of the catalogue reads in a harmony analysis, in the usual convention: a Roman
// numeral upper case for a major (or augmented) triad, lower case for a minor or diminished
// one, a degree sign for diminished, a slashed o for half-diminished, a plus for augmented, and
// the inversion as its figured-bass figures (none for a root-position triad). The cadential
// six-four is the tonic six-four it is voiced as: I⁶₄ (i⁶₄ in minor).
struct THarmonyAnalysis {
    int degree = 1;           // scale degree of the root, 1..7
    std::string numeral;      // with case and quality sign: "V", "ii", "vii°", "iiø", "III+"
    std::string figure;       // "", "6", "64", "7", "65", "43" or "42"
    int inversion = 0;        // the chord tone in the bass: 0 root, 1 third, 2 fifth, 3 seventh
    std::string kind;         // the quality: "major", "minor", "diminished", "dominant", ...
    bool raisedFifth = false; // a major seventh over an augmented triad (III7 of minor)
    bool cadential = false;   // the cadential six-four
};

// The figure of a chord with `toneCount` tones and tone `bassTone` in the bass.
std::string chordFigure(int toneCount, int bassTone);

THarmonyAnalysis analyseChord(const TChord& chord, const TKey& key);

// The analysis as printed (UTF-8): the numeral with the upper figure raised and the lower one
// lowered, "V⁶₅", "ii°⁶", "I".
std::string analysisText(const THarmonyAnalysis& analysis);
