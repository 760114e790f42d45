#pragma once

#include "engine/rhythmlayout.h"
#include "engine/schemecommand.h"
#include "engine/turn.h"
#include "model/measure.h"
#include "model/random.h"

class TScheme;

// Writes rhythm and pitch schemes of a musical category into its scheme: short or long
// durations, uniform or jerky rhythm, chord or non-chord turns and so on, with a contrast
// form of each category that reads the Motive for Contrast. Holds no state of its own: the
// scheme runs its commands through it (TScheme::runCommand).
class TSchemeGenerator {
public:
    // Runs a TSchemeCommand (0..39) on `scheme`. `inOrder` is the mode of the half it writes.
    // Returns the category button to show pressed (contrast commands only), otherwise -1.
    int run(int command, TScheme& scheme, const TMeasure& measure, bool inOrder);

private:
    int runRhythmCommand(int command, TScheme& scheme, const TMeasure& measure, bool inOrder);
    int runPitchCommand(int command, TScheme& scheme, bool inOrder);

    void sizeGenerator(TScheme& scheme, bool small, const TMeasure& measure, bool inOrder);
    void volumeGenerator(TScheme& scheme, bool one, const TMeasure& measure, bool inOrder);
    // Uniformity, dynamics and rests: in-order layouts with their own filler.
    void layoutGenerator(TScheme& scheme, int command, const TMeasure& measure);
    void choiceTurnGenerator(TScheme& scheme, const TTurns& source, int command, bool inOrder);
    void figureGenerator(TScheme& scheme, bool uniform);
    void alternationGenerator(TScheme& scheme, bool chordFirst);

    int rhythmContrast(int command, TScheme& scheme, const TMeasure& measure, bool inOrder);
    int pitchContrast(int command, TScheme& scheme, bool inOrder);
};

// The fillers of the category generators, exposed for their tests.
void uniformityFill(TDurations& out, int from, int to, bool uniform, TRandomGenerator& random);
void dynamicsFill(TDurations& out, int from, int to, bool shrinking, TRandomGenerator& random);
void restFill(TDurations& out, int from, int to, bool withRests, TRandomGenerator& random);
