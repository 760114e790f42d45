#include "files/newperiodchoices.h"

#include "model/duration.h"
#include "model/phrasedata.h"

#include <cstddef>

std::string TRawLetterScheme::text() const {
    std::string joined;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        if (i > 0)
            joined += " + ";
        joined += suffixText(letters[i]);
    }
    return joined;
}

std::vector<TRawPeriodData> periodTemplates(const TMessageBundle& bundle) {
    return {
        TRawPeriodData(bundle, {2, 2}, {2, 2, 2, 2}, {}),
        TRawPeriodData(bundle, {2, 2}, {4, 4, 4, 4}, {}),
        TRawPeriodData(bundle, {2, 2}, {3, 2, 2, 3}, {}),
        TRawPeriodData(bundle, {3, 3}, {3, 2, 3, 3, 2, 3}, {}),
        TRawPeriodData(bundle, {2}, {2, 2}, {}),
        TRawPeriodData(bundle, {2}, {4, 4}, {}),
        TRawPeriodData(bundle, {3}, {3, 2, 3}, {}),
    };
}

std::vector<TRawLetterScheme> letterSchemes() {
    return {
        {{5, 10, 15, 6}}, // A + A1 + A2 + B
        {{5, 6, 5, 6}},   // A + B + A + B
        {{5, 6, 7, 11}},  // A + B + C + B1
        {{5, 6, 11, 10}}, // A + B + B1 + A1
        {{5, 6, 11, 7}},  // A + B + B1 + C
    };
}

std::vector<TMeasure> newPeriodMeters() {
    return {TMeasure(2, QUARTER), TMeasure(3, QUARTER), TMeasure(2, EIGHTH), TMeasure(3, EIGHTH)};
}

std::string newPeriodMeterText(const TMeasure& meter) {
    const int denominator =
        meter.beatValue() == EIGHTH ? 8 : (meter.beatValue() == QUARTER ? 4 : 0);
    return std::to_string(meter.beatsPerMeasure()) + "/" + std::to_string(denominator);
}

std::vector<std::uint8_t> phraseLetterChoices() {
    std::vector<std::uint8_t> codes;
    for (int code = SUFFIX_A; code <= SUFFIX_LAST; ++code)
        codes.push_back(static_cast<std::uint8_t>(code));
    return codes;
}

TRawPeriodData openingStructure(const TMessageBundle& bundle) {
    return TRawPeriodData(bundle, {2, 2}, {2, 2, 2, 2}, {5, 6, 11, 10});
}

TPeriodStructure periodStructureOf(const TRawPeriodData& raw, const TKey& key,
                                   const TMeasure& meter, std::int16_t zatakt, int tempo) {
    TPeriodStructure structure;
    structure.phraseCounts = raw.phraseCounts();
    structure.motiveCounts = raw.motiveCounts();
    structure.letters = raw.letters();
    structure.key = key;
    structure.measure = meter;
    structure.zatakt = zatakt;
    structure.tempo = tempo;
    return structure;
}
