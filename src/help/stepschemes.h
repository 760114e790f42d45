#pragma once

// Needs no Qt: the composer of the example period reads it too.

#include "engine/rhythmlayout.h"
#include "engine/schemecommand.h"
#include "engine/turn.h"
#include "model/duration.h"

#include <optional>
#include <vector>

// The schemes a step of the step-by-step help says its motive was made from. The composer of
// the example makes the motive from them, and the step shows them in the scheme panel, so that
// the page, the example and the panel tell the same story.
struct TStepSchemes {
    // Gathered by hand: the durations dragged into the rhythm gatherer in order, the turns
    // dragged into the pitch gatherer as a set.
    TDurations durations;
    TTurns turns;
    // Or: the motive of this cell became the Motive for Contrast of both sets, and these
    // contrast commands were pressed (-1: schemes gathered by hand).
    int contrastCell = -1;
    std::vector<int> contrastCommands;
};

// The rhythm mode and pitch mode of schemes gathered by hand.
inline constexpr bool STEP_DURATIONS_IN_ORDER = true;
inline constexpr bool STEP_TURNS_IN_ORDER = false;

// Nothing for a step whose motive was developed from another one.
inline std::optional<TStepSchemes> stepSchemes(int step) {
    switch (step) {
    case 0:
        return TStepSchemes{{QUARTER, EIGHTH, EIGHTH, QUARTER}, {PASSING, CHORD_LEAP_1}, -1, {}};
    case 1:
        return TStepSchemes{{}, {}, 0, {CONTRAST_SHORT_LONG, CONTRAST_SMALL_LARGE_TURNS}};
    case 3:
        return TStepSchemes{{EIGHTH, EIGHTH, HALF}, {PASSING, NEIGHBOUR, CHORD_LEAP_1}, -1, {}};
    case 7:
        return TStepSchemes{{QUARTER, HALF}, {PASSING, CHORD_LEAP_1, CHORD_LEAP_2}, -1, {}};
    default:
        return std::nullopt;
    }
}
