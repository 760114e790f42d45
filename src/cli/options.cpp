#include "cli/options.h"

#include "files/periodlimits.h"
#include "files/xmlinput.h"

#include <array>
#include <optional>

namespace {

std::vector<std::string_view> splitList(std::string_view text) {
    std::vector<std::string_view> items;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        items.push_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos)
            return items;
        start = comma + 1;
    }
}

int parseNumber(std::string_view option, std::string_view text) {
    const std::optional<int> value = parseDecimal(text);
    if (!value)
        throw TUsageError(std::string(option) + ": \"" + std::string(text) +
                          "\" is not a whole number");
    return *value;
}

// Letters a phrase may carry (codes 5 to 15).
constexpr std::array<std::string_view, 11> letterNames{"A",  "B",  "C",  "D",  "E", "A1",
                                                       "B1", "C1", "D1", "E1", "A2"};
constexpr std::uint8_t firstLetterCode = 5;

} // namespace

std::vector<int> parseCountList(std::string_view text) {
    std::vector<int> counts;
    for (const std::string_view item : splitList(text))
        counts.push_back(parseNumber("count list", item));
    return counts;
}

std::vector<std::uint8_t> parseLetterList(std::string_view text) {
    std::vector<std::uint8_t> codes;
    for (const std::string_view item : splitList(text)) {
        std::size_t i = 0;
        while (i < letterNames.size() && letterNames[i] != item)
            ++i;
        if (i == letterNames.size())
            throw TUsageError("\"" + std::string(item) +
                              "\" is no phrase letter (A, B, C, D, E, A1, B1, C1, D1, E1, A2)");
        codes.push_back(static_cast<std::uint8_t>(firstLetterCode + i));
    }
    return codes;
}

TMeasure parseMeter(std::string_view text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        throw TUsageError("--meter: \"" + std::string(text) + "\" is not written beats/note");
    const int beats = parseNumber("--meter", text.substr(0, slash));
    const int note = parseNumber("--meter", text.substr(slash + 1));
    if (note != 1 && note != 2 && note != 4 && note != 8 && note != 16)
        throw TUsageError("--meter: the note value must be 1, 2, 4, 8 or 16");
    return TMeasure(beats, 4 * TICKS_PER_QUARTER / note);
}

std::string meterText(const TMeasure& measure) {
    const int beatValue = measure.beatValue();
    const int whole = 4 * TICKS_PER_QUARTER;
    if (beatValue > 0 && whole % beatValue == 0)
        return std::to_string(measure.beatsPerMeasure()) + "/" + std::to_string(whole / beatValue);
    return std::to_string(measure.beatsPerMeasure()) + " x " + std::to_string(beatValue) + " ticks";
}

TPeriodStructure parseNewOptions(std::span<const std::string> options) {
    TPeriodStructure structure = defaultPeriodStructure();
    const std::vector<std::uint8_t> defaultLetters = structure.letters;
    bool motivesGiven = false;
    bool lettersGiven = false;
    int sign = structure.key.sign();
    std::uint8_t mode = structure.key.mode();
    int zatakt = structure.zatakt;

    for (std::size_t i = 0; i < options.size(); ++i) {
        const std::string_view option = options[i];
        if (option == "--minor" || option == "--major") {
            mode = option == "--minor" ? MINOR : MAJOR;
            continue;
        }
        if (i + 1 == options.size())
            throw TUsageError(option.starts_with("--")
                                  ? std::string(option) + " needs a value"
                                  : "unexpected argument \"" + std::string(option) + "\"");
        const std::string_view value = options[++i];
        if (option == "--phrases") {
            structure.phraseCounts = parseCountList(value);
        } else if (option == "--motives") {
            structure.motiveCounts = parseCountList(value);
            motivesGiven = true;
        } else if (option == "--letters") {
            structure.letters = parseLetterList(value);
            lettersGiven = true;
        } else if (option == "--key") {
            sign = parseNumber(option, value);
        } else if (option == "--meter") {
            structure.measure = parseMeter(value);
        } else if (option == "--upbeat") {
            zatakt = parseNumber(option, value);
        } else if (option == "--tempo") {
            structure.tempo = parseNumber(option, value);
        } else {
            throw TUsageError("unknown option \"" + std::string(option) + "\"");
        }
    }

    std::size_t phrases = 0;
    for (const int count : structure.phraseCounts)
        phrases += count > 0 ? static_cast<std::size_t>(count) : 0;
    if (phrases > static_cast<std::size_t>(MAX_PERIOD_MOTIVES))
        throw TUsageError("--phrases: a period holds at most " +
                          std::to_string(MAX_PERIOD_MOTIVES) + " phrases");
    if (!motivesGiven)
        structure.motiveCounts.assign(phrases, 2);
    if (!lettersGiven) {
        structure.letters.clear();
        for (std::size_t p = 0; p < phrases; ++p)
            structure.letters.push_back(defaultLetters[p % defaultLetters.size()]);
    }
    // Range checks come with the building; here the values only have to fit their fields.
    if (sign < -MAX_KEY_SIGN || sign > MAX_KEY_SIGN)
        throw TUsageError("--key: the signature must lie in -7..7");
    if (zatakt < 0 || zatakt >= MAX_MEASURE_TICKS)
        throw TUsageError("--upbeat: the upbeat must be shorter than the measure");
    structure.key = TKey(sign, mode);
    structure.zatakt = static_cast<std::int16_t>(zatakt);
    return structure;
}

std::optional<bool> schoolHarmonyOption(std::string_view option) {
    if (option == SCHOOL_HARMONY_OPTION || option == CADENCES_OPTION)
        return true;
    if (option == NO_SCHOOL_HARMONY_OPTION)
        return false;
    return std::nullopt;
}
