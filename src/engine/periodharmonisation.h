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
// strip's cells; a motive shown outside the strip follows the selected cell). With `cadences`
// a motive of `period` closes its phrase as the period's form asks (motiveForm) and opens its
// sentence from the chord sounding before it (formContext). The motive's chords are replaced
// whether it had chords or not.
TMotiveHarmonisation harmoniseMotive(TMotive& motive, const TPeriodData& period,
                                     const TMotiveContext& stripContext,
                                     const std::vector<std::string>& chordTypes,
                                     TRandomGenerator& random, bool cadences = false);

// Harmonises, in strip order, every motive that is not harmonised yet, each in the context the
// period panel would give it; harmonised motives stay as they are. With `cadences` the phrases
// close as the period's form asks (periodForms) and the voices run on across sentence
// boundaries (formContext).
std::vector<TMotiveHarmonisation> harmonisePeriod(TPeriodData& period,
                                                  const std::vector<std::string>& chordTypes,
                                                  TRandomGenerator& random, bool cadences = false);
