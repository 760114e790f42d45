#include "cli/generatecommand.h"

#include "cli/commands.h"
#include "cli/harmonisecommand.h"
#include "cli/options.h"
#include "cli/periodfiles.h"
#include "engine/periodcomposition.h"
#include "files/atomicfile.h"
#include "files/engmessagebundle.h"
#include "files/periodreader.h"
#include "files/periodwriter.h"
#include "model/random.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace {

TDurations parseRhythm(std::string_view text, bool inOrder) {
    TDurations rhythm;
    for (int value : parseCountList(text)) {
        const int length = std::abs(value);
        if (length == 0 || length % TICKS_PER_SIXTEENTH != 0 || length > HALF)
            throw TUsageError("--rhythm: " + std::to_string(value) +
                              " is no duration (30 to 240 in sixteenths, negative for rests)");
        if (value < 0 && !inOrder)
            throw TUsageError("--rhythm: rests need --rhythm-in-order");
        rhythm.push_back(static_cast<DURATION>(value));
    }
    return rhythm;
}

TTurns parseTurns(std::string_view text) {
    TTurns turns;
    for (int value : parseCountList(text)) {
        if (!isPlacingTurn(value))
            throw TUsageError("--turns: " + std::to_string(value) + " is no turn (1 to 9)");
        turns.push_back(static_cast<TURN_ROUND>(value));
    }
    return turns;
}

TLights parseContour(std::string_view text) {
    TLights contour;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string_view item = text.substr(start, comma - start);
        const std::size_t colon = item.find(':');
        if (colon == std::string_view::npos)
            throw TUsageError("--contour: \"" + std::string(item) + "\" is not TIME:PITCH");
        const std::vector<int> time = parseCountList(item.substr(0, colon));
        const std::vector<int> pitch = parseCountList(item.substr(colon + 1));
        if (time.front() < 0 || !isValidPitch(pitch.front()))
            throw TUsageError("--contour: \"" + std::string(item) +
                              "\" needs a time from 0 and a pitch from 0 to 41");
        contour.emplace_back(time.front(), pitch.front());
        start = comma + 1;
    }
    std::stable_sort(contour.begin(), contour.end());
    return contour;
}

} // namespace

TGenerateOptions parseGenerateOptions(std::span<const std::string> options) {
    TGenerateOptions parsed;
    const bool rhythmInOrder =
        std::find(options.begin(), options.end(), "--rhythm-in-order") != options.end();
    const bool turnsInOrder =
        std::find(options.begin(), options.end(), "--turns-in-order") != options.end();
    for (std::size_t i = 0; i < options.size(); ++i) {
        const std::string& option = options[i];
        if (option == "--rhythm-in-order" || option == "--turns-in-order")
            continue;
        if (const std::optional<bool> school = schoolHarmonyOption(option)) {
            parsed.schoolHarmony = *school;
            continue;
        }
        if (option != "--rhythm" && option != "--turns" && option != "--contour")
            throw TUsageError("generate: unknown option \"" + option + "\"");
        if (i + 1 == options.size())
            throw TUsageError(option + " needs a value");
        const std::string& value = options[++i];
        if (option == "--rhythm")
            parsed.rhythm = parseRhythm(value, rhythmInOrder);
        else if (option == "--turns")
            parsed.turns = parseTurns(value);
        else
            parsed.contour = parseContour(value);
    }
    if (rhythmInOrder && !parsed.rhythm)
        throw TUsageError("--rhythm-in-order needs --rhythm");
    if (turnsInOrder && !parsed.turns)
        throw TUsageError("--turns-in-order needs --turns");
    parsed.rhythmInOrder = rhythmInOrder;
    parsed.turnsInOrder = turnsInOrder;
    return parsed;
}

std::vector<TGeneratedMotive> generatePeriod(TPeriodData& period, TScheme& scheme,
                                             const TGenerateOptions& options) {
    scheme.setSchoolHarmony(options.schoolHarmony);
    if (options.rhythm)
        scheme.setDurations(*options.rhythm, options.rhythmInOrder, true);
    if (options.turns)
        scheme.setTurns(*options.turns, options.turnsInOrder, true);
    return composeEmptyMotives(period, scheme, options.schoolHarmony, options.contour);
}

std::string generateUsageText() {
    return "  tonaria-cli generate IN.tnr OUT.tnr [--rhythm 120,-60,60 [--rhythm-in-order]]\n"
           "                  [--turns 2,6,5 [--turns-in-order]] [--contour TIME:PITCH,...]\n"
           "                  [--no-school-harmony]\n"
           "      Gives every motive without notes a harmony (when it has none) and a melody\n"
           "      generated from the rhythm scheme (durations in ticks, negative for rests)\n"
           "      and the pitch scheme (turns 1 to 9) along the contour (beacon times in ticks\n"
           "      from the motive's start, pitch indices 0 to 41). Without --rhythm or --turns\n"
           "      the default schemes are used, without --contour pitch 22 on every sixteenth.\n"
           "      The harmony keeps the rules of school harmony as harmonise does, unless\n"
           "      --no-school-harmony is given.\n";
}

int runGenerateCommand(std::span<const std::string> arguments, std::ostream& out,
                       std::ostream& err) {
    const TEngMessageBundle bundle;
    if (arguments.size() < 2 || arguments[0].starts_with("--") || arguments[1].starts_with("--")) {
        err << "tonaria-cli: generate takes the file to read and the file to write\n"
               "Run tonaria-cli --help for the commands.\n";
        return EXIT_USAGE_ERROR;
    }
    TGenerateOptions options;
    try {
        options = parseGenerateOptions(arguments.subspan(2));
    } catch (const std::invalid_argument& error) {
        err << "tonaria-cli: " << error.what() << "\nRun tonaria-cli --help for the commands.\n";
        return EXIT_USAGE_ERROR;
    }
    TPeriodData period;
    if (!readPeriodOrReport(period, arguments[0], bundle, err))
        return EXIT_FILE_ERROR;
    TScheme scheme(processRandom());
    int generated = 0;
    int skipped = 0;
    for (const TGeneratedMotive& entry : generatePeriod(period, scheme, options)) {
        (entry.generated ? generated : skipped)++;
        reportUnmetForm(entry.motive, entry.harmonisation, err);
    }
    if (!savePeriodOrReport(period, arguments[1], bundle, err))
        return EXIT_FILE_ERROR;
    out << "Generated " << generated << " motives";
    if (skipped > 0)
        out << "; " << skipped << " could not be harmonised";
    out << '\n';
    return EXIT_OK;
}
