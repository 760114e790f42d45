#include "model/phrasedata.h"

#include <array>

namespace {

constexpr std::array<const char*, 16> suffixTexts{"",  "1", "2",  "3",  "4",  "A",  "B",  "C",
                                                  "D", "E", "A1", "B1", "C1", "D1", "E1", "A2"};

bool isLetter(int code) {
    return code >= SUFFIX_A && code <= SUFFIX_LAST;
}

} // namespace

std::string suffixText(int code) {
    if (code < 0 || code >= static_cast<int>(suffixTexts.size()))
        return {};
    return suffixTexts[static_cast<std::size_t>(code)];
}

std::string suffixFileText(int code) {
    return isLetter(code) ? suffixText(code) : std::string();
}

std::uint8_t suffixFromFileText(std::string_view text) {
    for (int code = SUFFIX_A; code <= SUFFIX_LAST; ++code)
        if (text == suffixTexts[static_cast<std::size_t>(code)])
            return static_cast<std::uint8_t>(code);
    return SUFFIX_A;
}

TPhraseData::TPhraseData(int count, std::uint8_t suffix, const TKey& key, const TMeasure& measure,
                         std::int16_t zatakt)
    : suffix_(suffix) {
    motives_.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
    for (int i = 0; i < count; ++i)
        motives_.emplace_back(key, measure, zatakt);
}
