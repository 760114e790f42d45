#pragma once

#include "midinotes.h"

#include <map>
#include <string>
#include <vector>

// A reading of a partwise MusicXML document that knows nothing of how it was written: the
// sounding notes (tied notes joined, pitches from step, alter and octave) and, for every
// measure of every part, how long each voice runs. Times are in ticks (120 to the quarter)
// from the start of the first measure; `channel` is the part's index.
struct TReadMeasure {
    std::string number;
    bool implicit = false;
    int length = 0;                  // the furthest position any voice reaches
    std::map<int, int> voiceLengths; // voice number -> notes, rests and forwards
};

struct TReadScore {
    std::vector<TSoundingNote> notes;
    std::vector<std::vector<TReadMeasure>> parts;
};

// Throws std::runtime_error on a document that does not parse.
TReadScore readMusicXml(const std::string& text);
