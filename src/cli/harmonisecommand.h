#pragma once

#include "engine/harmonisation.h"

#include <ostream>
#include <span>
#include <string>

// `tonaria-cli harmonise IN.tnr OUT.tnr`: gives every motive that is not harmonised yet its
// chords, in strip order and in the context the period panel would give it; harmonised motives
// stay as they are. `arguments` follow the command name.
int runHarmoniseCommand(std::span<const std::string> arguments, std::ostream& out,
                        std::ostream& err);

// The lines of --help that describe the command.
std::string harmoniseUsageText();

// Tells `err` why a motive (by its place in strip order, from 0) could not close as the form
// asks, one line per chord: "Motive 3 (in strip order): measure segment 1: ...".
void reportUnmetForm(int motive, const THarmonisation& outcome, std::ostream& err);
