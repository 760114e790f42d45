#pragma once

#include "files/harmonyanalysis.h"
#include "model/chord.h"
#include "model/key.h"
#include "model/measure.h"
#include "model/period.h"

#include <array>
#include <string>
#include <vector>

// The period laid out as a score: measures of written notes and rests, cut at the bar lines
// and tied across them, for the melody and the four voices of the chords. Times are ticks on
// the clock of the MIDI export, so that a note lies exactly where it sounds; with an upbeat the
// score starts at the pickup, which is the last `zatakt` ticks of measure 0.

// A pitch as written: letter ('C' ... 'B'), alteration in semitones and octave (4 = the octave
// from middle C up).
struct TWrittenPitch {
    char step = 'C';
    int alter = 0;
    int octave = 4;
};

// How a pitch index is written in a key: index 0 is always a D, each index one letter higher,
// altered as far as the key's table makes it sound.
TWrittenPitch writtenPitch(const TKey& key, int pitch);
// The same for a pitch index that sounds as MIDI note `midi`.
TWrittenPitch writtenPitch(int pitch, int midi);

// The alteration the key signature gives a letter.
int signatureAlter(const TKey& key, char step);

// One written note, rest or invisible gap of a voice, at most one note value long.
struct TWrittenNote {
    int time = 0;
    int length = 0;       // 30 ... 480 ticks, a plain or dotted note value (a whole measure for a
                          // measure rest)
    int pitch = NO_PITCH; // NO_PITCH for rests and gaps
    int midi = 0;         // what the pitch sounds as in its motive's key
    bool gap = false;     // nothing is written: the voice is silent here
    bool measureRest = false; // a rest that fills its whole measure
    bool tieStart = false;    // tied to the next note
    bool tieStop = false;     // continues the previous note
    bool showAccidental = false;
};

// A chord's place in the analysis.
struct TWrittenHarmony {
    int time = 0;
    THarmonyAnalysis analysis; // read in the score's key
};

enum class TBarline { Plain, Double, Final };

inline constexpr int MELODY_VOICE = 4; // index after the four chord voices

struct TScoreMeasure {
    int number = 1; // 0 for the pickup
    int start = 0;
    int length = 0; // the upbeat for the pickup, else the ticks per measure
    bool implicit = false;
    // Soprano, alto, tenor, bass, then the melody.
    std::array<std::vector<TWrittenNote>, 5> voices;
    std::vector<TWrittenHarmony> harmonies;
    std::vector<std::pair<int, std::string>> marks; // phrase letters: time, text
    TBarline barline = TBarline::Plain;
};

struct TScoreLayout {
    TKey key;
    TMeasure measure;
    int tempo = DEFAULT_TEMPO;
    // Ticks of the smallest unit that measures every time and length of the score: 30 (a
    // sixteenth) for everything the program writes, less for an upbeat off that grid.
    int divisionTicks = TICKS_PER_SIXTEENTH;
    std::vector<TScoreMeasure> measures;
};

// The written values a length is made of, largest first: 480, 360, 240, 180, 120, 90, 60, 45,
// 30, 15, then whatever is left.
std::vector<int> writtenValues(int length);

TScoreLayout layoutScore(const TPeriodData& period);
