#pragma once

#include "model/period.h"

#include <ostream>

// Composes the example period of the step-by-step help with the program's own tools, in the
// order a student would: chords for every motive first, then motive 1 from the schemes and a
// drawn contour, motive 2 from the contrast commands, and the rest with the development
// techniques that the help pages name. Every random choice comes from the process-wide
// generator, so the same program composes the same period. `log` hears what each step did.
TPeriodData composeStepExample(std::ostream& log);
