#pragma once

#include "engine/contextmotive.h"
#include "engine/motiveform.h"
#include "model/motive.h"
#include "model/random.h"

#include <string>
#include <vector>

// What automatic harmonisation achieved for one motive.
struct THarmonisation {
    int segments = 0; // measure segments of the motive
    // The first segment for which no chord type could follow the chord before it within the
    // voice range; it and the later segments have no chord. -1 when every segment has one.
    int firstUnharmonised = -1;
    // With a form: why a chord could not be what the form asks for, one line per chord; the
    // design's draw chose it then. Empty when the form was met.
    // Under school harmony also where no chord could keep its rules.
    std::vector<std::string> unmetForm;
    // Under school harmony: chords voiced with the voice ranges a step wider, as no voicing
    // fitted them.
    int widenedRanges = 0;

    bool complete() const { return firstUnharmonised < 0; }
};

// Replaces the motive's chords by one voiced chord per measure segment, each led from the
// chord before it by the school rules, then notifies the motive's listener once.
//
// `preceding` is the motive the harmony continues from (null for none) and `context` where the
// motive stands (contextMotive). Candidates are the types of `chordTypes` that may follow the
// previous chord's order in the motive's key. The first motive of the period opens with the
// dominant (upbeat measure) and the tonic; otherwise `random` picks among the candidates.
//
// A motive starting a new sentence after an upbeat keeps its carried-over upbeat chord, and
// the chord after it is still led from it: the two sound one after the other. Only the
// harmonic order starts afresh.
THarmonisation autoHarmonise(TMotive& motive, const TMotive* preceding, TContextCode context,
                             const std::vector<std::string>& chordTypes, TRandomGenerator& random);

// The same with cadences at phrase ends: the chords are chosen among the candidates as `form`
// asks (first-motive preference, then the form's preferred chord, then the draw, always
// keeping the form's next demands reachable), and a motive opening a sentence without an
// upbeat (CONTEXT_NEW_GROUP with `preceding` given) is led from the preceding motive's last
// chord, its harmonic order starting afresh. Where the form cannot be met the draw decides
// and the result and the diagnostic stream say why. A null form is the design's behaviour.
THarmonisation autoHarmonise(TMotive& motive, const TMotive* preceding, TContextCode context,
                             const std::vector<std::string>& chordTypes, TRandomGenerator& random,
                             const TMotiveForm* form);

// The chords that may stand at `time` (a measure start) of the motive, voiced and led from the
// chord sounding before it (the motive's own, else the preceding motive's last) by the same
// rules as autoHarmonise, in candidate order. Empty when no chord type can follow. With
// `school` only the chords and voicings school harmony allows are offered (in the voice ranges,
// else a step wider), and the voices run on across a sentence boundary; where none keeps its
// rules, those the voice-leading rules alone allow.
std::vector<TChord> chordVariantsAt(const TMotive& motive, int time, const TMotive* preceding,
                                    TContextCode context,
                                    const std::vector<std::string>& chordTypes,
                                    bool school = false);
