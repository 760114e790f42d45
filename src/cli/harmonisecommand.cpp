#include "cli/harmonisecommand.h"

#include "cli/commands.h"
#include "cli/options.h"
#include "cli/periodfiles.h"
#include "engine/periodharmonisation.h"
#include "files/atomicfile.h"
#include "files/engmessagebundle.h"
#include "files/periodreader.h"
#include "files/periodwriter.h"
#include "model/schemechords.h"

std::string harmoniseUsageText() {
    return "  tonaria-cli harmonise IN.tnr OUT.tnr [--no-school-harmony]\n"
           "      Gives every motive that has no chord on each measure a four-part harmony led\n"
           "      on from the motive before it, as the canvas does; harmonised motives are kept.\n"
           "      The harmony keeps the rules of school harmony (--school-harmony, or its older\n"
           "      name --cadences, says so explicitly): the phrases close as the form asks, an\n"
           "      authentic cadence at the period's end, a half cadence at the end of the first\n"
           "      sentence, the dominant or the tonic at other phrase ends; sevenths fall, the\n"
           "      leading tone rises, and every voice stays in its range. --no-school-harmony\n"
           "      harmonises by the design's draw alone.\n";
}

void reportUnmetForm(int motive, const THarmonisation& outcome, std::ostream& err) {
    for (const std::string& reason : outcome.unmetForm)
        err << "Motive " << motive + 1 << " (in strip order): " << reason
            << "; the draw chose the chord\n";
}

int runHarmoniseCommand(std::span<const std::string> arguments, std::ostream& out,
                        std::ostream& err) {
    const TEngMessageBundle bundle;
    const std::optional<bool> option =
        arguments.size() == 3 ? schoolHarmonyOption(arguments[2]) : std::nullopt;
    if (arguments.size() != 2 && !option) {
        err << "tonaria-cli: harmonise takes the file to read and the file to write";
        if (arguments.size() == 3)
            err << ", then at most one of " << SCHOOL_HARMONY_OPTION << ", " << CADENCES_OPTION
                << " or " << NO_SCHOOL_HARMONY_OPTION;
        err << "\nRun tonaria-cli --help for the commands.\n";
        return EXIT_USAGE_ERROR;
    }
    const bool schoolHarmony = option.value_or(true);
    TPeriodData period;
    if (!readPeriodOrReport(period, arguments[0], bundle, err))
        return EXIT_FILE_ERROR;

    int harmonised = 0;
    int kept = 0;
    for (const TMotiveHarmonisation& entry :
         harmonisePeriod(period, schemeChordTypeNames(), processRandom(), schoolHarmony)) {
        reportUnmetForm(entry.motive, entry.outcome, err);
        if (entry.alreadyHarmonised) {
            ++kept;
        } else if (entry.outcome.complete()) {
            ++harmonised;
        } else {
            err << "Motive " << entry.motive + 1 << " (in strip order): no chord type can follow"
                << " on measure segment " << entry.outcome.firstUnharmonised + 1
                << " within the voice range; the motive stays unharmonised\n";
        }
    }

    if (!savePeriodOrReport(period, arguments[1], bundle, err))
        return EXIT_FILE_ERROR;
    out << "Harmonised " << harmonised << " motives";
    if (kept > 0)
        out << "; " << kept << " already harmonised";
    out << '\n';
    return EXIT_OK;
}
