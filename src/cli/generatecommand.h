#pragma once

#include "engine/periodcomposition.h"
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

// Sets the scheme from the options, then composes every motive without notes
// (composeEmptyMotives).
std::vector<TGeneratedMotive> generatePeriod(TPeriodData& period, TScheme& scheme,
                                             const TGenerateOptions& options);

// `tonaria-cli generate IN.tnr OUT.tnr [options]`; `arguments` follow the command name.
int runGenerateCommand(std::span<const std::string> arguments, std::ostream& out,
                       std::ostream& err);

// The lines of --help that describe the command.
std::string generateUsageText();
