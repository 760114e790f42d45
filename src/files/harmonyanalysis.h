#pragma once

#include "model/chord.h"
#include "model/key.h"

#include <string>

// How a chord of the catalogue reads in a harmony analysis: its Roman numeral and the figures
// as the chord buttons show them, and the chord's quality in its key.
struct THarmonyAnalysis {
    int degree = 1;           // scale degree of the root, 1..7
    std::string numeral;      // "I" ... "VII", or "K" for the cadential six-four
    std::string figure;       // "53", "6", "64", "7", "65", "43" or "2"
    int inversion = 0;        // the chord tone in the bass: 0 root, 1 third, 2 fifth, 3 seventh
    std::string kind;         // the quality: "major", "minor", "diminished", "dominant", ...
    bool raisedFifth = false; // a major seventh over an augmented triad (III7 of minor)
};

// The figure of a chord with `toneCount` tones and tone `bassTone` in the bass.
std::string chordFigure(int toneCount, int bassTone);

THarmonyAnalysis analyseChord(const TChord& chord, const TKey& key);
