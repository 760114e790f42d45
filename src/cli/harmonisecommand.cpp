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
    return "  tonaria-cli harmonise IN.tnr OUT.tnr [--cadences]\n"
           "      Gives every motive that has no chord on each measure a four-part harmony led\n"
           "      on from the motive before it, as the canvas does; harmonised motives are kept.\n"
           "      --cadences closes the phrases as the form asks: an authentic cadence at the\n"
           "      period's end, a half cadence at the end of the first sentence, the dominant\n"
           "      or the tonic at other phrase ends.\n";
}

void reportUnmetForm(int motive, const THarmonisation& outcome, std::ostream& err) {
    for (const std::string& reason : outcome.unmetForm)
        err << "Motive " << motive + 1 << " (in strip order): " << reason
            << "; the draw chose the chord\n";
}

int runHarmoniseCommand(std::span<const std::string> arguments, std::ostream& out,
                        std::ostream& err) {
    const TEngMessageBundle bundle;
    const bool cadences = arguments.size() == 3 && arguments[2] == CADENCES_OPTION;
    if (arguments.size() != 2 && !cadences) {
        err << "tonaria-cli: harmonise takes the file to read and the file to write";
        if (arguments.size() == 3)
            err << ", then at most " << CADENCES_OPTION;
        err << "\nRun tonaria-cli --help for the commands.\n";
        return EXIT_USAGE_ERROR;
    }
    TPeriodData period;
    if (!readPeriodOrReport(period, arguments[0], bundle, err))
        return EXIT_FILE_ERROR;

    int harmonised = 0;
    int kept = 0;
    for (const TMotiveHarmonisation& entry :
         harmonisePeriod(period, schemeChordTypeNames(), processRandom(), cadences)) {
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
