#pragma once

#include "engine/harmonisation.h"
#include "engine/scheme.h"
#include "engine/turn.h"
#include "model/period.h"

#include <functional>
#include <optional>
#include <vector>

// What composing did to one motive of the strip.
struct TGeneratedMotive {
    int motive = 0; // position in strip order
    bool harmonisedNow = false;
    THarmonisation harmonisation; // meaningful only when harmonised now
    bool generated = false;       // false when the motive could not be harmonised
};

// The beacons of the contour mode when the user draws none: pitch 22 on every sixteenth of the
// motive, from its first tick.
TLights defaultContour(const TMotive& motive);

// Told after each motive without notes, with how many of them are done and how many there are.
using TCompositionProgress = std::function<void(int done, int total)>;

// Gives every motive without notes, in strip order, a harmony (when it has none, led on from the
// motive before it as the harmonisation of a period does) and notes generated from the scheme's
// rhythm and pitch schemes along `contour` (beacon times counted from each motive's first tick),
// or along the default contour without one. A motive whose harmony cannot be completed gets no
// notes. Motives with notes stay as they are.
std::vector<TGeneratedMotive> composeEmptyMotives(TPeriodData& period, TScheme& scheme,
                                                  bool schoolHarmony,
                                                  const std::optional<TLights>& contour = {},
                                                  const TCompositionProgress& progress = {});
