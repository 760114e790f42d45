#pragma once

#include "files/periodbuilder.h"
#include "files/rawperioddata.h"
#include "model/measure.h"

#include <cstdint>
#include <string>
#include <vector>

class TMessageBundle;

// A pattern of phrase letters that the new-composition dialog deals out over the phrases.
struct TRawLetterScheme {
    std::vector<std::uint8_t> letters;

    // The letters' texts joined by " + ": "A + B + B1 + A1".
    std::string text() const;
};

// The fixed choices of the new-composition dialog.

// The ready-made forms, each without letters: two sentences of 2 + 2 phrases first, a single
// sentence of three phrases last.
std::vector<TRawPeriodData> periodTemplates(const TMessageBundle& bundle);
// The letter patterns; NEW_PERIOD_LETTER_SCHEME is chosen when the dialog opens.
std::vector<TRawLetterScheme> letterSchemes();
inline constexpr int NEW_PERIOD_LETTER_SCHEME = 3;
// 2/4, 3/4, 2/8 and 3/8.
std::vector<TMeasure> newPeriodMeters();
// "2/4"; a beat other than a quarter or an eighth shows as "/0".
std::string newPeriodMeterText(const TMeasure& meter);
// The letters a phrase may take, A to A2.
std::vector<std::uint8_t> phraseLetterChoices();
// Motive counts a phrase may hold, 1 to this.
inline constexpr int MAX_RAW_MOTIVES = 4;
// Two sentences of phrases A, B and B1, A1, two motives each, the first phrase selected.
TRawPeriodData openingStructure(const TMessageBundle& bundle);

// The shape of the period that the main window builds from a laid-out structure and the
// chosen key, meter, upbeat and tempo.
TPeriodStructure periodStructureOf(const TRawPeriodData& raw, const TKey& key,
                                   const TMeasure& meter, std::int16_t zatakt, int tempo);
