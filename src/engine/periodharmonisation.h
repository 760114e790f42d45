#pragma once

#include "engine/contextmotive.h"
#include "engine/harmonisation.h"
#include "model/period.h"
#include "model/random.h"

#include <string>
#include <vector>

// What happened to one motive of the period, in strip order.
struct TMotiveHarmonisation {
    int motive = 0; // position in strip order; -1 for a motive outside the period
    bool alreadyHarmonised = false;
    TMotiveContext context;
    THarmonisation outcome; // meaningful only when the motive was harmonised now
};

// The cells of the period strip in strip order, as the period panel builds them: each motive
// belongs to the group of its sentence's label number (1 to 4); nothing is selected.
std::vector<TContextCell> periodCells(const TPeriodData& period);

// Harmonises one motive where it stands, as every place that harmonises a single motive does
// (the canvas, the fast menu, the command line, and the period harmonisation for each of its
// motives). `stripContext` is where the period strip puts the motive (contextMotive over the
// strip's cells; a motive shown outside the strip follows the selected cell). With
// `schoolHarmony` a motive of `period` keeps the rules of school harmony: it closes its phrase as
// the period's form asks (motiveForm), opens its sentence from the chord sounding before it
// (formContext), and its voicings keep the rules autoHarmonise keeps under a form. The motive's
// chords are replaced whether it had chords or not.
TMotiveHarmonisation harmoniseMotive(TMotive& motive, const TPeriodData& period,
                                     const TMotiveContext& stripContext,
                                     const std::vector<std::string>& chordTypes,
                                     TRandomGenerator& random, bool schoolHarmony = false);

// Harmonises, in strip order, every motive that is not harmonised yet, each in the context the
// period panel would give it; harmonised motives stay as they are. With `schoolHarmony` the
// rules of school harmony hold: the phrases close as the period's form asks (periodForms), the
// voices run on across sentence boundaries (formContext), and the voicings keep the rules that
// autoHarmonise keeps under a form.
std::vector<TMotiveHarmonisation> harmonisePeriod(TPeriodData& period,
                                                  const std::vector<std::string>& chordTypes,
                                                  TRandomGenerator& random,
                                                  bool schoolHarmony = false);
