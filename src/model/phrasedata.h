#pragma once

#include "model/key.h"
#include "model/measure.h"
#include "model/motive.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Letter codes of phrases: 0 none, 1..4 numbers, 5..15 the letters "A" to "A2".
inline constexpr std::uint8_t SUFFIX_NONE = 0;
inline constexpr std::uint8_t SUFFIX_A = 5;
inline constexpr std::uint8_t SUFFIX_LAST = 15;

// Display text of a letter code; unknown codes show as "".
std::string suffixText(int code);
// The document stores letters only: codes 5..15 give their text, every other code "".
std::string suffixFileText(int code);
// The code of a letter from a document; an unknown or empty text is read as "A".
std::uint8_t suffixFromFileText(std::string_view text);

// A phrase of the period: its letter and its motives in order.
class TPhraseData {
public:
    TPhraseData() = default;
    TPhraseData(int count, std::uint8_t suffix, const TKey& key, const TMeasure& measure,
                std::int16_t zatakt);

    // Always the size of motives(), so the two cannot disagree.
    int motiveCount() const { return static_cast<int>(motives_.size()); }
    std::uint8_t suffix() const { return suffix_; }
    void setSuffix(std::uint8_t suffix) { suffix_ = suffix; }
    std::vector<TMotive>& motives() { return motives_; }
    const std::vector<TMotive>& motives() const { return motives_; }

private:
    std::uint8_t suffix_ = SUFFIX_NONE;
    std::vector<TMotive> motives_;
};
