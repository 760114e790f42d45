#pragma once

#include "files/periodbuilder.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A command line that does not say what it means; the text tells the user why.
class TUsageError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// Whether harmonise and generate keep the rules of school harmony, cadences at phrase ends
// among them: on unless NO_SCHOOL_HARMONY_OPTION is given. CADENCES_OPTION is the older name of
// SCHOOL_HARMONY_OPTION.
inline constexpr std::string_view SCHOOL_HARMONY_OPTION = "--school-harmony";
inline constexpr std::string_view CADENCES_OPTION = "--cadences";
inline constexpr std::string_view NO_SCHOOL_HARMONY_OPTION = "--no-school-harmony";

// What `option` says of school harmony; none when it is no school harmony option.
std::optional<bool> schoolHarmonyOption(std::string_view option);

// A comma-separated list of whole numbers ("2,2").
std::vector<int> parseCountList(std::string_view text);
// A comma-separated list of phrase letters ("A,B,A1,B1").
std::vector<std::uint8_t> parseLetterList(std::string_view text);
// A meter written beats/note ("2/4", "3/8"); the note is 1, 2, 4, 8 or 16.
TMeasure parseMeter(std::string_view text);
// How a meter is shown: "2/4", or beats "x" ticks when the beat is no plain note value.
std::string meterText(const TMeasure& measure);

// The structure that `tonaria-cli new` builds from its options (everything after the file
// name). Options left out take the default period's values; without --motives each phrase gets
// two motives, and without --letters the phrases take A, B, A1, B1 in turn. Throws TUsageError.
TPeriodStructure parseNewOptions(std::span<const std::string> options);
