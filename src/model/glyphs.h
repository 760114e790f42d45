#pragma once

#include "model/rect.h"

// Regions of the glyph sheet by musical meaning. A value without a glyph gives the empty
// rectangle. `alternate` selects the second set (drawn on selected or lit buttons).

// Note glyph of a duration; negative durations are rests.
TRect durationGlyph(int duration, bool alternate = false);
// The note glyph with 2 pixels taken off every side, for small buttons.
TRect smallDurationGlyph(int duration, bool alternate = false);
// Glyph of a melodic turn code 0..9.
TRect turnGlyph(int turn, bool alternate = false);
// Narrow bars of the fast menu for the turn codes 5, 3 and 4.
TRect fastMenuBarGlyph(int code, bool alternate = false);

// Colour of a scale degree 1..7 in the variant view; white for anything else.
TColour degreeColour(int degree);
