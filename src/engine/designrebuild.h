#pragma once

#include "engine/design.h"
#include "engine/melodyrules.h"
#include "engine/turn.h"
#include "model/motive.h"

class TScheme;

// The scheme's turns, each with the direction of the design's turn at its place (the design's
// turns taken cyclically), so that a new pitch scheme keeps the motive's rise and fall. Upward
// when the design has no turns.
TTurnsWithDir turnsWithDesignDirections(const TTurns& turns, const TTurnsWithDir& design);

// Gives a harmonised motive new notes after a command wrote one half of the scheme, keeping
// the other half of `design` (the motive's design read before): a rhythm command keeps the
// design's turns with their directions and the start pitch of each measure part, a pitch
// command keeps the design's rhythm and start pitches and gives the scheme's turns the
// design's directions. A motive without notes has nothing to keep: it is generated from both
// schemes along the beacons of `contour` that lie inside it, in time order. Either way the
// melody closes as `place` asks when the scheme keeps school harmony.
void rebuildFromDesign(TScheme& scheme, TMotive& motive, const TDesign& design, bool rhythmCommand,
                       TLights contour, const TMelodyPlace& place = {});
