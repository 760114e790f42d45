#pragma once

#include "model/chord.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The names of the 29 catalogued chord types, in catalogue order.
const std::vector<std::string>& chordTypeNames();

// A fresh chord filled from the catalogue row `name`, or nothing for an unknown name.
std::optional<TChord> findChordOfType(std::string_view name);
// As findChordOfType; throws std::invalid_argument for an unknown name.
TChord chordOfType(std::string_view name);

// The chord types of `types` that may follow a chord of order `order` in `key`: those of at
// least that order first, then the tonic-function ones of lower order, each in list order.
// Throws std::invalid_argument when `types` names an unknown chord type.
std::vector<TChord> successionCandidates(const std::vector<std::string>& types, int order,
                                         const TKey& key);
