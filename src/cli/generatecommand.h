#pragma once

#include "engine/harmonisation.h"
#include "engine/rhythmlayout.h"
#include "engine/scheme.h"
#include "engine/turn.h"
#include "model/period.h"

#include <optional>
#include <ostream>
#include <span>
#include <string>

// The schemes and contour that `tonaria-cli generate` takes from its options; what is left out
// keeps the scheme engine's defaults.
struct TGenerateOptions {
    std::optional<TDurations> rhythm;
    bool rhythmInOrder = false;
    std::optional<TTurns> turns;
    bool turnsInOrder = false;
    // Beacon times count from each motive's first tick.
    std::optional<TLights> contour;
    // Keep the rules of school harmony, closing the phrases with cadences as the form asks.
    bool schoolHarmony = true;
};

// Reads the options after the two file names. Throws TUsageError.
TGenerateOptions parseGenerateOptions(std::span<const std::string> options);

// What generation did to one motive of the strip.
struct TGeneratedMotive {
    int motive = 0; // position in strip order
    bool harmonisedNow = false;
    THarmonisation harmonisation; // meaningful only when harmonised now
    bool generated = false;       // false when the motive could not be harmonised
};

// Gives every motive without notes, in strip order, a harmony (when it has none) and notes
// generated from the schemes along the contour. Motives with notes stay as they are.
std::vector<TGeneratedMotive> generatePeriod(TPeriodData& period, TScheme& scheme,
                                             const TGenerateOptions& options);

// `tonaria-cli generate IN.tnr OUT.tnr [options]`; `arguments` follow the command name.
int runGenerateCommand(std::span<const std::string> arguments, std::ostream& out,
                       std::ostream& err);

// The lines of --help that describe the command.
std::string generateUsageText();
